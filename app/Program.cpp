#include "app/Program.h"

#include "app/MainWindow.h"
#include "app/SingleInstance.h"
#include "journal/FavouritesWindow.h"
#include "settings/SettingsDialog.h"
#include "shell/BrowserWindow.h"
#include "shell/AboutBox.h"
#include "ui/EventGuard.h"

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
    // The main window loads the lists as it is created; the other windows
    // come after it, so it is handed them once they all exist.
    m_mainWindow = std::make_unique<MainWindow>();
    m_aboutBox = std::make_unique<AboutBox>();
    m_favouritesWindow =
        std::make_unique<FavouritesWindow>(m_mainWindow->favourites(), m_mainWindow->favouritesServices());
    m_favouritesWindow->loadFavouritesFile();
    m_settingsDialog = std::make_unique<SettingsDialog>();
    // Cheap: its web engine starts at the first opening.
    m_browserWindow = std::make_unique<BrowserWindow>();
    m_mainWindow->attach(
        {*m_settingsDialog, *m_settingsDialog, *m_aboutBox, *m_favouritesWindow, *m_browserWindow});
}

Program::~Program() = default;

void Program::answerLaterStarts(SingleInstance &instance)
{
    QObject::connect(&instance, &SingleInstance::activationRequested, m_mainWindow.get(),
                     EventGuard::guarded(m_mainWindow.get(), &MainWindow::restoreFromTray));
}
