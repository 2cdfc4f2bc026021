#include "settings/SettingsValues.h"

namespace {

using V = SettingsValues;

constexpr V::Key switchKey(QByteArrayView name, bool V::*flag, bool defaultOn)
{
    return {name, flag, nullptr, defaultOn};
}

constexpr V::Key textKey(QByteArrayView name, QString V::*text)
{
    return {name, nullptr, text, false};
}

} // namespace

const std::array<SettingsValues::Key, 7> &SettingsValues::keys()
{
    static const std::array<Key, 7> written{
        textKey("address", &V::ownAccount),
        switchKey("check", &V::minimizeToTray, false),
        switchKey("check3", &V::autoCopy, true),
        switchKey("check4", &V::autoSaveFavourites, true),
        switchKey("check2", &V::suppressNotices, false),
        switchKey("twiname", &V::accountMode, true),
        switchKey("justname", &V::plainNameMode, false),
    };
    return written;
}

const std::array<SettingsValues::Key, 7> &SettingsValues::keysInReadingOrder()
{
    const auto &written = keys();
    // "check", "check3", "address", then the rest as written.
    static const std::array<Key, 7> read{written[1], written[2], written[0], written[3],
                                         written[4], written[5], written[6]};
    return read;
}

SettingsValues::SettingsValues()
{
    for (const Key &key : keys()) {
        if (key.flag)
            this->*key.flag = key.defaultOn;
    }
}

bool operator==(const SettingsValues &a, const SettingsValues &b)
{
    for (const SettingsValues::Key &key : SettingsValues::keys()) {
        if (key.flag ? a.*key.flag != b.*key.flag : a.*key.text != b.*key.text)
            return false;
    }
    return true;
}
