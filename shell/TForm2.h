#pragma once

#include <QDialog>

class HoverLinkLabel;

// The About box: the program's name and version, credits, the licence and
// two links that the desktop opens outside the program.
class TForm2 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm2(QWidget *parent = nullptr);

    HoverLinkLabel *XPHoverLabel3 = nullptr;
    HoverLinkLabel *XPHoverLabel6 = nullptr;

    void XPHoverLabel3Click();
    void XPHoverLabel6Click();
};

extern TForm2 *Form2;
