#include "base/FileIO.h"
#include "settings/Settings.h"
#include "settings/SettingsDialog.h"
#include "settings/SettingsFile.h"
#include "ui/HoverLinkLabel.h"
#include "tests/support/Controls.h"
#include "tests/support/OrdinaryUser.h"
#include "tests/support/RecordedInteraction.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// The dialog over settings read from a file, as the program makes it.
struct DialogOver
{
    Settings settings;
    SettingsDialog dialog;

    DialogOver(const QString &settingsFile, Interaction &interaction)
        : settings(settingsFile)
        , dialog(settings, interaction, QStringLiteral("https://twitter.com/"))
    {
    }
};

} // namespace

// The settings dialog: its controls, which the live settings follow, saving
// on every way of closing, a refused close when the file cannot be written,
// and the tray flag that only "Сохранить и закрыть" updates.
class SettingsDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void controlsStartWithTheDefaults();
    void tabOrder();
    void bothModesOffUntilAClick();
    void everyCloseSaves_data();
    void everyCloseSaves();
    void accountTakesWhatTheFileCanHold();
    void escapeEndsTheModalLoopAndSaves();
    void failedCloseKeepsTheDialogOpenUntilARetry();
    void neverShownNeverWrites();
    void unwritableFileNeverTrapsTheUser();

private:
    void closeWithUnwritableFile(const QString &path);
    QString configFolder() const { return m_folder->filePath(QStringLiteral("Config files")); }
    QString settingsPath() const { return configFolder() + QStringLiteral("/yarnconfig.ini"); }

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<RecordedInteraction> m_interaction;
};

void SettingsDialogTest::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("Config files")));
    m_interaction = std::make_unique<RecordedInteraction>();
}

void SettingsDialogTest::cleanup()
{
    m_interaction.reset();
    m_folder.reset();
}

void SettingsDialogTest::controlsStartWithTheDefaults()
{
    DialogOver made(settingsPath(), *m_interaction);
    SettingsDialog &dialog = made.dialog;
    QVERIFY(made.settings.values() == SettingsValues());
    QVERIFY(!made.settings.minimizeToTrayFlag());
    QCOMPARE(dialog.size(), QSize(366, 394));

    // Every control is laid out inside the fixed client area, captions unclipped.
    dialog.show();
    for (const char *name : {"twitter", "justname", "Edit1", "CB2", "CheckBox3", "CheckBox1", "CheckBox2",
                             "XPHoverLabel2"}) {
        QWidget *widget = control(&dialog, name);
        const QRect area(widget->mapTo(&dialog, QPoint(0, 0)), widget->size());
        QVERIFY2(dialog.rect().contains(area), name);
        QVERIFY2(widget->height() >= widget->heightForWidth(widget->width()), name);
    }
}

void SettingsDialogTest::tabOrder()
{
    DialogOver made(settingsPath(), *m_interaction);
    SettingsDialog &dialog = made.dialog;
    dialog.show();
    QList<QWidget *> expected;
    for (const char *name : {"CB2", "CheckBox1", "CheckBox2", "CheckBox3", "Edit1", "twitter", "justname"})
        expected.append(control(&dialog, name));
    QList<QWidget *> visited;
    QWidget *widget = expected.first();
    do {
        if (widget->focusPolicy() & Qt::TabFocus)
            visited.append(widget);
        widget = widget->nextInFocusChain();
    } while (widget != expected.first());
    QCOMPARE(visited, expected);
}

void SettingsDialogTest::bothModesOffUntilAClick()
{
    FileIO::writeWholeFile(settingsPath(), "[option]\r\ntwiname=0\r\njustname=0\r\n");
    DialogOver made(settingsPath(), *m_interaction);
    SettingsDialog &dialog = made.dialog;
    dialog.show();
    auto *account = control<QRadioButton>(&dialog, "twitter");
    auto *plainName = control<QRadioButton>(&dialog, "justname");
    QVERIFY(!account->isChecked() && !plainName->isChecked());
    QVERIFY(!made.settings.compositionMode());
    QTest::mouseClick(plainName, Qt::LeftButton);
    QCOMPARE(made.settings.compositionMode(), CompositionMode::PlainName);
    QTest::mouseClick(account, Qt::LeftButton);
    QVERIFY(account->isChecked() && !plainName->isChecked());
    QCOMPARE(made.settings.compositionMode(), CompositionMode::Account);
}

