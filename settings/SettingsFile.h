#pragma once

#include "settings/SettingsValues.h"

#include <QString>

// The settings file "Config files/yarnconfig.ini" of the program folder,
// section "option". Only the seven keys of SettingsValues are read and
// written; every other line of the file is left as it was.
class SettingsFile
{
public:
    // A missing folder, file, section or key gives the defaults, silently.
    static SettingsValues load(const QString &path);

    // Writes all seven keys or none: the file is replaced in one step. The
    // "Config files" folder is never created. Throws AppError "Unable to write
    // to <path>", or a code-page error for an account the file cannot hold.
    static void save(const QString &path, const SettingsValues &values);
};
