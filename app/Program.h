#pragma once

#include <memory>

class AboutBox;
class BrowserWindow;
class FavouritesWindow;
class MainWindow;
class SettingsDialog;
class SingleInstance;

// The program's windows, created in start-up order and living until it ends.
// Each window gets the others it works with from here; none reaches for them.
class Program
{
public:
    Program();
    ~Program();

    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    // A later start from the same program folder brings the main window forward.
    void answerLaterStarts(SingleInstance &instance);

    MainWindow &mainWindow() { return *m_mainWindow; }
    FavouritesWindow &favouritesWindow() { return *m_favouritesWindow; }
    SettingsDialog &settingsDialog() { return *m_settingsDialog; }
    BrowserWindow &browserWindow() { return *m_browserWindow; }

private:
    std::unique_ptr<MainWindow> m_mainWindow;
    std::unique_ptr<AboutBox> m_aboutBox;
    std::unique_ptr<FavouritesWindow> m_favouritesWindow;
    std::unique_ptr<SettingsDialog> m_settingsDialog;
    std::unique_ptr<BrowserWindow> m_browserWindow;
};
