#include "base/FileIO.h"
#include "base/ProgramFolder.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsDialog.h"
#include "ui/HoverLinkLabel.h"
#include "ui/MessageBoxes.h"
#include "tests/support/Controls.h"
#include "tests/support/OrdinaryUser.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// The settings dialog: its controls, loading at creation, saving on every way
// of closing, a refused close when the file cannot be written, and the tray
// flag that only "Сохранить и закрыть" updates.
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
    void escapeEndsTheModalLoopAndSaves();
    void failedCloseKeepsTheDialogOpenUntilARetry();
    void neverShownNeverWrites();
    void unwritableFileNeverTrapsTheUser();

private:
    void closeWithUnwritableFile(const QString &path);
    QString configFolder() const { return m_folder->filePath(QStringLiteral("Config files")); }

    std::unique_ptr<QTemporaryDir> m_folder;
    QList<MessageBoxes::Shown> m_boxes;
};

void SettingsDialogTest::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("Config files")));
    ProgramFolder::overrideForTesting(m_folder->path());
    m_boxes.clear();
    MessageBoxes::setInterceptorForTesting([this](const MessageBoxes::Shown &shown) { m_boxes.append(shown); });
}

void SettingsDialogTest::cleanup()
{
    MessageBoxes::setInterceptorForTesting({});
    MessageBoxes::setQuestionAnswerForTesting(false);
    ProgramFolder::overrideForTesting({});
}

void SettingsDialogTest::controlsStartWithTheDefaults()
{
    SettingsDialog dialog;
    QVERIFY(dialog.values() == SettingsValues());
    QVERIFY(!dialog.minimizeToTrayFlag());
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
    SettingsDialog dialog;
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
    FileIO::writeWholeFile(SettingsFile::path(), "[option]\r\ntwiname=0\r\njustname=0\r\n");
    SettingsDialog dialog;
    auto *account = control<QRadioButton>(&dialog, "twitter");
    auto *plainName = control<QRadioButton>(&dialog, "justname");
    QVERIFY(!account->isChecked() && !plainName->isChecked());
    QCOMPARE(dialog.compositionMode(), SettingsRecord::CompositionMode::Neither);
    dialog.show();
    QTest::mouseClick(plainName, Qt::LeftButton);
    QCOMPARE(dialog.compositionMode(), SettingsRecord::CompositionMode::PlainName);
    QTest::mouseClick(account, Qt::LeftButton);
    QVERIFY(account->isChecked() && !plainName->isChecked());
    QCOMPARE(dialog.compositionMode(), SettingsRecord::CompositionMode::Account);
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

    FileIO::writeWholeFile(SettingsFile::path(), "[option]\r\ncheck=5\r\nmine=kept\r\n");
    SettingsDialog dialog;
    QVERIFY(dialog.minimizeToTrayFlag());
    QSignalSpy flagChanges(&dialog, &SettingsDialog::minimizeToTrayFlagChanged);
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
    QVERIFY(m_boxes.isEmpty());
    QCOMPARE(FileIO::readWholeFile(SettingsFile::path()),
             QByteArray("[option]\r\ncheck=0\r\nmine=kept\r\naddress= @\xca\xe2\xe5\xed\xe1\xe8 \r\ncheck3=1\r\n"
                        "check4=1\r\ncheck2=0\r\ntwiname=1\r\njustname=0\r\n"));
    QCOMPARE(dialog.minimizeToTrayFlag(), !flagFollows);
    QCOMPARE(flagChanges.size(), flagFollows ? 1 : 0);
    // The controls keep their states for the next opening.
    QCOMPARE(control<QLineEdit>(&dialog, "Edit1")->text(), QStringLiteral(" @Квенби "));
    QCOMPARE(dialog.ownAccount(), QStringLiteral(" @Квенби "));
}

void SettingsDialogTest::escapeEndsTheModalLoopAndSaves()
{
    SettingsDialog dialog;
    bool stuck = false;
    auto *account = control<QLineEdit>(&dialog, "Edit1");
    QTimer::singleShot(0, account, [&] { QTest::keyClick(account, Qt::Key_Escape); });
    QTimer::singleShot(5000, &dialog, [&] {
        stuck = true;
        dialog.done(QDialog::Rejected);
    });
    dialog.exec();
    QVERIFY(!stuck);
    QVERIFY(QFileInfo::exists(SettingsFile::path()));
}

void SettingsDialogTest::failedCloseKeepsTheDialogOpenUntilARetry()
{
    QVERIFY(QDir(configFolder()).removeRecursively());
    SettingsDialog dialog;
    dialog.show();
    control<QCheckBox>(&dialog, "CB2")->setChecked(true);
    QTest::mouseClick(control<HoverLinkLabel>(&dialog, "XPHoverLabel2"), Qt::LeftButton);

    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.minimizeToTrayFlag());
    QCOMPARE(m_boxes.size(), 2);
    QCOMPARE(m_boxes[0].kind, MessageBoxes::Kind::Error);
    QVERIFY2(m_boxes[0].text.startsWith(
                 QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(SettingsFile::path()))),
             qPrintable(m_boxes[0].text));
    QVERIFY(!QFileInfo::exists(configFolder()));

    QTest::keyClick(control<QLineEdit>(&dialog, "Edit1"), Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QCOMPARE(m_boxes.size(), 4);

    QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("Config files")));
    dialog.close();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(m_boxes.size(), 4);
    QVERIFY(SettingsFile::load(SettingsFile::path()).minimizeToTray);
}

void SettingsDialogTest::neverShownNeverWrites()
{
    {
        SettingsDialog first;
        SettingsDialog second;
        second.close();
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
    const QString path = SettingsFile::path();
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
    // The program folder is the one above "Config files".
    ProgramFolder::overrideForTesting(QFileInfo(QFileInfo(path).path()).path());
    SettingsDialog dialog;
    dialog.show();
    control<QCheckBox>(&dialog, "CB2")->setChecked(false);

    // No keeps the dialog open for a retry, Escape and title bar alike.
    dialog.close();
    QTest::keyClick(control<QLineEdit>(&dialog, "Edit1"), Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QCOMPARE(m_boxes.size(), 4);
    QCOMPARE(m_boxes[0].kind, MessageBoxes::Kind::Error);
    QVERIFY2(m_boxes[0].text.startsWith(QStringLiteral("Unable to write to ")), qPrintable(m_boxes[0].text));
    QCOMPARE(m_boxes[1].kind, MessageBoxes::Kind::Question);
    QCOMPARE(m_boxes[1].caption, QStringLiteral("Merovale Yarn"));
    QCOMPARE(m_boxes[1].text, QStringLiteral("Сохранить не удалось. Закрыть окно без сохранения?"));

    // Yes closes without writing; the controls keep what the user chose.
    MessageBoxes::setQuestionAnswerForTesting(true);
    dialog.close();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(m_boxes.size(), 6);
    QVERIFY(!control<QCheckBox>(&dialog, "CB2")->isChecked());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("[option]\r\ncheck=5\r\n"));
}

QTEST_MAIN(SettingsDialogTest)
#include "SettingsDialogTest.moc"
