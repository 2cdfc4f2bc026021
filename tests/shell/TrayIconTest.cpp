#include "shell/TrayIcon.h"
#include "tests/support/ModalWindows.h"
#include "tests/support/ProgramFixture.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>

#include <memory>

// The tray icon of the running program: its tool-tip, icon and menu, the
// menu's commands, and bringing the main window back from the tray or the
// taskbar.
class TrayIconTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void iconCarriesTheNameTheImagesAndTheMenu();
    void menuCommandsRun();
    void restoresTheMainWindow_data();
    void restoresTheMainWindow();

private:
    MainWindow &window() { return m_fixture->window(); }
    QAction *item(const char *name) { return control<QAction>(control<QMenu>(&window(), "PopupMenu1"), name); }
    // The notification-area icon that TextTrayIcon1 keeps.
    QSystemTrayIcon *icon() { return m_fixture->program->trayIcon().findChild<QSystemTrayIcon *>(); }

    std::unique_ptr<ProgramFixture> m_fixture;
};

void TrayIconTest::init()
{
    m_fixture = std::make_unique<ProgramFixture>();
    m_fixture->start();
}

void TrayIconTest::cleanup()
{
    m_fixture.reset();
}

void TrayIconTest::iconCarriesTheNameTheImagesAndTheMenu()
{
    QVERIFY(icon()->isVisible());
    QCOMPARE(icon()->toolTip(), QStringLiteral("Merovale Yarnspin"));
    QCOMPARE(icon()->contextMenu(), control<QMenu>(&window(), "PopupMenu1"));
    QList<QSize> sizes;
    for (int side : {16, 24, 32, 48, 96, 128, 256})
        sizes.append(QSize(side, side));
    QCOMPARE(icon()->icon().availableSizes(), sizes);
    // Each size comes from the smallest file at least as large, never enlarged.
    const QIcon drawn = icon()->icon();
    QCOMPARE(drawn.pixmap(QSize(22, 22)).size(), QSize(22, 22));
    QCOMPARE(drawn.pixmap(QSize(512, 512)).size(), QSize(256, 256));
    QCOMPARE(drawn.pixmap(QSize(24, 24)).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
             QImage(QStringLiteral(":/shell/icon-24.png")).convertToFormat(QImage::Format_ARGB32_Premultiplied));
    // No item is disabled, checkable or reached by a key.
    for (const char *name : {"N30", "N27", "N28", "N32", "N33"}) {
        QVERIFY2(item(name)->isEnabled(), name);
        QVERIFY2(!item(name)->isCheckable(), name);
        QVERIFY2(item(name)->shortcut().isEmpty(), name);
    }
}

void TrayIconTest::menuCommandsRun()
{
    auto *timer = control<QTimer>(&window(), "Timer1");
    m_fixture->interaction.notices.clear();
    item("N27")->trigger();
    QVERIFY(timer->isActive());
    QCOMPARE(m_fixture->interaction.noticeTitles(), QStringList{QStringLiteral("Merovale Yarnspin начал генерировать твиты сам")});
    item("N28")->trigger();
    QVERIFY(!timer->isActive());

    // From the tray, the About box opens without bringing the main window back.
    window().hideToTray();
    QWidget *aboutBox = nullptr;
    bool mainWindowShown = true;
    ModalWindows::whenModalShown([&](QWidget *box) {
        aboutBox = box;
        mainWindowShown = window().isVisible();
        box->close();
    });
    item("N32")->trigger();
    QVERIFY(aboutBox);
    QCOMPARE(aboutBox->objectName(), QStringLiteral("Form2"));
    QVERIFY(!mainWindowShown);
    QVERIFY(!window().isVisible());

    item("N30")->trigger();
    QVERIFY(window().isVisible());

    // "Выход" closes the main window, which writes the lists first.
    QFile::remove(m_fixture->folder.path(QStringLiteral("Lists/names.txt")));
    item("N33")->trigger();
    QVERIFY(!window().isVisible());
    QCOMPARE(m_fixture->folder.read(QStringLiteral("Lists/names.txt")), QByteArray("kotofeich\r\n"));
}

void TrayIconTest::restoresTheMainWindow_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("way");
    for (const QString &state : {QStringLiteral("hidden"), QStringLiteral("minimised"), QStringLiteral("shown")}) {
        for (const QString &way : {QStringLiteral("click"), QStringLiteral("double click"),
                                   QStringLiteral("Показать окно")})
            QTest::newRow(qPrintable(state + u' ' + way)) << state << way;
    }
}

void TrayIconTest::restoresTheMainWindow()
{
    QFETCH(QString, state);
    QFETCH(QString, way);
    if (state == QStringLiteral("hidden"))
        window().hideToTray();
    else if (state == QStringLiteral("minimised"))
        window().showMinimized();
    QCOMPARE(window().isVisible(), state != QStringLiteral("hidden"));
    QCOMPARE(window().isMinimized(), state == QStringLiteral("minimised"));

    if (way == QStringLiteral("Показать окно")) {
        item("N30")->trigger();
    } else {
        // A double click arrives as a click and then the double click.
        emit icon()->activated(QSystemTrayIcon::Trigger);
        if (way == QStringLiteral("double click"))
            emit icon()->activated(QSystemTrayIcon::DoubleClick);
    }
    QVERIFY(window().isVisible());
    QVERIFY(!window().isMinimized());
    QVERIFY(icon()->isVisible());
}

QTEST_MAIN(TrayIconTest)
#include "TrayIconTest.moc"
