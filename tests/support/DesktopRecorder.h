#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

// Stands for the desktop's handler of an address scheme: a test hands it to
// QDesktopServices::setUrlHandler with the slot "open", and it records every
// address it is given. Tests list this header among their sources for moc.
class DesktopRecorder : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened.append(url); }
};
