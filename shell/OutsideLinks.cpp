#include "shell/OutsideLinks.h"

#include "platform/WebSandbox.h"
#include "settings/Settings.h"
#include "shell/BrowserWindow.h"
#include "shell/Notices.h"
#include "ui/Interaction.h"

#include <QUrl>

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

OutsideLinks::Route OutsideLinks::routeOf(Endpoint endpoint)
{
    switch (endpoint) {
    case Endpoint::MakerSite:
        return {endpoint, Opening::BuiltInBrowser, true};
    case Endpoint::SupportMail:
    case Endpoint::CommunityGroupOnDesktop:
    case Endpoint::MakerSiteOnDesktop:
    case Endpoint::AuthorBlogOnDesktop:
        return {endpoint, Opening::Desktop, false};
    case Endpoint::HeroProfile:
    case Endpoint::OwnProfile:
    case Endpoint::CommunityGroup:
    case Endpoint::MakerProducts:
    case Endpoint::AuthorWidget:
    case Endpoint::MakerWidget:
    case Endpoint::AuthorBlog:
    case Endpoint::AuthorFacebook:
        break;
    }
    return {endpoint, Opening::BuiltInBrowser, false};
}

OutsideLinks::BuiltInBrowser OutsideLinks::builtInBrowserOf(BrowserWindow &browser)
{
    if (!platform::webEngineCanStart())
        return {};
    return [&browser](const QString &address) { browser.open(address); };
}

OutsideLinks::OutsideLinks(const OutsideAddresses::Table &addresses, const HeroHandle &hero,
                           const Settings &settings, Interaction &interaction, BuiltInBrowser builtInBrowser,
                           std::function<void()> showSettingsDialog)
    : m_addresses(addresses)
    , m_hero(hero)
    , m_settings(settings)
    , m_interaction(interaction)
    , m_builtInBrowser(std::move(builtInBrowser))
    , m_showSettingsDialog(std::move(showSettingsDialog))
{
}

void OutsideLinks::open(Endpoint endpoint)
{
    const Route route = routeOf(endpoint);
    if (route.productsNoticeFirst && !m_settings.noticesSuppressed())
        Notices(m_interaction).products();
    const std::optional<QString> address = addressOf(endpoint);
    if (!address)
        return;
    if (route.opening == Opening::BuiltInBrowser)
        openInBuiltInBrowser(*address);
    else
        m_interaction.openOnDesktop(QUrl(*address));
}

void OutsideLinks::openInBuiltInBrowser(const QString &address)
{
    if (m_builtInBrowser) {
        m_builtInBrowser(address);
        return;
    }
    if (!m_fallbackExplained) {
        m_fallbackExplained = true;
        m_interaction.showMessage(QStringLiteral(
            "Встроенный веб-браузер не работает, когда программа запущена от имени суперпользователя (root): "
            "его движок не запускается без своей защитной \"песочницы\". Поэтому страницы открываются в вашем "
            "обычном браузере. Чтобы пользоваться встроенным браузером, запустите программу от имени обычного "
            "пользователя."));
    }
    m_interaction.openOnDesktop(QUrl(address));
}

std::optional<QString> OutsideLinks::addressOf(Endpoint endpoint)
{
    switch (endpoint) {
    case Endpoint::HeroProfile:
        return heroAddress();
    case Endpoint::OwnProfile: {
        // Taken unchanged: blanks only is not empty.
        const QString account = m_settings.ownAccount();
        if (account.isEmpty()) {
            m_interaction.showMessage(
                QStringLiteral("А куда твитить-то? Укажите адрес своего твиттер-аккаунта в настройках программы."));
            m_showSettingsDialog();
            return std::nullopt;
        }
        return m_addresses.profilePrefix + account;
    }
    case Endpoint::SupportMail:
        return supportMailAddress();
    case Endpoint::CommunityGroup:
    case Endpoint::CommunityGroupOnDesktop:
        return m_addresses.communityGroup;
    case Endpoint::MakerProducts:
        return m_addresses.makerProductsPage;
    case Endpoint::MakerSite:
    case Endpoint::MakerSiteOnDesktop:
        return m_addresses.makerHomePage;
    case Endpoint::AuthorWidget:
        return m_addresses.authorWidgetPage;
    case Endpoint::MakerWidget:
        return m_addresses.makerWidgetPage;
    case Endpoint::AuthorBlog:
    case Endpoint::AuthorBlogOnDesktop:
        return m_addresses.authorBlog;
    case Endpoint::AuthorFacebook:
        return m_addresses.authorFacebook;
    }
    return std::nullopt;
}

QString OutsideLinks::heroAddress() const
{
    return m_hero.isAddress ? m_hero.text : m_addresses.profilePrefix + m_hero.text;
}

QString OutsideLinks::supportMailAddress() const
{
    return QStringLiteral("mailto:") + m_addresses.supportEmail + QStringLiteral("?subject=")
        + mailField(QStringLiteral("Вопрос технической поддержки")) + QStringLiteral("&body=")
        + mailField(QStringLiteral("У меня возник следующий вопрос:"));
}
