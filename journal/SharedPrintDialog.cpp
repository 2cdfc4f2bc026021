#include "journal/SharedPrintDialog.h"

#include <QPrintDialog>

namespace {

std::optional<bool> &answerForTesting()
{
    static std::optional<bool> answer;
    return answer;
}

} // namespace

SharedPrintDialog::SharedPrintDialog()
    : m_printer(QPrinter::HighResolution)
{
}

SharedPrintDialog &SharedPrintDialog::instance()
{
    static SharedPrintDialog dialog;
    return dialog;
}

bool SharedPrintDialog::ask(QWidget *parent)
{
    if (const std::optional<bool> answer = answerForTesting())
        return *answer;
    QPrintDialog dialog(&m_printer, parent);
    // Printing writes every line; a page range chosen here would be ignored.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted;
}

void SharedPrintDialog::setAnswerForTesting(std::optional<bool> answer)
{
    answerForTesting() = answer;
}
