#include "base/AppError.h"
#include "base/FileIO.h"
#include "base/Windows1251.h"
#include "tests/support/FullDisk.h"
#include "tests/support/OrdinaryUser.h"
#include "tests/support/UntranslatedSystemMessages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QScopeGuard>
#include <QTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

// Whole-file I/O, its error messages and the code-page edge.
class FileIOTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyByteSurvivesTheCodePage();
    void textTheCodePageCannotHold_data();
    void textTheCodePageCannotHold();
    void openErrorsNameTheCause_data();
    void openErrorsNameTheCause();
    void unreadableFileIsRefusedForAnOrdinaryUser();
    void writeReplacesAndKeepsBytes();
    void fifoIsNeverWrittenOver();
    void missingFolderGivesTheCreateError();
    void unwritableFolderKeepsTheOldFile();
    void readOnlyFileIsRefusedForAnOrdinaryUser();
    void shortWriteUnderFileSizeLimitKeepsTheOldFile_data();
    void shortWriteUnderFileSizeLimitKeepsTheOldFile();
    void shortWriteOnFullFileSystemKeepsTheOldFile_data();
    void shortWriteOnFullFileSystemKeepsTheOldFile();
};

namespace {

// An old file the program would write over: the size of a shipped list.
const QByteArray oldBytes = QByteArray("old line\r\n").repeated(578);

QString message(const std::function<void()> &call)
{
    try {
        call();
    } catch (const AppError &error) {
        return error.message();
    }
    return QStringLiteral("<no error>");
}

void verifyOnlyFile(const QString &folder, const QString &name, const QByteArray &bytes)
{
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{name});
    QCOMPARE(FileIO::readWholeFile(QDir(folder).filePath(name)), bytes);
}

// Reading the file is refused, as an ordinary user meets it.
void verifyOpenRefused(const QString &path)
{
    QCOMPARE(message([&] { FileIO::readWholeFile(path); }),
             QStringLiteral("Cannot open file \"%1\". Permission denied").arg(path));
}

// Writing over the file is refused, as an ordinary user meets it.
void verifyCreateRefused(const QString &path)
{
    QCOMPARE(message([&] { FileIO::writeWholeFile(path, "new"); }),
             QStringLiteral("Cannot create file \"%1\". Permission denied").arg(path));
}

} // namespace

void FileIOTest::initTestCase()
{
    QVERIFY(UntranslatedSystemMessages::use());
}

void FileIOTest::everyByteSurvivesTheCodePage()
{
    Windows1251::ensureAvailable();
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte)
        all.append(char(byte));
    const std::optional<QByteArray> back = Windows1251::encode(Windows1251::decode(all));
    QVERIFY(back);
    QCOMPARE(*back, all);
    QCOMPARE(Windows1251::fitted(Windows1251::decode(all)), Windows1251::decode(all));
    QCOMPARE(Windows1251::decode("\xcf\xf0\xe8\xe2\xe5\xf2"), QStringLiteral("Привет"));
}

void FileIOTest::textTheCodePageCannotHold_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fitted");
    QTest::addColumn<QString>("refusal");

    const QString refusal = QStringLiteral("Символ U+%1 в строке %2 нельзя сохранить в кодировке Windows-1251");
    QTest::newRow("sign") << QStringLiteral("Ёжик ✓") << QStringLiteral("Ёжик ?") << refusal.arg("2713").arg(1);
    QTest::newRow("invisible space, third line") << QStringLiteral("a\r\nb\n\u200bc") << QStringLiteral("a\r\nb\n?c")
                                                 << refusal.arg("200B").arg(3);
    QTest::newRow("lone CRs end lines") << QStringLiteral("a\rb\r中") << QStringLiteral("a\rb\r?")
                                        << refusal.arg("4E2D").arg(3);
    QTest::newRow("emoji: one character") << QStringLiteral("Ёж😀!") << QStringLiteral("Ёж?!")
                                          << refusal.arg("1F600").arg(1);
    QTest::newRow("lone high surrogate in the middle") << QStringLiteral("Ёж") + QChar(0xd800) + QStringLiteral("ик")
                                                       << QStringLiteral("Ёж?ик") << refusal.arg("D800").arg(1);
    QTest::newRow("lone high surrogate at the end") << QStringLiteral("Ёжик") + QChar(0xdbff)
                                                    << QStringLiteral("Ёжик?") << refusal.arg("DBFF").arg(1);
    QTest::newRow("lone low surrogate") << QChar(0xdc00) + QStringLiteral("Ёжик") << QStringLiteral("?Ёжик")
                                        << refusal.arg("DC00").arg(1);
}

