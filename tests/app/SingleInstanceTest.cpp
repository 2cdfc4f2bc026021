#include "app/MainWindow.h"
#include "app/Program.h"
#include "app/SingleInstance.h"
#include "tests/support/OrdinaryUser.h"
#include "tests/support/RecordedInteraction.h"
#include "tests/support/ScratchProgramFolder.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocalServer>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Where the user who starts the program keeps the guard's files, and what
// another user has left where the program might look.
enum class RuntimeFolder { Unset, AnotherUsers, OwnButOpen, OwnAndPrivate };
enum class Planted { GarbageLock, LiveLockAndSocket };

// Neither root nor the user who starts the program.
constexpr uid_t anotherUser = 4242;

// What another user leaves where the program might look.
struct PlantedFiles
{
    std::vector<std::unique_ptr<QLockFile>> locks;
    std::vector<std::unique_ptr<QLocalServer>> servers;

    void plant(Planted planted, const QString &folder, const QString &baseName)
    {
        const QString lock = QDir(folder).filePath(baseName + QStringLiteral(".lock"));
        if (planted == Planted::GarbageLock) {
            QFile garbage(lock);
            QVERIFY(garbage.open(QIODevice::WriteOnly));
            garbage.write("garbage\n");
        } else {
            // A lock that names a live process, and a socket that would learn
            // who connects to it.
            QVERIFY(locks.emplace_back(std::make_unique<QLockFile>(lock))->tryLock(0));
            auto &server = servers.emplace_back(std::make_unique<QLocalServer>());
            server->setSocketOptions(QLocalServer::WorldAccessOption);
            const QString socket = QDir(folder).filePath(baseName + QStringLiteral(".socket"));
            QVERIFY(server->listen(socket));
            QCOMPARE(::lchown(QFile::encodeName(socket).constData(), anotherUser, anotherUser), 0);
        }
        QCOMPARE(::lchown(QFile::encodeName(lock).constData(), anotherUser, anotherUser), 0);
    }
};

} // namespace

// One running copy per program folder, tried with the built program as real
// processes, each started from a scratch program folder that holds a copy of it.
class SingleInstanceTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void secondStartBringsTheFirstForwardAndEnds();
    void foldersAreIndependentAndOnlyTheSecondCopyEnds();
    void killedCopyLeavesNoBlockingLock();
    void unansweringCopyIsReported_data();
    void unansweringCopyIsReported();
    void otherUsersFilesNeverKeepTheProgramFromStarting_data();
    void otherUsersFilesNeverKeepTheProgramFromStarting();

private:
    // A program folder with the program in it, its lists and settings that keep
    // notices and the first-run message away.
    std::unique_ptr<ScratchProgramFolder> newFolder();
    QProcess *startCopy(const ScratchProgramFolder &folder);
    static qint64 lockOwner(const ScratchProgramFolder &folder);
    static qint64 lockOwner(const QString &lockFile);
    static QString lockFile(const ScratchProgramFolder &folder);

    std::vector<std::unique_ptr<ScratchProgramFolder>> m_folders;
    std::vector<std::unique_ptr<QProcess>> m_copies;
    // The cache folder of the user running the tests, one per test: killed
    // copies leave their lock and socket there.
    std::unique_ptr<QTemporaryDir> m_cache;
};

void SingleInstanceTest::initTestCase()
{
    qunsetenv("XDG_RUNTIME_DIR");
}

void SingleInstanceTest::init()
{
    m_folders.clear();
    m_cache = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CACHE_HOME", QFile::encodeName(m_cache->path()));
}

void SingleInstanceTest::cleanup()
{
    for (const auto &copy : m_copies) {
        copy->kill();
        copy->waitForFinished();
    }
    m_copies.clear();
    m_folders.clear();
    m_cache.reset();
}

std::unique_ptr<ScratchProgramFolder> SingleInstanceTest::newFolder()
{
    auto folder = std::make_unique<ScratchProgramFolder>();
    folder->writeSettings("[option]\r\ncheck2=1\r\n");
    folder->writeList(QStringLiteral("favourite.txt"), "");
    if (!QFile::copy(QStringLiteral(YARNSPIN_PROGRAM), folder->path(QStringLiteral("yarnspin"))))
        qFatal("cannot copy the program");
    return folder;
}

QProcess *SingleInstanceTest::startCopy(const ScratchProgramFolder &folder)
{
    auto *copy = m_copies.emplace_back(std::make_unique<QProcess>()).get();
    copy->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    copy->start(folder.path(QStringLiteral("yarnspin")), {});
    copy->waitForStarted();
    return copy;
}

QString SingleInstanceTest::lockFile(const ScratchProgramFolder &folder)
{
    return SingleInstance(folder.folder()).lockFilePath();
}

qint64 SingleInstanceTest::lockOwner(const ScratchProgramFolder &folder)
{
    return lockOwner(lockFile(folder));
}

qint64 SingleInstanceTest::lockOwner(const QString &lockFile)
{
    QLockFile lock(lockFile);
    qint64 pid = 0;
    QString host;
    QString application;
    return lock.getLockInfo(&pid, &host, &application) ? pid : 0;
}

