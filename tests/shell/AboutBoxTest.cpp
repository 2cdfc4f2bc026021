#include "settings/Settings.h"
#include "shell/AboutBox.h"
#include "shell/OutsideLinks.h"
#include "tests/support/Controls.h"
#include "tests/support/RecordedInteraction.h"
#include "ui/HoverLinkLabel.h"

#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTextEdit>
#include <QUrl>

// The About box: its frame, texts, bold headings, and the two links that hand
// their addresses to the desktop while the box stays open.
class AboutBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void framesItsTexts();
    void linksHandTheirAddressesToTheDesktop();

private:
    RecordedInteraction m_interaction;
    HeroHandle m_hero;
    Settings m_settings{QStringLiteral("/nonexistent/yarnconfig.ini")};
    OutsideLinks m_links{OutsideAddresses::shippedTable(), m_hero, m_settings, m_interaction, {}, [] {}};
};

void AboutBoxTest::framesItsTexts()
{
    AboutBox box(m_interaction, m_links);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QCOMPARE(box.objectName(), QStringLiteral("Form2"));
    QCOMPARE(box.windowTitle(), QStringLiteral("О программе - это неофициальный продукт компании Меровейл"));
    QCOMPARE(box.size(), QSize(497, 388));
    QCOMPARE(box.minimumSize(), box.maximumSize());
    QVERIFY(!(box.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(box.windowFlags() & Qt::WindowMinimizeButtonHint));

    QHash<QString, QLabel *> labels;
    for (QLabel *label : box.findChildren<QLabel *>())
        labels.insert(label->text(), label);
    struct Expected
    {
        QString text;
        QPoint position;
        bool bold;
    };
    const QList<Expected> expected{
        {QStringLiteral("Merovale Yarnspin"), {8, 8}, true},
        {QStringLiteral("Версия: 1.0.0.0"), {8, 24}, false},
        {QStringLiteral("Лицензионное соглашение"), {9, 152}, true},
        {QStringLiteral("Другие проекты Меровейл"), {200, 64}, true},
        {QStringLiteral("Кроме этой программы наша компания разрабатывает и выпускает другие продукты: для работы, "
                        "учебы и развлечений."),
         {201, 80}, false},
    };
    for (const Expected &text : expected) {
        QLabel *label = labels.value(text.text);
        QVERIFY2(label, qPrintable(text.text));
        QCOMPARE(label->pos(), text.position);
        QCOMPARE(label->font().bold(), text.bold);
    }
    auto *licence = box.findChild<QTextEdit *>();
    QVERIFY(licence);
    QVERIFY(licence->isReadOnly());
    QCOMPARE(licence->geometry(), QRect(9, 203, 480, 153));
    QVERIFY(licence->toPlainText().startsWith(QStringLiteral("Merovale Yarnspin распространяется бесплатно.")));
}

void AboutBoxTest::linksHandTheirAddressesToTheDesktop()
{
    AboutBox box(m_interaction, m_links);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    auto *site = control<HoverLinkLabel>(&box, "XPHoverLabel3");
    auto *blog = control<HoverLinkLabel>(&box, "XPHoverLabel6");
    QCOMPARE(site->text(), QStringLiteral("Перейти на веб-сайт Меровейл"));
    QCOMPARE(site->toolTip(), site->text());
    QCOMPARE(site->pos(), QPoint(197, 125));
    QCOMPARE(blog->text(), QStringLiteral("Наш блог в Google"));
    QCOMPARE(blog->toolTip(), blog->text());
    QCOMPARE(blog->pos(), QPoint(363, 125));

    QTest::mouseClick(site, Qt::LeftButton);
    QTest::mouseClick(blog, Qt::LeftButton);
    QCOMPARE(m_interaction.openedOnDesktop, (QList<QUrl>{QUrl(QStringLiteral("https://www.merovale.com/")),
                                                       QUrl(QStringLiteral("https://quenby.blogspot.com/"))}));
    QVERIFY(box.isVisible());
}

QTEST_MAIN(AboutBoxTest)
#include "AboutBoxTest.moc"
