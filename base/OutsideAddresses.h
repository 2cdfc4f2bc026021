#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

// Every web and mail address the program opens or shows, in one table, so a
// packager changes them in one place. The program's core and its outside
// links are given the table when they are made.
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

} // namespace OutsideAddresses
