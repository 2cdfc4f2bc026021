#include "shell/webengine/WebEngineBrowser.h"

#include "shell/webengine/GuardedWebPage.h"

#include <QWebEngineHistory>

#include <utility>

WebEngineBrowser::WebEngineBrowser(Outside outside, QWidget *parent)
    : QWebEngineView(parent)
    , m_page(new GuardedWebPage(std::move(outside), this))
{
    setObjectName(QStringLiteral("WebBrowser1"));
    setPage(m_page);
}

void WebEngineBrowser::open(const QUrl &address)
{
    // A hidden page is frozen; it wakes with its history before it is shown.
    m_page->wake();
    load(address);
}

bool WebEngineBrowser::canGoBack() const
{
    return history()->canGoBack();
}

bool WebEngineBrowser::canGoForward() const
{
    return history()->canGoForward();
}

void WebEngineBrowser::goBack()
{
    back();
}

void WebEngineBrowser::goForward()
{
    forward();
}

void WebEngineBrowser::stopLoading()
{
    stop();
}

void WebEngineBrowser::reloadPage()
{
    reload();
}