void SettingsDialogTest::everyCloseSaves_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("flagFollows");
    QTest::newRow("title bar") << QStringLiteral("close") << false;
    QTest::newRow("Escape") << QStringLiteral("escape") << false;
    QTest::newRow("Сохранить и закрыть") << QStringLiteral("link") << true;
}

void SettingsDialogTest::everyCloseSaves()
{
    QFETCH(QString, way);
    QFETCH(bool, flagFollows);

    FileIO::writeWholeFile(settingsPath(), "[option]\r\ncheck=5\r\nmine=kept\r\n");
    DialogOver made(settingsPath(), *m_interaction);
    SettingsDialog &dialog = made.dialog;
    QVERIFY(made.settings.minimizeToTrayFlag());
    dialog.show();
    QCOMPARE(dialog.focusWidget(), control<QLineEdit>(&dialog, "Edit1"));
    control<QLineEdit>(&dialog, "Edit1")->setText(QStringLiteral(" @Квенби "));
    control<QCheckBox>(&dialog, "CB2")->setChecked(false);

    if (way == QStringLiteral("close"))
        dialog.close();
    else if (way == QStringLiteral("escape"))
        QTest::keyClick(control<QLineEdit>(&dialog, "Edit1"), Qt::Key_Escape);
    else
        QTest::mouseClick(control<HoverLinkLabel>(&dialog, "XPHoverLabel2"), Qt::LeftButton);

    QVERIFY(!dialog.isVisible());
    QVERIFY(m_interaction->shown.isEmpty());
    QCOMPARE(FileIO::readWholeFile(settingsPath()),
             QByteArray("[option]\r\ncheck=0\r\nmine=kept\r\naddress= @\xca\xe2\xe5\xed\xe1\xe8 \r\ncheck3=1\r\n"
                        "check4=1\r\ncheck2=0\r\ntwiname=1\r\njustname=0\r\n"));
    QCOMPARE(made.settings.minimizeToTrayFlag(), !flagFollows);
    // The controls keep their states for the next opening.
    QCOMPARE(control<QLineEdit>(&dialog, "Edit1")->text(), QStringLiteral(" @Квенби "));
    QCOMPARE(made.settings.ownAccount(), QStringLiteral(" @Квенби "));
}

void SettingsDialogTest::accountTakesWhatTheFileCanHold()
{
    DialogOver made(settingsPath(), *m_interaction);
    SettingsDialog &dialog = made.dialog;
    dialog.show();
    auto *account = control<QLineEdit>(&dialog, "Edit1");
    account->setText(QStringLiteral("x"));
    account->setCursorPosition(0);
    QApplication::clipboard()->setText(QStringLiteral("@Квенби\u200b😀中"));
    account->paste();
    QCOMPARE(account->text(), QStringLiteral("@Квенби???x"));
    QCOMPARE(account->cursorPosition(), 10);
    QCOMPARE(made.settings.ownAccount(), QStringLiteral("@Квенби???x"));
    dialog.close();
    QVERIFY(m_interaction->shown.isEmpty());
    QVERIFY(FileIO::readWholeFile(settingsPath()).contains("\r\naddress=@\xca\xe2\xe5\xed\xe1\xe8???x\r\n"));
}

void SettingsDialogTest::escapeEndsTheModalLoopAndSaves()
{
    DialogOver made(settingsPath(), *m_interaction);
    SettingsDialog &dialog = made.dialog;
    bool stuck = false;
    QTimer::singleShot(0, &dialog, [&] { QTest::keyClick(control<QLineEdit>(&dialog, "Edit1"), Qt::Key_Escape); });
    QTimer::singleShot(5000, &dialog, [&] {
        stuck = true;
        dialog.done(QDialog::Rejected);
    });
    dialog.exec();
    QVERIFY(!stuck);
    QVERIFY(QFileInfo::exists(settingsPath()));
}

