#pragma once

#include "base/ProgramFolder.h"
#include "compose/TweetComposer.h"
#include "settings/SettingsValues.h"

#include <QString>

#include <optional>

// The user's choices as the program reads them, live: the settings dialog
// writes every change of its controls here at once. The settings file is
// read when this is made and written only when the dialog closes.
class Settings
{
public:
    // Reads the file; a file that is missing or cannot be read gives the defaults.
    explicit Settings(QString filePath);
    // The settings file of a program folder.
    static QString filePathIn(const ProgramFolder &folder);

    const QString &filePath() const { return m_filePath; }

    const SettingsValues &values() const { return m_values; }
    void setValues(const SettingsValues &values) { m_values = values; }

    // Nothing when the file left both modes off: then nothing is composed.
    std::optional<CompositionMode> compositionMode() const;
    // The user's own account, as typed.
    const QString &ownAccount() const { return m_values.ownAccount; }
    bool noticesSuppressed() const { return m_values.suppressNotices; }
    bool autoCopy() const { return m_values.autoCopy; }
    bool autoSaveFavourites() const { return m_values.autoSaveFavourites; }

    // Whether minimising hides the main window to the tray. Not the live
    // switch: the value read at start and taken again by "Сохранить и закрыть".
    bool minimizeToTrayFlag() const { return m_minimizeToTrayFlag; }
    void takeMinimizeToTrayFlag() { m_minimizeToTrayFlag = m_values.minimizeToTray; }

    // Writes the settings file; throws AppError.
    void save() const;

private:
    QString m_filePath;
    SettingsValues m_values;
    bool m_minimizeToTrayFlag;
};