void SingleInstanceTest::secondStartBringsTheFirstForwardAndEnds()
{
    // This test is the first copy, hidden in the tray; the second is the real program.
    m_folders.push_back(newFolder());
    const ScratchProgramFolder &folder = *m_folders.back();
    const QByteArray names = folder.read(QStringLiteral("Lists/names.txt"));
    SingleInstance instance(folder.folder());
    RecordedInteraction interaction;
    QCOMPARE(instance.claim(interaction), SingleInstance::Claim::Ours);
    Program program({folder.folder(), OutsideAddresses::shippedTable(), RandomGenerator::highResolutionClock,
                     folder.path(QStringLiteral("user data"))},
                    &interaction);
    program.answerLaterStarts(instance);
    program.mainWindow().show();
    program.mainWindow().hideToTray();
    QVERIFY(!program.mainWindow().isVisible());

    const QDateTime started = QDateTime::currentDateTime();
    QProcess *second = startCopy(folder);
    QTRY_COMPARE_WITH_TIMEOUT(second->state(), QProcess::NotRunning, 10000);
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QVERIFY2(started.msecsTo(QDateTime::currentDateTime()) < 5000, "the second start ends quickly");
    QTRY_VERIFY(program.mainWindow().isVisible());
    QVERIFY(!program.mainWindow().isMinimized());
    // The second copy wrote nothing.
    QCOMPARE(folder.read(QStringLiteral("Lists/names.txt")), names);
    QCOMPARE(folder.read(QStringLiteral("Config files/yarnconfig.ini")), QByteArray("[option]\r\ncheck2=1\r\n"));
}

