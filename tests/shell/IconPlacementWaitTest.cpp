#include "shell/IconPlacementWait.h"

#include <QElapsedTimer>
#include <QTest>

class IconPlacementWaitTest : public QObject
{
    Q_OBJECT

private slots:
    void runsWhenPlaced_data();
    void runsWhenPlaced();
    void newerRequestReplacesWaitingOne();
    void afterRunningOutLaterRequestsRunAtOnce();
};

void IconPlacementWaitTest::runsWhenPlaced_data()
{
    QTest::addColumn<int>("placedAfterMs"); // -1: never
    QTest::addColumn<int>("earliestMs");
    QTest::addColumn<int>("latestMs");
    QTest::newRow("already placed: at once") << 0 << 0 << 0;
    QTest::newRow("placed after 300 ms") << 300 << 300 << 600;
    QTest::newRow("never placed: at one second") << -1 << 1000 << 1300;
}

void IconPlacementWaitTest::runsWhenPlaced()
{
    QFETCH(int, placedAfterMs);
    QFETCH(int, earliestMs);
    QFETCH(int, latestMs);
    QElapsedTimer clock;
    clock.start();
    IconPlacementWait wait([&] {
        const bool placed = placedAfterMs >= 0 && clock.elapsed() >= placedAfterMs;
        return placed ? QRect(1200, 1000, 24, 24) : QRect(0, 0, 22, 22);
    });
    qint64 ranAt = -1;
    wait.run([&] { ranAt = clock.elapsed(); });
    if (placedAfterMs == 0)
        QVERIFY(ranAt >= 0); // ran inside run()
    QTRY_VERIFY_WITH_TIMEOUT(ranAt >= 0, 2000);
    QVERIFY2(ranAt >= earliestMs && ranAt <= latestMs, qPrintable(QString::number(ranAt)));
    QVERIFY(!wait.isWaiting());
}

void IconPlacementWaitTest::newerRequestReplacesWaitingOne()
{
    bool placed = false;
    IconPlacementWait wait([&] { return placed ? QRect(40, 0, 16, 16) : QRect(); });
    QStringList ran;
    wait.run([&] { ran.append(QStringLiteral("first")); });
    wait.run([&] { ran.append(QStringLiteral("second")); });
    placed = true;
    QTRY_VERIFY(!wait.isWaiting());
    QTest::qWait(2 * IconPlacementWait::pollIntervalMs);
    QCOMPARE(ran, QStringList{QStringLiteral("second")});
}

void IconPlacementWaitTest::afterRunningOutLaterRequestsRunAtOnce()
{
    IconPlacementWait wait([] { return QRect(); });
    int runs = 0;
    wait.run([&] { ++runs; });
    QTRY_COMPARE_WITH_TIMEOUT(runs, 1, 2000);
    wait.run([&] { ++runs; });
    QCOMPARE(runs, 2);
}

QTEST_MAIN(IconPlacementWaitTest)
#include "IconPlacementWaitTest.moc"
