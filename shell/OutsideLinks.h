#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

class BrowserWindow;

// Every command that opens an outside address: which endpoint it reaches and
// how the address is opened, in one table, and the rules that build the
// addresses that are not fixed (the hero's and the user's profiles, the
// support mail).
class OutsideLinks
{
public:
    enum class Endpoint {
        HeroProfile,
        OwnProfile,
        CommunityGroup,
        MakerProducts,
        MakerHome,
        AuthorWidget,
        MakerWidget,
        AuthorBlog,
        AuthorFacebook,
        SupportMail,
    };

    enum class Opening { BuiltInBrowser, Desktop };

    struct Command
    {
        std::string_view window; // the window's instance name: "Form1", "Form2", "Form5"
        std::string_view item;   // the object name of the menu item or link
        Endpoint endpoint;
        Opening opening;
        bool productsNoticeFirst = false;
    };

    // Every such command of every window.
    static const std::vector<Command> &commands();
    // The command of that window and item; throws AppError for one not in the table.
    static const Command &command(std::string_view window, std::string_view item);

    // The hero handle: an account name, or a complete address after "Рассказать другу".
    struct HeroHandle
    {
        QString text;
        bool isAddress = false;
    };

    // What the main window provides.
    struct Host
    {
        std::function<HeroHandle()> heroHandle;
        // The own-account field of the settings dialog, unchanged.
        std::function<QString()> ownAccount;
        // Shows the settings dialog modally.
        std::function<void()> showSettingsDialog;
        // Whether the settings switch off the tray notices.
        std::function<bool()> noticesSuppressed;
        std::function<void()> showProductsNotice;
    };

    // Where the addresses go.
    struct Openers
    {
        // Empty where the web engine cannot start; such addresses go to the desktop.
        std::function<void(const QString &address)> builtInBrowser;
        std::function<void(const QString &address)> desktop;
    };

    // The built-in browser window, when the web engine can start here, and the
    // desktop's default handler.
    static Openers standardOpeners(BrowserWindow &browser);

    // Runs a command that opens a fixed address on the desktop, as the About
    // box's and the favourites window's links do: it needs no host.
    static void openOnDesktop(std::string_view window, std::string_view item);

    OutsideLinks(Host host, Openers openers);

    void run(const Command &command);
    void run(std::string_view window, std::string_view item) { run(command(window, item)); }

    // An account handle follows the profile-address prefix; a complete address stays as it is.
    static QString heroAddress(const HeroHandle &hero);
    // "mailto:" with the support address, the subject and the first words of the body.
    static QString supportMailAddress();
    // The address of a fixed endpoint (all but the two profiles and the mail).
    static QString fixedAddress(Endpoint endpoint);

private:
    // The address, or nothing when the command ends without opening one.
    std::optional<QString> addressOf(Endpoint endpoint);
    void openInBuiltInBrowser(const QString &address);

    Host m_host;
    Openers m_openers;
    bool m_fallbackExplained = false;
};
