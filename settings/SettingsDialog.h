#pragma once

#include "settings/SettingsRecord.h"
#include "settings/SettingsValues.h"

#include <QDialog>

class HoverLinkLabel;
class QCheckBox;
class QLineEdit;
class QRadioButton;
class QVBoxLayout;

// The settings dialog. Its controls hold the settings record, which the rest
// of the program reads live through SettingsRecord. It loads the settings
// file when created and saves it on every close; it has no cancel.
class SettingsDialog : public QDialog, public SettingsRecord
{
    Q_OBJECT

public:
    explicit SettingsDialog(QWidget *parent = nullptr);

    CompositionMode compositionMode() const override;
    QString ownAccount() const override;
    bool noticesSuppressed() const override;
    bool autoCopy() const override;
    bool autoSaveFavourites() const override;
    bool minimizeToTrayFlag() const override { return m_minimizeToTrayFlag; }

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

    void loadSettings();
    void saveSettings();
    void saveAndClose();

    QRadioButton *m_accountMode = nullptr;
    QRadioButton *m_plainNameMode = nullptr;
    QLineEdit *m_ownAccount = nullptr;
    QCheckBox *m_minimizeToTrayBox = nullptr;
    QCheckBox *m_suppressNotices = nullptr;
    QCheckBox *m_autoCopy = nullptr;
    QCheckBox *m_autoSaveFavourites = nullptr;
    HoverLinkLabel *m_saveAndCloseLink = nullptr;
    bool m_minimizeToTrayFlag = false;
};
