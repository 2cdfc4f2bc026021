#include "base/AppError.h"

#include "platform/SystemErrorText.h"

#include <QDir>

#include <utility>

AppError::AppError(QString message)
    : m_message(std::move(message))
    , m_utf8(m_message.toUtf8())
{
}

namespace {

AppError fileError(const char *what, const QString &path, int systemError)
{
    return AppError(QStringLiteral("%1 \"%2\". %3")
                        .arg(QString::fromLatin1(what), QDir::toNativeSeparators(path),
                             platform::systemErrorText(systemError)));
}

} // namespace

AppError AppError::cannotOpenFile(const QString &path, int systemError)
{
    return fileError("Cannot open file", path, systemError);
}

AppError AppError::cannotCreateFile(const QString &path, int systemError)
{
    return fileError("Cannot create file", path, systemError);
}
