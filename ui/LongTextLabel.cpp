#include "ui/LongTextLabel.h"

#include <QEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
#include <QTextLayout>

namespace {

// Characters beyond this many per pixel of width can never show.
constexpr int charactersPerPixel = 4;
constexpr qsizetype shortText = 1024;
// Short texts whose layouts are kept: the shipped title list has 55.
constexpr int keptLayouts = 64;
// As wide as Qt's own text drawing makes a line that does not wrap.
constexpr qreal unwrappedLineWidth = 0x01000000;

// What Qt's text drawing turns into other characters before laying out.
bool needsTheStyle(const QString &text)
{
    return text.isEmpty()
           || std::any_of(text.cbegin(), text.cend(), [](QChar c) {
                  return c == u'\n' || c == u'\r' || c == u'\t' || c == QChar(0x9c);
              });
}

} // namespace

LongTextLabel::LongTextLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
    , m_keptLayouts(keptLayouts)
{
    setTextFormat(Qt::PlainText);
}

LongTextLabel::~LongTextLabel() = default;

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
        forgetLayout();
    }
    return m_visible;
}

const QTextLayout *LongTextLabel::singleLine() const
{
    const QString shown = visibleText();
    if (wordWrap())
        return nullptr;
    if (!m_singleLineChecked) {
        m_singleLineChecked = true;
        if (needsTheStyle(shown))
            return nullptr;
        if (QTextLayout *kept = m_keptLayouts.take(shown)) {
            m_singleLine.reset(kept);
            return kept;
        }
        // Laid out as QPainter::drawText and QFontMetrics::boundingRect lay out
        // a line that does not wrap, so that it measures and looks the same.
        m_singleLine = std::make_unique<QTextLayout>(shown, font());
        // Drawn from here only in a left-to-right label; measured as Qt measures without a painter.
        QTextOption option;
        option.setTextDirection(Qt::LeftToRight);
        m_singleLine->setTextOption(option);
        m_singleLine->setCacheEnabled(true);
        m_singleLine->beginLayout();
        QTextLine line = m_singleLine->createLine();
        line.setLineWidth(unwrappedLineWidth);
        line.setPosition(QPointF(0, 0));
        m_singleLine->endLayout();
    }
    return m_singleLine.get();
}

QSize LongTextLabel::sizeHint() const
{
    if (wordWrap())
        return QLabel::sizeHint();
    const QString shown = visibleText();
    if (!m_sizeHint.isValid() || m_sizeHint.isEmpty()) {
        // As a plain-text QLabel without word wrap measures itself.
        QRect bounds;
        if (const QTextLayout *laidOut = singleLine()) {
            const QTextLine line = laidOut->lineAt(0);
            bounds = QRectF(0, 0, line.naturalTextWidth(), line.ascent() + line.descent()).toAlignedRect();
        } else {
            const int flags = int(alignment() & ~(Qt::AlignVCenter | Qt::AlignHCenter));
            bounds = fontMetrics().boundingRect(QRect(0, 0, 0, 2000), flags, shown);
        }
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
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const Qt::Alignment aligned = QStyle::visualAlignment(layoutDirection(), alignment());
    const QTextLayout *laidOut = isEnabled() && layoutDirection() == Qt::LeftToRight ? singleLine() : nullptr;
    if (!laidOut) {
        QStyleOption option;
        option.initFrom(this);
        style()->drawItemText(&painter, area, int(aligned) | (wordWrap() ? Qt::TextWordWrap : 0), option.palette,
                              isEnabled(), visibleText(), foregroundRole());
        return;
    }
    // Where the style's drawing of enabled text puts the line, and whether it clips.
    const QTextLine line = laidOut->lineAt(0);
    const auto offset = [&aligned](qreal room, qreal extent, Qt::Alignment end, Qt::Alignment centre) {
        return (aligned & end) ? room - extent : (aligned & centre) ? (room - extent) / 2 : 0;
    };
    // The line's height before QTextLine::height() rounds it up.
    const qreal height = line.ascent() + line.descent();
    const qreal top = area.y() + offset(area.height(), height, Qt::AlignBottom, Qt::AlignVCenter);
    const QRectF bounds(area.x() + offset(area.width(), line.naturalTextWidth(), Qt::AlignRight, Qt::AlignHCenter),
                        top, line.naturalTextWidth(), height);
    if (!QRectF(area).contains(bounds))
        painter.setClipRect(area, Qt::IntersectClip);
    painter.setPen(QPen(palette().brush(foregroundRole()), painter.pen().widthF()));
    laidOut->draw(&painter,
                  QPointF(area.x() + offset(area.width(), line.horizontalAdvance(), Qt::AlignRight, Qt::AlignHCenter),
                          top));
}

void LongTextLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        forgetLayout();
        m_keptLayouts.clear();
    }
    QLabel::changeEvent(event);
}

void LongTextLabel::forgetLayout() const
{
    m_sizeHint = QSize();
    if (m_singleLine && m_singleLine->text().size() <= shortText) {
        const QString text = m_singleLine->text();
        m_keptLayouts.insert(text, m_singleLine.release());
    }
    m_singleLine.reset();
    m_singleLineChecked = false;
}
