#pragma once

#include <QWidget>

class GuardedWebPage;
class Interaction;
class QVBoxLayout;
class QWebEngineView;

// The program's own web-browser window: a header band with navigation links,
// the web view and a status bar. One instance lives for the whole run; closing
// it only hides it, so the page and the history stay for the next opening.
// The web view, whose engine is expensive to start, is made on the first opening.
class BrowserWindow : public QWidget
{
    Q_OBJECT

public:
    explicit BrowserWindow(Interaction &interaction, QWidget *parent = nullptr);

    // Starts loading the address without waiting for it, then shows the window
    // without making it modal and brings it to the front. The caller checks
    // platform::webEngineCanStart() first: as superuser the engine ends the process.
    void open(const QString &address);

    // The header links' commands.
    void goBack();
    void goForward();
    void stopLoading();
    void reload();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *makeHeader();
    void makeWebView();
    void placeOnScreen();
    // Goes back or forward, or says there is no page in that direction.
    void step(bool possible, void (QWebEngineView::*direction)(), const QString &nothingThere);

    Interaction &m_interaction;
    QVBoxLayout *m_layout = nullptr;
    QWebEngineView *m_webView = nullptr;
    GuardedWebPage *m_page = nullptr;
    bool m_placed = false;
};
