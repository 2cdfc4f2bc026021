#include "settings/Settings.h"

#include "settings/SettingsFile.h"

#include <utility>

Settings::Settings(QString filePath)
    : m_filePath(std::move(filePath))
    , m_values(SettingsFile::load(m_filePath))
    , m_minimizeToTrayFlag(m_values.minimizeToTray)
{
}

QString Settings::filePathIn(const ProgramFolder &folder)
{
    return folder.directory() + QStringLiteral("Config files/yarnconfig.ini");
}

std::optional<CompositionMode> Settings::compositionMode() const
{
    if (m_values.accountMode)
        return CompositionMode::Account;
    if (m_values.plainNameMode)
        return CompositionMode::PlainName;
    return std::nullopt;
}

void Settings::save() const
{
    SettingsFile::save(m_filePath, m_values);
}
