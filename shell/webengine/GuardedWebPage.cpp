#include "shell/webengine/GuardedWebPage.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWebEngineDownloadRequest>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <utility>

namespace {

// How long after a click or a key press the page's request counts as the
// user's: the engine answers a click within milliseconds.
constexpr qint64 userActionLifetimeMs = 2000;

// Addresses the page shows itself; every other scheme belongs to another program.
bool shownHere(const QUrl &url)
{
    static const QStringList schemes{QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("file"),
                                     QStringLiteral("data"), QStringLiteral("blob"),  QStringLiteral("about")};
    return schemes.contains(url.scheme());
}

// The question asked before an address leaves the program. Fully encoded, the
// address shows its real host and holds nothing a box could take for markup;
// a very long one (a data: address) is shortened.
QString question(const QUrl &address)
{
    QString text = address.toString(QUrl::FullyEncoded);
    constexpr qsizetype head = 160;
    constexpr qsizetype tail = 40;
    if (text.size() > head + tail + 1)
        text = text.left(head) + u'…' + text.right(tail);
    return QStringLiteral("Открыть этот адрес программой, которая назначена для него в системе?\n\n") + text;
}

bool isUserAction(const QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
        return true;
    case QEvent::KeyPress:
        return !static_cast<const QKeyEvent *>(event)->isAutoRepeat();
    default:
        return false;
    }
}

} // namespace

GuardedWebPage::GuardedWebPage(BrowserEngine::Outside outside, QObject *parent)
    : QWebEnginePage(parent)
    , m_outside(std::move(outside))
{
    // The engine's own check; a clicked address still comes here first.
    settings()->setUnknownUrlSchemePolicy(QWebEngineSettings::AllowUnknownUrlSchemesFromUserInteraction);
    connect(this, &QWebEnginePage::newWindowRequested, this, &GuardedWebPage::openNewWindow);
    connect(profile(), &QWebEngineProfile::downloadRequested, this, &GuardedWebPage::download);
    connect(this, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        if (ok)
            m_askedNavigation.clear();
    });
    // A hidden page runs no timers and starts nothing.
    connect(this, &QWebEnginePage::visibleChanged, this, [this](bool visible) {
        if (!visible)
            setLifecycleState(LifecycleState::Frozen);
    });
    // The clicks and keys reach the view's inner widgets and its context menu.
    QCoreApplication::instance()->installEventFilter(this);
}

void GuardedWebPage::wake()
{
    if (lifecycleState() != LifecycleState::Active)
        setLifecycleState(LifecycleState::Active);
}

bool GuardedWebPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    if (!shownHere(url)) {
        // The engine asks only after a gesture; the page stays as it is either way.
        if (type == NavigationTypeTyped || takeUserAction())
            offerToDesktop(url);
        return false;
    }
    if (!isMainFrame)
        return true;
    if (type == NavigationTypeRedirect) {
        if (!m_askedNavigation.isEmpty())
            m_askedNavigation.append(url);
        return true;
    }
    // A script's navigation comes as a link too; only a fresh click or key makes it the user's.
    const bool asked = type == NavigationTypeTyped
        || ((type == NavigationTypeLinkClicked || type == NavigationTypeFormSubmitted) && takeUserAction());
    m_askedNavigation.clear();
    if (asked)
        m_askedNavigation.append(url);
    return true;
}

bool GuardedWebPage::eventFilter(QObject *watched, QEvent *event)
{
    if (!isUserAction(event) || !watched->isWidgetType())
        return false;
    const QWidget *view = QWebEngineView::forPage(this);
    for (auto *widget = static_cast<const QWidget *>(watched); widget; widget = widget->parentWidget()) {
        if (widget == view) {
            m_sinceUserAction.start();
            m_userActionUsed = false;
            break;
        }
    }
    return false;
}

bool GuardedWebPage::takeUserAction()
{
    if (m_userActionUsed || !m_sinceUserAction.isValid() || m_sinceUserAction.elapsed() > userActionLifetimeMs)
        return false;
    m_userActionUsed = true;
    return true;
}

void GuardedWebPage::openNewWindow(QWebEngineNewWindowRequest &request)
{
    // Pop-ups a page opens by itself are refused.
    if (!request.isUserInitiated())
        return;
    takeUserAction();
    const QUrl url = request.requestedUrl();
    if (!shownHere(url)) {
        offerToDesktop(url);
        return;
    }
    // Opens here, where the navigation links reach it.
    load(url);
}

void GuardedWebPage::download(QWebEngineDownloadRequest *request)
{
    if (request->page() != this)
        return;
    // Nothing is saved here: the desktop's browser has a download manager.
    request->cancel();
    const QUrl url = request->url();
    bool asked = m_askedNavigation.contains(url);
    if (asked)
        m_askedNavigation.clear();
    else
        asked = takeUserAction();
    if (asked)
        offerToDesktop(url);
}

void GuardedWebPage::offerToDesktop(const QUrl &address)
{
    // A modal box inside the engine's call would run the engine re-entrantly.
    QTimer::singleShot(0, this, [this, address] {
        if (m_outside.ask(question(address)))
            m_outside.handOver(address);
    });
}
