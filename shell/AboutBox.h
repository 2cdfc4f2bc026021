#pragma once

#include <QDialog>

// The About box: the program's name and version, credits, the licence and
// two links that the desktop opens outside the program.
class AboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit AboutBox(QWidget *parent = nullptr);
};
