#include "base/OutsideAddresses.h"

#include <QTest>

#include <functional>

Q_DECLARE_METATYPE(std::function<void(OutsideAddresses::Table &)>)

class OutsideAddressesTest : public QObject
{
    Q_OBJECT

private slots:
    void shippedTableIsComplete()
    {
        QCOMPARE(OutsideAddresses::faultsOf(OutsideAddresses::shippedTable()), QStringList());
    }

    void faultsAreFound_data()
    {
        using Change = std::function<void(OutsideAddresses::Table &)>;
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("fault");
        QTest::newRow("empty page") << Change([](auto &t) { t.authorBlog.clear(); }) << "authorBlog";
        QTest::newRow("prefix without its slash")
            << Change([](auto &t) { t.profilePrefix = QStringLiteral("https://twitter.com"); }) << "profilePrefix";
        QTest::newRow("page without a host")
            << Change([](auto &t) { t.communityGroup = QStringLiteral("vk.com/yarnspin"); }) << "communityGroup";
        QTest::newRow("mail without @")
            << Change([](auto &t) { t.supportEmail = QStringLiteral("support.merovale.com"); }) << "supportEmail";
        QTest::newRow("mail with a query")
            << Change([](auto &t) { t.supportEmail = QStringLiteral("a@b.c?x=y"); }) << "supportEmail";
        QTest::newRow("blank site name") << Change([](auto &t) { t.makerSiteName = QStringLiteral(" "); })
                                         << "makerSiteName";
    }

    void faultsAreFound()
    {
        QFETCH(std::function<void(OutsideAddresses::Table &)>, change);
        QFETCH(QString, fault);
        OutsideAddresses::Table table = OutsideAddresses::shippedTable();
        change(table);
        QCOMPARE(OutsideAddresses::faultsOf(table), QStringList{fault});
    }
};

QTEST_APPLESS_MAIN(OutsideAddressesTest)
#include "OutsideAddressesTest.moc"
