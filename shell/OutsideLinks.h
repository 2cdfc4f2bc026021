#pragma once

#include "base/OutsideAddresses.h"
#include "compose/HeroHandle.h"

#include <QString>

#include <functional>
#include <optional>

class BrowserWindow;
class Interaction;
class Settings;

// Every command that opens an outside address names its endpoint here; one
// table says how each endpoint opens (in the built-in browser or on the
// desktop) and whether the products notice comes first. The rules that build
// the addresses that are not fixed (the hero's and the user's profiles, the
// support mail) live here too.
class OutsideLinks
{
public:
    enum class Endpoint {
        HeroProfile,     // the hero link and "Открыть твиттер героя текущего твита"
        OwnProfile,      // "Опубликовать в своем твиттере"
        CommunityGroup,
        MakerProducts,
        MakerSite,       // "Веб-сайт компании Merovale": the products notice first
        AuthorWidget,
        MakerWidget,
        AuthorBlog,
        AuthorFacebook,
        SupportMail,
        // The same pages handed to the desktop: the About box's and the favourites window's links.
        CommunityGroupOnDesktop,
        MakerSiteOnDesktop,
        AuthorBlogOnDesktop,
    };

    enum class Opening { BuiltInBrowser, Desktop };

    struct Route
    {
        Endpoint endpoint;
        Opening opening;
        bool productsNoticeFirst;
    };
    static Route routeOf(Endpoint endpoint);

    // Opens an address in the program's own browser window.
    using BuiltInBrowser = std::function<void(const QString &address)>;
    // The browser window, or nothing where its web engine cannot start (as
    // superuser): then those pages go to the desktop.
    static BuiltInBrowser builtInBrowserOf(BrowserWindow &browser);

    OutsideLinks(const OutsideAddresses::Table &addresses, const HeroHandle &hero, const Settings &settings,
                 Interaction &interaction, BuiltInBrowser builtInBrowser, std::function<void()> showSettingsDialog);

    void open(Endpoint endpoint);

    const OutsideAddresses::Table &addresses() const { return m_addresses; }
    // An account handle follows the profile-address prefix; a complete address stays as it is.
    QString heroAddress() const;
    // "mailto:" with the support address, the subject and the first words of the body.
    QString supportMailAddress() const;

private:
    // The address, or nothing when the command ends without opening one.
    std::optional<QString> addressOf(Endpoint endpoint);
    void openInBuiltInBrowser(const QString &address);

    const OutsideAddresses::Table m_addresses;
    const HeroHandle &m_hero;
    const Settings &m_settings;
    Interaction &m_interaction;
    BuiltInBrowser m_builtInBrowser;
    std::function<void()> m_showSettingsDialog;
    bool m_fallbackExplained = false;
};
