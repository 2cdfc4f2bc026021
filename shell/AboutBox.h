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

    // The contents are made at the first showing: most runs never open the
    // box, and making them would slow every start.
    void setVisible(bool visible) override;

private:
    void buildContents();

    Interaction &m_interaction;
    OutsideLinks &m_links;
    bool m_built = false;
};
