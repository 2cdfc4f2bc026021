#include "base/AppError.h"
#include "base/FileIO.h"
#include "base/Windows1251.h"
#include "settings/SettingsFile.h"
#include "tests/support/FullDisk.h"
#include "tests/support/OrdinaryUser.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

// Reading and writing the settings file: value forms, defaults, the layout of
// a file the program creates, and that a failed write leaves the old file.
class SettingsFileTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void missingPiecesGiveTheDefaults_data();
    void missingPiecesGiveTheDefaults();
    void switchValueForms_data();
    void switchValueForms();
    void compositionModes_data();
    void compositionModes();
    void addressIsReadAsStored();
    void addressIsWrittenAsTyped_data();
    void addressIsWrittenAsTyped();
    void firstSaveCreatesTheFileInKeyOrder();
    void saveRewritesEveryKeyAndKeepsForeignLines();
    void missingFolderIsNeitherCreatedNorWritten();
    void readOnlyFileKeepsItsBytes();
    void fullDiskKeepsTheFile();
    void accountTheCodePageCannotHoldWritesNothing();

private:
    QString writeConfig(const QByteArray &bytes);
    QString settingsPath() const { return m_folder->filePath(QStringLiteral("Config files/yarnconfig.ini")); }

    std::unique_ptr<QTemporaryDir> m_folder;
};

static void verifySaveIsRefused(const QString &path)
{
    try {
        SettingsFile::save(path, SettingsValues());
        QFAIL("no error");
    } catch (const AppError &error) {
        QCOMPARE(error.message(), QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(path)));
    }
}

void SettingsFileTest::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("Config files")));
}

QString SettingsFileTest::writeConfig(const QByteArray &bytes)
{
    FileIO::writeWholeFile(settingsPath(), bytes);
    return settingsPath();
}

void SettingsFileTest::missingPiecesGiveTheDefaults_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("fifo");
    QTest::newRow("no file") << QByteArray() << false;
    QTest::newRow("FIFO in its place") << QByteArray() << true;
    QTest::newRow("other section") << QByteArray("[options]\r\ncheck=1\r\ncheck3=0\r\ntwiname=0\r\n") << false;
    QTest::newRow("section without keys") << QByteArray("[option]\r\n[other]\r\ncheck4=0\r\n") << false;
    QTest::newRow("unreadable values") << QByteArray("[option]\r\ncheck=on\r\ncheck3=\r\ncheck4=no\r\n"
                                                     "check2=x1\r\ntwiname=$\r\njustname=0x\r\n")
                                       << false;
}

void SettingsFileTest::missingPiecesGiveTheDefaults()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, fifo);
    if (!file.isEmpty())
        writeConfig(file);
    if (fifo)
        QCOMPARE(::mkfifo(QFile::encodeName(settingsPath()).constData(), 0600), 0);
    QVERIFY(SettingsFile::load(settingsPath()) == SettingsValues());
    QVERIFY(SettingsFile::load(m_folder->filePath(QStringLiteral("No folder/yarnconfig.ini"))) == SettingsValues());
    if (fifo) {
        // Nor is it replaced by a file of the seven keys.
        verifySaveIsRefused(settingsPath());
        QVERIFY(!QFileInfo(settingsPath()).isFile());
    }
}

void SettingsFileTest::switchValueForms_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("isInteger");
    QTest::addColumn<bool>("nonZero");

    QTest::newRow("0") << QByteArray("0") << true << false;
    QTest::newRow("2") << QByteArray("2") << true << true;
    QTest::newRow("0x10") << QByteArray("0x10") << true << true;
    QTest::newRow("$1F") << QByteArray("$1F") << true << true;
    QTest::newRow("negative") << QByteArray("-1") << true << true;
    QTest::newRow("plus zero") << QByteArray("+0") << true << false;
    QTest::newRow("blanks around") << QByteArray(" \t7 ") << true << true;
    QTest::newRow("yes") << QByteArray("yes") << false << false;
    QTest::newRow("empty") << QByteArray("") << false << false;
    QTest::newRow("trailing text") << QByteArray("1x") << false << false;
    QTest::newRow("bare prefix") << QByteArray("0x") << false << false;
    QTest::newRow("hex digits without prefix") << QByteArray("1F") << false << false;
    QTest::newRow("beyond 32 bits") << QByteArray("0x100000000") << false << false;
    QTest::newRow("beyond int") << QByteArray("2147483648") << false << false;
}

