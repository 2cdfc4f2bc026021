#include "ui/Windows1251Validator.h"

#include "base/Windows1251.h"

Windows1251Validator::Windows1251Validator(QObject *parent)
    : QValidator(parent)
{
}

QValidator::State Windows1251Validator::validate(QString &input, int &position) const
{
    QString fitted = Windows1251::fitted(input);
    if (fitted.size() != input.size()) // a surrogate pair became one "?"
        position = int(Windows1251::fitted(input.left(position)).size());
    input = std::move(fitted);
    return Acceptable;
}
