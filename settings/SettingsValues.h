#pragma once

#include <QString>

// The seven user choices as the settings file stores them. The defaults are
// both the state a new settings dialog starts with and the value of a key the
// file lacks.
struct SettingsValues
{
    bool accountMode = true;        // "twiname": heroes are written as "@account"
    bool plainNameMode = false;     // "justname"
    QString ownAccount;             // "address": the user's own account, as typed
    bool minimizeToTray = false;    // "check"
    bool suppressNotices = false;   // "check2": no balloon notices from the tray
    bool autoCopy = true;           // "check3": each composed tweet goes to the clipboard
    bool autoSaveFavourites = true; // "check4": the favourites are saved at shutdown

    friend bool operator==(const SettingsValues &a, const SettingsValues &b)
    {
        return a.accountMode == b.accountMode && a.plainNameMode == b.plainNameMode && a.ownAccount == b.ownAccount
            && a.minimizeToTray == b.minimizeToTray && a.suppressNotices == b.suppressNotices
            && a.autoCopy == b.autoCopy && a.autoSaveFavourites == b.autoSaveFavourites;
    }
    friend bool operator!=(const SettingsValues &a, const SettingsValues &b) { return !(a == b); }
};
