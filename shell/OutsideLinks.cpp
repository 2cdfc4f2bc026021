#include "shell/OutsideLinks.h"

#include "base/AppError.h"
#include "base/OutsideAddresses.h"
#include "platform/WebSandbox.h"
#include "shell/BrowserWindow.h"
#include "ui/Desktop.h"
#include "ui/MessageBoxes.h"

#include <QUrl>

#include <algorithm>
#include <utility>

namespace {

using Endpoint = OutsideLinks::Endpoint;
using Opening = OutsideLinks::Opening;

// Written percent-encoded as UTF-8 (RFC 6068): mail programs on this platform
// read raw 8-bit letters in an address as garbage. Blanks become "%20".
QString mailField(const QString &text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text, ":"));
}

} // namespace

const std::vector<OutsideLinks::Command> &OutsideLinks::commands()
{
    static const std::vector<Command> table{
        {"Form1", "twiname", Endpoint::HeroProfile, Opening::BuiltInBrowser},
        {"Form1", "N50", Endpoint::HeroProfile, Opening::BuiltInBrowser},
        {"Form1", "N25", Endpoint::OwnProfile, Opening::BuiltInBrowser},
        {"Form1", "yarn", Endpoint::CommunityGroup, Opening::BuiltInBrowser},
        {"Form1", "N2354", Endpoint::MakerProducts, Opening::BuiltInBrowser},
        {"Form1", "N340", Endpoint::MakerHome, Opening::BuiltInBrowser, true},
        {"Form1", "twitterquenby", Endpoint::AuthorWidget, Opening::BuiltInBrowser},
        {"Form1", "twimerovale", Endpoint::MakerWidget, Opening::BuiltInBrowser},
        {"Form1", "blog", Endpoint::AuthorBlog, Opening::BuiltInBrowser},
        {"Form1", "Facebook1", Endpoint::AuthorFacebook, Opening::BuiltInBrowser},
        {"Form1", "N19", Endpoint::SupportMail, Opening::Desktop},
        // The About box's two links.
        {"Form2", "XPHoverLabel3", Endpoint::MakerHome, Opening::Desktop},
        {"Form2", "XPHoverLabel6", Endpoint::AuthorBlog, Opening::Desktop},
        // The favourites window's "publish" and "other products".
        {"Form5", "N10", Endpoint::CommunityGroup, Opening::Desktop},
        {"Form5", "N8", Endpoint::MakerHome, Opening::Desktop},
    };
    return table;
}

const OutsideLinks::Command &OutsideLinks::command(std::string_view window, std::string_view item)
{
    const auto &table = commands();
    const auto found = std::find_if(table.begin(), table.end(), [&](const Command &command) {
        return command.window == window && command.item == item;
    });
    if (found == table.end()) {
        throw AppError(QStringLiteral("No outside link for %1.%2")
                           .arg(QLatin1String(window.data(), qsizetype(window.size())),
                                QLatin1String(item.data(), qsizetype(item.size()))));
    }
    return *found;
}

OutsideLinks::Openers OutsideLinks::standardOpeners(BrowserWindow &browser)
{
    Openers openers;
    if (platform::webEngineCanStart())
        openers.builtInBrowser = [&browser](const QString &address) { browser.open(address); };
    openers.desktop = [](const QString &address) { Desktop::open(address); };
    return openers;
}

void OutsideLinks::openOnDesktop(std::string_view window, std::string_view item)
{
    const Command &found = command(window, item);
    Q_ASSERT(found.opening == Opening::Desktop);
    Desktop::open(fixedAddress(found.endpoint));
}

OutsideLinks::OutsideLinks(Host host, Openers openers)
    : m_host(std::move(host))
    , m_openers(std::move(openers))
{
}

void OutsideLinks::run(const Command &command)
{
    if (command.productsNoticeFirst && !m_host.noticesSuppressed())
        m_host.showProductsNotice();
    const std::optional<QString> address = addressOf(command.endpoint);
    if (!address)
        return;
    if (command.opening == Opening::BuiltInBrowser)
        openInBuiltInBrowser(*address);
    else
        m_openers.desktop(*address);
}

void OutsideLinks::openInBuiltInBrowser(const QString &address)
{
    if (m_openers.builtInBrowser) {
        m_openers.builtInBrowser(address);
        return;
    }
    if (!m_fallbackExplained) {
        m_fallbackExplained = true;
        MessageBoxes::showMessage(QStringLiteral(
            "Встроенный веб-браузер не работает, когда программа запущена от имени суперпользователя (root): "
            "его движок не запускается без своей защитной \"песочницы\". Поэтому страницы открываются в вашем "
            "обычном браузере. Чтобы пользоваться встроенным браузером, запустите программу от имени обычного "
            "пользователя."));
    }
    m_openers.desktop(address);
}

std::optional<QString> OutsideLinks::addressOf(Endpoint endpoint)
{
    switch (endpoint) {
    case Endpoint::HeroProfile:
        return heroAddress(m_host.heroHandle());
    case Endpoint::OwnProfile: {
        // Taken unchanged: blanks only is not empty.
        const QString account = m_host.ownAccount();
        if (account.isEmpty()) {
            MessageBoxes::showMessage(
                QStringLiteral("А куда твитить-то? Укажите адрес своего твиттер-аккаунта в настройках программы."));
            m_host.showSettingsDialog();
            return std::nullopt;
        }
        return OutsideAddresses::profilePrefix() + account;
    }
    case Endpoint::SupportMail:
        return supportMailAddress();
    default:
        return fixedAddress(endpoint);
    }
}

QString OutsideLinks::heroAddress(const HeroHandle &hero)
{
    return hero.isAddress ? hero.text : OutsideAddresses::profilePrefix() + hero.text;
}

QString OutsideLinks::supportMailAddress()
{
    return QStringLiteral("mailto:") + OutsideAddresses::supportEmail()
        + QStringLiteral("?subject=") + mailField(QStringLiteral("Вопрос технической поддержки"))
        + QStringLiteral("&body=") + mailField(QStringLiteral("У меня возник следующий вопрос:"));
}

QString OutsideLinks::fixedAddress(Endpoint endpoint)
{
    const OutsideAddresses::Table &addresses = OutsideAddresses::current();
    switch (endpoint) {
    case Endpoint::CommunityGroup: return addresses.communityGroup;
    case Endpoint::MakerProducts: return addresses.makerProductsPage;
    case Endpoint::MakerHome: return addresses.makerHomePage;
    case Endpoint::AuthorWidget: return addresses.authorWidgetPage;
    case Endpoint::MakerWidget: return addresses.makerWidgetPage;
    case Endpoint::AuthorBlog: return addresses.authorBlog;
    case Endpoint::AuthorFacebook: return addresses.authorFacebook;
    case Endpoint::HeroProfile:
    case Endpoint::OwnProfile:
    case Endpoint::SupportMail:
        break;
    }
    throw AppError(QStringLiteral("The profiles and the support mail have no fixed address"));
}
