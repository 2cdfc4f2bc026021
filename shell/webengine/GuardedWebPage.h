#pragma once

#include "shell/BrowserEngine.h"

#include <QElapsedTimer>
#include <QList>
#include <QUrl>
#include <QWebEnginePage>

class QWebEngineDownloadRequest;
class QWebEngineNewWindowRequest;

// The built-in browser's page: it reacts to nothing the user did not ask for.
// A download, or an address only another program opens (mailto:, ssh:, ...),
// reaches the desktop only when the user asked for it (the program opened the
// address, or the user clicked or pressed a key in the page just before) and
// then answered Yes to a question naming it; whatever a page starts by itself
// is refused without a word. A window a page opens without a click is refused;
// one opened by a click opens here. A hidden page is frozen.
class GuardedWebPage : public QWebEnginePage
{
    Q_OBJECT

public:
    GuardedWebPage(BrowserEngine::Outside outside, QObject *parent);

    // Makes a frozen page active again; called before its window is shown.
    void wake();

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Whether the user clicked or pressed a key in the page a moment ago and
    // nothing has used that yet; uses it.
    bool takeUserAction();
    void openNewWindow(QWebEngineNewWindowRequest &request);
    void download(QWebEngineDownloadRequest *request);
    // Asks once the engine's call has returned, and hands over on Yes.
    void offerToDesktop(const QUrl &address);

    BrowserEngine::Outside m_outside;
    QElapsedTimer m_sinceUserAction;
    bool m_userActionUsed = true;
    // The main-frame navigation the user asked for, with its redirects: a
    // download it ends in was asked for too.
    QList<QUrl> m_askedNavigation;
};
