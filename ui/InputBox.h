#pragma once

#include <QDialog>

#include <optional>

class QLineEdit;

// The modal one-line input box: a prompt, a field that starts empty and takes
// at most 255 characters, each as the list files can hold it ("?" for one they
// cannot), and the buttons "OK" and "Cancel".
class InputBox : public QDialog
{
    Q_OBJECT

public:
    static const int MaximumLength = 255;

    // The entered text (possibly empty) on OK; nothing on Cancel or close.
    static std::optional<QString> ask(QWidget *parent, const QString &caption, const QString &prompt);

private:
    InputBox(QWidget *parent, const QString &caption, const QString &prompt);

    QLineEdit *m_field;
};
