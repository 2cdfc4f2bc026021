#include "platform/FontFiles.h"

#include <QFile>

namespace platform {

QStringList tahomaFontFiles()
{
    // Wine's font package installs them for its own use only.
    QStringList present;
    for (const QString &file : {QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"),
                                QStringLiteral("/usr/share/wine/fonts/tahomabd.ttf")}) {
        if (QFile::exists(file))
            present.append(file);
    }
    return present;
}

} // namespace platform
