#include "ui/Desktop.h"

#include <QDesktopServices>
#include <QUrl>

namespace Desktop {

void open(const QString &address)
{
    open(QUrl(address));
}

void open(const QUrl &address)
{
    QDesktopServices::openUrl(address);
}

} // namespace Desktop
