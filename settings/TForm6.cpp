#include "settings/TForm6.h"

#include "base/OutsideAddresses.h"
#include "settings/SettingsFile.h"
#include "settings/WrappingCheckBox.h"
#include "ui/EventGuard.h"
#include "ui/GradientPanel.h"
#include "ui/HoverLinkLabel.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

TForm6 *Form6 = nullptr;

namespace {

constexpr int clientWidth = 366;
constexpr int clientHeight = 394;
constexpr int headerHeight = 65;
constexpr int sideMargin = 16;

QFont tahoma(int pixelSize, bool bold = false)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QLabel *label(const QString &text, const QFont &font)
{
    auto *created = new QLabel(text);
    created->setFont(font);
    return created;
}

// A bold heading followed by an indented column that holds the section's controls.
QVBoxLayout *addSection(QVBoxLayout *body, const QString &heading)
{
    body->addWidget(label(heading, tahoma(12, true)));
    auto *contents = new QVBoxLayout;
    contents->setContentsMargins(12, 2, 0, 10);
    contents->setSpacing(8);
    body->addLayout(contents);
    return contents;
}

} // namespace

TForm6::TForm6(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Настройки"));
    setFont(tahoma(11));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    auto *dialogLayout = new QVBoxLayout(this);
    dialogLayout->setContentsMargins(0, 0, 0, 0);
    dialogLayout->setSpacing(0);
    buildHeader(dialogLayout);
    buildSections(dialogLayout);

    setFixedSize(clientWidth, clientHeight);
    if (const QScreen *screenNow = screen())
        move(screenNow->availableGeometry().center() - rect().center());

    FormCreate();
}

