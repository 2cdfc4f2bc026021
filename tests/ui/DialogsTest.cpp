#include "base/AppError.h"
#include "ui/DesktopInteraction.h"
#include "ui/EventGuard.h"
#include "ui/FileDialogs.h"
#include "ui/InputBox.h"
#include "tests/support/HostileText.h"
#include "tests/support/ModalWindows.h"
#include "tests/support/RecordedInteraction.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

enum class Finish { Enter, Escape, OkButton, CancelButton, CloseWindow };

QPushButton *buttonCaptioned(QWidget *box, const QString &caption)
{
    for (QPushButton *button : box->findChildren<QPushButton *>())
        if (button->text() == caption)
            return button;
    return nullptr;
}

// QTest::keyClicks takes Latin-1 only; names here are Cyrillic. A surrogate
// pair is one key's text.
void typeText(QWidget *widget, const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text.mid(i, length), Qt::NoModifier);
        i += length - 1;
    }
}

} // namespace

using ModalWindows::whenModalShown;

Q_DECLARE_METATYPE(Finish)

class DialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void inputBoxResult_data();
    void inputBoxResult();

    void saveDialogAddsDefaultSuffix();
    void plainMessageCentredOnScreen();
    void guardShowsTheErrorBox_data();
    void guardShowsTheErrorBox();
    void boxesShowTextAsWritten_data();
    void boxesShowTextAsWritten();
};

void DialogsTest::inputBoxResult_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Finish>("finish");
    QTest::addColumn<std::optional<QString>>("expected");

    const QString name = QStringLiteral("Ипполит");
    QTest::newRow("Enter confirms") << name << Finish::Enter << std::optional<QString>(name);
    QTest::newRow("OK confirms") << name << Finish::OkButton << std::optional<QString>(name);
    QTest::newRow("empty OK is an empty entry") << QString() << Finish::Enter << std::optional<QString>(QString());
    QTest::newRow("Escape cancels") << name << Finish::Escape << std::optional<QString>();
    QTest::newRow("Cancel cancels") << name << Finish::CancelButton << std::optional<QString>();
    QTest::newRow("closing cancels") << name << Finish::CloseWindow << std::optional<QString>();
    QTest::newRow("what the lists cannot hold enters as \"?\"")
        << QStringLiteral("Ёж中\u200b😀.") << Finish::Enter << std::optional<QString>(QStringLiteral("Ёж???."));
    QTest::newRow("typing stops at 255 characters")
        << QString(300, QChar(u'я')) << Finish::Enter << std::optional<QString>(QString(255, QChar(u'я')));
}

void DialogsTest::inputBoxResult()
{
    QFETCH(QString, typed);
    QFETCH(Finish, finish);
    QFETCH(std::optional<QString>, expected);

    // The longest caption and prompt of the additions.
    const QString boxCaption = QStringLiteral("Новое название для твита");
    const QString prompt = QStringLiteral("Например, постирать кошку Котофеича");
    bool startedEmpty = false;
    QString caption;
    QStringList labels;
    bool promptOnOneLine = false;
    int spareTitleWidth = 0;
    whenModalShown([&](QWidget *box) {
        auto *field = box->findChild<QLineEdit *>();
        startedEmpty = field->text().isEmpty();
        caption = box->windowTitle();
        for (const QLabel *label : box->findChildren<QLabel *>()) {
            labels.append(label->text());
            if (label->text() == prompt)
                promptOnOneLine = label->height() < 2 * label->fontMetrics().lineSpacing();
        }
        // A title bar shows the caption in bold beside the window's buttons.
        QFont titleFont = box->font();
        titleFont.setBold(true);
        spareTitleWidth = box->width() - QFontMetrics(titleFont).horizontalAdvance(caption);
        typeText(field, typed);
        switch (finish) {
        case Finish::Enter:
            QTest::keyClick(field, Qt::Key_Return);
            break;
        case Finish::Escape:
            QTest::keyClick(field, Qt::Key_Escape);
            break;
        case Finish::OkButton:
            QTest::mouseClick(buttonCaptioned(box, QStringLiteral("OK")), Qt::LeftButton);
            break;
        case Finish::CancelButton:
            QTest::mouseClick(buttonCaptioned(box, QStringLiteral("Cancel")), Qt::LeftButton);
            break;
        case Finish::CloseWindow:
            box->close();
            break;
        }
    });
    const std::optional<QString> answer = InputBox::ask(nullptr, boxCaption, prompt);
    QVERIFY(startedEmpty);
    QCOMPARE(caption, boxCaption);
    QVERIFY(labels.contains(prompt));
    QVERIFY(promptOnOneLine);
    QVERIFY2(spareTitleWidth >= 120, qPrintable(QString::number(spareTitleWidth)));
    QCOMPARE(answer, expected);
}

