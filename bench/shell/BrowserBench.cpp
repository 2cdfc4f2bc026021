// The web engine's cost at start-up. Each figure is the median of fresh
// processes, since the engine starts once per process:
//  - start-up of the real program (its windows built as at a normal start, in
//    a scratch program folder with the shipped lists) to the main window's
//    first paint, with the browser's web view made at start-up (before the
//    main window is shown) and made on first use (not at all during start-up);
//  - the first opening of a local page to the browser window's first paint,
//    and to the end of the page's load.
#include "app/MainWindow.h"
#include "app/Program.h"
#include "shell/BrowserWindow.h"
#include "ui/FontSetup.h"
#include "ui/GradientPanel.h"
#include "ui/QtTranslations.h"
#include "tests/support/RecordedInteraction.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QUrl>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int runs = 7;

// Calls the action once, on the watched widget's first paint.
class FirstPaint : public QObject
{
public:
    FirstPaint(QWidget *watched, std::function<void()> action)
        : m_action(std::move(action))
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_action) {
            watched->removeEventFilter(this);
            // After this paint has been drawn.
            QTimer::singleShot(0, m_action);
            m_action = nullptr;
        }
        return false;
    }

private:
    std::function<void()> m_action;
};

// A program folder with the shipped lists, an empty favourites file and the
// notices off, so that no box or balloon stands between start-up and the window.
void layOutProgramFolder(const QTemporaryDir &folder)
{
    QDir(folder.path()).mkpath(QStringLiteral("Lists"));
    QDir(folder.path()).mkpath(QStringLiteral("Config files"));
    for (const char *name : {"thenames.txt", "names.txt", "justnames.txt", "actions.txt", "places.txt"})
        QFile::copy(QStringLiteral(SHIPPED_LISTS_DIR "/") + QString::fromLatin1(name),
                    folder.filePath(QStringLiteral("Lists/") + QString::fromLatin1(name)));
    QFile(folder.filePath(QStringLiteral("Lists/favourite.txt"))).open(QIODevice::WriteOnly);
    QFile settings(folder.filePath(QStringLiteral("Config files/yarnconfig.ini")));
    settings.open(QIODevice::WriteOnly);
    settings.write("[option]\r\ncheck2=1\r\n");
}

// One child process: prints its figures in milliseconds on one line.
int child(int argc, char **argv, const QString &mode, const QString &page)
{
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    QTemporaryDir folder;
    layOutProgramFolder(folder);
    QtTranslations::install(app);
    FontSetup::install();
    RecordedInteraction interaction;
    Program program({ProgramFolder(folder.path()), OutsideAddresses::shippedTable(),
                     RandomGenerator::highResolutionClock, folder.filePath(QStringLiteral("user data"))},
                    &interaction);
    MainWindow *mainWindow = &program.mainWindow();
    BrowserWindow &browser = program.browserWindow();
    if (mode == u"eager") {
        // What making the web view at start-up costs: the view with its page.
        auto *view = new QWebEngineView(&browser);
        view->page();
    }
    QTextStream out(stdout);
    FirstPaint mainPainted(mainWindow, [&] {
        const qint64 startUp = clock.elapsed();
        if (mode != u"first-open") {
            out << startUp << Qt::endl;
            app.quit();
            return;
        }
        clock.restart();
        // The header band: the window itself is covered by its children and gets no paint of its own.
        auto *browserPainted = new FirstPaint(browser.findChild<GradientPanel *>(), [&] { out << clock.elapsed() << ' '; });
        browser.open(QUrl::fromLocalFile(page).toString());
        QObject::connect(browser.findChild<QWebEngineView *>(QStringLiteral("WebBrowser1")), &QWebEngineView::loadFinished, &app, [&, browserPainted] {
            delete browserPainted;
            out << clock.elapsed() << Qt::endl;
            app.quit();
        });
    });
    mainWindow->show();
    return app.exec();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs the child `runs` times and returns the medians of its figures; -1 for
// a figure no run gave.
std::vector<double> measure(const QString &program, const QString &mode, const QString &page, size_t count)
{
    std::vector<std::vector<double>> figures(count);
    for (int run = 0; run < runs; ++run) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // A benchmark run as superuser; the program itself never does this.
        if (!environment.contains(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX")))
            environment.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(program, {QStringLiteral("--child"), mode, page});
        process.waitForFinished(60000);
        const QStringList numbers = QString::fromLatin1(process.readAllStandardOutput()).split(u' ', Qt::SkipEmptyParts);
        for (int i = 0; i < numbers.size() && size_t(i) < count; ++i)
            figures[size_t(i)].push_back(numbers[i].trimmed().toDouble());
    }
    std::vector<double> medians;
    for (const auto &values : figures)
        medians.push_back(values.empty() ? -1 : median(values));
    return medians;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && QByteArray(argv[1]) == "--child")
        return child(argc, argv, QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));

    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("page.html"));
    QFile file(page);
    file.open(QIODevice::WriteOnly);
    file.write("<html><head><title>Page</title></head><body><h1>A local page</h1></body></html>");
    file.close();

    const QString self = QString::fromLocal8Bit(argv[0]);
    const double lazy = measure(self, QStringLiteral("lazy"), page, 1)[0];
    const double eager = measure(self, QStringLiteral("eager"), page, 1)[0];
    const std::vector<double> firstOpen = measure(self, QStringLiteral("first-open"), page, 2);
    std::printf("Medians of %d fresh processes, in milliseconds:\n", runs);
    std::printf("  start-up to the main window's first paint, web view made on first use: %8.0f\n", lazy);
    std::printf("  start-up to the main window's first paint, web view made at start-up:  %8.0f\n", eager);
    std::printf("  first opening to the browser window's first paint:                      %8.0f\n", firstOpen[0]);
    std::printf("  first opening to the end of the page's load:                            %8.0f\n", firstOpen[1]);
    return 0;
}
