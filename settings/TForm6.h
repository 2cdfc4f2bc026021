#pragma once

#include "settings/SettingsValues.h"

#include <QDialog>

class HoverLinkLabel;
class QCheckBox;
class QLineEdit;
class QRadioButton;
class QVBoxLayout;

// The settings dialog. Its controls are the settings record: the rest of the
// program reads their live state. It loads the settings file when created and
// saves it on every close; it has no cancel.
class TForm6 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm6(QWidget *parent = nullptr);

    QRadioButton *twitter;
    QRadioButton *justname;
    QLineEdit *Edit1;
    QCheckBox *CB2;
    QCheckBox *CheckBox3;
    QCheckBox *CheckBox1;
    QCheckBox *CheckBox2;
    HoverLinkLabel *XPHoverLabel2;

    // The tray icon's MinimizeToTray flag: taken from CB2 at creation and by
    // "Сохранить и закрыть" only, so ticking CB2 alone does not change it.
    bool minimizeToTrayFlag() const { return m_minimizeToTray; }

    SettingsValues values() const;

public slots:
    // Escape closes, and so saves, like every other way out.
    void reject() override;

signals:
    void minimizeToTrayFlagChanged(bool on);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildHeader(QVBoxLayout *dialogLayout);
    void buildSections(QVBoxLayout *dialogLayout);
    void setValues(const SettingsValues &values);

    void FormCreate();
    void FormClose();
    void Button1Click();

    bool m_minimizeToTray = false;
};

extern TForm6 *Form6;
