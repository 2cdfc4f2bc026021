#include "ui/LongTextLabel.h"

#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>

namespace {

// Characters beyond this many per pixel of width can never show.
constexpr int charactersPerPixel = 4;
constexpr qsizetype shortText = 1024;

} // namespace

LongTextLabel::LongTextLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
}

QString LongTextLabel::visiblePart(const QString &text, int width, Qt::Alignment alignment)
{
    const qsizetype limit = std::clamp<qsizetype>(qsizetype(width) * charactersPerPixel, shortText, mostShown);
    if (text.size() <= limit)
        return text;
    if (alignment & Qt::AlignRight)
        return text.right(limit);
    if (alignment & Qt::AlignHCenter)
        return text.mid((text.size() - limit) / 2, limit);
    return text.left(limit);
}

int LongTextLabel::reach() const
{
    const QScreen *shownOn = screen();
    return std::max(width(), shownOn ? shownOn->geometry().width() : 4096);
}

QString LongTextLabel::visibleText() const
{
    const QString current = text();
    // A text set anew is another string; comparing where it lives is enough.
    if (current.constData() != m_source.constData() || current.size() != m_source.size()) {
        m_source = current;
        m_visible = visiblePart(current, reach(), alignment());
        m_sizeHint = QSize();
    }
    return m_visible;
}

QSize LongTextLabel::sizeHint() const
{
    if (wordWrap())
        return QLabel::sizeHint();
    const QString shown = visibleText();
    if (!m_sizeHint.isValid() || m_sizeHint.isEmpty()) {
        // As a plain-text QLabel without word wrap measures itself.
        const int flags = int(alignment() & ~(Qt::AlignVCenter | Qt::AlignHCenter));
        const QRect bounds = fontMetrics().boundingRect(QRect(0, 0, 0, 2000), flags, shown);
        const int extra = 2 * margin();
        const QMargins margins = contentsMargins();
        m_sizeHint = QSize(bounds.width() + extra + margins.left() + margins.right(),
                           bounds.height() + extra + margins.top() + margins.bottom())
                         .expandedTo(minimumSize());
    }
    return m_sizeHint;
}

QSize LongTextLabel::minimumSizeHint() const
{
    return wordWrap() ? QLabel::minimumSizeHint() : sizeHint();
}

void LongTextLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const int flags = int(QStyle::visualAlignment(layoutDirection(), alignment())) | (wordWrap() ? Qt::TextWordWrap : 0);
    style()->drawItemText(&painter, area, flags, option.palette, isEnabled(), visibleText(), foregroundRole());
}
