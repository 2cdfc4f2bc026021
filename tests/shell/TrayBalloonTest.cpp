#include "shell/TrayIcon.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>

#include <csignal>

namespace {

QWidget *visibleBalloon()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->inherits("QBalloonTip") && window->isVisible())
            return window;
    }
    return nullptr;
}

} // namespace

// On a real X server with a tray host: a notice asked for right after the
// icon is created, before the host has embedded it, appears beside the icon.
class TrayBalloonTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void firstNoticeAppearsAtTheIcon();

private:
    QProcess m_trayHost;
};

void TrayBalloonTest::initTestCase()
{
    const QString trayer = QStandardPaths::findExecutable(QStringLiteral("trayer"));
    if (trayer.isEmpty())
        QSKIP("no tray host: install trayer");
    m_trayHost.start(trayer, {QStringLiteral("--edge"), QStringLiteral("bottom"), QStringLiteral("--align"),
                              QStringLiteral("right"), QStringLiteral("--width"), QStringLiteral("10")});
    QVERIFY(m_trayHost.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), 5000);
}

void TrayBalloonTest::cleanupTestCase()
{
    if (m_trayHost.state() != QProcess::NotRunning) {
        ::kill(pid_t(m_trayHost.processId()), SIGCONT);
        m_trayHost.terminate();
        m_trayHost.waitForFinished();
    }
}

void TrayBalloonTest::firstNoticeAppearsAtTheIcon()
{
    // The host is held still while the icon appears, so the notice is surely
    // asked for before the icon has its place; it goes on after 300 ms.
    const pid_t host = pid_t(m_trayHost.processId());
    QVERIFY(::kill(host, SIGSTOP) == 0);
    QTimer::singleShot(300, this, [host] { ::kill(host, SIGCONT); });
    QElapsedTimer clock;
    clock.start();
    TrayIcon tray;
    QVERIFY(tray.showBalloonNotice(QStringLiteral("Merovale Yarnspin приветствует вас"),
                                   QStringLiteral("Merovale Yarnspin сочиняет твиты!"), 10));

    QTRY_VERIFY_WITH_TIMEOUT(visibleBalloon(), 3000);
    QVERIFY2(clock.elapsed() <= 1300, qPrintable(QString::number(clock.elapsed())));
    // Qt moves a balloon after its icon, so where it first appears is what counts.
    const QRect balloon = visibleBalloon()->frameGeometry();
    // Before the host embeds it, the icon reports itself at the screen's origin.
    const QSystemTrayIcon *trayIcon = tray.findChild<QSystemTrayIcon *>();
    QTRY_VERIFY_WITH_TIMEOUT(trayIcon->geometry().topLeft() != QPoint(0, 0), 3000);
    const QRect icon = trayIcon->geometry();
    // The balloon's arrow points at the icon's centre, at its edge.
    QVERIFY2(balloon.adjusted(-icon.width(), -icon.height(), icon.width(), icon.height()).contains(icon.center()),
             qPrintable(QStringLiteral("balloon %1,%2 %3x%4, icon at %5,%6")
                            .arg(balloon.x()).arg(balloon.y()).arg(balloon.width()).arg(balloon.height())
                            .arg(icon.center().x()).arg(icon.center().y())));
}

QTEST_MAIN(TrayBalloonTest)
#include "TrayBalloonTest.moc"
