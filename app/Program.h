#pragma once

#include "core/YarnCore.h"

#include <memory>

class AboutBox;
class BrowserWindow;
class FavouritesWindow;
class Interaction;
class MainWindow;
class OutsideLinks;
class SettingsDialog;
class SingleInstance;
class TrayIcon;

// The program: its core, made first, and its windows and tray icon, made
// from it and living until the program ends. Each window is given what it
// works with when it is made; none reaches for another.
class Program
{
public:
    // Without an interaction of its own the program uses the desktop's.
    explicit Program(YarnCore::Options options, Interaction *interaction = nullptr);
    ~Program();

    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    // A later start from the same program folder brings the main window forward.
    void answerLaterStarts(SingleInstance &instance);

    // What "Выход" writes, when the desktop session ends, asking nothing;
    // what cannot be written goes to the user's data folder, and the
    // terminal is told where.
    void saveForSessionEnd();

    YarnCore &core() { return m_core; }
    TrayIcon &trayIcon() { return *m_trayIcon; }
    MainWindow &mainWindow() { return *m_mainWindow; }
    FavouritesWindow &favouritesWindow() { return *m_favouritesWindow; }
    SettingsDialog &settingsDialog() { return *m_settingsDialog; }
    BrowserWindow &browserWindow() { return *m_browserWindow; }
    OutsideLinks &links() { return *m_links; }

private:
    // Names the folders a session's end filled, and offers back what a crash left.
    void settleWhatEarlierRunsLeft();

    YarnCore m_core;
    std::unique_ptr<TrayIcon> m_trayIcon;
    std::unique_ptr<Interaction> m_desktop;
    Interaction *m_interaction;
    std::unique_ptr<SettingsDialog> m_settingsDialog;
    std::unique_ptr<BrowserWindow> m_browserWindow;
    std::unique_ptr<OutsideLinks> m_links;
    std::unique_ptr<AboutBox> m_aboutBox;
    std::unique_ptr<FavouritesWindow> m_favouritesWindow;
    std::unique_ptr<MainWindow> m_mainWindow;
};
