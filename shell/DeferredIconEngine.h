#pragma once

#include <QHash>
#include <QIconEngine>
#include <QList>
#include <QPixmap>
#include <QString>

// An icon drawn from square PNG files of a few sizes, each file read only
// when a size it serves is first asked for. Reading all of the application
// icon's files at once is a good share of start-up, and with no tray host
// most of them are never drawn.
class DeferredIconEngine : public QIconEngine
{
public:
    // The file name pattern holds %1 for the side in pixels.
    DeferredIconEngine(QString pattern, QList<int> sides);

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine *clone() const override;
    QString key() const override;
    bool isNull() override;

private:
    // The smallest file at least this large, or the largest there is.
    int sideFor(const QSize &size) const;

    QString m_pattern;
    QList<int> m_sides;
    QHash<int, QPixmap> m_read;
};
