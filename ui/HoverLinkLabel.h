#pragma once

#include "ui/LongTextLabel.h"

#include <QColor>

// A text link: underlined per its mode, hand cursor while hovered, emits
// clicked() on a press and release inside it. A disabled link is drawn in the
// engraved grey of disabled text and ignores the mouse. Like every
// LongTextLabel it lays out only what of its text can show.
class HoverLinkLabel : public LongTextLabel
{
    Q_OBJECT

public:
    enum class Underline { WhileHovered, ExceptWhileHovered, Always };
    Q_ENUM(Underline)

    explicit HoverLinkLabel(const QString &text, QWidget *parent = nullptr);

    void setUnderline(Underline mode);
    void setLinkColor(const QColor &color);

    // Whether the text is currently drawn underlined.
    bool isUnderlined() const;

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void setHovered(bool hovered);
    void updateCursor();

    Underline m_underline = Underline::WhileHovered;
    QColor m_linkColor;
    bool m_hovered = false;
    bool m_pressed = false;
};
