#pragma once

#include <QColor>
#include <QWidget>

// A plain panel painted with a gradient across its whole rectangle; child
// widgets stand on it.
class GradientPanel : public QWidget
{
public:
    enum class Shape { Radial, Diagonal, Vertical };

    GradientPanel(Shape shape, const QColor &from, const QColor &to, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Shape m_shape;
    QColor m_from;
    QColor m_to;
};
