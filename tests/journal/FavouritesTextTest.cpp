#include "base/FileIO.h"
#include "journal/FavouritesText.h"
#include "tests/support/OrdinaryUser.h"
#include "tests/support/UntranslatedSystemMessages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>

#include <sys/stat.h>

// The favourites file's rules: reading, the remembered line-end style,
// writing, and never writing over a file that could not be read.
class FavouritesTextTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(UntranslatedSystemMessages::use()); }
    void readsAndWritesBack_data();
    void readsAndWritesBack();
    void textNotReadFromAFileGetsCrLf();
    void lastTweetIsFollowedByAnEmptyLine_data();
    void lastTweetIsFollowedByAnEmptyLine();
    void emptySelectionAppendsAnEmptyLine();
    void missingFileIsTheFirstStart();
    void otherKindInPlaceOfTheFileIsNeverWrittenOver_data();
    void otherKindInPlaceOfTheFileIsNeverWrittenOver();
    void unreadableFileIsNeverWrittenOverForAnOrdinaryUser();
};

void FavouritesTextTest::readsAndWritesBack_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("lineEnd");
    QTest::addColumn<QByteArray>("written");

    const int crLf = int(FavouritesText::LineEnd::CrLf);
    const int cr = int(FavouritesText::LineEnd::Cr);
    const int lf = int(FavouritesText::LineEnd::Lf);
    QTest::newRow("CR LF") << QByteArray("a\r\nb") << QStringList{"a", "b"} << crLf << QByteArray("a\r\nb");
    QTest::newRow("final CR LF: empty last line") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b", ""} << crLf
                                                  << QByteArray("a\r\nb\r\n");
    QTest::newRow("LF only") << QByteArray("a\n\nb\n") << QStringList{"a", "", "b", ""} << lf
                             << QByteArray("a\n\nb\n");
    QTest::newRow("CR only") << QByteArray("a\rb\r") << QStringList{"a", "b", ""} << cr << QByteArray("a\rb\r");
    QTest::newRow("mixed: CR LF") << QByteArray("a\nb\rc") << QStringList{"a", "b", "c"} << crLf
                                  << QByteArray("a\r\nb\r\nc");
    QTest::newRow("no line end: CR LF") << QByteArray("a") << QStringList{"a"} << crLf << QByteArray("a");
    QTest::newRow("empty file") << QByteArray() << QStringList() << crLf << QByteArray();
    QTest::newRow("only a line end") << QByteArray("\n") << QStringList{"", ""} << lf << QByteArray("\n");
    QTest::newRow("every other byte kept") << QByteArray("\xcf\xf0\xe8\t\x01\xff\r\n\x98")
                                           << QStringList{QStringLiteral("При\t\x01я"), QStringLiteral("\u0098")}
                                           << crLf << QByteArray("\xcf\xf0\xe8\t\x01\xff\r\n\x98");
}

void FavouritesTextTest::readsAndWritesBack()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QFETCH(int, lineEnd);
    QFETCH(QByteArray, written);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("favourite.txt"));
    FileIO::writeWholeFile(path, bytes);
    FavouritesText text;
    QCOMPARE(text.loadFavouritesFile(path), FavouritesText::LoadState::Loaded);
    QCOMPARE(text.lines(), lines);
    QCOMPARE(int(text.lineEnd()), lineEnd);
    QVERIFY(text.writeFavouritesFile(path));
    QCOMPARE(FileIO::readWholeFile(path), written);
}

void FavouritesTextTest::textNotReadFromAFileGetsCrLf()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    const QStringList paths{QString(), dir.filePath(QStringLiteral("missing.txt")), dir.filePath(QStringLiteral("folder"))};
    for (const QString &path : paths) {
        FavouritesText text;
        if (!path.isEmpty())
            QVERIFY(text.loadFavouritesFile(path) != FavouritesText::LoadState::Loaded);
        text.appendLine(QStringLiteral("a"));
        text.appendLine(QStringLiteral("b"));
        QCOMPARE(text.serialize(), QByteArray("a\r\nb"));
    }
}

void FavouritesTextTest::lastTweetIsFollowedByAnEmptyLine_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("written");

    QTest::newRow("CR LF") << QByteArray("old\r\nline") << QByteArray("old\r\nline\r\ntweet\r\n\r\nnext");
    // The line's own CR LF is written as it is, as every byte inside a line.
    QTest::newRow("LF") << QByteArray("old\nline") << QByteArray("old\nline\ntweet\r\n\nnext");
    QTest::newRow("CR") << QByteArray("old\rline") << QByteArray("old\rline\rtweet\r\n\rnext");
}

