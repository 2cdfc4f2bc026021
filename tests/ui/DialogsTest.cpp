#include "ui/FileDialogs.h"
#include "ui/InputBox.h"
#include "ui/MessageBoxes.h"

#include "../support/ModalWindows.h"

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

// QTest::keyClicks takes Latin-1 only; names here are Cyrillic.
void typeText(QWidget *widget, const QString &text)
{
    for (const QChar character : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(character), Qt::NoModifier);
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
    void inputBoxTestingAnswer();

    void saveDialogAddsDefaultSuffix();
    void fileDialogTestingHook();
    void plainMessageCentredOnScreen();
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
    QTest::newRow("typing stops at 255 characters")
        << QString(300, QChar(u'я')) << Finish::Enter << std::optional<QString>(QString(255, QChar(u'я')));
}

void DialogsTest::inputBoxResult()
{
    QFETCH(QString, typed);
    QFETCH(Finish, finish);
    QFETCH(std::optional<QString>, expected);

    bool startedEmpty = false;
    QString caption;
    QStringList labels;
    whenModalShown([&](QWidget *box) {
        auto *field = box->findChild<QLineEdit *>();
        startedEmpty = field->text().isEmpty();
        caption = box->windowTitle();
        for (const QLabel *label : box->findChildren<QLabel *>())
            labels.append(label->text());
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
    const std::optional<QString> answer = InputBox::ask(nullptr, QStringLiteral("Добавить имя"), QStringLiteral("Имя:"));
    QVERIFY(startedEmpty);
    QCOMPARE(caption, QStringLiteral("Добавить имя"));
    QVERIFY(labels.contains(QStringLiteral("Имя:")));
    QCOMPARE(answer, expected);
}

void DialogsTest::inputBoxTestingAnswer()
{
    QString seenCaption;
    QString seenPrompt;
    InputBox::setAnswerForTesting([&](const QString &caption, const QString &prompt) {
        seenCaption = caption;
        seenPrompt = prompt;
        return std::optional<QString>(QStringLiteral("в подвале"));
    });
    const auto answer = InputBox::ask(nullptr, QStringLiteral("Место"), QStringLiteral("Где?"));
    InputBox::setAnswerForTesting({});
    QCOMPARE(answer, std::optional<QString>(QStringLiteral("в подвале")));
    QCOMPARE(seenCaption, QStringLiteral("Место"));
    QCOMPARE(seenPrompt, QStringLiteral("Где?"));
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

void DialogsTest::fileDialogTestingHook()
{
    QStringList titles;
    FileDialogs::setNextResultForTesting([&](const QString &title) {
        titles.append(title);
        return title == QStringLiteral("Открыть") ? QString() : QStringLiteral("/tmp/x.txt");
    });
    const QString opened = FileDialogs::openFile(nullptr, QStringLiteral("Открыть"), {});
    const QString saved = FileDialogs::saveFile(nullptr, QStringLiteral("Сохранить"), {}, QStringLiteral("txt"));
    FileDialogs::setNextResultForTesting({});
    QCOMPARE(opened, QString());
    QCOMPARE(saved, QStringLiteral("/tmp/x.txt"));
    QCOMPARE(titles, (QStringList{QStringLiteral("Открыть"), QStringLiteral("Сохранить")}));
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
    MessageBoxes::showMessage(QStringLiteral("Список пуст"));

    QVERIFY(!hasOwner);
    QVERIFY2((shownAt.center() - screenCentre).manhattanLength() <= 2,
             qPrintable(QStringLiteral("box at %1,%2 %3x%4")
                            .arg(shownAt.x()).arg(shownAt.y()).arg(shownAt.width()).arg(shownAt.height())));
}

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
