#include "shell/TrayIcon.h"
#include "tests/support/ProgramFixture.h"

#include <QAction>
#include <QApplication>
#include <QDBusConnection>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QTest>
#include <QThread>

#include <csignal>
#include <memory>

namespace {

QWidget *visibleBalloon()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->inherits("QBalloonTip") && window->isVisible())
            return window;
    }
    return nullptr;
}

const QString minimiseNotice = QStringLiteral("Merovale Yarnspin! всё еще работает!");

QString output(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished();
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// Real input through the X server, as a user's.
void xdotool(const QStringList &arguments)
{
    QProcess::execute(QStringLiteral("xdotool"), arguments);
}

// What the window manager has made of a window: "Normal", "Iconic", or
// nothing once the window is withdrawn.
QString windowManagerState(WId window)
{
    const QRegularExpression state(QStringLiteral("window state: (\\w+)"));
    return state.match(output(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window),
                                                        QStringLiteral("WM_STATE")}))
        .captured(1);
}

WId inputFocus()
{
    return output(QStringLiteral("xdotool"), {QStringLiteral("getwindowfocus")}).trimmed().toULongLong();
}

WId activeWindow()
{
    const QRegularExpression id(QStringLiteral("# (0x[0-9a-f]+)"));
    return output(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_ACTIVE_WINDOW")})
        .split(u' ')
        .last()
        .trimmed()
        .toULongLong(nullptr, 16);
}

bool succeeds(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// Stands in for the desktop's notification service on the test's session bus.
class NotificationService : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QStringList received;

public slots:
    uint Notify(const QString &, uint, const QString &, const QString &summary, const QString &body,
                const QStringList &, const QVariantMap &, int)
    {
        received << summary + u'|' + body;
        return uint(received.size());
    }
};

} // namespace

// The tray as users meet it: a real window manager (openbox) on an X server
// of the test's own, with a real XEmbed tray host (trayer) or none, mouse
// and keys from outside the program, and a session bus of the test's own.
class TrayOnDesktopTest : public QObject
{
    Q_OBJECT

public:
    // Whether main() started the window manager, with the tools the test needs.
    explicit TrayOnDesktopTest(bool desktopReady)
        : m_desktopReady(desktopReady)
    {
    }

private slots:
    void initTestCase();
    void cleanup();
    void restoreAlwaysRestores_data();
    void restoreAlwaysRestores();
    void clickActsOnReleaseAndSparesTheBalloon();
    void withoutTrayHostTheWindowStaysOnTheTaskbar();

private:
    void startTrayHost();
    void stopTrayHost();
    // The program with the tray flag on and notices allowed.
    void startProgram();
    MainWindow &window() { return m_fixture->window(); }
    TrayIcon &tray() { return m_fixture->program->trayIcon(); }
    QSystemTrayIcon *icon() { return tray().findChild<QSystemTrayIcon *>(); }
    QPoint iconCentre() { return icon()->geometry().center(); }
    bool isShownAndActive();
    bool isBroughtBack();
    QString state();
    bool isInTray();
    void click(const QPoint &place, const QString &button = QStringLiteral("1"));
    void minimise(const QString &way);

    const bool m_desktopReady;
    QProcess m_trayHost;
    std::unique_ptr<ProgramFixture> m_fixture;
};

void TrayOnDesktopTest::initTestCase()
{
    if (!m_desktopReady)
        QSKIP("needs openbox, trayer, xdotool, wmctrl and xprop");
}

void TrayOnDesktopTest::cleanup()
{
    m_fixture.reset();
    stopTrayHost();
}

