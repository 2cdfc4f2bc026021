#include "ui/InputBox.h"
#include "ui/QtTranslations.h"

#include "../support/ModalWindows.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using ModalWindows::whenModalShown;

namespace {

QStringList buttonTexts(QWidget *window)
{
    QStringList texts;
    for (const QPushButton *button : window->findChildren<QPushButton *>())
        texts.append(button->text());
    return texts;
}

} // namespace

class QtTranslationsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void messageBoxButtons();
    void overwriteQuestion();
    void printDialog();
    void inputBoxKeepsItsOwnCaptions();
};

void QtTranslationsTest::initTestCase()
{
    const QString catalogue = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_ru.qm");
    if (!QFile::exists(catalogue))
        QSKIP(qPrintable(catalogue + QStringLiteral(" is missing: install qt6-translations-l10n")));
    QVERIFY(QtTranslations::install(*qApp));
}

void QtTranslationsTest::messageBoxButtons()
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Merovale Yarn"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Да"));
    QCOMPARE(box.button(QMessageBox::No)->text(), QStringLiteral("&Нет"));
    QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Отмена"));
}

void QtTranslationsTest::overwriteQuestion()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("твиты.yrn"));
    QFile existing(path);
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.close();

    QFileDialog dialog(nullptr, QStringLiteral("Сохранить"), folder.path());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(path);
    dialog.show();

    QString question;
    QStringList buttons;
    whenModalShown([&](QWidget *box) {
        if (auto *messageBox = qobject_cast<QMessageBox *>(box)) {
            question = messageBox->text();
            buttons = buttonTexts(messageBox);
        }
        box->close();
    });
    // The save button's click, which asks before replacing.
    QMetaObject::invokeMethod(&dialog, "accept");

    QVERIFY2(question.contains(QStringLiteral("уже существует")), qPrintable(question));
    QVERIFY2(buttons.contains(QStringLiteral("&Да")), qPrintable(buttons.join(u'|')));
    QVERIFY(buttonTexts(&dialog).contains(QStringLiteral("Отмена")));
}

void QtTranslationsTest::printDialog()
{
    QPrinter printer;
    QPrintDialog dialog(&printer);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Печать"));
    QVERIFY2(buttonTexts(&dialog).contains(QStringLiteral("&Печать")), qPrintable(buttonTexts(&dialog).join(u'|')));
}

void QtTranslationsTest::inputBoxKeepsItsOwnCaptions()
{
    QStringList buttons;
    whenModalShown([&](QWidget *box) {
        buttons = buttonTexts(box);
        box->close();
    });
    InputBox::ask(nullptr, QStringLiteral("Новое место"), QStringLiteral("Введите место"));
    buttons.sort();
    QCOMPARE(buttons, (QStringList{QStringLiteral("Cancel"), QStringLiteral("OK")}));
}

QTEST_MAIN(QtTranslationsTest)
#include "QtTranslationsTest.moc"
