#include "ui/Desktop.h"

#include <QDesktopServices>
#include <QUrl>

namespace Desktop {

void open(const QString &address)
{
    QDesktopServices::openUrl(QUrl(address));
}

} // namespace Desktop
