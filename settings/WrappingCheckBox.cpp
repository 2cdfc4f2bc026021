#include "settings/WrappingCheckBox.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>
#include <limits>

namespace {
constexpr int captionFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic;
}

WrappingCheckBox::WrappingCheckBox(const QString &text, QWidget *parent)
    : QCheckBox(text, parent)
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

QSize WrappingCheckBox::sizeHint() const
{
    const int width = captionIndent() + fontMetrics().horizontalAdvance(text());
    return {width, heightForWidth(width)};
}

QSize WrappingCheckBox::minimumSizeHint() const
{
    int longestWord = 0;
    for (const QString &word : text().split(u' ', Qt::SkipEmptyParts))
        longestWord = std::max(longestWord, fontMetrics().horizontalAdvance(word));
    const int width = captionIndent() + longestWord;
    return {width, heightForWidth(width)};
}

bool WrappingCheckBox::hasHeightForWidth() const
{
    return true;
}

int WrappingCheckBox::heightForWidth(int width) const
{
    return std::max(captionRect(width).height(), indicatorOption().rect.height());
}

void WrappingCheckBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton indicator = indicatorOption();
    indicator.rect = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &indicator, this);
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicator);

    const QRect caption = captionRect(width());
    painter.drawItemText(caption, captionFlags, palette(), isEnabled(), text(), QPalette::WindowText);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = caption.adjusted(-1, 0, 1, 0);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool WrappingCheckBox::hitButton(const QPoint &position) const
{
    return rect().contains(position);
}

int WrappingCheckBox::captionIndent() const
{
    const QStyleOptionButton option = indicatorOption();
    return style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, this)
        + style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
}

QRect WrappingCheckBox::captionRect(int width) const
{
    const int indent = captionIndent();
    const QRect available(indent, 0, std::max(1, width - indent), std::numeric_limits<int>::max() / 2);
    return fontMetrics().boundingRect(available, captionFlags, text());
}

QStyleOptionButton WrappingCheckBox::indicatorOption() const
{
    // The indicator stands beside the caption's first line, not its middle.
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.rect.setHeight(std::max(fontMetrics().height(),
                                   style()->pixelMetric(QStyle::PM_IndicatorHeight, &option, this)));
    return option;
}
