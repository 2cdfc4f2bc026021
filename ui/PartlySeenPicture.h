#pragma once

#include <QList>
#include <QPixmap>
#include <QWidget>

class QRegion;

// A picture of which only some parts are ever seen, the rest lying under
// opaque widgets or outside a window of fixed size: only those parts are
// decoded, kept and painted. Decoding a large picture whole would cost the
// start-up as much as building the window it sits in.
class PartlySeenPicture : public QWidget
{
public:
    // seen: the parts to show, in the widget's own coordinates.
    PartlySeenPicture(const QString &file, const QRegion &seen, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct Part
    {
        QPoint at;
        QPixmap pixmap;
    };
    QList<Part> m_parts;
};
