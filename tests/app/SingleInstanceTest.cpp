#include "app/MainWindow.h"
#include "app/Program.h"
#include "app/SingleInstance.h"
#include "tests/support/RecordedInteraction.h"
#include "tests/support/ScratchProgramFolder.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QTest>

#include <memory>
#include <vector>

// One running copy per program folder, tried with the built program as real
// processes, each started from a scratch program folder that holds a copy of it.
class SingleInstanceTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void secondStartBringsTheFirstForwardAndEnds();
    void foldersAreIndependentAndOnlyTheSecondCopyEnds();
    void killedCopyLeavesNoBlockingLock();

private:
    // A program folder with the program in it, its lists and settings that keep
    // notices and the first-run message away.
    std::unique_ptr<ScratchProgramFolder> newFolder();
    QProcess *startCopy(const ScratchProgramFolder &folder);
    static qint64 lockOwner(const ScratchProgramFolder &folder);
    static QString lockFile(const ScratchProgramFolder &folder);

    std::vector<std::unique_ptr<ScratchProgramFolder>> m_folders;
    std::vector<std::unique_ptr<QProcess>> m_copies;
};

void SingleInstanceTest::init()
{
    m_folders.clear();
}

void SingleInstanceTest::cleanup()
{
    for (const auto &copy : m_copies) {
        copy->kill();
        copy->waitForFinished();
    }
    m_copies.clear();
    // Killed copies leave their lock and socket in the runtime folder.
    for (const auto &folder : m_folders) {
        const SingleInstance instance(folder->path(QString()));
        QFile::remove(instance.lockFilePath());
        QFile::remove(instance.serverName());
    }
    m_folders.clear();
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
    return SingleInstance(folder.path(QString())).lockFilePath();
}

qint64 SingleInstanceTest::lockOwner(const ScratchProgramFolder &folder)
{
    QLockFile lock(lockFile(folder));
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
    SingleInstance instance(folder.folder().directory());
    QVERIFY(instance.claim());
    RecordedInteraction interaction;
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

QTEST_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