void TrayOnDesktopTest::startTrayHost()
{
    m_trayHost.start(QStringLiteral("trayer"), {QStringLiteral("--edge"), QStringLiteral("bottom"),
                                                QStringLiteral("--align"), QStringLiteral("right"),
                                                QStringLiteral("--width"), QStringLiteral("10")});
    QVERIFY(m_trayHost.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(TrayIcon::isHostPresent(), 5000);
}

void TrayOnDesktopTest::stopTrayHost()
{
    if (m_trayHost.state() == QProcess::NotRunning)
        return;
    ::kill(pid_t(m_trayHost.processId()), SIGCONT);
    m_trayHost.terminate();
    m_trayHost.waitForFinished();
}

void TrayOnDesktopTest::startProgram()
{
    m_fixture = std::make_unique<ProgramFixture>();
    m_fixture->folder.writeSettings("[option]\r\ncheck=1\r\n");
    m_fixture->folder.writeList(QStringLiteral("favourite.txt"), "");
    m_fixture->start();
    QVERIFY2(isBroughtBack(), qPrintable(state()));
    m_fixture->interaction.notices.clear();
}

// Shown in its normal state, the window manager's active window, with the
// keyboard's input focus.
bool TrayOnDesktopTest::isShownAndActive()
{
    return window().isVisible() && !window().isMinimized()
        && windowManagerState(window().winId()) == QStringLiteral("Normal") && activeWindow() == window().winId()
        && inputFocus() == window().winId();
}

// Shown and active within five seconds, and still so a moment later: a window
// mapped only for an instant is hidden again by then. The moment also keeps
// the next minimise from following at once, faster than any user: sent
// within a few milliseconds of the window's return, it is sometimes lost.
bool TrayOnDesktopTest::isBroughtBack()
{
    return QTest::qWaitFor([this] { return isShownAndActive(); }, 5000) && (QTest::qWait(200), isShownAndActive());
}

// The window as the program and the window manager see it, for failure messages.
QString TrayOnDesktopTest::state()
{
    return QStringLiteral(" (shown %1, minimised %2, window manager's state '%3', %4 the active window, %5 the "
                          "input focus)")
        .arg(window().isVisible()).arg(window().isMinimized())
        .arg(windowManagerState(window().winId()),
             activeWindow() == window().winId() ? QStringLiteral("is") : QStringLiteral("not"),
             inputFocus() == window().winId() ? QStringLiteral("has") : QStringLiteral("lacks"));
}

bool TrayOnDesktopTest::isInTray()
{
    return !window().isVisible() && windowManagerState(window().winId()).isEmpty();
}

void TrayOnDesktopTest::click(const QPoint &place, const QString &button)
{
    xdotool({QStringLiteral("mousemove"), QString::number(place.x()),
             QString::number(place.y()), QStringLiteral("click"), button});
}

void TrayOnDesktopTest::minimise(const QString &way)
{
    if (way == QStringLiteral("Ctrl+M"))
        xdotool({QStringLiteral("key"), QStringLiteral("ctrl+m")});
    else // What the window manager does for its minimise button.
        xdotool({QStringLiteral("windowminimize"), QString::number(window().winId())});
}

void TrayOnDesktopTest::restoreAlwaysRestores_data()
{
    QTest::addColumn<QString>("minimising");
    QTest::addColumn<QString>("restoring");
    for (const QString &minimising : {QStringLiteral("Ctrl+M"), QStringLiteral("minimise button")}) {
        for (const QString &restoring : {QStringLiteral("click"), QStringLiteral("double click"),
                                         QStringLiteral("Показать окно")})
            QTest::newRow(qPrintable(minimising + QStringLiteral(", ") + restoring)) << minimising << restoring;
    }
}

void TrayOnDesktopTest::restoreAlwaysRestores()
{
    QFETCH(QString, minimising);
    QFETCH(QString, restoring);
    startTrayHost();
    startProgram();
    QTRY_VERIFY_WITH_TIMEOUT(icon()->geometry().topLeft() != QPoint(0, 0), 5000);
    auto *menu = control<QMenu>(&window(), "PopupMenu1");
    QAction *showItem = control<QAction>(menu, "N30");

    constexpr int rounds = 20;
    for (int round = 1; round <= rounds; ++round) {
        const QString where = QStringLiteral("round %1").arg(round);
        minimise(minimising);
        QTRY_VERIFY2_WITH_TIMEOUT(isInTray(), qPrintable(where + QStringLiteral(": not hidden to the tray") + state()), 5000);
        if (restoring == QStringLiteral("Показать окно")) {
            click(iconCentre(), QStringLiteral("3"));
            QTRY_VERIFY2_WITH_TIMEOUT(menu->isVisible(), qPrintable(where + QStringLiteral(": no menu")), 5000);
            click(menu->mapToGlobal(menu->actionGeometry(showItem).center()));
        } else if (restoring == QStringLiteral("double click")) {
            xdotool({QStringLiteral("mousemove"), QString::number(iconCentre().x()),
                     QString::number(iconCentre().y()), QStringLiteral("click"), QStringLiteral("--repeat"),
                     QStringLiteral("2"), QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("1")});
        } else {
            click(iconCentre());
        }
        QVERIFY2(isBroughtBack(), qPrintable(where + QStringLiteral(": not brought back") + state()));
    }
    // One minimise notice for each "Свернуть в трей", none for the button.
    const QStringList expected(minimising == QStringLiteral("Ctrl+M") ? rounds : 0, minimiseNotice);
    QCOMPARE(m_fixture->interaction.noticeTitles(), expected);
    QVERIFY(m_fixture->interaction.shown.isEmpty());
}

void TrayOnDesktopTest::clickActsOnReleaseAndSparesTheBalloon()
{
    startTrayHost();
    startProgram();
    QTRY_VERIFY_WITH_TIMEOUT(icon()->geometry().topLeft() != QPoint(0, 0), 5000);
    QSignalSpy clicks(&tray(), &TrayIcon::clicked);

    // A notice's arrow points at the icon's centre, so part of the balloon covers the icon.
    xdotool({QStringLiteral("key"), QStringLiteral("ctrl+m")});
    QTRY_VERIFY2_WITH_TIMEOUT(isInTray(), qPrintable(state()), 5000);
    QVERIFY(tray().showBalloonNotice(minimiseNotice, QStringLiteral("Для возврата щелкните по ее значку в трее."), 10));
    QTRY_VERIFY_WITH_TIMEOUT(visibleBalloon(), 3000);
    xdotool({QStringLiteral("mousemove"), QString::number(iconCentre().x()),
             QString::number(iconCentre().y()), QStringLiteral("mousedown"), QStringLiteral("1")});
    QTest::qWait(300);
    QVERIFY(!window().isVisible());
    QVERIFY(visibleBalloon());
    xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
    QVERIFY2(isBroughtBack(), qPrintable(state()));
    QCOMPARE(clicks.size(), 1);
    QVERIFY(visibleBalloon());

    // A double click on the shown window's icon runs the command once.
    xdotool({QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"), QStringLiteral("--delay"),
             QStringLiteral("80"), QStringLiteral("1")});
    QTRY_COMPARE(clicks.size(), 2);
    QTest::qWait(300);
    QCOMPARE(clicks.size(), 2);
    QVERIFY(visibleBalloon());
    // Pressed on the icon and released away from it, the button does nothing.
    xdotool({QStringLiteral("mousedown"), QStringLiteral("1"), QStringLiteral("mousemove"), QStringLiteral("--sync"),
             QStringLiteral("100"), QStringLiteral("100"), QStringLiteral("mouseup"), QStringLiteral("1")});
    QTest::qWait(300);
    QCOMPARE(clicks.size(), 2);
}

void TrayOnDesktopTest::withoutTrayHostTheWindowStaysOnTheTaskbar()
{
    QVERIFY2(QDBusConnection::sessionBus().isConnected(), "the test needs a session bus of its own");
    QTRY_VERIFY_WITH_TIMEOUT(!TrayIcon::isHostPresent(), 5000);
    startProgram();
    NotificationService service;
    QDBusConnection serviceBus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("service"));
    QVERIFY(serviceBus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &service,
                                      QDBusConnection::ExportAllSlots));

    // Minimised with the tray flag on, the window stays on the taskbar, and
    // the minimise notice, which speaks of the tray icon, is not given.
    QVERIFY(serviceBus.registerService(QStringLiteral("org.freedesktop.Notifications")));
    xdotool({QStringLiteral("key"), QStringLiteral("ctrl+m")});
    QTRY_COMPARE_WITH_TIMEOUT(windowManagerState(window().winId()), QStringLiteral("Iconic"), 5000);
    QTest::qWait(500);
    QCOMPARE(windowManagerState(window().winId()), QStringLiteral("Iconic"));
    QVERIFY(window().isVisible());
    QProcess::execute(QStringLiteral("wmctrl"), {QStringLiteral("-a"), QStringLiteral("Merovale Yarnspin")});
    QVERIFY2(isBroughtBack(), qPrintable(state()));

    // Other notices go to the notification service, with their title and
    // text; without a service they are dropped without a word.
    QVERIFY(tray().showBalloonNotice(QStringLiteral("Избранное"), QStringLiteral("В Избранном хранятся\r\rтвиты."), 10));
    QTRY_COMPARE(service.received, QStringList{QStringLiteral("Избранное|В Избранном хранятся\n\nтвиты.")});
    QVERIFY(serviceBus.unregisterService(QStringLiteral("org.freedesktop.Notifications")));
    QVERIFY(tray().showBalloonNotice(QStringLiteral("Избранное"), QStringLiteral("В Избранном"), 10));
    QTest::qWait(300);
    QCOMPARE(service.received.size(), 1);
    QVERIFY(m_fixture->interaction.notices.isEmpty());
    QVERIFY(m_fixture->interaction.shown.isEmpty());

    // A tray host that comes later takes the window, as the flag says: the
    // flag that "Сохранить и закрыть" took, not the switch in the dialog.
    startTrayHost();
    QTRY_VERIFY_WITH_TIMEOUT(icon()->geometry().topLeft() != QPoint(0, 0), 5000);
    window().activateWindow();
    QVERIFY2(isBroughtBack(), qPrintable(state()));
    Settings &settings = m_fixture->core().settings();
    SettingsValues values = settings.values();
    values.minimizeToTray = false;
    settings.setValues(values);
    minimise(QStringLiteral("minimise button"));
    QTRY_VERIFY2_WITH_TIMEOUT(isInTray(), qPrintable(state()), 5000);
    click(iconCentre());
    QVERIFY2(isBroughtBack(), qPrintable(state()));
    settings.takeMinimizeToTrayFlag();
    minimise(QStringLiteral("minimise button"));
    QTRY_COMPARE_WITH_TIMEOUT(windowManagerState(window().winId()), QStringLiteral("Iconic"), 5000);
    QTest::qWait(300);
    QVERIFY(window().isVisible());
    click(iconCentre());
    QVERIFY2(isBroughtBack(), qPrintable(state()));

    // If the tray goes away while it holds the window, the window goes back
    // to the taskbar.
    values.minimizeToTray = true;
    settings.setValues(values);
    settings.takeMinimizeToTrayFlag();
    minimise(QStringLiteral("minimise button"));
    QTRY_VERIFY2_WITH_TIMEOUT(isInTray(), qPrintable(state()), 5000);
    stopTrayHost();
    QTRY_COMPARE_WITH_TIMEOUT(windowManagerState(window().winId()), QStringLiteral("Iconic"), 5000);
    QProcess::execute(QStringLiteral("wmctrl"), {QStringLiteral("-a"), QStringLiteral("Merovale Yarnspin")});
    QVERIFY2(isBroughtBack(), qPrintable(state()));
}

// The window manager runs before the program connects to the X server, as on
// a desktop: Qt learns at connection time what the window manager supports.
int main(int argc, char *argv[])
{
    QProcess windowManager;
    bool toolsThere = true;
    for (const char *tool : {"openbox", "trayer", "xdotool", "wmctrl", "xprop"})
        toolsThere = toolsThere && !QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty();
    bool managed = false;
    if (toolsThere) {
        windowManager.start(QStringLiteral("openbox"), {});
        for (int tries = 0; tries < 100 && !managed; ++tries) {
            managed = succeeds(QStringLiteral("wmctrl"), {QStringLiteral("-m")});
            QThread::msleep(100);
        }
    }
    int status = 0;
    {
        QApplication application(argc, argv);
        TrayOnDesktopTest test(managed);
        status = QTest::qExec(&test, argc, argv);
    }
    windowManager.terminate();
    windowManager.waitForFinished();
    return status;
}

#include "TrayOnDesktopTest.moc"
