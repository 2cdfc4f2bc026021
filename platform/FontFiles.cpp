#include "platform/FontFiles.h"

#include <QFile>

namespace platform {

namespace {

QString ifPresent(const QString &file)
{
    return QFile::exists(file) ? file : QString();
}

} // namespace

QString tahomaRegularFontFile()
{
    // Wine's font package installs it for its own use only.
    return ifPresent(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"));
}

QString heavyBoldFontFile()
{
    // Debian's fonts-dejavu-core.
    return ifPresent(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf"));
}

} // namespace platform
