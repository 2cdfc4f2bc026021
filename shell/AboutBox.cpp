#include "shell/AboutBox.h"

#include "base/Version.h"

#include "shell/OutsideLinks.h"
#include "ui/EventGuard.h"
#include "ui/FontSetup.h"
#include "ui/HoverLinkLabel.h"

#include <QLabel>
#include <QTextEdit>

namespace {

QLabel *label(const QString &text, const QRect &geometry, const QFont &font, QWidget *parent)
{
    auto *result = new QLabel(text, parent);
    result->setFont(font);
    result->setWordWrap(geometry.height() > 20);
    result->setGeometry(geometry);
    return result;
}

const QString licence = QStringLiteral(
    "Merovale Yarnspin распространяется бесплатно. Вы можете свободно устанавливать программу на любое количество "
    "компьютеров, пользоваться ею дома, на работе и в учебных заведениях, а также передавать её другим людям в "
    "неизменном виде.\n\n"
    "Твиты, которые сочиняет программа, принадлежат Вам: публикуйте их, пересылайте друзьям и собирайте в "
    "\"Избранном\" без ограничений.\n\n"
    "Запрещается продавать программу, выдавать её за свою, а также изменять, декомпилировать или распространять "
    "её в составе других продуктов без письменного согласия правообладателя.\n\n"
    "Программа предоставляется \"как есть\". Правообладатель не несёт ответственности за любой ущерб, прямой или "
    "косвенный, возникший в результате использования программы или невозможности её использования, включая "
    "неудачные шутки в Ваших твитах.\n\n"
    "Устанавливая и используя программу, Вы соглашаетесь с условиями этого соглашения.");

} // namespace

AboutBox::AboutBox(Interaction &interaction, OutsideLinks &links, QWidget *parent)
    : QDialog(parent)
    , m_interaction(interaction)
    , m_links(links)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("О программе - это неофициальный продукт компании Меровейл"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(497, 388);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

void AboutBox::setVisible(bool visible)
{
    if (visible && !m_built)
        buildContents();
    QDialog::setVisible(visible);
}

void AboutBox::buildContents()
{
    m_built = true;
    label(QStringLiteral("Merovale Yarnspin"), QRect(8, 8, 180, 16), FontSetup::tahoma(13, true), this);
    label(QStringLiteral("Версия: ") + QLatin1String(Version::text), QRect(8, 24, 180, 14), FontSetup::tahoma(11), this);
    label(QStringLiteral("Идея и программирование: Квенби"), QRect(8, 48, 185, 14), FontSetup::tahoma(11), this);
    label(QStringLiteral("Сказки: пользователи Ярнспина"), QRect(8, 64, 185, 14), FontSetup::tahoma(11), this);
    label(QStringLiteral("© Merovale, 2010–2026"), QRect(8, 80, 185, 14), FontSetup::tahoma(11), this);
    label(QStringLiteral("Лицензионное соглашение"), QRect(9, 152, 300, 16), FontSetup::tahoma(13, true), this);
    label(QString(), QRect(9, 168, 488, 30), FontSetup::tahoma(11), this);

    auto *licenceBox = new QTextEdit(this);
    licenceBox->setReadOnly(true);
    licenceBox->setFont(FontSetup::tahoma(11));
    licenceBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette grey = licenceBox->palette();
    grey.setColor(QPalette::Text, QColor(0x53, 0x53, 0x53));
    licenceBox->setPalette(grey);
    licenceBox->setPlainText(licence);
    licenceBox->setGeometry(9, 203, 480, 153);

    auto *logo = new QLabel(this);
    logo->setPixmap(QPixmap(QStringLiteral(":/shell/logo.png")));
    logo->setGeometry(195, 8, 297, 49);
    label(QStringLiteral("Другие проекты Меровейл"), QRect(200, 64, 290, 16), FontSetup::tahoma(13, true), this);
    label(QStringLiteral("Кроме этой программы наша компания разрабатывает и выпускает другие продукты: для работы, "
                         "учебы и развлечений."),
          QRect(201, 80, 288, 41), FontSetup::tahoma(11), this);

    auto link = [&](const char *name, const QString &text, int left, OutsideLinks::Endpoint endpoint) {
        auto *result = new HoverLinkLabel(text, this);
        result->setObjectName(QString::fromLatin1(name));
        result->setFont(FontSetup::tahoma(11));
        result->setLinkColor(QColor(0x00, 0x69, 0xD2));
        result->setUnderline(HoverLinkLabel::Underline::ExceptWhileHovered);
        result->setToolTip(text);
        result->move(left, 125);
        result->adjustSize();
        connect(result, &HoverLinkLabel::clicked, this,
                EventGuard::guarded(m_interaction, [this, endpoint] { m_links.open(endpoint); }));
    };
    link("XPHoverLabel3", QStringLiteral("Перейти на веб-сайт Меровейл"), 197,
         OutsideLinks::Endpoint::MakerSiteOnDesktop);
    link("XPHoverLabel6", QStringLiteral("Наш блог в Google"), 363, OutsideLinks::Endpoint::AuthorBlogOnDesktop);
}
