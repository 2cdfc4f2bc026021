#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

// Every web and mail address the program opens or shows, in one table, so a
// packager changes them in one place. Tests replace the table before the
// windows are built.
namespace OutsideAddresses {

struct Table
{
    // An account's profile page is this prefix followed by the account handle.
    QString profilePrefix;
    QString communityGroup;
    QString makerHomePage;
    QString makerProductsPage;
    QString authorWidgetPage;
    QString makerWidgetPage;
    QString authorBlog;
    QString authorFacebook;
    // The latest version of the program; "Рассказать другу" stores it as the hero link.
    QString downloadAddress;
    QString supportEmail;
    QString authorEmail;
    // Completes the caption "Другие продукты Меровейл на ...".
    QString makerSiteName;
};

inline Table shippedTable()
{
    return Table{
        QStringLiteral("https://twitter.com/"),
        QStringLiteral("https://vk.com/yarnspin"),
        QStringLiteral("https://www.merovale.com/"),
        QStringLiteral("https://www.merovale.com/products/"),
        QStringLiteral("https://www.merovale.com/widgets/quenby/"),
        QStringLiteral("https://www.merovale.com/widgets/merovale/"),
        QStringLiteral("https://quenby.blogspot.com/"),
        QStringLiteral("https://www.facebook.com/quenby.merovale"),
        QStringLiteral("https://www.merovale.com/download/yarnspin-setup.exe"),
        QStringLiteral("support@merovale.com"),
        QStringLiteral("quenby@merovale.com"),
        QStringLiteral("merovale.com"),
    };
}

namespace detail {
inline Table &table()
{
    static Table current = shippedTable();
    return current;
}
} // namespace detail

inline const Table &current() { return detail::table(); }

// Replaces the table for the rest of the run; call it before any window is built.
inline void replaceForTesting(const Table &table) { detail::table() = table; }

// What is wrong with a table: the names of entries that are empty or do not
// have the form they must have; empty when the table is complete.
inline QStringList faultsOf(const Table &table)
{
    QStringList faults;
    const auto web = [&faults](const char *name, const QString &address) {
        const QUrl url(address, QUrl::StrictMode);
        if (!url.isValid() || (url.scheme() != u"https" && url.scheme() != u"http") || url.host().isEmpty())
            faults << QString::fromLatin1(name);
    };
    const auto mail = [&faults](const char *name, const QString &address) {
        const qsizetype at = address.indexOf(u'@');
        if (at <= 0 || at != address.lastIndexOf(u'@') || at == address.size() - 1 || address.contains(u' ')
            || address.contains(u'?'))
            faults << QString::fromLatin1(name);
    };
    web("profilePrefix", table.profilePrefix);
    if (!table.profilePrefix.endsWith(u'/'))
        faults << QStringLiteral("profilePrefix");
    web("communityGroup", table.communityGroup);
    web("makerHomePage", table.makerHomePage);
    web("makerProductsPage", table.makerProductsPage);
    web("authorWidgetPage", table.authorWidgetPage);
    web("makerWidgetPage", table.makerWidgetPage);
    web("authorBlog", table.authorBlog);
    web("authorFacebook", table.authorFacebook);
    web("downloadAddress", table.downloadAddress);
    mail("supportEmail", table.supportEmail);
    mail("authorEmail", table.authorEmail);
    if (table.makerSiteName.trimmed().isEmpty())
        faults << QStringLiteral("makerSiteName");
    return faults;
}

// The entries by name, for the callers that read one of them.
inline QString profilePrefix() { return current().profilePrefix; }
inline QString communityGroup() { return current().communityGroup; }
inline QString makerHomePage() { return current().makerHomePage; }
inline QString makerProductsPage() { return current().makerProductsPage; }
inline QString authorWidgetPage() { return current().authorWidgetPage; }
inline QString makerWidgetPage() { return current().makerWidgetPage; }
inline QString authorBlog() { return current().authorBlog; }
inline QString authorFacebook() { return current().authorFacebook; }
inline QString downloadAddress() { return current().downloadAddress; }
inline QString supportEmail() { return current().supportEmail; }
inline QString authorEmail() { return current().authorEmail; }
inline QString makerSiteName() { return current().makerSiteName; }

} // namespace OutsideAddresses
