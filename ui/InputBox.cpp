#include "ui/InputBox.h"

#include "ui/Windows1251Validator.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int minimumFieldWidth = 340;
// The title bar's icon, its buttons and the margins between them.
constexpr int titleBarRoom = 140;

} // namespace

std::optional<QString> InputBox::ask(QWidget *parent, const QString &caption, const QString &prompt)
{
    InputBox box(parent, caption, prompt);
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.m_field->text();
}

InputBox::InputBox(QWidget *parent, const QString &caption, const QString &prompt)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_field(new QLineEdit(this))
{
    setWindowTitle(caption);
    setModal(true);

    // The prompt keeps to one line, however long.
    auto *promptLabel = new QLabel(prompt, this);
    promptLabel->setTextFormat(Qt::PlainText);
    m_field->setMaxLength(MaximumLength);
    m_field->setValidator(new Windows1251Validator(m_field));
    // Wide enough for the window manager to show the whole caption, in its
    // usual bold, beside the icon and the buttons of the title bar.
    QFont titleFont = font();
    titleFont.setBold(true);
    m_field->setMinimumWidth(std::max(minimumFieldWidth, QFontMetrics(titleFont).horizontalAdvance(caption)
                                                             + titleBarRoom));

    // The captions are fixed words, not the desktop's translations.
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *okButton = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    okButton->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(promptLabel);
    layout->addWidget(m_field);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_field->setFocus();
}
