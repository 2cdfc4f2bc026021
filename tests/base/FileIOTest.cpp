#include "base/AppError.h"
#include "base/FileIO.h"
#include "base/Windows1251.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

// Whole-file I/O, its error messages and the code-page edge.
class FileIOTest : public QObject
{
    Q_OBJECT

private slots:
    void everyByteSurvivesTheCodePage();
    void textTheCodePageCannotHoldIsRefused();
    void missingFileGivesTheOpenError();
    void writeReplacesAndKeepsBytes();
    void unwritableFolderKeepsTheOldFile();
    void readOnlyFileIsRefusedForAnOrdinaryUser();
};

void FileIOTest::everyByteSurvivesTheCodePage()
{
    Windows1251::ensureAvailable();
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte)
        all.append(char(byte));
    const std::optional<QByteArray> back = Windows1251::encode(Windows1251::decode(all));
    QVERIFY(back);
    QCOMPARE(*back, all);
    QCOMPARE(Windows1251::decode("\xcf\xf0\xe8\xe2\xe5\xf2"), QStringLiteral("Привет"));
}

void FileIOTest::textTheCodePageCannotHoldIsRefused()
{
    QVERIFY(!Windows1251::encode(QStringLiteral("Ёжик ✓")));
    try {
        Windows1251::encodeOrThrow(QStringLiteral("Ёжик ✓"));
        QFAIL("no error");
    } catch (const AppError &error) {
        QVERIFY2(error.message().contains(u'✓'), qPrintable(error.message()));
    }
}

void FileIOTest::missingFileGivesTheOpenError()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing.txt"));
    try {
        FileIO::readWholeFile(path);
        QFAIL("no error");
    } catch (const AppError &error) {
        QCOMPARE(error.message(), QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(path));
    }
}

void FileIOTest::writeReplacesAndKeepsBytes()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.txt"));
    FileIO::writeWholeFile(path, QByteArray("old\r\n"));
    const QByteArray bytes("\x00\x98\xff\r\nnew", 7);
    FileIO::writeWholeFile(path, bytes);
    QCOMPARE(FileIO::readWholeFile(path), bytes);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("f.txt")});
}

void FileIOTest::unwritableFolderKeepsTheOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Lists/names.txt"));
    try {
        FileIO::writeWholeFile(path, "x");
        QFAIL("no error");
    } catch (const AppError &error) {
        QVERIFY2(error.message().startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(path)),
                 qPrintable(error.message()));
    }
}

// As root every file counts as writable, so the read-only case runs as nobody.
void FileIOTest::readOnlyFileIsRefusedForAnOrdinaryUser()
{
    const QByteArray role = qgetenv("YARNSPIN_READONLY_CHILD");
    if (!role.isEmpty()) {
        try {
            FileIO::writeWholeFile(QString::fromLocal8Bit(role), "new");
            QFAIL("no error");
        } catch (const AppError &error) {
            QCOMPARE(error.message(),
                     QStringLiteral("Cannot create file \"%1\". Permission denied").arg(QString::fromLocal8Bit(role)));
        }
        return;
    }
    QTemporaryDir dir;
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                          | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
    const QString path = dir.filePath(QStringLiteral("names.txt"));
    FileIO::writeWholeFile(path, "old");
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadOther);
    if (geteuid() != 0) {
        qputenv("YARNSPIN_READONLY_CHILD", path.toLocal8Bit());
        readOnlyFileIsRefusedForAnOrdinaryUser();
        qunsetenv("YARNSPIN_READONLY_CHILD");
    } else {
        // A copy in the scratch folder, so that nobody can run it whatever the build folder allows.
        const QString copy = dir.filePath(QStringLiteral("child"));
        QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), copy));
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("YARNSPIN_READONLY_CHILD"), path);
        child.setProcessEnvironment(environment);
        child.start(QStringLiteral("setpriv"), {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                                QStringLiteral("--clear-groups"), copy,
                                                QStringLiteral("readOnlyFileIsRefusedForAnOrdinaryUser")});
        QVERIFY(child.waitForFinished());
        QVERIFY2(child.exitCode() == 0, child.readAllStandardOutput().constData());
    }
    QCOMPARE(FileIO::readWholeFile(path), QByteArray("old"));
}

QTEST_GUILESS_MAIN(FileIOTest)
#include "FileIOTest.moc"
