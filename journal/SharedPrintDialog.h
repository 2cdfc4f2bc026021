#pragma once

#include <QPrinter>

#include <optional>

class QWidget;

// The one print dialog of the program. The main window and the favourites
// window both print through it, so each sees the settings last chosen in
// either.
class SharedPrintDialog
{
public:
    static SharedPrintDialog &instance();

    QPrinter &printer() { return m_printer; }

    // Shows the print dialog; false when the user cancels.
    bool ask(QWidget *parent);

    // While set, ask() returns the answer without showing anything.
    static void setAnswerForTesting(std::optional<bool> answer);

    SharedPrintDialog(const SharedPrintDialog &) = delete;
    SharedPrintDialog &operator=(const SharedPrintDialog &) = delete;

private:
    SharedPrintDialog();

    QPrinter m_printer;
};