void FileIOTest::textTheCodePageCannotHold()
{
    QFETCH(QString, text);
    QFETCH(QString, fitted);
    QFETCH(QString, refusal);

    QVERIFY(!Windows1251::encode(text));
    QCOMPARE(message([&] { Windows1251::encodeOrThrow(text); }), refusal);
    QCOMPARE(Windows1251::fitted(text), fitted);
    QVERIFY(Windows1251::encode(fitted));
}

void FileIOTest::openErrorsNameTheCause_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("systemText");

    QTest::newRow("missing file") << QStringLiteral("missing.txt") << QStringLiteral("No such file or directory");
    QTest::newRow("missing folder") << QStringLiteral("Lists/names.txt")
                                    << QStringLiteral("No such file or directory");
    QTest::newRow("folder in its place") << QStringLiteral("folder") << QStringLiteral("Is a directory");
    QTest::newRow("file in a folder's place") << QStringLiteral("file/names.txt")
                                              << QStringLiteral("Not a directory");
    // Refused at once, never waited on.
    QTest::newRow("FIFO in its place") << QStringLiteral("fifo") << QStringLiteral("Not a regular file");
    QTest::newRow("socket in its place") << QStringLiteral("socket") << QStringLiteral("Not a regular file");
    QTest::newRow("device in its place") << QStringLiteral("/dev/zero") << QStringLiteral("Not a regular file");
}

void FileIOTest::openErrorsNameTheCause()
{
    QFETCH(QString, name);
    QFETCH(QString, systemText);

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    FileIO::writeWholeFile(dir.filePath(QStringLiteral("file")), "x");
    QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("fifo"))).constData(), 0600), 0);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const auto closeSocket = qScopeGuard([socket] { ::close(socket); });
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    const QByteArray socketPath = QFile::encodeName(dir.filePath(QStringLiteral("socket")));
    QVERIFY(socketPath.size() < qsizetype(sizeof address.sun_path));
    qstrcpy(address.sun_path, socketPath.constData());
    QCOMPARE(::bind(socket, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    const QString path = QDir(dir.path()).filePath(name);
    QCOMPARE(message([&] { FileIO::readWholeFile(path); }),
             QStringLiteral("Cannot open file \"%1\". %2").arg(path, systemText));
}

void FileIOTest::unreadableFileIsRefusedForAnOrdinaryUser()
{
    const QString handedOver = OrdinaryUser::handedOverPath();
    if (!handedOver.isEmpty()) {
        verifyOpenRefused(handedOver);
        return;
    }
    QTemporaryDir dir;
    QVERIFY(OrdinaryUser::openToEveryone(dir.path()));
    const QString path = dir.filePath(QStringLiteral("names.txt"));
    FileIO::writeWholeFile(path, "secret");
    QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    const QString failure = OrdinaryUser::verify("unreadableFileIsRefusedForAnOrdinaryUser", path, dir.path(),
                                                 [&] { verifyOpenRefused(path); });
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

void FileIOTest::writeReplacesAndKeepsBytes()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.txt"));
    FileIO::writeWholeFile(path, QByteArray("old\r\n"));
    const QByteArray bytes("\x00\x98\xff\r\nnew", 7);
    FileIO::writeWholeFile(path, bytes);
    verifyOnlyFile(dir.path(), QStringLiteral("f.txt"), bytes);
}

void FileIOTest::fifoIsNeverWrittenOver()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("names.txt"));
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    QCOMPARE(message([&] { FileIO::writeWholeFile(path, "x"); }),
             QStringLiteral("Cannot create file \"%1\". Not a regular file").arg(path));
    struct stat status {};
    QCOMPARE(::stat(QFile::encodeName(path).constData(), &status), 0);
    QVERIFY(S_ISFIFO(status.st_mode));
}

void FileIOTest::missingFolderGivesTheCreateError()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Lists/names.txt"));
    QCOMPARE(message([&] { FileIO::writeWholeFile(path, "x"); }),
             QStringLiteral("Cannot create file \"%1\". No such file or directory").arg(path));
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("Lists"))));
}

