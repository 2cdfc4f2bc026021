#include "base/DataFolder.h"
#include "platform/UserDataHome.h"
#include "tests/support/OrdinaryUser.h"

#include <QDirIterator>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

// Which folder the lists, favourites and settings live in, and what the
// first starts put into a user's own folder. Every case runs as an ordinary
// user: to root every folder is writable.
class DataFolderTest : public QObject
{
    Q_OBJECT

private slots:
    void folderChoice_data();
    void folderChoice();
    void userDataHome_data();
    void userDataHome();
};

namespace {

// A folder's files by their relative paths; a path ending with "/" is a folder.
using Tree = QMap<QString, QByteArray>;

Tree shippedLists(const QByteArray &version = "1")
{
    Tree tree{{QStringLiteral("Lists/"), {}}, {QStringLiteral("Config files/"), {}}};
    for (const char *name : {"thenames", "names", "justnames", "actions", "places"})
        tree.insert(QStringLiteral("Lists/%1.txt").arg(QLatin1String(name)), name + (" " + version) + "\r\n");
    return tree;
}

Tree with(Tree tree, const Tree &changes)
{
    for (auto it = changes.begin(); it != changes.end(); ++it)
        tree.insert(it.key(), it.value());
    return tree;
}

// The tree as a folder of that name holds it.
Tree under(const QString &folder, const Tree &tree)
{
    Tree result{{folder + u'/', {}}};
    for (auto it = tree.begin(); it != tree.end(); ++it)
        result.insert(folder + u'/' + it.key(), it.value());
    return result;
}

Tree without(Tree tree, const QStringList &paths)
{
    for (const QString &path : paths)
        tree.remove(path);
    return tree;
}

void write(const QString &folder, const Tree &tree)
{
    for (auto it = tree.begin(); it != tree.end(); ++it) {
        const QString path = QDir(folder).filePath(it.key());
        QVERIFY(QDir().mkpath(it.key().endsWith(u'/') ? path : QFileInfo(path).path()));
        if (it.key().endsWith(u'/'))
            continue;
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(it.value()), it.value().size());
    }
}

Tree read(const QString &folder)
{
    Tree tree;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(folder).relativeFilePath(path);
        QFile file(path);
        if (it.fileInfo().isDir())
            tree.insert(relative + u'/', {});
        else
            tree.insert(relative, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>"));
    }
    return tree;
}

// Read-only for everyone, as a folder under /usr is to its users.
void setWritable(const QString &folder, bool writable)
{
    for (const QString &path : {QDir(folder).filePath(QStringLiteral("Lists")),
                                QDir(folder).filePath(QStringLiteral("Config files")), folder}) {
        if (QFileInfo(path).isDir()) {
            QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther
                                            | QFileDevice::ExeOther | (writable ? QFileDevice::WriteOwner
                                                                                : QFileDevice::Permissions()));
        }
    }
}

} // namespace