void TForm6::buildHeader(QVBoxLayout *dialogLayout)
{
    auto *header = new GradientPanel(GradientPanel::Shape::Radial, Qt::white, QColor(196, 225, 255));
    header->setFixedHeight(headerHeight);
    auto *headerLayout = new QHBoxLayout(header);
    headerLayout->setContentsMargins(sideMargin, 10, sideMargin, 10);

    auto *titles = new QVBoxLayout;
    titles->setSpacing(4);
    titles->addWidget(label(QStringLiteral("Настройки"), tahoma(13, true)));
    titles->addWidget(label(QStringLiteral("Позволяет настроить программу."), tahoma(11)));
    headerLayout->addLayout(titles);
    headerLayout->addStretch();

    XPHoverLabel2 = new HoverLinkLabel(QStringLiteral("Сохранить и закрыть"));
    XPHoverLabel2->setObjectName(QStringLiteral("XPHoverLabel2"));
    XPHoverLabel2->setFont(tahoma(11));
    XPHoverLabel2->setUnderline(HoverLinkLabel::Underline::ExceptWhileHovered);
    XPHoverLabel2->setLinkColor(QColor(0, 51, 153));
    XPHoverLabel2->setToolTip(QStringLiteral("Сохранить и закрыть окно настроек"));
    headerLayout->addWidget(XPHoverLabel2, 0, Qt::AlignRight | Qt::AlignVCenter);
    connect(XPHoverLabel2, &HoverLinkLabel::clicked, this, EventGuard::guarded(this, &TForm6::Button1Click));

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

void TForm6::buildSections(QVBoxLayout *dialogLayout)
{
    auto *body = new QVBoxLayout;
    body->setContentsMargins(sideMargin, 12, sideMargin, 12);
    body->setSpacing(6);
    dialogLayout->addLayout(body);

    QVBoxLayout *names = addSection(body, QStringLiteral("Имена героев в твитах"));
    twitter = new QRadioButton(QStringLiteral("Твиттер-аккаунт"));
    twitter->setObjectName(QStringLiteral("twitter"));
    twitter->setToolTip(QStringLiteral("Например, \"Вышел как-то раз @Quenby ...\""));
    justname = new QRadioButton(QStringLiteral("Простые имена"));
    justname->setObjectName(QStringLiteral("justname"));
    justname->setToolTip(QStringLiteral("Например, \"Вышел как-то раз Veziz Квенби ...\""));
    auto *modes = new QHBoxLayout;
    modes->setSpacing(24);
    modes->addWidget(twitter);
    modes->addWidget(justname);
    modes->addStretch();
    names->addLayout(modes);

    QVBoxLayout *address = addSection(body, QStringLiteral("Ваш адрес в твиттере"));
    Edit1 = new QLineEdit;
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setToolTip(QStringLiteral("Введите Ваш ник в твиттере"));
    auto *prefix = label(OutsideAddresses::profilePrefix(), tahoma(11));
    prefix->setBuddy(Edit1);
    auto *addressRow = new QHBoxLayout;
    addressRow->setSpacing(2);
    addressRow->addWidget(prefix);
    addressRow->addWidget(Edit1, 1);
    address->addLayout(addressRow);

    QVBoxLayout *program = addSection(body, QStringLiteral("Программа"));
    CB2 = new WrappingCheckBox(QStringLiteral("Позволять программе сворачиваться в трей"));
    CB2->setObjectName(QStringLiteral("CB2"));
    CheckBox3 = new WrappingCheckBox(QStringLiteral("Не показывать никаких сообщений из трея"));
    CheckBox3->setObjectName(QStringLiteral("CheckBox3"));
    program->addWidget(CB2);
    program->addWidget(CheckBox3);

    QVBoxLayout *generating = addSection(body, QStringLiteral("Генерирование"));
    CheckBox1 = new WrappingCheckBox(
        QStringLiteral("Автоматически копировать каждый сгенерированный твит в буфер обмена Windows"));
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox2 = new WrappingCheckBox(QStringLiteral("Автоматически сохранять текст в \"Избранном\""));
    CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
    generating->addWidget(CheckBox1);
    generating->addWidget(CheckBox2);
    body->addStretch();

    setTabOrder(CB2, CheckBox1);
    setTabOrder(CheckBox1, CheckBox2);
    setTabOrder(CheckBox2, CheckBox3);
    setTabOrder(CheckBox3, Edit1);
    setTabOrder(Edit1, twitter);
    setTabOrder(twitter, justname);
}

SettingsValues TForm6::values() const
{
    SettingsValues values;
    values.accountMode = twitter->isChecked();
    values.plainNameMode = justname->isChecked();
    values.ownAccount = Edit1->text();
    values.minimizeToTray = CB2->isChecked();
    values.suppressNotices = CheckBox3->isChecked();
    values.autoCopy = CheckBox1->isChecked();
    values.autoSaveFavourites = CheckBox2->isChecked();
    return values;
}

void TForm6::setValues(const SettingsValues &values)
{
    // An exclusive radio button cannot be turned off, yet a file may leave both
    // modes off; exclusion is lifted while the pair is set and plain names win.
    twitter->setAutoExclusive(false);
    justname->setAutoExclusive(false);
    twitter->setChecked(values.accountMode && !values.plainNameMode);
    justname->setChecked(values.plainNameMode);
    twitter->setAutoExclusive(true);
    justname->setAutoExclusive(true);

    Edit1->setText(values.ownAccount);
    CB2->setChecked(values.minimizeToTray);
    CheckBox3->setChecked(values.suppressNotices);
    CheckBox1->setChecked(values.autoCopy);
    CheckBox2->setChecked(values.autoSaveFavourites);
}

void TForm6::reject()
{
    close();
}

void TForm6::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Edit1->setFocus(Qt::OtherFocusReason);
}

void TForm6::closeEvent(QCloseEvent *event)
{
    // Only a shown dialog saves; a hidden one has nothing the user changed.
    if (!isVisible()) {
        event->accept();
        return;
    }
    if (!EventGuard::run([this] { FormClose(); })) {
        event->ignore();
        return;
    }
    event->accept();
    QDialog::reject(); // ends exec() and hides; the controls keep their states
}

void TForm6::FormCreate()
{
    setValues(SettingsFile::load(SettingsFile::path()));
    m_minimizeToTray = CB2->isChecked();
}

void TForm6::FormClose()
{
    SettingsFile::save(SettingsFile::path(), values());
}

void TForm6::Button1Click()
{
    m_minimizeToTray = CB2->isChecked();
    emit minimizeToTrayFlagChanged(m_minimizeToTray);
    close();
}