// The file itself may be written, but no new file can be made beside it:
// the write must fail and leave the old file whole.
void FileIOTest::unwritableFolderKeepsTheOldFile()
{
    const QString handedOver = OrdinaryUser::handedOverPath();
    if (!handedOver.isEmpty()) {
        verifyCreateRefused(handedOver);
        return;
    }
    QTemporaryDir dir;
    QVERIFY(OrdinaryUser::openToEveryone(dir.path()));
    const QString lists = dir.filePath(QStringLiteral("Lists"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Lists")));
    const QString path = QDir(lists).filePath(QStringLiteral("names.txt"));
    FileIO::writeWholeFile(path, oldBytes);
    const QFileDevice::Permissions everyone = QFileDevice::ReadOwner | QFileDevice::ReadOther
        | QFileDevice::ExeOwner | QFileDevice::ExeOther;
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther
                                            | QFileDevice::WriteOther));
    QVERIFY(QFile::setPermissions(lists, everyone));
    const QString failure = OrdinaryUser::verify("unwritableFolderKeepsTheOldFile", path, dir.path(),
                                                 [&] { verifyCreateRefused(path); });
    QVERIFY(QFile::setPermissions(lists, everyone | QFileDevice::WriteOwner));
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    verifyOnlyFile(lists, QStringLiteral("names.txt"), oldBytes);
}

void FileIOTest::readOnlyFileIsRefusedForAnOrdinaryUser()
{
    const QString handedOver = OrdinaryUser::handedOverPath();
    if (!handedOver.isEmpty()) {
        verifyCreateRefused(handedOver);
        return;
    }
    QTemporaryDir dir;
    QVERIFY(OrdinaryUser::openToEveryone(dir.path()));
    const QString path = dir.filePath(QStringLiteral("names.txt"));
    FileIO::writeWholeFile(path, "old");
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadOther);
    const QString failure = OrdinaryUser::verify("readOnlyFileIsRefusedForAnOrdinaryUser", path, dir.path(),
                                                 [&] { verifyCreateRefused(path); });
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QCOMPARE(FileIO::readWholeFile(path), QByteArray("old"));
}

// A new text small enough for the write buffer fails only when the buffer is
// flushed; a large one fails in the write itself.
void FileIOTest::shortWriteUnderFileSizeLimitKeepsTheOldFile_data()
{
    QTest::addColumn<QByteArray>("newBytes");
    QTest::newRow("buffered") << QByteArray("new line\r\n").repeated(110);
    QTest::newRow("large") << QByteArray("new line\r\n").repeated(2000);
}

void FileIOTest::shortWriteUnderFileSizeLimitKeepsTheOldFile()
{
    QFETCH(QByteArray, newBytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("names.txt"));
    FileIO::writeWholeFile(path, oldBytes);
    QCOMPARE(FullDisk::messageUnderFileSizeLimit(1000, [&] { FileIO::writeWholeFile(path, newBytes); }),
             QStringLiteral("Stream write error"));
    verifyOnlyFile(dir.path(), QStringLiteral("names.txt"), oldBytes);
}

void FileIOTest::shortWriteOnFullFileSystemKeepsTheOldFile_data()
{
    shortWriteUnderFileSizeLimitKeepsTheOldFile_data();
}

void FileIOTest::shortWriteOnFullFileSystemKeepsTheOldFile()
{
    QFETCH(QByteArray, newBytes);
    QTemporaryDir dir;
    FullDisk::FullTmpfs disk(dir.path());
    if (!disk.refusal().isEmpty())
        QSKIP(qPrintable(disk.refusal()));
    const QString path = dir.filePath(QStringLiteral("names.txt"));
    FileIO::writeWholeFile(path, oldBytes);
    QVERIFY(disk.fill());
    QCOMPARE(message([&] { FileIO::writeWholeFile(path, newBytes); }), QStringLiteral("Stream write error"));
    QCOMPARE(FileIO::readWholeFile(path), oldBytes);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{QStringLiteral("filler"), QStringLiteral("names.txt")}));

    // Once there is room again, the same save goes through.
    QVERIFY(QFile::remove(dir.filePath(QStringLiteral("filler"))));
    FileIO::writeWholeFile(path, newBytes);
    verifyOnlyFile(dir.path(), QStringLiteral("names.txt"), newBytes);
}

QTEST_GUILESS_MAIN(FileIOTest)
#include "FileIOTest.moc"
