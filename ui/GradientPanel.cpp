#include "ui/GradientPanel.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>

GradientPanel::GradientPanel(Shape shape, const QColor &from, const QColor &to, QWidget *parent)
    : QWidget(parent)
    , m_shape(shape)
    , m_from(from)
    , m_to(to)
{
    // The gradient covers every pixel, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GradientPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRectF area = rect();
    switch (m_shape) {
    case Shape::Radial: {
        // A glow near the left edge fading out over the width of the band.
        const QPointF centre(area.left() + area.width() / 6.0, area.center().y());
        const qreal radius = std::max(area.width() * 5.0 / 6.0, area.height() / 2.0);
        QRadialGradient gradient(centre, std::max<qreal>(radius, 1.0));
        gradient.setColorAt(0.0, m_from);
        gradient.setColorAt(1.0, m_to);
        painter.fillRect(area, gradient);
        break;
    }
    case Shape::Diagonal: {
        QLinearGradient gradient(area.topLeft(), area.bottomRight());
        gradient.setColorAt(0.0, m_from);
        gradient.setColorAt(1.0, m_to);
        painter.fillRect(area, gradient);
        break;
    }
    case Shape::Vertical: {
        QLinearGradient gradient(area.topLeft(), area.bottomLeft());
        gradient.setColorAt(0.0, m_from);
        gradient.setColorAt(1.0, m_to);
        painter.fillRect(area, gradient);
        break;
    }
    }
}
