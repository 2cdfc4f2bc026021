#include "ui/RichToolTipWindow.h"

#include "ui/LongTextLabel.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace {

const int ShadowOffset = 5;
const int TextPadding = 4;
// Below and right of the pointer, clear of the cursor image.
const QPoint PointerOffset(2, 18);
const QColor GradientTop(Qt::white);
const QColor GradientBottom(0xEE, 0xEE, 0xEE);
const QColor BorderColor(0x76, 0x76, 0x76);
const QColor ShadowColor(0, 0, 0, 64);
const int TextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs;
// More lines than a screen holds are never shown.
const int MostLines = 200;

} // namespace

RichToolTipWindow::RichToolTipWindow()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont hintFont(QStringLiteral("Tahoma"));
    hintFont.setPixelSize(11);
    setFont(hintFont);
}

void RichToolTipWindow::setText(const QString &text)
{
    m_text = text;
    // A hint can carry a phrase of any length: only what fits a screen is laid out.
    const QScreen *shownOn = screen();
    const int width = shownOn ? shownOn->geometry().width() : 4096;
    QStringList lines = text.split(u'\n');
    if (lines.size() > MostLines)
        lines.resize(MostLines);
    for (QString &line : lines)
        line = LongTextLabel::visiblePart(line, width, Qt::AlignLeft);
    m_shown = lines.join(u'\n');
    resize(sizeHint());
    update();
}

QSize RichToolTipWindow::sizeHint() const
{
    const QSize textSize = fontMetrics().boundingRect(QRect(), TextFlags, m_shown).size();
    return textSize + QSize(2 * TextPadding + 2 + ShadowOffset, 2 * TextPadding + 2 + ShadowOffset);
}

void RichToolTipWindow::showNear(const QPoint &globalPos)
{
    QPoint topLeft = globalPos + PointerOffset;
    if (const QScreen *screen = QGuiApplication::screenAt(globalPos)) {
        const QRect available = screen->availableGeometry();
        const QSize size = sizeHint();
        // Past the bottom edge the box goes above the pointer instead.
        if (topLeft.y() + size.height() > available.bottom() + 1)
            topLeft.setY(globalPos.y() - size.height() - 2);
        topLeft.setX(std::min(topLeft.x(), available.right() + 1 - size.width()));
        topLeft.setX(std::max(topLeft.x(), available.left()));
        topLeft.setY(std::max(topLeft.y(), available.top()));
    }
    move(topLeft);
    show();
}

QRect RichToolTipWindow::boxRect() const
{
    return rect().adjusted(0, 0, -ShadowOffset, -ShadowOffset);
}

QRect RichToolTipWindow::textRect() const
{
    const int inset = 1 + TextPadding;
    return boxRect().adjusted(inset, inset, -inset, -inset);
}

void RichToolTipWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect box = boxRect();
    painter.fillRect(box.translated(ShadowOffset, ShadowOffset), ShadowColor);

    QLinearGradient fade(box.topLeft(), box.bottomLeft());
    fade.setColorAt(0.0, GradientTop);
    fade.setColorAt(1.0, GradientBottom);
    painter.fillRect(box, fade);
    painter.setPen(BorderColor);
    painter.drawRect(box.adjusted(0, 0, -1, -1));

    painter.setPen(Qt::black);
    painter.drawText(textRect(), TextFlags, m_shown);
}
