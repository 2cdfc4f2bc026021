#include "base/AppError.h"
#include "base/FileIO.h"
#include "base/Windows1251.h"
#include "tests/support/OrdinaryUser.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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

namespace {

void verifyWriteIsRefused(const QString &path)
{
    try {
        FileIO::writeWholeFile(path, "new");
        QFAIL("no error");
    } catch (const AppError &error) {
        QCOMPARE(error.message(), QStringLiteral("Cannot create file \"%1\". Permission denied").arg(path));
    }
}

} // namespace

void FileIOTest::readOnlyFileIsRefusedForAnOrdinaryUser()
{
    const QString handedOver = OrdinaryUser::handedOverPath();
    if (!handedOver.isEmpty()) {
        verifyWriteIsRefused(handedOver);
        return;
    }
    QTemporaryDir dir;
    QVERIFY(OrdinaryUser::openToEveryone(dir.path()));
    const QString path = dir.filePath(QStringLiteral("names.txt"));
    FileIO::writeWholeFile(path, "old");
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadOther);
    const QString failure = OrdinaryUser::verify("readOnlyFileIsRefusedForAnOrdinaryUser", path, dir.path(),
                                                 [&] { verifyWriteIsRefused(path); });
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QCOMPARE(FileIO::readWholeFile(path), QByteArray("old"));
}

QTEST_GUILESS_MAIN(FileIOTest)
#include "FileIOTest.moc"