void SettingsFileTest::switchValueForms()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, isInteger);
    QFETCH(bool, nonZero);

    // "check" defaults to off, "check3" to on: garbage must give each its own default.
    const QString path = writeConfig("[option]\r\ncheck=" + text + "\r\ncheck3=" + text + "\r\n");
    const SettingsValues values = SettingsFile::load(path);
    QCOMPARE(values.minimizeToTray, isInteger ? nonZero : false);
    QCOMPARE(values.autoCopy, isInteger ? nonZero : true);
}

void SettingsFileTest::compositionModes_data()
{
    QTest::addColumn<QByteArray>("keys");
    QTest::addColumn<bool>("accountMode");
    QTest::addColumn<bool>("plainNameMode");

    QTest::newRow("both on: plain names") << QByteArray("twiname=1\r\njustname=1\r\n") << false << true;
    QTest::newRow("both off: neither") << QByteArray("twiname=0\r\njustname=0\r\n") << false << false;
    QTest::newRow("only justname off") << QByteArray("justname=0\r\n") << true << false;
    QTest::newRow("only twiname off") << QByteArray("twiname=0\r\n") << false << false;
}

void SettingsFileTest::compositionModes()
{
    QFETCH(QByteArray, keys);
    QFETCH(bool, accountMode);
    QFETCH(bool, plainNameMode);

    const SettingsValues values = SettingsFile::load(writeConfig("[option]\r\n" + keys));
    QCOMPARE(values.accountMode, accountMode);
    QCOMPARE(values.plainNameMode, plainNameMode);
}

void SettingsFileTest::addressIsReadAsStored()
{
    QString path = writeConfig("[option]\r\naddress=@\xca\xe2\xe5\xed\xe1\xe8 two  words\r\n");
    QCOMPARE(SettingsFile::load(path).ownAccount, QStringLiteral("@Квенби two  words"));

    const QByteArray longest(2047, 'q');
    path = writeConfig("[option]\r\naddress=" + longest + "\r\n");
    QCOMPARE(SettingsFile::load(path).ownAccount, QString::fromLatin1(longest));
    path = writeConfig("[option]\r\naddress=" + longest + "tail\r\n");
    QCOMPARE(SettingsFile::load(path).ownAccount, QString::fromLatin1(longest));

    // Neither trimmed nor unquoted: the text after '=' is the account.
    path = writeConfig("[option]\r\naddress=  hello \"x\"  \r\n");
    QCOMPARE(SettingsFile::load(path).ownAccount, QStringLiteral("  hello \"x\"  "));
    path = writeConfig("[option]\r\naddress='q'\r\n");
    QCOMPARE(SettingsFile::load(path).ownAccount, QStringLiteral("'q'"));
}

void SettingsFileTest::addressIsWrittenAsTyped_data()
{
    QTest::addColumn<QString>("account");
    QTest::newRow("empty") << QString();
    QTest::newRow("@ and inner blanks") << QStringLiteral("@Квенби two  words");
    QTest::newRow("outer blanks") << QStringLiteral("  @me\t ");
    QTest::newRow("quotes") << QStringLiteral("\"me\"");
    QTest::newRow("equals signs") << QStringLiteral("=me=");
}

void SettingsFileTest::addressIsWrittenAsTyped()
{
    QFETCH(QString, account);
    const QString path = writeConfig("[option]\r\nADDRESS = \"old\"\r\ncheck=0\r\n");
    SettingsValues values;
    values.ownAccount = account;
    SettingsFile::save(path, values);
    const QByteArray bytes = FileIO::readWholeFile(path);
    QVERIFY2(bytes.startsWith("[option]\r\nADDRESS =" + Windows1251::encodeOrThrow(account) + "\r\ncheck=0\r\n"),
             bytes.constData());
    QCOMPARE(SettingsFile::load(path).ownAccount, account);
}

void SettingsFileTest::firstSaveCreatesTheFileInKeyOrder()
{
    // The file is read in another order than it is written.
    const auto names = [](const std::array<SettingsValues::Key, 7> &keys) {
        QByteArrayList list;
        for (const SettingsValues::Key &key : keys)
            list << key.name.toByteArray();
        return list.join(' ');
    };
    QCOMPARE(names(SettingsValues::keys()), QByteArray("address check check3 check4 check2 twiname justname"));
    QCOMPARE(names(SettingsValues::keysInReadingOrder()),
             QByteArray("check check3 address check4 check2 twiname justname"));

    SettingsFile::save(settingsPath(), SettingsValues());
    QCOMPARE(FileIO::readWholeFile(settingsPath()),
             QByteArray("[option]\r\naddress=\r\ncheck=0\r\ncheck3=1\r\ncheck4=1\r\ncheck2=0\r\ntwiname=1\r\n"
                        "justname=0\r\n"));

    SettingsValues changed;
    changed.accountMode = false;
    changed.plainNameMode = true;
    changed.ownAccount = QStringLiteral("Квенби");
    changed.minimizeToTray = true;
    changed.suppressNotices = true;
    changed.autoCopy = false;
    changed.autoSaveFavourites = false;
    QFile::remove(settingsPath());
    SettingsFile::save(settingsPath(), changed);
    QCOMPARE(FileIO::readWholeFile(settingsPath()),
             QByteArray("[option]\r\naddress=\xca\xe2\xe5\xed\xe1\xe8\r\ncheck=1\r\ncheck3=0\r\ncheck4=0\r\n"
                        "check2=1\r\ntwiname=0\r\njustname=1\r\n"));
    QVERIFY(SettingsFile::load(settingsPath()) == changed);
}

