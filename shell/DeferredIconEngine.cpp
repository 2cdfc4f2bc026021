#include "shell/DeferredIconEngine.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <utility>

DeferredIconEngine::DeferredIconEngine(QString pattern, QList<int> sides)
    : m_pattern(std::move(pattern))
    , m_sides(std::move(sides))
{
    std::sort(m_sides.begin(), m_sides.end());
}

int DeferredIconEngine::sideFor(const QSize &size) const
{
    const int wanted = std::max(size.width(), size.height());
    const auto fitting = std::lower_bound(m_sides.cbegin(), m_sides.cend(), wanted);
    return fitting == m_sides.cend() ? m_sides.last() : *fitting;
}

QPixmap DeferredIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State)
{
    if (m_sides.isEmpty() || size.isEmpty())
        return {};
    const int side = sideFor(size);
    auto read = m_read.find(side);
    if (read == m_read.end())
        read = m_read.insert(side, QPixmap(m_pattern.arg(side)));
    QPixmap result = *read;
    if (result.width() > size.width() || result.height() > size.height())
        result = result.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (mode != QIcon::Normal) {
        // As Qt's own icons look disabled or selected in the current style.
        QStyleOption option;
        option.palette = QApplication::palette();
        result = QApplication::style()->generatedIconPixmap(mode, result, &option);
    }
    return result;
}

void DeferredIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state)
{
    const qreal ratio = painter->device()->devicePixelRatioF();
    QPixmap drawn = pixmap(rect.size() * ratio, mode, state);
    drawn.setDevicePixelRatio(ratio);
    const QSize shown = drawn.size() / ratio;
    painter->drawPixmap(QRect(rect.topLeft() + QPoint((rect.width() - shown.width()) / 2,
                                                      (rect.height() - shown.height()) / 2),
                              shown),
                        drawn);
}

QSize DeferredIconEngine::actualSize(const QSize &size, QIcon::Mode, QIcon::State)
{
    if (m_sides.isEmpty())
        return {};
    const int side = sideFor(size);
    return QSize(side, side).scaled(size.boundedTo(QSize(side, side)), Qt::KeepAspectRatio);
}

QList<QSize> DeferredIconEngine::availableSizes(QIcon::Mode, QIcon::State)
{
    QList<QSize> sizes;
    for (const int side : std::as_const(m_sides))
        sizes.append(QSize(side, side));
    return sizes;
}

QIconEngine *DeferredIconEngine::clone() const
{
    return new DeferredIconEngine(*this);
}

QString DeferredIconEngine::key() const
{
    return QStringLiteral("DeferredIconEngine");
}

bool DeferredIconEngine::isNull()
{
    return m_sides.isEmpty();
}
