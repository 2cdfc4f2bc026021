#pragma once

#include <functional>

class QString;
class QUrl;
class QWidget;

// The web engine's share of the browser window: the web view with its page
// and the rules the page keeps. It lives in a module of its own
// (shell/webengine), loaded at the window's first opening, so that starting
// the program never loads the engine's libraries.
class BrowserEngine
{
public:
    // What the engine needs of the program.
    struct Outside
    {
        // A question with Yes and No; true for Yes.
        std::function<bool(const QString &question)> ask;
        // Hands the address to the desktop's handler.
        std::function<void(const QUrl &address)> handOver;
    };

    virtual ~BrowserEngine() = default;

    // The web view (objectName WebBrowser1), for the window's layout.
    virtual QWidget *widget() = 0;

    // Starts loading the address; a frozen page is made active first.
    virtual void open(const QUrl &address) = 0;
    virtual bool canGoBack() const = 0;
    virtual bool canGoForward() const = 0;
    virtual void goBack() = 0;
    virtual void goForward() = 0;
    virtual void stopLoading() = 0;
    virtual void reloadPage() = 0;
};
