#pragma once

#include <QDialog>

class Interaction;
class OutsideLinks;

// The About box: the program's name and version, credits, the licence and
// two links that the desktop opens outside the program.
class AboutBox : public QDialog
{
    Q_OBJECT

public:
    AboutBox(Interaction &interaction, OutsideLinks &links, QWidget *parent = nullptr);
};
