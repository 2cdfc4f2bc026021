#include "ui/FontSetup.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace {

// Wine's font package carries an outline Tahoma with Cyrillic, but outside
// the directories fontconfig scans.
const char *const WineTahomaFiles[] = {
    "/usr/share/wine/fonts/tahoma.ttf",
    "/usr/share/wine/fonts/tahomabd.ttf",
};

bool isInstalled(const QString &family)
{
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

void loadWineTahoma()
{
    for (const char *file : WineTahomaFiles) {
        if (QFile::exists(QString::fromLatin1(file)))
            QFontDatabase::addApplicationFont(QString::fromLatin1(file));
    }
}

// The candidates that are installed, in order; Qt tries substitutes in order.
QStringList installedOf(const QStringList &candidates)
{
    QStringList installed;
    for (const QString &family : candidates) {
        if (isInstalled(family))
            installed.append(family);
    }
    return installed;
}

void substitute(const QString &family, const QStringList &candidates)
{
    const QStringList replacements = installedOf(candidates);
    if (!replacements.isEmpty())
        QFont::insertSubstitutions(family, replacements);
}

} // namespace

void FontSetup::install()
{
    const QString tahoma = QStringLiteral("Tahoma");
    const QString dejaVuSans = QStringLiteral("DejaVu Sans");
    if (!isInstalled(tahoma))
        loadWineTahoma();

    substitute(tahoma, {dejaVuSans});
    substitute(QStringLiteral("MS Sans Serif"), {tahoma, dejaVuSans});
    substitute(QStringLiteral("Courier New"),
               {QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")});
}
