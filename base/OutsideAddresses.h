#pragma once

#include <QString>

// Every web and mail address the program opens or shows.
namespace OutsideAddresses {

// An account's profile page is this prefix followed by the account handle.
inline QString profilePrefix() { return QStringLiteral("https://twitter.com/"); }
inline QString authorEmail() { return QStringLiteral("quenby@merovale.com"); }
inline QString supportEmail() { return QStringLiteral("support@merovale.com"); }
inline QString downloadAddress() { return QStringLiteral("https://www.merovale.com/download/yarnspin-setup.exe"); }
inline QString makerSiteName() { return QStringLiteral("merovale.com"); }
inline QString makerHomePage() { return QStringLiteral("https://www.merovale.com/"); }
inline QString makerProductsPage() { return QStringLiteral("https://www.merovale.com/products/"); }
inline QString authorWidgetPage() { return QStringLiteral("https://www.merovale.com/widgets/quenby/"); }
inline QString makerWidgetPage() { return QStringLiteral("https://www.merovale.com/widgets/merovale/"); }
inline QString authorBlog() { return QStringLiteral("https://quenby.blogspot.com/"); }
inline QString authorFacebook() { return QStringLiteral("https://www.facebook.com/quenby.merovale"); }
inline QString communityGroup() { return QStringLiteral("https://vk.com/yarnspin"); }

} // namespace OutsideAddresses
