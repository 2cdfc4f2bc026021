#include "base/AppError.h"
#include "base/ProgramFolder.h"
#include "compose/PhraseBook.h"
#include "tests/support/UntranslatedSystemMessages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Loading and saving the five list files: orders, failures and what a failed
// load must never cost.
class PhraseBookTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void loadsEveryFileReplacingWhatWasThere();
    void loadStopsAtTheFirstMissingFile();
    void listsNeverReadAreNotWrittenOver();
    void saveStopsAtTheFirstFailingFile();

private:
    ProgramFolder folder() const { return ProgramFolder(m_dir->path()); }
    QString listPath(const char *name) const { return m_dir->filePath(QStringLiteral("Lists/") + QLatin1String(name)); }
    // As messages name a list file: the folder, its separator, then "/Lists/...".
    QString namedPath(const char *name) const { return m_dir->path() + QStringLiteral("//Lists/") + QLatin1String(name); }
    void write(const char *name, const QByteArray &bytes);
    QByteArray read(const char *name) const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

void PhraseBookTest::initTestCase()
{
    QVERIFY(UntranslatedSystemMessages::use());
}

void PhraseBookTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QDir(m_dir->path()).mkpath(QStringLiteral("Lists"));
    write("thenames.txt", "title\r\n");
    write("names.txt", "account\r\n");
    write("justnames.txt", "name\r\n");
    write("actions.txt", "action\r\n");
    write("places.txt", "place.\r\n");
}

void PhraseBookTest::cleanup()
{
    m_dir.reset();
}

void PhraseBookTest::write(const char *name, const QByteArray &bytes)
{
    QFile file(listPath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray PhraseBookTest::read(const char *name) const
{
    QFile file(listPath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void PhraseBookTest::loadsEveryFileReplacingWhatWasThere()
{
    PhraseBook book;
    book.list(PhraseListId::Titles).append("stale");
    book.loadAll(folder());
    QCOMPARE(book.list(PhraseListId::Titles).entries(), QByteArrayList{"title"});
    QCOMPARE(book.list(PhraseListId::Accounts).entries(), QByteArrayList{"account"});
    QCOMPARE(book.list(PhraseListId::PlainNames).entries(), QByteArrayList{"name"});
    QCOMPARE(book.list(PhraseListId::Actions).entries(), QByteArrayList{"action"});
    QCOMPARE(book.list(PhraseListId::Places).entries(), QByteArrayList{"place."});
    QCOMPARE(book.list(PhraseListId::Openings).count(), 16);
}

void PhraseBookTest::loadStopsAtTheFirstMissingFile()
{
    QFile::remove(listPath("names.txt"));
    PhraseBook book;
    book.list(PhraseListId::Places).append("stale");
    try {
        book.loadAll(folder());
        QFAIL("no error");
    } catch (const AppError &error) {
        QCOMPARE(error.message(),
                 QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(namedPath("names.txt")));
    }
    QCOMPARE(book.list(PhraseListId::Titles).count(), 1);
    for (PhraseListId id : {PhraseListId::Accounts, PhraseListId::PlainNames, PhraseListId::Actions, PhraseListId::Places})
        QCOMPARE(book.list(id).count(), 0);
}

void PhraseBookTest::listsNeverReadAreNotWrittenOver()
{
    QFile::remove(listPath("names.txt"));
    PhraseBook book;
    QVERIFY_THROWS_EXCEPTION(AppError, book.loadAll(folder()));
    book.list(PhraseListId::Titles).append("added title");
    book.list(PhraseListId::Accounts).append("added account");
    book.list(PhraseListId::Places).append("added place");
    book.saveAll(folder());

    QCOMPARE(read("thenames.txt"), QByteArray("title\r\nadded title\r\n"));
    QCOMPARE(read("names.txt"), QByteArray("added account\r\n"));
    QCOMPARE(read("justnames.txt"), QByteArray("name\r\n"));
    QCOMPARE(read("actions.txt"), QByteArray("action\r\n"));
    QCOMPARE(read("places.txt"), QByteArray("place.\r\n"));
}

void PhraseBookTest::saveStopsAtTheFirstFailingFile()
{
    PhraseBook book;
    book.loadAll(folder());
    for (PhraseListId id : {PhraseListId::Titles, PhraseListId::Accounts, PhraseListId::PlainNames,
                            PhraseListId::Actions, PhraseListId::Places})
        book.list(id).append("new");
    // A folder where the action file should be cannot be replaced.
    QFile::remove(listPath("actions.txt"));
    QDir(m_dir->path()).mkpath(QStringLiteral("Lists/actions.txt"));

    try {
        book.saveAll(folder());
        QFAIL("no error");
    } catch (const AppError &error) {
        QVERIFY2(error.message().startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(namedPath("actions.txt"))),
                 qPrintable(error.message()));
    }
    QCOMPARE(read("thenames.txt"), QByteArray("title\r\nnew\r\n"));
    QCOMPARE(read("names.txt"), QByteArray("account\r\nnew\r\n"));
    QCOMPARE(read("places.txt"), QByteArray("place.\r\n"));
    QCOMPARE(read("justnames.txt"), QByteArray("name\r\n"));
}

QTEST_GUILESS_MAIN(PhraseBookTest)
#include "PhraseBookTest.moc"
