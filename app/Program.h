#pragma once

#include <memory>

class AboutBox;
class FavouritesWindow;
class MainWindow;
class SettingsDialog;

// The program's windows, created in start-up order and living until it ends.
// Each window gets the others it works with from here; none reaches for them.
class Program
{
public:
    Program();
    ~Program();

    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    MainWindow &mainWindow() { return *m_mainWindow; }
    SettingsDialog &settingsDialog() { return *m_settingsDialog; }

    FavouritesWindow &favouritesWindow() { return *m_favouritesWindow; }

private:
    std::unique_ptr<MainWindow> m_mainWindow;
    std::unique_ptr<AboutBox> m_aboutBox;
    std::unique_ptr<FavouritesWindow> m_favouritesWindow;
    std::unique_ptr<SettingsDialog> m_settingsDialog;
};
