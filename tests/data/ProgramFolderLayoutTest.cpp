#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The layout step that puts the shipped phrase lists into the program folder:
// without it the program starts with no lists at all, and a step that
// overwrote them would throw away the phrases a user added.
class ProgramFolderLayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void builtFolderHoldsTheShippedLists();
    void layOutLeavesContentAndRestoresTheRest_data();
    void layOutLeavesContentAndRestoresTheRest();

private:
    static QStringList shippedNames();
    static QByteArray contents(const QString &path);
};

QStringList ProgramFolderLayoutTest::shippedNames()
{
    return QDir(QStringLiteral(SHIPPED_LISTS_DIR)).entryList({QStringLiteral("*.txt")}, QDir::Files);
}

QByteArray ProgramFolderLayoutTest::contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<cannot open>");
}

void ProgramFolderLayoutTest::builtFolderHoldsTheShippedLists()
{
    QCOMPARE(shippedNames().size(), 5);
    for (const QString &name : shippedNames()) {
        const QByteArray shipped = contents(QStringLiteral(SHIPPED_LISTS_DIR "/") + name);
        const QByteArray built = contents(QStringLiteral(BUILT_LISTS_DIR "/") + name);
        // Phrases the user added with the program follow the shipped ones.
        QVERIFY2(!shipped.isEmpty() && built.startsWith(shipped),
                 qPrintable(name + QStringLiteral(" in the built program folder is not the shipped list")));
    }
}

void ProgramFolderLayoutTest::layOutLeavesContentAndRestoresTheRest_data()
{
    // What the program folder holds as places.txt before the step (null: no
    // file), and whether the step must leave it as it was.
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<bool>("kept");
    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("empty, left by a broken build") << QByteArray("") << false;
    QTest::newRow("changed by the user") << QByteArray("my own place.\r\n") << true;
    QTest::newRow("a single blank") << QByteArray(" ") << true;
}

void ProgramFolderLayoutTest::layOutLeavesContentAndRestoresTheRest()
{
    QFETCH(QByteArray, before);
    QFETCH(bool, kept);
    QTemporaryDir programFolder;
    const QString places = programFolder.filePath(QStringLiteral("Lists/places.txt"));
    if (!before.isNull()) {
        QVERIFY(QDir(programFolder.path()).mkpath(QStringLiteral("Lists")));
        QFile file(places);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(before), before.size());
    }

    QProcess step;
    step.setProcessChannelMode(QProcess::MergedChannels);
    step.start(QStringLiteral(CMAKE_COMMAND),
               {QStringLiteral("-DSOURCE_DIR=" SHIPPED_LISTS_DIR), QStringLiteral("-DPROGRAM_DIR=") + programFolder.path(),
                QStringLiteral("-P"), QStringLiteral(LAYOUT_SCRIPT)});
    QVERIFY(step.waitForFinished());
    QVERIFY2(step.exitStatus() == QProcess::NormalExit && step.exitCode() == 0, step.readAll().constData());

    QVERIFY(QDir(programFolder.filePath(QStringLiteral("Config files"))).exists());
    for (const QString &name : shippedNames()) {
        const QString path = programFolder.filePath(QStringLiteral("Lists/") + name);
        const QByteArray expected = name == QLatin1String("places.txt") && kept
                                        ? before
                                        : contents(QStringLiteral(SHIPPED_LISTS_DIR "/") + name);
        QVERIFY2(contents(path) == expected, qPrintable(name));
    }
}

QTEST_GUILESS_MAIN(ProgramFolderLayoutTest)
#include "ProgramFolderLayoutTest.moc"
