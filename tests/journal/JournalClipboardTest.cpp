#include "journal/JournalTextArea.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

// Autogeneration's copies on a real X server, where the clipboard has an
// owner: a copy over the journal's own copy changes what a paste gets
// without a new offer, and once another program has taken the clipboard the
// next copy offers anew, so that no tweet is left out of it.
class JournalClipboardTest : public QObject
{
    Q_OBJECT

private slots:
    void copiesOverOwnCopyWhileTheClipboardIsOurs();
};

void JournalClipboardTest::copiesOverOwnCopyWhileTheClipboardIsOurs()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    JournalTextArea buffer;
    const auto copyTweet = [&buffer](const QString &tweet) {
        buffer.clear();
        buffer.appendLine(tweet);
        buffer.selectAll();
        buffer.copyOverOwnCopy();
    };

    copyTweet(QStringLiteral("первый"));
    QTRY_VERIFY(clipboard->ownsClipboard());
    // Read once, so that the text the copy made is what changes next.
    QCOMPARE(clipboard->text(), QStringLiteral("первый\r\n"));
    QSignalSpy offers(clipboard, &QClipboard::dataChanged);
    copyTweet(QStringLiteral("второй"));
    QCOMPARE(clipboard->text(), QStringLiteral("второй\r\n"));
    QCOMPARE(offers.count(), 0);

    // Another program copies something: the next tweet takes the clipboard back.
    Display *other = XOpenDisplay(nullptr);
    QVERIFY(other);
    const Window window = XCreateSimpleWindow(other, DefaultRootWindow(other), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(other, XInternAtom(other, "CLIPBOARD", False), window, CurrentTime);
    XSync(other, False);
    QTRY_VERIFY(!clipboard->ownsClipboard());
    copyTweet(QStringLiteral("третий"));
    QTRY_VERIFY(clipboard->ownsClipboard());
    QCOMPARE(clipboard->text(), QStringLiteral("третий\r\n"));
    XCloseDisplay(other);

    // At the end of a run the last copy is offered anew, for clipboard managers.
    offers.clear();
    buffer.reofferOwnCopy();
    QCOMPARE(offers.count(), 1);
    QCOMPARE(clipboard->text(), QStringLiteral("третий\r\n"));
}

QTEST_MAIN(JournalClipboardTest)
#include "JournalClipboardTest.moc"
