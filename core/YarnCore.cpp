#include "core/YarnCore.h"

#include "base/AppError.h"
#include "base/FileIO.h"
#include "base/Windows1251.h"
#include "platform/UserDataHome.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextDocument>

#include <cerrno>
#include <utility>

namespace {

constexpr size_t index(PhraseListId id)
{
    return static_cast<size_t>(id);
}

// Marks a folder of recovered files that no start has named to the user yet.
const QString unnamedMarker = QStringLiteral(".unnamed");

} // namespace

QString YarnCore::defaultUserDataFolder()
{
    return platform::userDataHome() + QStringLiteral("/yarnspin");
}

YarnCore::YarnCore(Options options)
    : m_folder(std::move(options.folder))
    , m_addresses(std::move(options.addresses))
    , m_userDataFolder(std::move(options.userDataFolder))
    , m_settings(Settings::filePathIn(m_folder))
    , m_random(std::move(options.clock))
    , m_recovery(std::make_unique<RecoveryCopy>(m_userDataFolder + QStringLiteral("/pending/") + m_folder.key(),
                                                [this] { return unsaved(); }))
{
    QObject::connect(&m_favourites.document(), &QTextDocument::contentsChanged, m_recovery.get(), [this] {
        m_favouritesChanged = true;
        m_recovery->changed();
    });
}

YarnCore::~YarnCore() = default;

QString YarnCore::favouritesFilePath() const
{
    return m_folder.path(QStringLiteral("/Lists/favourite.txt"));
}

void YarnCore::loadLists()
{
    // What a failed load left (the lists after the failing file stay empty)
    // is what their files hold as far as saving is concerned.
    const auto countSaved = [this] {
        for (const PhraseListId id : PhraseBook::listsInSaveOrder())
            listSaved(id);
    };
    try {
        m_phrases.loadAll(m_folder);
    } catch (const AppError &) {
        countSaved();
        throw;
    }
    countSaved();
}

FavouritesText::LoadState YarnCore::loadFavourites()
{
    const FavouritesText::LoadState state = m_favourites.loadFavouritesFile(favouritesFilePath());
    m_favouritesChanged = false;
    return state;
}

std::optional<YarnCore::Tweet> YarnCore::composeTweet()
{
    const std::optional<CompositionMode> mode = m_settings.compositionMode();
    if (!mode)
        return std::nullopt;
    const ComposedTweet composed = m_composer.compose(*mode);
    Tweet tweet{*mode, Windows1251::decode(composed.title), composed.line,
                Windows1251::decode(composed.hero)};
    if (*mode == CompositionMode::Account)
        m_heroHandle = {tweet.hero, false};
    return tweet;
}

bool YarnCore::addPhrase(PhraseListId list, const QString &typed)
{
    if (typed.isEmpty())
        return false;
    m_phrases.list(list).append(Windows1251::encodeOrThrow(typed));
    m_recovery->changed();
    return true;
}

void YarnCore::listSaved(PhraseListId id)
{
    m_savedCounts[index(id)] = m_phrases.list(id).count();
}

YarnCore::CloseSave YarnCore::saveForClose()
{
    for (const PhraseListId id : PhraseBook::listsInSaveOrder()) {
        if (m_phrases.keepsItsFile(m_folder, id))
            continue;
        m_phrases.list(id).save(PhraseBook::filePath(m_folder, id));
        listSaved(id);
    }
    if (m_settings.autoSaveFavourites()) {
        if (!m_favourites.writeFavouritesFile(favouritesFilePath()))
            return CloseSave::FavouritesLeftAlone;
        m_favouritesChanged = false;
    }
    m_recovery->remove();
    return CloseSave::Done;
}

