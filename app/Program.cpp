#include "app/Program.h"

#include "app/MainWindow.h"
#include "app/SingleInstance.h"
#include "base/AppError.h"
#include "settings/SettingsDialog.h"
#include "shell/AboutBox.h"
#include "ui/EventGuard.h"
#include "ui/MessageBoxes.h"

#include <QApplication>
#include <QIcon>

static void initArtwork()
{
    Q_INIT_RESOURCE(artwork);
}

Program::Program()
{
    initArtwork();
    // Only the main window's close ends the program, after writing the lists:
    // a box closed while the main window is hidden in the tray must not.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/artwork/icon-256.png")));
    // The main window loads the lists as it is created; the settings dialog
    // comes last, so the main window is handed it and the About box after.
    m_mainWindow = std::make_unique<MainWindow>();
    m_aboutBox = std::make_unique<AboutBox>();
    loadFavourites(*m_mainWindow);
    m_settingsDialog = std::make_unique<SettingsDialog>();
    m_mainWindow->attach(*m_settingsDialog, *m_settingsDialog, *m_aboutBox);
}

Program::~Program() = default;

void Program::answerLaterStarts(SingleInstance &instance)
{
    QObject::connect(&instance, &SingleInstance::activationRequested, m_mainWindow.get(),
                     EventGuard::guarded(m_mainWindow.get(), &MainWindow::restoreFromTray));
}

void Program::loadFavourites(MainWindow &mainWindow)
{
    try {
        mainWindow.favourites().load(FavouritesText::filePath());
    } catch (const AppError &) {
        // Typically the very first start: the file appears at the first normal end.
        MessageBoxes::show(nullptr, MessageBoxes::Kind::Information, QStringLiteral("Merovale Yarnspin"),
                           QStringLiteral("Это первый запуск программы Merovale Yarnspin на Вашем компьютере. Сейчас "
                                          "будет создан файл \"Избранного\", куда Вы сможете копировать самые смешные "
                                          "твиты. Приятного времени вместе с Merovale Yarnspin!"));
    }
}
