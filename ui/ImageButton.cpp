#include "ui/ImageButton.h"

#include <QIcon>
#include <QImage>

ImageButton::ImageButton(const QPixmap &glyph, const QString &caption, QWidget *parent)
    : QPushButton(caption, parent)
{
    QFont captionFont(QStringLiteral("Tahoma"));
    captionFont.setPixelSize(11);
    setFont(captionFont);

    QPalette colours = palette();
    colours.setColor(QPalette::ButtonText, Qt::black);
    setPalette(colours);

    setCursor(Qt::PointingHandCursor);
    setGlyph(glyph);
}

ImageButton::ImageButton(const QString &glyphPath, const QString &caption, QWidget *parent)
    : ImageButton(QPixmap(glyphPath), caption, parent)
{
}

void ImageButton::setGlyph(const QPixmap &glyph)
{
    // Both modes are given explicitly: the style's own disabled rendering
    // differs between styles and is sometimes barely distinguishable.
    QIcon icon;
    icon.addPixmap(glyph, QIcon::Normal);
    icon.addPixmap(greyed(glyph), QIcon::Disabled);
    setIcon(icon);
    setIconSize(glyph.deviceIndependentSize().toSize());
}

QPixmap ImageButton::shownGlyph() const
{
    return icon().pixmap(iconSize(), isEnabled() ? QIcon::Normal : QIcon::Disabled);
}

QPixmap ImageButton::greyed(const QPixmap &glyph)
{
    QImage image = glyph.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            // Lift the luminance towards white so the glyph reads as inactive.
            const int grey = 128 + qGray(pixel) / 2;
            line[x] = qRgba(grey, grey, grey, qAlpha(pixel));
        }
    }
    QPixmap result = QPixmap::fromImage(image);
    result.setDevicePixelRatio(glyph.devicePixelRatio());
    return result;
}
