#include "shell/Notices.h"

#include "ui/Interaction.h"

#include <QString>

Notices::Notices(Interaction &interaction)
    : m_interaction(interaction)
{
}

void Notices::welcome()
{
    m_interaction.showNotice(QStringLiteral("Merovale Yarnspin приветствует вас"),
                             QStringLiteral("Merovale Yarnspin сочиняет твиты!\r\rДля того, чтобы программа сочинила "
                                            "твит, нажмите на кнопку \"Сочинить смешной твит!\""));
}

void Notices::minimized()
{
    m_interaction.showNotice(QStringLiteral("Merovale Yarnspin! всё еще работает!"),
                             QStringLiteral("Merovale Yarnspin! перешла в фоновой режим работы. В любое время к ней "
                                            "можно будет вновь вернуться и генерировать твиты.\rДля возврата щелкните "
                                            "по ее значку в трее."));
}

void Notices::autogenerationStarted()
{
    m_interaction.showNotice(QStringLiteral("Merovale Yarnspin начал генерировать твиты сам"),
                             QStringLiteral("Merovale Yarnspin начал автогенерацию твитов.\rДля отключения "
                                            "автогенерации щелкните по надписи на главном окне программы."));
}

void Notices::products()
{
    m_interaction.showNotice(QStringLiteral("Продукты Merovale"),
                             QStringLiteral("Попробуйте и другие программы от Merovale.\r\rМы охватываем "
                                            "сайтостроительство, образование, лингвистику. Попробуйте наш пакет "
                                            "программ Merovale Brightloom."));
}

void Notices::favourites()
{
    m_interaction.showNotice(QStringLiteral("Избранное"),
                             QStringLiteral("В Избранном хранятся самые удачные и смешные твиты.\r\rДля того, чтобы "
                                            "добавить твит в Избранное, выберите подходящую команду в нижней части "
                                            "главного окна программы."));
}
