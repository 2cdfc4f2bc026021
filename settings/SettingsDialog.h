#pragma once

#include "settings/SettingsValues.h"

#include <QDialog>

class HoverLinkLabel;
class Interaction;
class Settings;
class QCheckBox;
class QLineEdit;
class QRadioButton;
class QVBoxLayout;

// The settings dialog over the live settings: it starts from them when first
// shown and writes every change of a control into them at once, so the rest
// of the program reads the controls' states. It saves the settings file on
// every close; it has no cancel. The own-account field follows the
// profile-address prefix.
class SettingsDialog : public QDialog
{
    Q_OBJECT

public:
    SettingsDialog(Settings &settings, Interaction &interaction, const QString &profilePrefix,
                   QWidget *parent = nullptr);

    // The controls are made at the first showing: most runs never open the
    // dialog, and making them would slow every start.
    void setVisible(bool visible) override;

public slots:
    // Escape closes, and so saves, like every other way out.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void buildHeader(QVBoxLayout *dialogLayout);
    void buildSections(QVBoxLayout *dialogLayout);
    void showValues(const SettingsValues &values);
    SettingsValues shownValues() const;
    void saveAndClose();

    Settings &m_settings;
    Interaction &m_interaction;
    const QString m_profilePrefix;

    QRadioButton *m_accountMode = nullptr;
    QRadioButton *m_plainNameMode = nullptr;
    QLineEdit *m_ownAccount = nullptr;
    QCheckBox *m_minimizeToTrayBox = nullptr;
    QCheckBox *m_suppressNotices = nullptr;
    QCheckBox *m_autoCopy = nullptr;
    QCheckBox *m_autoSaveFavourites = nullptr;
    HoverLinkLabel *m_saveAndCloseLink = nullptr;
};