std::optional<QString> YarnCore::saveForSessionEnd(const QDateTime &now)
{
    std::optional<ProgramFolder> recovered;
    // Each write is tried in the program folder until one fails or refuses;
    // from then on the files go to the recovered folder.
    const auto save = [&](const std::function<bool(const ProgramFolder &)> &write) {
        if (!recovered) {
            try {
                if (write(m_folder))
                    return;
            } catch (const AppError &) {
            }
            recovered = ProgramFolder(newRecoveredFolder(now));
            if (!QDir().mkpath(recovered->path(QStringLiteral("/Lists"))))
                throw AppError::cannotCreateFile(recovered->path(QStringLiteral("/Lists")), errno);
        }
        write(*recovered);
    };
    for (const PhraseListId id : PhraseBook::listsInSaveOrder()) {
        if (m_phrases.keepsItsFile(m_folder, id))
            continue;
        save([&](const ProgramFolder &folder) {
            m_phrases.list(id).save(PhraseBook::filePath(folder, id));
            return true;
        });
        listSaved(id);
    }
    if (m_settings.autoSaveFavourites()) {
        save([&](const ProgramFolder &folder) {
            // In the program folder, a file that could not be read at start is not written over.
            if (&folder == &m_folder)
                return m_favourites.writeFavouritesFile(favouritesFilePath());
            m_favourites.save(folder.path(QStringLiteral("/Lists/favourite.txt")));
            return true;
        });
    }
    // Whatever the recovery copy held is now in the program folder or the
    // recovered one, so the next start must not offer it back as well.
    m_recovery->remove();
    if (!recovered) {
        m_favouritesChanged = false;
        return std::nullopt;
    }
    FileIO::writeWholeFile(recovered->directory() + unnamedMarker, m_folder.directory().toUtf8());
    return recovered->directory();
}

QString YarnCore::newRecoveredFolder(const QDateTime &now) const
{
    const QString base = recoveredFoldersRoot() + u'/' + now.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    QString folder = base;
    for (int n = 2; QFileInfo::exists(folder); ++n)
        folder = base + u'-' + QString::number(n);
    return folder;
}

QStringList YarnCore::recoveredFoldersToName()
{
    QStringList named;
    const QDir recovered(recoveredFoldersRoot());
    for (const QString &name : recovered.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString folder = recovered.filePath(name);
        if (QFile::remove(folder + u'/' + unnamedMarker))
            named << QDir::toNativeSeparators(folder);
    }
    return named;
}

std::optional<RecoveryCopy::Contents> YarnCore::leftByACrash() const
{
    return m_recovery->left();
}

void YarnCore::restore(const RecoveryCopy::Contents &contents)
{
    const auto &lists = PhraseBook::listsInSaveOrder();
    for (size_t i = 0; i < lists.size(); ++i) {
        for (const QByteArray &entry : contents.additions[i])
            m_phrases.list(lists[i]).append(entry);
    }
    if (contents.favourites) {
        FavouritesText recovered;
        recovered.read(*contents.favourites);
        const QStringList present = m_favourites.lines();
        for (const QString &line : recovered.lines()) {
            if (!line.isEmpty() && !present.contains(line))
                m_favourites.appendLine(line);
        }
    }
}

QString YarnCore::setAside(const QDateTime &now)
{
    const QString destination = newRecoveredFolder(now);
    if (!m_recovery->moveTo(destination))
        throw AppError::cannotCreateFile(destination, errno);
    return QDir::toNativeSeparators(destination);
}

void YarnCore::startRecoveryCopy()
{
    m_recovery->arm();
}

void YarnCore::writeRecoveryCopy()
{
    m_recovery->writeNow();
}

RecoveryCopy::Contents YarnCore::unsaved() const
{
    RecoveryCopy::Contents contents;
    const auto &lists = PhraseBook::listsInSaveOrder();
    for (size_t i = 0; i < lists.size(); ++i) {
        const PhraseList &list = m_phrases.list(lists[i]);
        for (qsizetype entry = m_savedCounts[index(lists[i])]; entry < list.count(); ++entry)
            contents.additions[i].append(list.entry(entry));
    }
    if (m_favouritesChanged) {
        try {
            contents.favourites = m_favourites.serialize();
        } catch (const AppError &) {
            // Text the file cannot hold cannot be copied either; the save will say so.
        }
    }
    return contents;
}