void FavouritesTextTest::lastTweetIsFollowedByAnEmptyLine()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, written);

    FavouritesText text;
    text.read(file);
    text.appendLine(QStringLiteral("tweet\r\n"));
    text.appendLine(QStringLiteral("next"));
    QCOMPARE(text.lines().size(), 4);
    QCOMPARE(text.serialize(), written);

    FavouritesText again;
    again.read(written);
    QCOMPARE(again.lines().mid(2), (QStringList{"tweet", "", "next"}));

    // The tweet's own CR LF stays through undo and redo and edits of its row.
    text.document().undo();
    text.document().undo();
    text.document().redo();
    text.document().redo();
    QCOMPARE(text.serialize(), written);
    QTextCursor cursor(text.document().findBlockByNumber(2));
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.insertText(QStringLiteral("!"));
    QCOMPARE(text.serialize(), QByteArray(written).replace("tweet", "tweet!"));
    text.document().undo();
    QCOMPARE(text.serialize(), written);
}

void FavouritesTextTest::emptySelectionAppendsAnEmptyLine()
{
    FavouritesText text;
    text.appendLine(QString());
    QCOMPARE(text.lines(), QStringList{QString()});
    text.appendLine(QStringLiteral("tweet"));
    QCOMPARE(text.lines(), (QStringList{QString(), QStringLiteral("tweet")}));
    QCOMPARE(text.serialize(), QByteArray("\r\ntweet"));
}

void FavouritesTextTest::missingFileIsTheFirstStart()
{
    QTemporaryDir dir;
    // A link to a file not there yet is missing too; the first save makes its target.
    const QString link = dir.filePath(QStringLiteral("link.txt"));
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("kept elsewhere.txt")), link));
    for (const QString &path : {dir.filePath(QStringLiteral("favourite.txt")),
                                dir.filePath(QStringLiteral("Lists/favourite.txt")), link}) {
        FavouritesText text;
        QCOMPARE(text.loadFavouritesFile(path), FavouritesText::LoadState::Absent);
        QVERIFY(text.loadError().isEmpty());
        QVERIFY(!QFile::exists(path));
    }
    for (const QString &path : {dir.filePath(QStringLiteral("favourite.txt")), link}) {
        FavouritesText text;
        text.loadFavouritesFile(path);
        text.appendLine(QStringLiteral("tweet"));
        QVERIFY(text.writeFavouritesFile(path));
        QCOMPARE(FileIO::readWholeFile(path), QByteArray("tweet"));
    }
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(FileIO::readWholeFile(dir.filePath(QStringLiteral("kept elsewhere.txt"))), QByteArray("tweet"));
}

void FavouritesTextTest::otherKindInPlaceOfTheFileIsNeverWrittenOver_data()
{
    QTest::addColumn<bool>("fifo");
    QTest::addColumn<QString>("reason");
    QTest::newRow("folder") << false << QStringLiteral("Is a directory");
    QTest::newRow("FIFO") << true << QStringLiteral("Not a regular file");
}

void FavouritesTextTest::otherKindInPlaceOfTheFileIsNeverWrittenOver()
{
    QFETCH(bool, fifo);
    QFETCH(QString, reason);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("favourite.txt"));
    if (fifo)
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("favourite.txt")));
    FavouritesText text;
    QCOMPARE(text.loadFavouritesFile(path), FavouritesText::LoadState::Unreadable);
    QCOMPARE(text.loadError(), QStringLiteral("Cannot open file \"%1\". %2").arg(path, reason));
    text.appendLine(QStringLiteral("this run's tweet"));
    QVERIFY(!text.writeFavouritesFile(path));
    QCOMPARE(QFileInfo(path).isDir(), !fifo);
    QVERIFY(!QFileInfo(path).isFile());
}

namespace {

void verifyUnreadableIsKept(const QString &path)
{
    FavouritesText text;
    QCOMPARE(text.loadFavouritesFile(path), FavouritesText::LoadState::Unreadable);
    QVERIFY2(text.loadError().startsWith(QStringLiteral("Cannot open file \"%1\". ").arg(path)),
             qPrintable(text.loadError()));
    QVERIFY(text.lines().isEmpty());
    text.appendLine(QStringLiteral("this run's tweet"));
    QVERIFY(!text.writeFavouritesFile(path));
}

} // namespace

void FavouritesTextTest::unreadableFileIsNeverWrittenOverForAnOrdinaryUser()
{
    const QString handedOver = OrdinaryUser::handedOverPath();
    if (!handedOver.isEmpty()) {
        verifyUnreadableIsKept(handedOver);
        return;
    }
    QTemporaryDir dir;
    QVERIFY(OrdinaryUser::openToEveryone(dir.path()));
    const QString path = dir.filePath(QStringLiteral("favourite.txt"));
    FileIO::writeWholeFile(path, "old favourites");
    // The user may write the file but not read it.
    QFile::setPermissions(path, QFileDevice::WriteOwner | QFileDevice::WriteOther);
    const QString failure = OrdinaryUser::verify("unreadableFileIsNeverWrittenOverForAnOrdinaryUser", path,
                                                 dir.path(), [&] { verifyUnreadableIsKept(path); });
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(FileIO::readWholeFile(path), QByteArray("old favourites"));
}

QTEST_MAIN(FavouritesTextTest)
#include "FavouritesTextTest.moc"
