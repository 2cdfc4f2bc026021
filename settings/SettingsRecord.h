#pragma once

#include <QString>

// The user's choices as the rest of the program reads them, live. The
// settings dialog is the one real source; tests may supply their own.
class SettingsRecord
{
public:
    // How heroes are written in composed tweets. A settings file may leave
    // both choices off, and then nothing is composed.
    enum class CompositionMode { Account, PlainName, Neither };

    virtual ~SettingsRecord() = default;

    virtual CompositionMode compositionMode() const = 0;
    // The user's own account, as typed.
    virtual QString ownAccount() const = 0;
    virtual bool noticesSuppressed() const = 0;
    // Each composed tweet goes to the clipboard.
    virtual bool autoCopy() const = 0;
    // The favourites are written when the program ends.
    virtual bool autoSaveFavourites() const = 0;
    // Whether minimising hides the main window to the tray. Not the live
    // check box: the value taken at creation and by "Сохранить и закрыть".
    virtual bool minimizeToTrayFlag() const = 0;
};
