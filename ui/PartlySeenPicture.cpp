#include "ui/PartlySeenPicture.h"

#include <QImageReader>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

PartlySeenPicture::PartlySeenPicture(const QString &file, const QRegion &seen, QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    for (const QRect &part : seen) {
        QImageReader reader(file);
        reader.setClipRect(part);
        const QImage image = reader.read();
        if (!image.isNull())
            m_parts.append({part.topLeft(), QPixmap::fromImage(image)});
    }
}

void PartlySeenPicture::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    for (const Part &part : std::as_const(m_parts)) {
        if (event->region().intersects(QRect(part.at, part.pixmap.size())))
            painter.drawPixmap(part.at, part.pixmap);
    }
}
