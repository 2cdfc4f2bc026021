#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// The one exception type of the program. Its message is what the user sees in
// the error box, so it is kept as text, not as a code.
class AppError : public std::exception
{
public:
    explicit AppError(QString message);

    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

    // "Cannot open file "<path>". <system text>"
    static AppError cannotOpenFile(const QString &path, int systemError);
    // "Cannot create file "<path>". <system text>"
    static AppError cannotCreateFile(const QString &path, int systemError);

private:
    QString m_message;
    QByteArray m_utf8;
};