void DataFolderTest::folderChoice_data()
{
    QTest::addColumn<bool>("installed");
    QTest::addColumn<bool>("programFolderWritable");
    QTest::addColumn<Tree>("programFolder");
    // The user's own folder before the start; empty: it does not exist yet.
    QTest::addColumn<Tree>("userFolderBefore");
    QTest::addColumn<bool>("perUser");
    // The user's own folder after the start; empty: it is not made.
    QTest::addColumn<Tree>("userFolderAfter");

    const Tree ownFiles{{QStringLiteral("Lists/favourite.txt"), "my favourite\r\n"},
                        {QStringLiteral("Config files/yarnconfig.ini"), "[option]\r\ncheck2=1\r\n"},
                        {QStringLiteral("Lists/names.txt"), "names 1\r\nkotofeich\r\n"}};

    QTest::newRow("not installed, writable")
        << false << true << with(shippedLists(), ownFiles) << Tree() << false << Tree();
    QTest::newRow("not installed, the executable alone in a writable folder")
        << false << true << Tree() << Tree() << false << Tree();
    // Its favourites and settings stay where they are: only an installed
    // copy carries an earlier install over.
    QTest::newRow("not installed, read-only")
        << false << false << with(shippedLists(), ownFiles) << Tree() << true
        << with(shippedLists(), {{QStringLiteral("Lists/names.txt"), "names 1\r\nkotofeich\r\n"}});
    QTest::newRow("installed, fresh home") << true << false << shippedLists() << Tree() << true << shippedLists();
    // The install kept the lists the earlier copy wrote; the favourites and
    // the settings come over once, and the program folder stays as it is.
    QTest::newRow("installed over an earlier copy in the user's prefix")
        << true << true << with(shippedLists(), ownFiles) << Tree() << true << with(shippedLists(), ownFiles);
    // A later version: the user's lists stay, a list gone or emptied comes
    // back, and the favourites the user removed are not carried over again.
    QTest::newRow("installed, a later start of a later version")
        << true << false << with(shippedLists("2"), ownFiles)
        << without(with(shippedLists(), {{QStringLiteral("Lists/names.txt"), ""},
                                          {QStringLiteral("Lists/places.txt"), "my place.\r\n"}}),
                   {QStringLiteral("Lists/thenames.txt"), QStringLiteral("Config files/")})
        << true
        << with(shippedLists(), {{QStringLiteral("Lists/thenames.txt"), "thenames 2\r\n"},
                                 {QStringLiteral("Lists/names.txt"), "names 1\r\nkotofeich\r\n"},
                                 {QStringLiteral("Lists/places.txt"), "my place.\r\n"}});
}

void DataFolderTest::folderChoice()
{
    QFETCH(bool, installed);
    QFETCH(bool, programFolderWritable);
    QFETCH(Tree, programFolder);
    QFETCH(Tree, userFolderBefore);
    QFETCH(bool, perUser);
    QFETCH(Tree, userFolderAfter);

    const auto checks = [&](const QString &scratch) {
        const QString program = QDir(scratch).filePath(QStringLiteral("program"));
        const QString dataHome = QDir(scratch).filePath(QStringLiteral("home/.local/share"));
        const QString userFolder = QDir(dataHome).filePath(QStringLiteral("yarnspin"));
        QVERIFY(QDir().mkpath(program));
        write(program, installed ? with(programFolder, {{DataFolder::markerName(), "installed\n"}}) : programFolder);
        if (!userFolderBefore.isEmpty())
            write(userFolder, userFolderBefore);
        setWritable(program, programFolderWritable);
        const Tree programBefore = read(program);

        const DataFolder folder(program, dataHome);
        QCOMPARE(folder.path(), (perUser ? userFolder : program) + u'/');
        folder.prepare();
        setWritable(program, true); // for the clean-up

        QCOMPARE(read(program), programBefore);
        if (userFolderAfter.isEmpty())
            QVERIFY(!QFileInfo::exists(dataHome));
        else
            QCOMPARE(read(dataHome), under(QStringLiteral("yarnspin"), userFolderAfter));
    };

    const QString handedOver = OrdinaryUser::handedOverPath();
    if (!handedOver.isEmpty()) {
        checks(handedOver);
        return;
    }
    QTemporaryDir scratch;
    QVERIFY(OrdinaryUser::openToEveryone(scratch.path()));
    const QByteArray function = "folderChoice:" + QByteArray(QTest::currentDataTag());
    const QString failure = OrdinaryUser::verify(function.constData(), scratch.path(), scratch.path(),
                                                 [&] { checks(scratch.path()); });
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

void DataFolderTest::userDataHome_data()
{
    QTest::addColumn<QString>("xdgDataHome");
    QTest::addColumn<QString>("expected");
    QTest::newRow("set") << QStringLiteral("/data/me/") << QStringLiteral("/data/me");
    QTest::newRow("unset") << QString() << QStringLiteral("/home/me/.local/share");
    // Not taken from wherever the program was started.
    QTest::newRow("relative") << QStringLiteral("data") << QStringLiteral("/home/me/.local/share");
}

void DataFolderTest::userDataHome()
{
    QFETCH(QString, xdgDataHome);
    QFETCH(QString, expected);
    QCOMPARE(platform::userDataHome(xdgDataHome, QStringLiteral("/home/me")), expected);
}

QTEST_GUILESS_MAIN(DataFolderTest)
#include "DataFolderTest.moc"
