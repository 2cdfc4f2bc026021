// The web engine's cost at start-up and at the browser window's first opening.
//
// Start-up as the user sees it: the real program (in a scratch program folder
// with the shipped lists) and bench_bare_window (a text area and a menu bar,
// linking Qt's widgets only), bare and with the shared GL context, started in
// turns and timed until their window is viewable. Needs an X server with a
// window manager (Xvfb and openbox). The test is `xdotool search --onlyvisible
// --pid`'s, made here every millisecond: xdotool's --sync looks twice a second.
//
// Inside fresh processes of this build's windows: start-up to the main
// window's first paint, and the first opening of a local page to the browser
// window's first paint and to the end of the page's load.
//
// Figures on the clock grow with whatever else the machine runs; the
// processor time each process had grows far less, so both are printed.
//
// bench_browser [program]: times the start-up of another build of the program
// (its executable, with the engine module when one lies beside it).
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
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int rounds = 10;
constexpr int freshProcesses = 7;

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

// Calls the action when the web view's page has loaded. The benchmark links
// nothing of the engine, as the program does not: the signal is found by name.
class LoadFinished : public QObject
{
    Q_OBJECT

public:
    LoadFinished(QObject *webView, std::function<void()> action)
        : m_action(std::move(action))
    {
        connect(webView, SIGNAL(loadFinished(bool)), this, SLOT(finished()));
    }

private slots:
    void finished() { m_action(); }

private:
    std::function<void()> m_action;
};

// A program folder with the shipped lists, an empty favourites file and the
// notices off, so that no box or balloon stands between start-up and the window.
void layOutProgramFolder(const QString &folder)
{
    QDir(folder).mkpath(QStringLiteral("Lists"));
    QDir(folder).mkpath(QStringLiteral("Config files"));
    for (const char *name : {"thenames.txt", "names.txt", "justnames.txt", "actions.txt", "places.txt"})
        QFile::copy(QStringLiteral(SHIPPED_LISTS_DIR "/") + QString::fromLatin1(name),
                    folder + QStringLiteral("/Lists/") + QString::fromLatin1(name));
    QFile(folder + QStringLiteral("/Lists/favourite.txt")).open(QIODevice::WriteOnly);
    QFile settings(folder + QStringLiteral("/Config files/yarnconfig.ini"));
    settings.open(QIODevice::WriteOnly);
    settings.write("[option]\r\ncheck2=1\r\n");
}

// The processor time this process has had, all its threads, in milliseconds.
double ownProcessorTime()
{
    timespec time{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &time);
    return double(time.tv_sec) * 1e3 + double(time.tv_nsec) / 1e6;
}

