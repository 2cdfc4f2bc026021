#include "core/RecoveryCopy.h"

#include "base/AppError.h"
#include "base/FileIO.h"
#include "base/ProgramFolder.h"
#include "compose/PhraseBook.h"
#include "compose/PhraseList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace {

QString favouritesPath(const ProgramFolder &folder)
{
    return folder.path(QStringLiteral("/Lists/favourite.txt"));
}

} // namespace

bool RecoveryCopy::Contents::isEmpty() const
{
    return additionCount() == 0 && !favourites;
}

qsizetype RecoveryCopy::Contents::additionCount() const
{
    qsizetype count = 0;
    for (const QByteArrayList &list : additions)
        count += list.size();
    return count;
}

RecoveryCopy::RecoveryCopy(QString folder, Take take, QObject *parent)
    : QObject(parent)
    , m_folder(std::move(folder))
    , m_take(std::move(take))
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryCopy::writeNow);
}

void RecoveryCopy::arm()
{
    m_armed = true;
}

void RecoveryCopy::changed()
{
    if (!m_armed || m_timer.isActive())
        return;
    const qint64 waited = m_sinceWrite.isValid() ? m_sinceWrite.elapsed() : intervalMs;
    m_timer.start(int(std::max<qint64>(0, intervalMs - waited)));
}

void RecoveryCopy::writeNow()
{
    m_timer.stop();
    m_sinceWrite.start();
    const Contents contents = m_take();
    if (contents.isEmpty()) {
        remove();
        return;
    }
    const ProgramFolder copy(m_folder);
    try {
        if (!QDir().mkpath(copy.path(QStringLiteral("/Lists"))))
            throw AppError::cannotCreateFile(copy.path(QStringLiteral("/Lists")), errno);
        const auto &lists = PhraseBook::listsInSaveOrder();
        for (size_t i = 0; i < lists.size(); ++i) {
            const QString path = PhraseBook::filePath(copy, lists[i]);
            if (contents.additions[i].isEmpty())
                QFile::remove(path);
            else
                PhraseList(contents.additions[i]).save(path);
        }
        if (contents.favourites)
            FileIO::writeWholeFile(favouritesPath(copy), *contents.favourites);
        else
            QFile::remove(favouritesPath(copy));
    } catch (const AppError &error) {
        // A safety net that cannot be laid is no reason to stop the user; it
        // is said once, where a terminal shows it.
        if (!m_failureReported)
            std::fprintf(stderr, "yarnspin: %s\n", error.what());
        m_failureReported = true;
    }
}

void RecoveryCopy::remove()
{
    m_timer.stop();
    QDir(m_folder).removeRecursively();
}

std::optional<RecoveryCopy::Contents> RecoveryCopy::left() const
{
    const ProgramFolder copy(m_folder);
    Contents contents;
    const auto &lists = PhraseBook::listsInSaveOrder();
    for (size_t i = 0; i < lists.size(); ++i) {
        try {
            PhraseList additions;
            additions.load(PhraseBook::filePath(copy, lists[i]));
            contents.additions[i] = additions.entries();
        } catch (const AppError &) {
        }
    }
    try {
        contents.favourites = FileIO::readWholeFile(favouritesPath(copy));
    } catch (const AppError &) {
    }
    if (contents.isEmpty())
        return std::nullopt;
    return contents;
}

bool RecoveryCopy::moveTo(const QString &destination)
{
    m_timer.stop();
    QDir().mkpath(QFileInfo(destination).absolutePath());
    return QDir().rename(m_folder, destination);
}
