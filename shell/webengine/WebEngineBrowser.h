#pragma once

#include "shell/BrowserEngine.h"

#include <QWebEngineView>

class GuardedWebPage;

// The browser window's web view, showing its guarded page.
class WebEngineBrowser : public QWebEngineView, public BrowserEngine
{
    Q_OBJECT

public:
    WebEngineBrowser(Outside outside, QWidget *parent);

    QWidget *widget() override { return this; }
    void open(const QUrl &address) override;
    bool canGoBack() const override;
    bool canGoForward() const override;
    void goBack() override;
    void goForward() override;
    void stopLoading() override;
    void reloadPage() override;

private:
    GuardedWebPage *m_page = nullptr;
};
