#include "settings/SettingsDialog.h"

#include "settings/Settings.h"
#include "settings/WrappingCheckBox.h"
#include "ui/EventGuard.h"
#include "ui/FontSetup.h"
#include "ui/GradientPanel.h"
#include "ui/HoverLinkLabel.h"
#include "ui/Interaction.h"
#include "ui/Windows1251Validator.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr int clientWidth = 366;
constexpr int clientHeight = 394;
constexpr int headerHeight = 65;
constexpr int sideMargin = 16;

QLabel *label(const QString &text, const QFont &font)
{
    auto *created = new QLabel(text);
    created->setFont(font);
    return created;
}

// A bold heading followed by an indented column that holds the section's controls.
QVBoxLayout *addSection(QVBoxLayout *body, const QString &heading)
{
    body->addWidget(label(heading, FontSetup::tahoma(12, true)));
    auto *contents = new QVBoxLayout;
    contents->setContentsMargins(12, 2, 0, 10);
    contents->setSpacing(8);
    body->addLayout(contents);
    return contents;
}

} // namespace

SettingsDialog::SettingsDialog(Settings &settings, Interaction &interaction, const QString &profilePrefix,
                               QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_settings(settings)
    , m_interaction(interaction)
    , m_profilePrefix(profilePrefix)
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Настройки"));
    setFont(FontSetup::tahoma(11));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    setFixedSize(clientWidth, clientHeight);
}

void SettingsDialog::setVisible(bool visible)
{
    if (visible && !m_ownAccount)
        buildControls();
    QDialog::setVisible(visible);
}

void SettingsDialog::buildControls()
{
    auto *dialogLayout = new QVBoxLayout(this);
    dialogLayout->setContentsMargins(0, 0, 0, 0);
    dialogLayout->setSpacing(0);
    buildHeader(dialogLayout);
    buildSections(dialogLayout);
    if (const QScreen *screenNow = screen())
        move(screenNow->availableGeometry().center() - rect().center());

    showValues(m_settings.values());
    // Connected only now: showing the values must not write half of them back.
    const auto writeBack = [this] { m_settings.setValues(shownValues()); };
    for (QAbstractButton *control : std::initializer_list<QAbstractButton *>{
             m_accountMode, m_plainNameMode, m_minimizeToTrayBox, m_suppressNotices, m_autoCopy, m_autoSaveFavourites})
        connect(control, &QAbstractButton::toggled, this, writeBack);
    connect(m_ownAccount, &QLineEdit::textChanged, this, writeBack);
}

void SettingsDialog::buildHeader(QVBoxLayout *dialogLayout)
{
    auto *header = new GradientPanel(GradientPanel::Shape::Radial, Qt::white, QColor(196, 225, 255));
    header->setFixedHeight(headerHeight);
    auto *headerLayout = new QHBoxLayout(header);
    headerLayout->setContentsMargins(sideMargin, 10, sideMargin, 10);

    auto *titles = new QVBoxLayout;
    titles->setSpacing(4);
    titles->addWidget(label(QStringLiteral("Настройки"), FontSetup::tahoma(13, true)));
    titles->addWidget(label(QStringLiteral("Позволяет настроить программу."), FontSetup::tahoma(11)));
    headerLayout->addLayout(titles);
    headerLayout->addStretch();

    m_saveAndCloseLink = new HoverLinkLabel(QStringLiteral("Сохранить и закрыть"));
    m_saveAndCloseLink->setObjectName(QStringLiteral("XPHoverLabel2"));
    m_saveAndCloseLink->setFont(FontSetup::tahoma(11));
    m_saveAndCloseLink->setUnderline(HoverLinkLabel::Underline::ExceptWhileHovered);
    m_saveAndCloseLink->setLinkColor(QColor(0, 51, 153));
    m_saveAndCloseLink->setToolTip(QStringLiteral("Сохранить и закрыть окно настроек"));
    headerLayout->addWidget(m_saveAndCloseLink, 0, Qt::AlignRight | Qt::AlignVCenter);
    connect(m_saveAndCloseLink, &HoverLinkLabel::clicked, this,
            EventGuard::guarded(m_interaction, this, &SettingsDialog::saveAndClose));

    dialogLayout->addWidget(header);
    // A hairline keeps the pale end of the gradient apart from the white body.
    auto *rule = new QWidget;
    rule->setFixedHeight(1);
    QPalette rulePalette = rule->palette();
    rulePalette.setColor(QPalette::Window, QColor(196, 225, 255).darker(115));
    rule->setPalette(rulePalette);
    rule->setAutoFillBackground(true);
    dialogLayout->addWidget(rule);
}

