#pragma once

#include <QValidator>

// For a one-line field whose text goes to a file: typed, pasted, dropped and
// input-method text is taken as the file can hold it, each character the
// code page lacks becoming "?" as it enters.
class Windows1251Validator : public QValidator
{
    Q_OBJECT

public:
    explicit Windows1251Validator(QObject *parent = nullptr);

    State validate(QString &input, int &position) const override;
};