void SingleInstanceTest::foldersAreIndependentAndOnlyTheSecondCopyEnds()
{
    m_folders.push_back(newFolder());
    m_folders.push_back(newFolder());
    const ScratchProgramFolder &one = *m_folders[0];
    const ScratchProgramFolder &other = *m_folders[1];
    QProcess *first = startCopy(one);
    QProcess *elsewhere = startCopy(other);
    QTRY_COMPARE_WITH_TIMEOUT(lockOwner(one), first->processId(), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(lockOwner(other), elsewhere->processId(), 10000);

    // A lock held for an hour is as good as a new one while its owner runs.
    QFile lock(lockFile(one));
    QVERIFY(lock.open(QIODevice::ReadWrite));
    QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    lock.close();
    QProcess *second = startCopy(one);
    QTRY_COMPARE_WITH_TIMEOUT(second->state(), QProcess::NotRunning, 10000);
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(first->state(), QProcess::Running);
    QCOMPARE(elsewhere->state(), QProcess::Running);
    QCOMPARE(lockOwner(one), first->processId());
}

void SingleInstanceTest::killedCopyLeavesNoBlockingLock()
{
    m_folders.push_back(newFolder());
    const ScratchProgramFolder &folder = *m_folders.back();
    QProcess *killed = startCopy(folder);
    QTRY_COMPARE_WITH_TIMEOUT(lockOwner(folder), killed->processId(), 10000);
    const qint64 killedPid = killed->processId();
    killed->kill();
    QVERIFY(killed->waitForFinished());
    QVERIFY(QFileInfo::exists(lockFile(folder)));

    QProcess *next = startCopy(folder);
    QTRY_COMPARE_WITH_TIMEOUT(lockOwner(folder), next->processId(), 10000);
    QVERIFY(next->processId() != killedPid);
    // It answers later starts as the first copy did.
    QProcess *later = startCopy(folder);
    QTRY_COMPARE_WITH_TIMEOUT(later->state(), QProcess::NotRunning, 10000);
    QCOMPARE(later->exitCode(), 0);
    QCOMPARE(next->state(), QProcess::Running);
}

void SingleInstanceTest::unansweringCopyIsReported_data()
{
    QTest::addColumn<bool>("stopped");
    QTest::newRow("hung copy") << true;
    QTest::newRow("copy whose socket is gone") << false;
}

void SingleInstanceTest::unansweringCopyIsReported()
{
    QFETCH(bool, stopped);
    // The running copy is the real program; this test is the later start.
    m_folders.push_back(newFolder());
    ScratchProgramFolder &folder = *m_folders.back();
    QProcess *first = startCopy(folder);
    QTRY_COMPARE_WITH_TIMEOUT(lockOwner(folder), first->processId(), 10000);
    SingleInstance later(folder.folder());
    QTRY_VERIFY(QFileInfo::exists(later.serverName()));
    if (stopped)
        QCOMPARE(::kill(pid_t(first->processId()), SIGSTOP), 0);
    else
        QVERIFY(QFile::remove(later.serverName()));

    RecordedInteraction interaction;
    QCOMPARE(later.claim(interaction), SingleInstance::Claim::Unanswered);
    QCOMPARE(interaction.shown.size(), 1);
    QCOMPARE(interaction.shown[0].kind, RecordedInteraction::Shown::Kind::Plain);
    QCOMPARE(interaction.shown[0].caption, QStringLiteral("Merovale Yarn"));
    QCOMPARE(interaction.shown[0].text, QStringLiteral("Merovale Yarnspin уже запущен, но не отвечает."));
    QCOMPARE(lockOwner(folder), first->processId());
}

void SingleInstanceTest::otherUsersFilesNeverKeepTheProgramFromStarting_data()
{
    QTest::addColumn<RuntimeFolder>("runtimeFolder");
    QTest::addColumn<Planted>("planted");
    QTest::newRow("no runtime folder, garbage lock") << RuntimeFolder::Unset << Planted::GarbageLock;
    QTest::newRow("no runtime folder, live lock and socket") << RuntimeFolder::Unset << Planted::LiveLockAndSocket;
    QTest::newRow("another user's runtime folder, garbage lock") << RuntimeFolder::AnotherUsers << Planted::GarbageLock;
    QTest::newRow("own runtime folder open to all, live lock and socket")
        << RuntimeFolder::OwnButOpen << Planted::LiveLockAndSocket;
    QTest::newRow("own private runtime folder, garbage lock") << RuntimeFolder::OwnAndPrivate << Planted::GarbageLock;
    QTest::newRow("own private runtime folder, live lock and socket")
        << RuntimeFolder::OwnAndPrivate << Planted::LiveLockAndSocket;
}

// The program runs as "nobody", with the temporary folder shared with another
// user, who knows the program folder and so the names of the lock and the socket.
void SingleInstanceTest::otherUsersFilesNeverKeepTheProgramFromStarting()
{
    QFETCH(RuntimeFolder, runtimeFolder);
    QFETCH(Planted, planted);
    if (::geteuid() != 0)
        QSKIP("acting as two users needs root");
    const uid_t user = OrdinaryUser::userId;
    m_folders.push_back(newFolder());
    const ScratchProgramFolder &folder = *m_folders.back();
    for (const QString &path : {QString(), QStringLiteral("Lists"), QStringLiteral("Config files")})
        QVERIFY(OrdinaryUser::openToEveryone(folder.path(path)));
    const QString baseName = QFileInfo(lockFile(folder)).completeBaseName();

    QTemporaryDir shared;
    QCOMPARE(::chmod(QFile::encodeName(shared.path()).constData(), 01777), 0);
    QTemporaryDir home;
    QCOMPARE(::chown(QFile::encodeName(home.path()).constData(), user, user), 0);
    const auto makeFolder = [](const QString &path, uid_t owner, mode_t mode) {
        QDir().mkpath(path);
        QCOMPARE(::chown(QFile::encodeName(path).constData(), owner, owner), 0);
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode), 0);
    };
    // Without a runtime folder Qt would make one in the temporary folder, named after the user.
    const QString qtRuntime = QDir(shared.path()).filePath(QStringLiteral("runtime-nobody"));
    makeFolder(qtRuntime, anotherUser, 0777);
    QStringList plantedIn{shared.path(), qtRuntime};
    QString runtime;
    QString expectedFolder = QDir(home.path()).filePath(QStringLiteral(".cache/yarnspin"));
    switch (runtimeFolder) {
    case RuntimeFolder::Unset:
        break;
    case RuntimeFolder::AnotherUsers:
        runtime = QDir(shared.path()).filePath(QStringLiteral("theirs"));
        makeFolder(runtime, anotherUser, 0777);
        break;
    case RuntimeFolder::OwnButOpen:
        runtime = QDir(shared.path()).filePath(QStringLiteral("open"));
        makeFolder(runtime, user, 0777);
        break;
    case RuntimeFolder::OwnAndPrivate:
        runtime = QDir(home.path()).filePath(QStringLiteral("run"));
        makeFolder(runtime, user, 0700);
        expectedFolder = runtime;
        break;
    }
    if (!runtime.isEmpty())
        plantedIn.append(runtime);
    PlantedFiles theirs;
    for (const QString &place : plantedIn)
        theirs.plant(planted, place, baseName);
    if (QTest::currentTestFailed())
        return;

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TMPDIR"), shared.path());
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.remove(QStringLiteral("XDG_CACHE_HOME"));
    if (!runtime.isEmpty())
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    auto *copy = m_copies.emplace_back(std::make_unique<QProcess>()).get();
    copy->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    copy->setProcessEnvironment(environment);
    copy->start(QStringLiteral("setpriv"), OrdinaryUser::setprivArguments(folder.path(QStringLiteral("yarnspin"))));
    QVERIFY(copy->waitForStarted());
    // setpriv becomes the program.
    const qint64 pid = copy->processId();

    const QString ownLock = QDir(expectedFolder).filePath(baseName + QStringLiteral(".lock"));
    QTRY_COMPARE_WITH_TIMEOUT(lockOwner(ownLock), pid, 10000);
    QCOMPARE(copy->state(), QProcess::Running);
    struct stat status {};
    QCOMPARE(::lstat(QFile::encodeName(expectedFolder).constData(), &status), 0);
    QCOMPARE(status.st_uid, user);
    QCOMPARE(status.st_mode & 0777, mode_t(0700));
    for (const auto &server : theirs.servers)
        QVERIFY2(!server->waitForNewConnection(0), "the program never talks to another user's socket");
}

QTEST_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