void SettingsDialogTest::failedCloseKeepsTheDialogOpenUntilARetry()
{
    QVERIFY(QDir(configFolder()).removeRecursively());
    DialogOver made(settingsPath(), *m_interaction);
    SettingsDialog &dialog = made.dialog;
    dialog.show();
    control<QCheckBox>(&dialog, "CB2")->setChecked(true);
    QTest::mouseClick(control<HoverLinkLabel>(&dialog, "XPHoverLabel2"), Qt::LeftButton);

    QVERIFY(dialog.isVisible());
    QVERIFY(made.settings.minimizeToTrayFlag());
    QCOMPARE(m_interaction->shown.size(), 2);
    QCOMPARE(m_interaction->shown[0].kind, RecordedInteraction::Shown::Kind::Error);
    QVERIFY2(m_interaction->shown[0].text.startsWith(
                 QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(settingsPath()))),
             qPrintable(m_interaction->shown[0].text));
    QVERIFY(!QFileInfo::exists(configFolder()));

    QTest::keyClick(control<QLineEdit>(&dialog, "Edit1"), Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QCOMPARE(m_interaction->shown.size(), 4);

    QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("Config files")));
    dialog.close();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(m_interaction->shown.size(), 4);
    QVERIFY(SettingsFile::load(settingsPath()).minimizeToTray);
}

void SettingsDialogTest::neverShownNeverWrites()
{
    {
        DialogOver first(settingsPath(), *m_interaction);
        DialogOver second(settingsPath(), *m_interaction);
        second.dialog.close();
    }
    QVERIFY(QDir(configFolder()).isEmpty());
}

void SettingsDialogTest::unwritableFileNeverTrapsTheUser()
{
    const QString handedOver = OrdinaryUser::handedOverPath();
    if (!handedOver.isEmpty()) {
        closeWithUnwritableFile(handedOver);
        return;
    }
    const QString path = settingsPath();
    FileIO::writeWholeFile(path, "[option]\r\ncheck=5\r\n");
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadOther));
    QVERIFY(OrdinaryUser::openToEveryone(m_folder->path()));
    QVERIFY(OrdinaryUser::openToEveryone(configFolder()));
    const QString failure = OrdinaryUser::verify("unwritableFileNeverTrapsTheUser", path, m_folder->path(),
                                                 [&] { closeWithUnwritableFile(path); });
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QCOMPARE(FileIO::readWholeFile(path), QByteArray("[option]\r\ncheck=5\r\n"));
}

void SettingsDialogTest::closeWithUnwritableFile(const QString &path)
{
    DialogOver made(path, *m_interaction);
    SettingsDialog &dialog = made.dialog;
    dialog.show();
    control<QCheckBox>(&dialog, "CB2")->setChecked(false);

    // No keeps the dialog open for a retry, Escape and title bar alike.
    dialog.close();
    QTest::keyClick(control<QLineEdit>(&dialog, "Edit1"), Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QCOMPARE(m_interaction->shown.size(), 4);
    QCOMPARE(m_interaction->shown[0].kind, RecordedInteraction::Shown::Kind::Error);
    QVERIFY2(m_interaction->shown[0].text.startsWith(QStringLiteral("Unable to write to ")), qPrintable(m_interaction->shown[0].text));
    QCOMPARE(m_interaction->shown[1].kind, RecordedInteraction::Shown::Kind::Question);
    QCOMPARE(m_interaction->shown[1].caption, QStringLiteral("Merovale Yarn"));
    QCOMPARE(m_interaction->shown[1].text, QStringLiteral("Сохранить не удалось. Закрыть окно без сохранения?"));

    // Yes closes without writing; the controls keep what the user chose.
    m_interaction->questionAnswer = true;
    dialog.close();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(m_interaction->shown.size(), 6);
    QVERIFY(!control<QCheckBox>(&dialog, "CB2")->isChecked());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("[option]\r\ncheck=5\r\n"));
}

QTEST_MAIN(SettingsDialogTest)
#include "SettingsDialogTest.moc"
