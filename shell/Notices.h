#pragma once

class TrayIcon;

// The program's balloon notices, each with the info icon for ten seconds.
// Callers decide whether the suppression setting lets one show.
class Notices
{
public:
    explicit Notices(TrayIcon &tray);

    void welcome();
    void minimized();
    void autogenerationStarted();
    void products();
    void favourites();

private:
    TrayIcon &m_tray;
};
