#include "shell/BrowserWindow.h"

#include "base/AppError.h"
#include "shell/BrowserEngine.h"
#include "shell/BrowserEngineFactory.h"
#include "ui/EventGuard.h"
#include "ui/FontSetup.h"
#include "ui/GradientPanel.h"
#include "ui/HoverLinkLabel.h"
#include "ui/Interaction.h"

#include <QEvent>
#include <QEventLoop>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <utility>

namespace {

constexpr int outerWidth = 771;
constexpr int outerHeight = 600;
constexpr int headerHeight = 57;
constexpr int headerRowTop = 21;
// The longest the first opening waits for the window system to show the window.
constexpr int firstPaintWaitMs = 500;

} // namespace

BrowserWindow::BrowserWindow(Interaction &interaction, QWidget *parent, QString engineModule)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint)
    , m_interaction(interaction)
    , m_engineModule(std::move(engineModule))
{
    setObjectName(QStringLiteral("plaforma"));
    // Closing only hides the window (it is never deleted on close), and does not
    // end the program even when the main window is hidden in the tray.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("Веб-браузер Ярнспина"));
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    resize(outerWidth, outerHeight);

    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_header = makeHeader();
    m_layout->addWidget(m_header);
    // Holds the web view's place until the first opening makes it.
    m_layout->addStretch(1);

    auto *statusBar = new QStatusBar(this);
    statusBar->setObjectName(QStringLiteral("StatusBar1"));
    // The status bar draws on the window's black otherwise.
    statusBar->setAutoFillBackground(true);
    statusBar->setPalette(QWidget::style()->standardPalette());
    auto *panel = new QLabel(QStringLiteral("  Merovale Yarnspin"), statusBar);
    panel->setTextFormat(Qt::PlainText);
    statusBar->addWidget(panel, 1);
    m_layout->addWidget(statusBar);
}

QWidget *BrowserWindow::makeHeader()
{
    auto *header = new GradientPanel(GradientPanel::Shape::Diagonal, Qt::white, QColor(0xB0, 0xD8, 0xFF), this);
    header->setFixedHeight(headerHeight);

    const auto label = [header](const QString &text, int left) {
        auto *result = new QLabel(text, header);
        result->setFont(FontSetup::tahoma(11));
        QPalette black = result->palette();
        black.setColor(QPalette::WindowText, Qt::black);
        result->setPalette(black);
        result->move(left, headerRowTop);
        result->adjustSize();
    };
    const auto link = [this, header](const char *name, const QString &text, int left, const QString &hint,
                                     void (BrowserWindow::*command)()) {
        auto *result = new HoverLinkLabel(text, header);
        result->setObjectName(QString::fromLatin1(name));
        result->setFont(FontSetup::tahoma(11));
        result->setLinkColor(QColor(0x00, 0x41, 0x82));
        result->setUnderline(HoverLinkLabel::Underline::ExceptWhileHovered);
        result->setToolTip(hint);
        result->move(left, headerRowTop);
        result->adjustSize();
        connect(result, &HoverLinkLabel::clicked, this, EventGuard::guarded(m_interaction, this, command));
    };

    label(QStringLiteral("Навигация:"), 16);
    link("nazad", QStringLiteral("< Назад"), 78, QStringLiteral("Назад"), &BrowserWindow::goBack);
    link("vpered", QStringLiteral("Вперед >"), 130, QStringLiteral("Вперед"), &BrowserWindow::goForward);
    link("XPHoverLabel1", QStringLiteral("Остановить"), 202, QStringLiteral("Остановить"), &BrowserWindow::stopLoading);
    link("XPHoverLabel2", QStringLiteral("Обновить"), 274, QStringLiteral("Обновить страницу"), &BrowserWindow::reload);
    label(QStringLiteral("Дополнительно:"), 360);
    link("XPHoverLabel3", QStringLiteral("Закрыть окно"), 450, QStringLiteral("Закрыть окно"), &BrowserWindow::hide);
    return header;
}

void BrowserWindow::makeEngine()
{
    // The engine's page asks and hands over from its own events.
    BrowserEngine::Outside outside;
    outside.ask = [this](const QString &question) {
        bool yes = false;
        EventGuard::run(m_interaction, [&] { yes = m_interaction.askYesNo(question); });
        return yes;
    };
    outside.handOver = [this](const QUrl &address) {
        EventGuard::run(m_interaction, [&] { m_interaction.openOnDesktop(address); });
    };
    m_engine = BrowserEngineModule::load(m_engineModule).create(this, std::move(outside));
    delete m_layout->takeAt(1);
    m_layout->insertWidget(1, m_engine->widget(), 1);
}

void BrowserWindow::open(const QString &address)
{
    const QUrl url(address);
    if (!url.isValid())
        throw AppError(url.errorString());
    if (!m_engine) {
        showBeforeTheEngine();
        try {
            makeEngine();
        } catch (...) {
            hide();
            throw;
        }
    }
    m_engine->open(url);
    bringToFront();
}

void BrowserWindow::bringToFront()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void BrowserWindow::showBeforeTheEngine()
{
    // The engine's libraries take a good part of a second to load and start:
    // the click is answered by the window at once, the page follows. Meanwhile
    // only the window system's events and the program's own run; input waits
    // for the engine.
    bringToFront();
    QEventLoop painted;
    m_waitingForPaint = &painted;
    m_header->installEventFilter(this);
    QTimer::singleShot(firstPaintWaitMs, &painted, &QEventLoop::quit);
    painted.exec(QEventLoop::ExcludeUserInputEvents);
    m_header->removeEventFilter(this);
    m_waitingForPaint = nullptr;
}

bool BrowserWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Once this paint has reached the screen.
    if (watched == m_header && event->type() == QEvent::Paint && m_waitingForPaint)
        QMetaObject::invokeMethod(m_waitingForPaint, &QEventLoop::quit, Qt::QueuedConnection);
    return QWidget::eventFilter(watched, event);
}

void BrowserWindow::step(bool possible, void (BrowserEngine::*direction)(), const QString &nothingThere)
{
    if (!possible) {
        m_interaction.showBox({Interaction::BoxKind::Warning, Interaction::applicationTitle(), nothingThere, this});
        return;
    }
    (m_engine->*direction)();
}

void BrowserWindow::goBack()
{
    step(m_engine && m_engine->canGoBack(), &BrowserEngine::goBack,
         QStringLiteral("Не найдено страниц, предшествующих этой странице."));
}

void BrowserWindow::goForward()
{
    step(m_engine && m_engine->canGoForward(), &BrowserEngine::goForward,
         QStringLiteral("Не найдено страниц, идущих после данной страницы."));
}

void BrowserWindow::stopLoading()
{
    if (m_engine)
        m_engine->stopLoading();
}

void BrowserWindow::reload()
{
    if (m_engine)
        m_engine->reloadPage();
}

void BrowserWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_placed) {
        m_placed = true;
        placeOnScreen();
    }
}

void BrowserWindow::placeOnScreen()
{
    // The size given is the outer one, frame included, as far as the window
    // system has told the frame by now.
    const QSize frame = frameGeometry().size() - geometry().size();
    resize(QSize(outerWidth, outerHeight) - frame);
    const QRect available = screen()->availableGeometry();
    QRect outer(QPoint(), QSize(outerWidth, outerHeight));
    outer.moveCenter(available.center());
    move(outer.topLeft());
}
