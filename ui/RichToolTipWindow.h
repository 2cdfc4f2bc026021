#pragma once

#include <QWidget>

// The tool-tip box itself: a rectangle fading from white to light grey with a
// shadow offset down-right, holding plain text in 11 px Tahoma.
class RichToolTipWindow : public QWidget
{
public:
    RichToolTipWindow();

    void setText(const QString &text);
    QString text() const { return m_text; }

    // Shows the box near a global pointer position, kept on that screen.
    void showNear(const QPoint &globalPos);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect boxRect() const;
    QRect textRect() const;

    QString m_text;
    // What of the text is laid out.
    QString m_shown;
};