void SettingsDialog::buildSections(QVBoxLayout *dialogLayout)
{
    auto *body = new QVBoxLayout;
    body->setContentsMargins(sideMargin, 12, sideMargin, 12);
    body->setSpacing(6);
    dialogLayout->addLayout(body);

    QVBoxLayout *names = addSection(body, QStringLiteral("Имена героев в твитах"));
    m_accountMode = new QRadioButton(QStringLiteral("Твиттер-аккаунт"));
    m_accountMode->setObjectName(QStringLiteral("twitter"));
    m_accountMode->setToolTip(QStringLiteral("Например, \"Вышел как-то раз @Quenby ...\""));
    m_plainNameMode = new QRadioButton(QStringLiteral("Простые имена"));
    m_plainNameMode->setObjectName(QStringLiteral("justname"));
    m_plainNameMode->setToolTip(QStringLiteral("Например, \"Вышел как-то раз Veziz Квенби ...\""));
    auto *modes = new QHBoxLayout;
    modes->setSpacing(24);
    modes->addWidget(m_accountMode);
    modes->addWidget(m_plainNameMode);
    modes->addStretch();
    names->addLayout(modes);

    QVBoxLayout *address = addSection(body, QStringLiteral("Ваш адрес в твиттере"));
    m_ownAccount = new QLineEdit;
    m_ownAccount->setObjectName(QStringLiteral("Edit1"));
    m_ownAccount->setValidator(new Windows1251Validator(m_ownAccount));
    m_ownAccount->setToolTip(QStringLiteral("Введите Ваш ник в твиттере"));
    auto *prefix = label(m_profilePrefix, FontSetup::tahoma(11));
    prefix->setTextFormat(Qt::PlainText);
    prefix->setBuddy(m_ownAccount);
    auto *addressRow = new QHBoxLayout;
    addressRow->setSpacing(2);
    addressRow->addWidget(prefix);
    addressRow->addWidget(m_ownAccount, 1);
    address->addLayout(addressRow);

    QVBoxLayout *program = addSection(body, QStringLiteral("Программа"));
    m_minimizeToTrayBox = new WrappingCheckBox(QStringLiteral("Позволять программе сворачиваться в трей"));
    m_minimizeToTrayBox->setObjectName(QStringLiteral("CB2"));
    m_suppressNotices = new WrappingCheckBox(QStringLiteral("Не показывать никаких сообщений из трея"));
    m_suppressNotices->setObjectName(QStringLiteral("CheckBox3"));
    program->addWidget(m_minimizeToTrayBox);
    program->addWidget(m_suppressNotices);

    QVBoxLayout *generating = addSection(body, QStringLiteral("Генерирование"));
    m_autoCopy = new WrappingCheckBox(
        QStringLiteral("Автоматически копировать каждый сгенерированный твит в буфер обмена Windows"));
    m_autoCopy->setObjectName(QStringLiteral("CheckBox1"));
    m_autoSaveFavourites = new WrappingCheckBox(QStringLiteral("Автоматически сохранять текст в \"Избранном\""));
    m_autoSaveFavourites->setObjectName(QStringLiteral("CheckBox2"));
    generating->addWidget(m_autoCopy);
    generating->addWidget(m_autoSaveFavourites);
    body->addStretch();

    setTabOrder(m_minimizeToTrayBox, m_autoCopy);
    setTabOrder(m_autoCopy, m_autoSaveFavourites);
    setTabOrder(m_autoSaveFavourites, m_suppressNotices);
    setTabOrder(m_suppressNotices, m_ownAccount);
    setTabOrder(m_ownAccount, m_accountMode);
    setTabOrder(m_accountMode, m_plainNameMode);
}

SettingsValues SettingsDialog::shownValues() const
{
    SettingsValues values;
    values.accountMode = m_accountMode->isChecked();
    values.plainNameMode = m_plainNameMode->isChecked();
    values.ownAccount = m_ownAccount->text();
    values.minimizeToTray = m_minimizeToTrayBox->isChecked();
    values.suppressNotices = m_suppressNotices->isChecked();
    values.autoCopy = m_autoCopy->isChecked();
    values.autoSaveFavourites = m_autoSaveFavourites->isChecked();
    return values;
}

void SettingsDialog::showValues(const SettingsValues &values)
{
    // An exclusive radio button cannot be turned off, yet a file may leave both
    // modes off; exclusion is lifted while the pair is set and plain names win.
    m_accountMode->setAutoExclusive(false);
    m_plainNameMode->setAutoExclusive(false);
    m_accountMode->setChecked(values.accountMode && !values.plainNameMode);
    m_plainNameMode->setChecked(values.plainNameMode);
    m_accountMode->setAutoExclusive(true);
    m_plainNameMode->setAutoExclusive(true);

    m_ownAccount->setText(values.ownAccount);
    m_minimizeToTrayBox->setChecked(values.minimizeToTray);
    m_suppressNotices->setChecked(values.suppressNotices);
    m_autoCopy->setChecked(values.autoCopy);
    m_autoSaveFavourites->setChecked(values.autoSaveFavourites);
}

void SettingsDialog::reject()
{
    close();
}

void SettingsDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_ownAccount->setFocus(Qt::OtherFocusReason);
}

void SettingsDialog::closeEvent(QCloseEvent *event)
{
    // Only a shown dialog saves; a hidden one has nothing the user changed.
    if (!isVisible()) {
        event->accept();
        return;
    }
    // A file that cannot be written keeps the dialog open for a retry; yet the
    // modal dialog must not trap the user who cannot mend the folder.
    if (!EventGuard::run(m_interaction, [this] { m_settings.save(); })
        && !m_interaction.askYesNo(QStringLiteral("Сохранить не удалось. Закрыть окно без сохранения?"))) {
        event->ignore();
        return;
    }
    event->accept();
    QDialog::reject(); // ends exec() and hides; the controls keep their states
}

void SettingsDialog::saveAndClose()
{
    m_settings.takeMinimizeToTrayFlag();
    close();
}