// One fresh process of the program's windows: prints its figures in
// milliseconds on one line: start-up to the main window's first paint, on
// the clock and in processor time; or the first opening to the browser
// window's first paint, the same two ways, and to the end of the page's load.
int child(int argc, char **argv, const QString &mode, const QString &page)
{
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    QTemporaryDir folder;
    layOutProgramFolder(folder.path());
    QtTranslations::install(app);
    FontSetup::install();
    RecordedInteraction interaction;
    Program program({ProgramFolder(folder.path()), OutsideAddresses::shippedTable(),
                     RandomGenerator::highResolutionClock, folder.filePath(QStringLiteral("user data"))},
                    &interaction);
    MainWindow *mainWindow = &program.mainWindow();
    BrowserWindow &browser = program.browserWindow();
    QTextStream out(stdout);
    std::unique_ptr<LoadFinished> loadFinished;
    FirstPaint mainPainted(mainWindow, [&] {
        if (mode != u"first-open") {
            out << clock.elapsed() << ' ' << ownProcessorTime() << Qt::endl;
            app.quit();
            return;
        }
        clock.restart();
        const double processorBefore = ownProcessorTime();
        // The header band: the window itself is covered by its children and gets no paint of its own.
        auto *browserPainted = new FirstPaint(browser.findChild<GradientPanel *>(), [&, processorBefore] {
            out << clock.elapsed() << ' ' << ownProcessorTime() - processorBefore << ' ';
        });
        browser.open(QUrl::fromLocalFile(page).toString());
        auto *webView = browser.findChild<QObject *>(QStringLiteral("WebBrowser1"));
        loadFinished = std::make_unique<LoadFinished>(webView, [&, browserPainted] {
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
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

QProcessEnvironment childEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // A benchmark run as superuser; the program itself never does this.
    if (!environment.contains(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX")))
        environment.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    return environment;
}

// Runs the child `freshProcesses` times and returns the medians of its
// figures; -1 for a figure no run gave.
std::vector<double> measureInProcess(const QString &self, const QString &mode, const QString &page, size_t count)
{
    std::vector<std::vector<double>> figures(count);
    for (int run = 0; run < freshProcesses; ++run) {
        QProcess process;
        process.setProcessEnvironment(childEnvironment());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(self, {QStringLiteral("--child"), mode, page});
        process.waitForFinished(60000);
        const QStringList numbers = QString::fromLatin1(process.readAllStandardOutput()).split(u' ', Qt::SkipEmptyParts);
        for (int i = 0; i < numbers.size() && size_t(i) < count; ++i)
            figures[size_t(i)].push_back(numbers[i].trimmed().toDouble());
    }
    std::vector<double> medians;
    for (const auto &values : figures)
        medians.push_back(median(values));
    return medians;
}

// Whether the window, or one below it, is a viewable window of the process
// with that title, as `xdotool search --onlyvisible --pid --name` tells.
bool viewableWindow(Display *display, Window window, unsigned long pid, const QByteArray &title, int depth)
{
    static const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after, &data)
            == Success
        && data) {
        const bool ours = items == 1 && *reinterpret_cast<unsigned long *>(data) == pid;
        XFree(data);
        if (ours) {
            XWindowAttributes attributes;
            char *name = nullptr;
            const bool viewable = XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable
                && XFetchName(display, window, &name) && name && title == name;
            if (name)
                XFree(name);
            if (viewable)
                return true;
        }
    }
    if (depth == 0)
        return false;
    Window root = 0;
    Window parent = 0;
    Window *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count))
        return false;
    bool found = false;
    for (unsigned int i = 0; i < count && !found; ++i)
        found = viewableWindow(display, children[i], pid, title, depth - 1);
    if (children)
        XFree(children);
    return found;
}

// Windows come and go while they are searched: a request about one that has
// just gone fails, and that is no reason to end.
int ignoreXError(Display *, XErrorEvent *)
{
    return 0;
}

// The processor time all threads of the process have had, in milliseconds:
// unlike the time on the clock, it hardly grows when other work shares the machine.
double processorTime(qint64 pid)
{
    double total = 0;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile schedstat(tasks.filePath(task + QStringLiteral("/schedstat")));
        if (schedstat.open(QIODevice::ReadOnly))
            total += schedstat.readAll().split(' ').value(0).toDouble() / 1e6;
    }
    return total;
}

struct StartUp
{
    double clock = -1; // milliseconds from starting the program to its window being viewable
    double processor = -1; // the processor time it had by then
};

StartUp timeToViewable(Display *display, const QString &program, const QStringList &arguments, const QByteArray &title)
{
    QProcess process;
    process.setProcessEnvironment(childEnvironment());
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    StartUp result;
    if (!process.waitForStarted(10000))
        return result;
    const auto pid = static_cast<unsigned long>(process.processId());
    // The window manager frames the program's window, so it is one level further down.
    while (clock.elapsed() < 30000 && process.state() == QProcess::Running) {
        if (viewableWindow(display, DefaultRootWindow(display), pid, title, 2)) {
            result.clock = double(clock.nsecsElapsed()) / 1e6;
            result.processor = processorTime(process.processId());
            break;
        }
        QThread::usleep(1000);
    }
    process.terminate();
    process.waitForFinished(10000);
    return result;
}

// A copy of the program in a folder of its own, with its engine module when it has one.
QString copyProgram(const QString &program, const QString &folder)
{
    layOutProgramFolder(folder);
    const QString copy = folder + QStringLiteral("/yarnspin");
    QFile::copy(program, copy);
    const QString module = QFileInfo(program).absolutePath() + QStringLiteral("/modules/yarnspin-webengine.so");
    if (QFileInfo::exists(module)) {
        QDir(folder).mkpath(QStringLiteral("modules"));
        QFile::copy(module, folder + QStringLiteral("/modules/yarnspin-webengine.so"));
    }
    return copy;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && QByteArray(argv[1]) == "--child")
        return child(argc, argv, QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));

    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "bench_browser needs an X server with a window manager (DISPLAY)\n");
        return 1;
    }
    XSetErrorHandler(ignoreXError);
    QTemporaryDir dir;
    const QString program = copyProgram(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(YARNSPIN_PROGRAM),
                                        dir.filePath(QStringLiteral("program")));
    const QString bare = QStringLiteral(BARE_WINDOW);
    struct Contender
    {
        const char *what;
        QString program;
        QStringList arguments;
        QByteArray title;
        std::vector<double> clock;
        std::vector<double> processor;
    };
    Contender contenders[] = {
        {"the program", program, {}, "Merovale Yarnspin", {}, {}},
        {"a bare window", bare, {}, "Bare window", {}, {}},
        {"a bare window with the shared GL context", bare, {QStringLiteral("--gl")}, "Bare window", {}, {}},
    };
    // One round more than counted: the first fills the page cache.
    for (int round = 0; round <= rounds; ++round) {
        for (Contender &contender : contenders) {
            const StartUp startUp = timeToViewable(display, contender.program, contender.arguments, contender.title);
            if (round > 0 && startUp.clock >= 0) {
                contender.clock.push_back(startUp.clock);
                contender.processor.push_back(startUp.processor);
            }
        }
    }
    XCloseDisplay(display);
    std::printf("Start-up until the window is viewable, medians of %d rounds in turns, in milliseconds\n"
                "(on the clock; the processor time the process had by then):\n",
                rounds);
    for (const Contender &contender : contenders)
        std::printf("  %-45s %8.0f %8.0f\n", contender.what, median(contender.clock), median(contender.processor));
    for (const Contender *yardstick : {&contenders[1], &contenders[2]}) {
        std::printf("  the program / %-32s %8.2f %8.2f\n", yardstick->what,
                    median(contenders[0].clock) / median(yardstick->clock),
                    median(contenders[0].processor) / median(yardstick->processor));
    }

    const QString page = dir.filePath(QStringLiteral("page.html"));
    QFile file(page);
    file.open(QIODevice::WriteOnly);
    file.write("<html><head><title>Page</title></head><body><h1>A local page</h1></body></html>");
    file.close();
    const QString self = QString::fromLocal8Bit(argv[0]);
    const std::vector<double> startUp = measureInProcess(self, QStringLiteral("start-up"), page, 2);
    const std::vector<double> firstOpen = measureInProcess(self, QStringLiteral("first-open"), page, 3);
    std::printf("Inside this build's windows, medians of %d fresh processes, in milliseconds\n"
                "(on the clock; in processor time):\n",
                freshProcesses);
    std::printf("  %-52s %8.0f %8.0f\n", "start-up to the main window's first paint", startUp[0], startUp[1]);
    std::printf("  %-52s %8.0f %8.0f\n", "first opening to the browser window's first paint", firstOpen[0],
                firstOpen[1]);
    std::printf("  %-52s %8.0f\n", "first opening to the end of the page's load", firstOpen[2]);
    return 0;
}

#include "BrowserBench.moc"
