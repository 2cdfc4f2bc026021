#include "base/DataFolder.h"

#include "base/FileIO.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

const QString lists = QStringLiteral("Lists");
const QString configFiles = QStringLiteral("Config files");

// The lists the program ships. The favourites share their folder but are the
// user's alone, so they are never laid down again once gone.
const QStringList shippedLists = {QStringLiteral("thenames.txt"), QStringLiteral("names.txt"),
                                  QStringLiteral("justnames.txt"), QStringLiteral("actions.txt"),
                                  QStringLiteral("places.txt")};

// What an earlier install into the user's own prefix may hold beside its
// executable besides the lists.
const QStringList carriedOver = {QStringLiteral("Lists/favourite.txt"),
                                 QStringLiteral("Config files/yarnconfig.ini")};

// Whether the user can put files into the folder. A missing one counts as its
// parent does: the copy works there as it always has, and the missing files
// are reported by name when they are read.
bool canWrite(const QString &folder, const QString &parent)
{
    const QFileInfo info(folder);
    if (!info.exists() && !info.isSymLink())
        return QFileInfo(parent).isDir() && QFileInfo(parent).isWritable() && QFileInfo(parent).isExecutable();
    return info.isDir() && info.isWritable() && info.isExecutable();
}

bool hasContent(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.size() > 0;
}

// Copies a file whose source has content over a target that is missing or
// empty; anything else stays as it is.
void copyIfMissing(const QString &source, const QString &target)
{
    if (hasContent(source) && !hasContent(target))
        FileIO::writeWholeFile(target, FileIO::readWholeFile(source));
}

} // namespace

DataFolder::DataFolder(const QString &programFolder, const QString &userDataHome)
    : m_programFolder(QDir::cleanPath(programFolder))
    , m_perUserFolder(QDir::cleanPath(userDataHome + QStringLiteral("/yarnspin")))
    , m_installed(QFileInfo::exists(QDir(programFolder).filePath(markerName())))
{
    const QDir folder(m_programFolder);
    m_perUser = m_installed || !canWrite(folder.filePath(lists), m_programFolder)
                || !canWrite(folder.filePath(configFiles), m_programFolder);
}

QString DataFolder::markerName()
{
    return QStringLiteral("installed");
}

QString DataFolder::path() const
{
    const QString &folder = m_perUser ? m_perUserFolder : m_programFolder;
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

void DataFolder::prepare() const
{
    if (!m_perUser)
        return;
    if (!QFileInfo::exists(m_perUserFolder))
        create();
    // Also mends a folder the user emptied by hand.
    QDir(m_perUserFolder).mkpath(lists);
    QDir(m_perUserFolder).mkpath(configFiles);
    seedLists();
}

void DataFolder::create() const
{
    // Made aside and renamed into place in one step: its existence then says
    // that the carrying over is done, even when this start is cut short or
    // another start makes the folder at the same moment.
    const QString home = QFileInfo(m_perUserFolder).path();
    if (!QDir().mkpath(home))
        return; // the files' own errors name the folder when they are written
    QTemporaryDir staging(QDir(home).filePath(QStringLiteral(".yarnspin-XXXXXX")));
    if (!staging.isValid())
        return;
    QDir(staging.path()).mkpath(lists);
    QDir(staging.path()).mkpath(configFiles);
    // An earlier install's lists were kept by the install in the program
    // folder's Lists/ and arrive with the shipped ones; the rest comes here.
    if (m_installed) {
        for (const QString &file : carriedOver)
            copyIfMissing(QDir(m_programFolder).filePath(file), QDir(staging.path()).filePath(file));
    }
    if (QDir().rename(staging.path(), m_perUserFolder))
        staging.setAutoRemove(false);
}

void DataFolder::seedLists() const
{
    const QDir shipped(QDir(m_programFolder).filePath(lists));
    const QDir own(QDir(m_perUserFolder).filePath(lists));
    for (const QString &name : shippedLists)
        copyIfMissing(shipped.filePath(name), own.filePath(name));
}
