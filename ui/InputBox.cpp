#include "ui/InputBox.h"

#include "ui/Windows1251Validator.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

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

    auto *promptLabel = new QLabel(prompt, this);
    promptLabel->setTextFormat(Qt::PlainText);
    promptLabel->setWordWrap(true);
    m_field->setMaxLength(MaximumLength);
    m_field->setValidator(new Windows1251Validator(m_field));

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
    setMinimumWidth(360);
    m_field->setFocus();
}
