#include "shell/Notices.h"

#include "shell/TrayIcon.h"

#include <QString>

namespace {
constexpr int displaySeconds = 10;
}

Notices::Notices(TrayIcon &tray)
    : m_tray(tray)
{
}

void Notices::welcome()
{
    m_tray.showBalloonNotice(QStringLiteral("Merovale Yarnspin приветствует вас"),
                             QStringLiteral("Merovale Yarnspin сочиняет твиты!\r\rДля того, чтобы программа сочинила "
                                            "твит, нажмите на кнопку \"Сочинить смешной твит!\""),
                             displaySeconds);
}

void Notices::minimized()
{
    m_tray.showBalloonNotice(QStringLiteral("Merovale Yarnspin! всё еще работает!"),
                             QStringLiteral("Merovale Yarnspin! перешла в фоновой режим работы. В любое время к ней "
                                            "можно будет вновь вернуться и генерировать твиты.\rДля возврата щелкните "
                                            "по ее значку в трее."),
                             displaySeconds);
}

void Notices::autogenerationStarted()
{
    m_tray.showBalloonNotice(QStringLiteral("Merovale Yarnspin начал генерировать твиты сам"),
                             QStringLiteral("Merovale Yarnspin начал автогенерацию твитов.\rДля отключения "
                                            "автогенерации щелкните по надписи на главном окне программы."),
                             displaySeconds);
}

void Notices::products()
{
    m_tray.showBalloonNotice(QStringLiteral("Продукты Merovale"),
                             QStringLiteral("Попробуйте и другие программы от Merovale.\r\rМы охватываем "
                                            "сайтостроительство, образование, лингвистику. Попробуйте наш пакет "
                                            "программ Merovale Brightloom."),
                             displaySeconds);
}

void Notices::favourites()
{
    m_tray.showBalloonNotice(QStringLiteral("Избранное"),
                             QStringLiteral("В Избранном хранятся самые удачные и смешные твиты.\r\rДля того, чтобы "
                                            "добавить твит в Избранное, выберите подходящую команду в нижней части "
                                            "главного окна программы."),
                             displaySeconds);
}
