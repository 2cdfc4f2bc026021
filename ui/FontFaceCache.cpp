#include "ui/FontFaceCache.h"

#include "base/AppError.h"
#include "base/FileIO.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>

#include <utility>

namespace {

// Raised whenever the way faces are made changes, so that older copies are
// made again.
constexpr int makingVersion = 1;

QString sourcesKey(const QStringList &sources)
{
    QByteArray key = QByteArray::number(makingVersion);
    for (const QString &source : sources) {
        const QFileInfo file(source);
        key += '\0' + QFile::encodeName(file.absoluteFilePath()) + '\0' + QByteArray::number(file.size()) + '\0'
               + QByteArray::number(file.lastModified().toMSecsSinceEpoch());
    }
    return QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(16));
}

// Added, and as the family asked for; anything else is taken out again.
bool addedAs(int id, const QString &family)
{
    if (id == -1)
        return false;
    if (QFontDatabase::applicationFontFamilies(id).contains(family, Qt::CaseInsensitive))
        return true;
    QFontDatabase::removeApplicationFont(id);
    return false;
}

} // namespace

FontFaceCache::FontFaceCache(QString folder)
    : m_folder(std::move(folder))
{
}

bool FontFaceCache::add(const QString &family, const QString &style, const QStringList &sources,
                        const std::function<QByteArray()> &make) const
{
    const QString sameFace = family + u'-' + style + u'-';
    const QString kept =
        m_folder.isEmpty() ? QString() : m_folder + u'/' + sameFace + sourcesKey(sources) + QStringLiteral(".ttf");
    if (!kept.isEmpty() && QFileInfo::exists(kept) && addedAs(QFontDatabase::addApplicationFont(kept), family))
        return true;
    const QByteArray face = make();
    if (face.isEmpty() || !addedAs(QFontDatabase::addApplicationFontFromData(face), family))
        return false;
    if (!kept.isEmpty())
        keep(kept, sameFace, face);
    return true;
}

void FontFaceCache::keep(const QString &file, const QString &sameFaceFiles, const QByteArray &face) const
{
    try {
        FileIO::writeWholeFile(file, face);
    } catch (const AppError &) {
        // Only a slower start next time.
        return;
    }
    QDir folder(m_folder);
    for (const QString &older : folder.entryList({sameFaceFiles + QStringLiteral("*.ttf")}, QDir::Files)) {
        if (folder.filePath(older) != file)
            folder.remove(older);
    }
}