void SettingsFileTest::saveRewritesEveryKeyAndKeepsForeignLines()
{
    const QString path = writeConfig("; written by hand\n[Window]\nleft=10\n\n[OPTION]\nCheck=5\ntheme=dark\n"
                                     "TWINAME = $1\n\n[tail]\nx=\xff");
    SettingsFile::save(path, SettingsFile::load(path));
    QCOMPARE(FileIO::readWholeFile(path),
             QByteArray("; written by hand\n[Window]\nleft=10\n\n[OPTION]\nCheck=1\ntheme=dark\nTWINAME =1\n"
                        "address=\r\ncheck3=1\r\ncheck4=1\r\ncheck2=0\r\njustname=0\r\n\n[tail]\nx=\xff"));
}

void SettingsFileTest::missingFolderIsNeitherCreatedNorWritten()
{
    QVERIFY(QDir(m_folder->filePath(QStringLiteral("Config files"))).removeRecursively());
    verifySaveIsRefused(settingsPath());
    QVERIFY(!QFileInfo::exists(m_folder->filePath(QStringLiteral("Config files"))));
}

void SettingsFileTest::readOnlyFileKeepsItsBytes()
{
    const QString handedOver = OrdinaryUser::handedOverPath();
    if (!handedOver.isEmpty()) {
        verifySaveIsRefused(handedOver);
        return;
    }
    const QString path = writeConfig("[option]\r\ncheck=5\r\n");
    QVERIFY(OrdinaryUser::openToEveryone(m_folder->path()));
    QVERIFY(OrdinaryUser::openToEveryone(QFileInfo(path).path()));
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadOther));
    const QString failure = OrdinaryUser::verify("readOnlyFileKeepsItsBytes", path, m_folder->path(),
                                                 [&] { verifySaveIsRefused(path); });
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QCOMPARE(FileIO::readWholeFile(path), QByteArray("[option]\r\ncheck=5\r\n"));
}

// A save that finds the disk full must report the failure and leave the old
// file whole: the file-size limit makes any user's write come up short, a
// full tmpfs (root only) is the real thing.
void SettingsFileTest::fullDiskKeepsTheFile()
{
    const QByteArray old("[option]\r\naddress=me\r\ncheck=1\r\n");
    const QString path = writeConfig(old);
    const QString unableToWrite = QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(path));
    QCOMPARE(FullDisk::messageUnderFileSizeLimit(old.size(), [&] { SettingsFile::save(path, SettingsValues()); }),
             unableToWrite);
    QCOMPARE(FileIO::readWholeFile(path), old);

    FullDisk::FullTmpfs disk(QFileInfo(path).path());
    if (!disk.refusal().isEmpty())
        QSKIP(qPrintable(disk.refusal()));
    writeConfig(old);
    QVERIFY(disk.fill());
    try {
        SettingsFile::save(path, SettingsValues());
        QFAIL("no error");
    } catch (const AppError &error) {
        QCOMPARE(error.message(), unableToWrite);
    }
    QCOMPARE(FileIO::readWholeFile(path), old);
}

void SettingsFileTest::accountTheCodePageCannotHoldWritesNothing()
{
    const QString path = writeConfig("[option]\r\naddress=old\r\n");
    SettingsValues values;
    values.ownAccount = QStringLiteral("me✓");
    QVERIFY_THROWS_EXCEPTION(AppError, SettingsFile::save(path, values));
    values.ownAccount = QStringLiteral("two\nlines");
    QVERIFY_THROWS_EXCEPTION(AppError, SettingsFile::save(path, values));
    QCOMPARE(FileIO::readWholeFile(path), QByteArray("[option]\r\naddress=old\r\n"));
}

QTEST_GUILESS_MAIN(SettingsFileTest)
#include "SettingsFileTest.moc"
