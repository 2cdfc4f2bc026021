#include "base/FileIO.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <thread>

// A program killed while it saves its lists leaves every list file either
// whole as it was or whole as it was being written, never a mix or a stump.
// The saving is the program's own (PhraseBook::saveAll), run by a small
// helper program that is killed with SIGKILL at several moments.
class CrashSafetyTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void killedSaveLeavesOldOrNewFiles_data();
    void killedSaveLeavesOldOrNewFiles();

private:
    QTemporaryDir m_reference;
    QList<QByteArray> m_old;
    QList<QByteArray> m_new;
};

namespace {

const QStringList listFiles{QStringLiteral("thenames.txt"), QStringLiteral("names.txt"),
                            QStringLiteral("justnames.txt"), QStringLiteral("actions.txt"),
                            QStringLiteral("places.txt")};

QString listPath(const QString &folder, qsizetype which)
{
    return QDir(folder).filePath(QStringLiteral("Lists/") + listFiles[which]);
}

// Runs the writer over the folder; kills it killAfter after it is ready to
// save, or lets it finish when killAfter is negative. Returns what went wrong.
QString runWriter(const QString &folder, std::chrono::milliseconds killAfter)
{
    QProcess writer;
    writer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    writer.start(QStringLiteral(CRASH_SAFETY_WRITER), {folder});
    while (!writer.canReadLine()) {
        if (!writer.waitForReadyRead(60000))
            return QStringLiteral("the writer never got ready");
    }
    if (killAfter.count() < 0) {
        writer.waitForFinished(60000);
        return writer.exitStatus() == QProcess::NormalExit && writer.exitCode() == 0
            ? QString()
            : QStringLiteral("the writer failed");
    }
    std::this_thread::sleep_for(killAfter);
    writer.kill(); // SIGKILL: nothing of the writer runs any more
    writer.waitForFinished(60000);
    return {};
}

} // namespace

void CrashSafetyTest::initTestCase()
{
    QVERIFY(QDir(m_reference.path()).mkdir(QStringLiteral("Lists")));
    for (qsizetype which = 0; which < listFiles.size(); ++which) {
        QByteArray old;
        for (int i = 0; i < 20000; ++i) // "старая фраза <list> <i>"
            old.append("\xf1\xf2\xe0\xf0\xe0\xff \xf4\xf0\xe0\xe7\xe0 ")
                .append(QByteArray::number(which))
                .append(' ')
                .append(QByteArray::number(i))
                .append("\r\n");
        m_old.append(old);
        FileIO::writeWholeFile(listPath(m_reference.path(), which), old);
    }
    // A save that runs to its end gives the new versions.
    const QString failure = runWriter(m_reference.path(), std::chrono::milliseconds(-1));
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    for (qsizetype which = 0; which < listFiles.size(); ++which) {
        m_new.append(FileIO::readWholeFile(listPath(m_reference.path(), which)));
        QVERIFY(m_new.last().startsWith(m_old[which]));
        QVERIFY(m_new.last().size() > m_old[which].size() + 2000000);
    }
}

void CrashSafetyTest::killedSaveLeavesOldOrNewFiles_data()
{
    QTest::addColumn<int>("killAfter");
    for (const int milliseconds : {0, 5, 10, 20, 35, 50, 100, 200})
        QTest::addRow("%d ms", milliseconds) << milliseconds;
}

void CrashSafetyTest::killedSaveLeavesOldOrNewFiles()
{
    QFETCH(int, killAfter);
    QTemporaryDir round;
    QVERIFY(QDir(round.path()).mkdir(QStringLiteral("Lists")));
    for (qsizetype which = 0; which < listFiles.size(); ++which)
        FileIO::writeWholeFile(listPath(round.path(), which), m_old[which]);

    const QString failure = runWriter(round.path(), std::chrono::milliseconds(killAfter));
    QVERIFY2(failure.isEmpty(), qPrintable(failure));

    int newFiles = 0;
    for (qsizetype which = 0; which < listFiles.size(); ++which) {
        const QByteArray bytes = FileIO::readWholeFile(listPath(round.path(), which));
        QVERIFY2(bytes == m_old[which] || bytes == m_new[which],
                 qPrintable(QStringLiteral("%1 holds %2 bytes, neither the old %3 nor the new %4")
                                .arg(listFiles[which])
                                .arg(bytes.size())
                                .arg(m_old[which].size())
                                .arg(m_new[which].size())));
        newFiles += bytes == m_new[which] ? 1 : 0;
    }
    qInfo("killed %d ms into the save: %d of %lld files new", killAfter, newFiles, qsizetype(listFiles.size()));
}

QTEST_GUILESS_MAIN(CrashSafetyTest)
#include "CrashSafetyTest.moc"
