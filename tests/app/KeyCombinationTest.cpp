#include "app/KeyCombinationLookup.h"
#include "app/KeyCombinationRouter.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

// The menus resolve key combinations in menu order, first match wins, before
// the focused control sees the key.
class KeyCombinationTest : public QObject
{
    Q_OBJECT

private slots:
    void firstItemInMenuOrderWins();
    void routerRunsMenusBeforeTheFocusedControl();
    void otherWindowsOfferWhatTheirMenusLeave();
};

namespace {

QAction *add(QMenu *menu, const QString &name, const QKeySequence &key)
{
    QAction *action = menu->addAction(name);
    action->setObjectName(name);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetShortcut);
    return action;
}

} // namespace

void KeyCombinationTest::firstItemInMenuOrderWins()
{
    QMenuBar bar;
    QMenu *file = bar.addMenu(QStringLiteral("File"));
    QMenu *nested = file->addMenu(QStringLiteral("Nested"));
    add(nested, QStringLiteral("deep"), QKeySequence(Qt::Key_F3));
    add(file, QStringLiteral("quit"), QKeySequence(Qt::CTRL | Qt::Key_X));
    file->addSeparator();
    QMenu *edit = bar.addMenu(QStringLiteral("Edit"));
    add(edit, QStringLiteral("cut"), QKeySequence(Qt::CTRL | Qt::Key_X));
    add(edit, QStringLiteral("late"), QKeySequence(Qt::Key_F3));
    QAction *disabled = add(edit, QStringLiteral("off"), QKeySequence(Qt::Key_F4));
    disabled->setEnabled(false);

    auto found = [&](const QKeySequence &key) {
        QAction *action = KeyCombinationLookup::find(bar.actions(), key);
        return action ? action->objectName() : QString();
    };
    QCOMPARE(found(QKeySequence(Qt::CTRL | Qt::Key_X)), QStringLiteral("quit"));
    QCOMPARE(found(QKeySequence(Qt::Key_F3)), QStringLiteral("deep"));
    QCOMPARE(found(QKeySequence(Qt::Key_F4)), QStringLiteral("off"));
    QCOMPARE(found(QKeySequence(Qt::Key_F5)), QString());
    QCOMPARE(found(QKeySequence()), QString());
    QVERIFY(KeyCombinationLookup::combinationOf(Qt::Key_Control, Qt::ControlModifier).isEmpty());
    QCOMPARE(KeyCombinationLookup::combinationOf(Qt::Key_5, Qt::ControlModifier | Qt::KeypadModifier),
             QKeySequence(Qt::CTRL | Qt::Key_5));
}

void KeyCombinationTest::routerRunsMenusBeforeTheFocusedControl()
{
    QMainWindow window;
    auto *edit = new QLineEdit(&window);
    window.setCentralWidget(edit);
    QMenu *menu = window.menuBar()->addMenu(QStringLiteral("Edit"));
    QAction *selectAll = add(menu, QStringLiteral("selectAll"), QKeySequence(Qt::CTRL | Qt::Key_A));
    QAction *disabled = add(menu, QStringLiteral("off"), QKeySequence(Qt::Key_Z));
    disabled->setEnabled(false);
    KeyCombinationRouter router(&window, window.menuBar());
    qApp->installEventFilter(&router);
    window.show();
    edit->setFocus();
    edit->setText(QStringLiteral("abc"));
    QSignalSpy ran(selectAll, &QAction::triggered);

    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(ran.size(), 1);
    QVERIFY(!edit->hasSelectedText());
    // A disabled first match swallows the key: the line edit never sees "z".
    QTest::keyClick(edit, Qt::Key_Z);
    QCOMPARE(edit->text(), QStringLiteral("abc"));
    QTest::keyClick(edit, Qt::Key_Y);
    QCOMPARE(edit->text(), QStringLiteral("abcy"));
    qApp->removeEventFilter(&router);
}

void KeyCombinationTest::otherWindowsOfferWhatTheirMenusLeave()
{
    QMainWindow main;
    QMenu *mainMenu = main.menuBar()->addMenu(QStringLiteral("Main"));
    QAction *compose = add(mainMenu, QStringLiteral("compose"), QKeySequence(Qt::Key_F2));
    QAction *quit = add(mainMenu, QStringLiteral("quit"), QKeySequence(Qt::CTRL | Qt::Key_X));
    QMainWindow other;
    auto *edit = new QLineEdit(&other);
    other.setCentralWidget(edit);
    QMenu *otherMenu = other.menuBar()->addMenu(QStringLiteral("Other"));
    QAction *cut = add(otherMenu, QStringLiteral("cut"), QKeySequence(Qt::CTRL | Qt::Key_X));
    QMainWindow stranger;
    auto *strangerEdit = new QLineEdit(&stranger);
    stranger.setCentralWidget(strangerEdit);

    KeyCombinationRouter router(&main, main.menuBar());
    router.addWindow(&other, {other.menuBar()});
    qApp->installEventFilter(&router);
    QSignalSpy composed(compose, &QAction::triggered);
    QSignalSpy quitted(quit, &QAction::triggered);
    QSignalSpy cutted(cut, &QAction::triggered);

    QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_F2);
    QCOMPARE(cutted.size(), 1);
    QCOMPARE(quitted.size(), 0);
    QCOMPARE(composed.size(), 1);
    // A window the router does not know keeps its keys.
    QTest::keyClick(strangerEdit, Qt::Key_F2);
    QCOMPARE(composed.size(), 1);
    // While the main window is disabled by a modal dialog, nothing is offered to it.
    main.setEnabled(false);
    QTest::keyClick(edit, Qt::Key_F2);
    QCOMPARE(composed.size(), 1);
    qApp->removeEventFilter(&router);
}

QTEST_MAIN(KeyCombinationTest)
#include "KeyCombinationTest.moc"
