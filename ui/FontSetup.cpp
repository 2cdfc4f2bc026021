#include "ui/FontSetup.h"

#include "platform/FontFiles.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace {

bool isInstalled(const QString &family)
{
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
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
    if (!isInstalled(tahoma)) {
        for (const QString &file : platform::tahomaFontFiles())
            QFontDatabase::addApplicationFont(file);
    }

    substitute(tahoma, {dejaVuSans});
    substitute(QStringLiteral("MS Sans Serif"), {tahoma, dejaVuSans});
    substitute(QStringLiteral("Courier New"),
               {QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")});
}
