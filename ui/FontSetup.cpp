#include "ui/FontSetup.h"

#include "platform/FontFiles.h"
#include "platform/PrivateFolder.h"
#include "ui/FontFaceCache.h"
#include "ui/FontFaceRenaming.h"

#include <QApplication>
#include <QFile>
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

QByteArray contents(const QString &file)
{
    QFile font(file);
    if (!font.open(QIODevice::ReadOnly))
        return {};
    return font.readAll();
}

// Loads the regular face and files the bold face under its family and foundry.
void addFamily(const QString &family, const QString &regularFile, const QString &boldFile)
{
    QFontDatabase::addApplicationFont(regularFile);
    if (boldFile.isEmpty())
        return;
    const QString bold = QStringLiteral("Bold");
    FontFaceCache(platform::privateCacheFolder(QStringLiteral("yarnspin")))
        .add(family, bold, {regularFile, boldFile}, [&] {
            return FontFaceRenaming::renamed(contents(boldFile), family, bold,
                                             FontFaceRenaming::vendor(contents(regularFile)));
        });
}

} // namespace

void FontSetup::install()
{
    const QString tahoma = QStringLiteral("Tahoma");
    const QString dejaVuSans = QStringLiteral("DejaVu Sans");
    const QString tahomaFile = platform::tahomaRegularFontFile();
    if (!isInstalled(tahoma) && !tahomaFile.isEmpty()) {
        // The bold Tahoma file beside it is the regular face spaced out, with no
        // more ink: bold labels would look regular. Without a heavy face, Qt
        // emboldens the regular one, which is heavier too.
        addFamily(tahoma, tahomaFile, platform::heavyBoldFontFile());
    }

    substitute(tahoma, {dejaVuSans});
    substitute(QStringLiteral("MS Sans Serif"), {tahoma, dejaVuSans});
    substitute(QStringLiteral("Courier New"),
               {QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")});

    // All the program shows is Windows-1251 text, Cyrillic and Latin, which
    // needs no OpenType shaping. Without HarfBuzz a line lays out in half the
    // time, and autogeneration lays out a new tweet twenty times a second.
    // Scripts that cannot do without shaping are still shaped.
    QFont unshaped = QApplication::font();
    unshaped.setStyleStrategy(QFont::PreferNoShaping);
    QApplication::setFont(unshaped);
}

QFont FontSetup::tahoma(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}