void DialogsTest::saveDialogAddsDefaultSuffix()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    whenModalShown([](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        QVERIFY(dialog);
        QCOMPARE(dialog->nameFilters(), QStringList{QStringLiteral("Текстовые файлы (*.txt)")});
        auto *nameField = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(nameField);
        QTest::keyClicks(nameField, QStringLiteral("journal"));
        QTest::keyClick(nameField, Qt::Key_Return);
    });
    const QString chosen = FileDialogs::saveFile(nullptr, QStringLiteral("Сохранить"),
                                                 {QStringLiteral("Текстовые файлы (*.txt)")},
                                                 QStringLiteral("txt"), folder.path());
    QCOMPARE(chosen, folder.filePath(QStringLiteral("journal.txt")));
}

void DialogsTest::plainMessageCentredOnScreen()
{
    // An active window in the screen's corner: the message must not sit over it.
    QWidget window;
    window.setGeometry(10, 10, 300, 200);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const QPoint screenCentre = window.screen()->availableGeometry().center();

    QRect shownAt;
    bool hasOwner = true;
    whenModalShown([&](QWidget *box) {
        shownAt = box->frameGeometry();
        hasOwner = box->parentWidget() != nullptr;
        box->close();
    });
    DesktopInteraction({}).showMessage(QStringLiteral("Список пуст"));

    QVERIFY(!hasOwner);
    QVERIFY2((shownAt.center() - screenCentre).manhattanLength() <= 2,
             qPrintable(QStringLiteral("box at %1,%2 %3x%4")
                            .arg(shownAt.x()).arg(shownAt.y()).arg(shownAt.width()).arg(shownAt.height())));
}

void DialogsTest::guardShowsTheErrorBox_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("a full stop is added") << "Stream write error" << "Stream write error.";
    QTest::newRow("one full stop, never two") << "Файл не найден." << "Файл не найден.";
    QTest::newRow("after a character sorting above it") << "Что?" << "Что?.";
    QTest::newRow("not after one sorting below it") << "(скобка)" << "(скобка)";
    QTest::newRow("nothing to end") << "" << "";
}

void DialogsTest::guardShowsTheErrorBox()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    RecordedInteraction interaction;
    QVERIFY(!EventGuard::run(interaction, [&] { throw AppError(message); }));
    QVERIFY(EventGuard::run(interaction, [] {}));
    QCOMPARE(interaction.shown.size(), 1);
    QCOMPARE(interaction.shown[0].kind, RecordedInteraction::Shown::Kind::Error);
    QCOMPARE(interaction.shown[0].caption, QStringLiteral("Merovale Yarn"));
    QCOMPARE(interaction.shown[0].text, shown);
}

void DialogsTest::boxesShowTextAsWritten_data()
{
    HostileText::addRows();
}

// Paths, entries and characters reach the boxes in error messages and
// questions: they show as written and never make the box read a file.
void DialogsTest::boxesShowTextAsWritten()
{
    QFETCH(QString, text);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const HostileText::FifoWatch fifo(folder.filePath(QStringLiteral("fifo")));
    const QString message = fifo.in(text);
    DesktopInteraction interaction({});
    QStringList faults;
    QString expected;
    const auto inspect = [&](QWidget *box) {
        auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        // Measured on one line: how a long text wraps depends on the screen.
        label->setWordWrap(false);
        const QString fault = HostileText::shownAsWritten(*label, expected);
        if (!fault.isEmpty())
            faults << fault;
        box->close();
    };
    expected = Interaction::errorText(message);
    whenModalShown(inspect);
    EventGuard::run(interaction, [&] { throw AppError(message); });
    expected = message;
    whenModalShown(inspect);
    interaction.askYesNo(message);
    QVERIFY2(!fifo.opened(), "a box read the file the text names");
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
