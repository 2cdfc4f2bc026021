#include "ui/HoverLinkLabel.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

// Classic disabled text: grey, with a white highlight one pixel down-right.
const QColor DisabledTextColor(0x80, 0x80, 0x80);
const QColor DisabledHighlightColor(Qt::white);

} // namespace

HoverLinkLabel::HoverLinkLabel(const QString &text, QWidget *parent)
    : LongTextLabel(text, parent)
    , m_linkColor(Qt::blue)
{
    setTextFormat(Qt::PlainText);
    // Links stand on pictures and gradients: never paint a background.
    setAutoFillBackground(false);
    setAttribute(Qt::WA_NoSystemBackground);
    updateCursor();
}

void HoverLinkLabel::setUnderline(Underline mode)
{
    m_underline = mode;
    update();
}

void HoverLinkLabel::setLinkColor(const QColor &color)
{
    m_linkColor = color;
    update();
}

bool HoverLinkLabel::isUnderlined() const
{
    if (!isEnabled())
        return false;
    if (m_underline == Underline::Always)
        return true;
    return (m_underline == Underline::WhileHovered) == m_hovered;
}

void HoverLinkLabel::enterEvent(QEnterEvent *event)
{
    setHovered(true);
    LongTextLabel::enterEvent(event);
}

void HoverLinkLabel::leaveEvent(QEvent *event)
{
    setHovered(false);
    LongTextLabel::leaveEvent(event);
}

void HoverLinkLabel::mousePressEvent(QMouseEvent *event)
{
    if (isEnabled() && event->button() == Qt::LeftButton)
        m_pressed = true;
    event->accept();
}

void HoverLinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    event->accept();
    if (wasPressed && isEnabled() && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint()))
        emit clicked();
}

void HoverLinkLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange) {
        // Enter and leave may have been missed while disabled.
        m_hovered = underMouse();
        m_pressed = false;
        updateCursor();
        update();
    }
    LongTextLabel::changeEvent(event);
}

void HoverLinkLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // A font set on the painter is looked up anew at every paint; the hero
    // link is painted with each tweet.
    if (font().underline() != isUnderlined()) {
        QFont textFont = font();
        textFont.setUnderline(isUnderlined());
        painter.setFont(textFont);
    }

    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const int flags = int(alignment()) | (wordWrap() ? int(Qt::TextWordWrap) : 0);
    const QString shown = visibleText();
    if (isEnabled()) {
        painter.setPen(m_linkColor);
        painter.drawText(area, flags, shown);
        return;
    }
    painter.setPen(DisabledHighlightColor);
    painter.drawText(area.translated(1, 1), flags, shown);
    painter.setPen(DisabledTextColor);
    painter.drawText(area, flags, shown);
}

void HoverLinkLabel::setHovered(bool hovered)
{
    if (m_hovered == hovered)
        return;
    m_hovered = hovered;
    update();
}

void HoverLinkLabel::updateCursor()
{
    if (isEnabled())
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}
