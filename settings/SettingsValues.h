#pragma once

#include <QByteArrayView>
#include <QString>

#include <array>

// The seven user choices as the settings file stores them.
struct SettingsValues
{
    bool accountMode;        // heroes are written as "@account"
    bool plainNameMode;      // heroes are plain names
    QString ownAccount;      // the user's own account, as typed
    bool minimizeToTray;     // minimising hides the main window to the tray
    bool suppressNotices;    // no balloon notices from the tray
    bool autoCopy;           // each composed tweet goes to the clipboard
    bool autoSaveFavourites; // the favourites are saved at shutdown

    // The defaults of the key table: both the state a new settings dialog
    // starts with and the value of a key the file lacks.
    SettingsValues();

    // One key of the file's "option" section: its name, where its value lives
    // and its default. A switch is stored as a number, the account as typed.
    struct Key
    {
        QByteArrayView name;
        bool SettingsValues::*flag;
        QString SettingsValues::*text;
        bool defaultOn;
    };
    // Every key, in the order the file is written.
    static const std::array<Key, 7> &keys();
    // The same keys in the order the file is read.
    static const std::array<Key, 7> &keysInReadingOrder();

    friend bool operator==(const SettingsValues &a, const SettingsValues &b);
    friend bool operator!=(const SettingsValues &a, const SettingsValues &b) { return !(a == b); }
};
