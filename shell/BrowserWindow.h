#pragma once

#include "shell/BrowserEngineModule.h"

#include <QString>
#include <QWidget>

class BrowserEngine;
class Interaction;
class QEventLoop;
class QVBoxLayout;

// The program's own web-browser window: a header band with navigation links,
// the web view and a status bar. One instance lives for the whole run; closing
// it only hides it, so the page and the history stay for the next opening.
// The web view and its engine, expensive to load and start, come from a
// module loaded at the first opening.
class BrowserWindow : public QWidget
{
    Q_OBJECT

public:
    // The engine module is the program's own (its folder's modules/) unless a test names another.
    explicit BrowserWindow(Interaction &interaction, QWidget *parent = nullptr,
                           QString engineModule = BrowserEngineModule::standardPath());

    // Starts loading the address without waiting for it, then shows the window
    // without making it modal and brings it to the front; at the first opening
    // the window is shown and painted before the engine loads. The caller
    // checks platform::webEngineCanStart() first: as superuser the engine ends
    // the process. Throws AppError, the window hidden, when the address cannot
    // be parsed or the engine module cannot be loaded.
    void open(const QString &address);

    // The header links' commands.
    void goBack();
    void goForward();
    void stopLoading();
    void reload();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *makeHeader();
    void bringToFront();
    // At the first opening: the window on screen and painted before the engine loads.
    void showBeforeTheEngine();
    void makeEngine();
    void placeOnScreen();
    // Goes back or forward, or says there is no page in that direction.
    void step(bool possible, void (BrowserEngine::*direction)(), const QString &nothingThere);

    Interaction &m_interaction;
    const QString m_engineModule;
    QVBoxLayout *m_layout = nullptr;
    QWidget *m_header = nullptr;
    QEventLoop *m_waitingForPaint = nullptr;
    // A child widget, owned by the window.
    BrowserEngine *m_engine = nullptr;
    bool m_placed = false;
};
