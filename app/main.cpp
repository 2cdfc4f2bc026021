#include "app/CommandLine.h"
#include "app/ComposeCommand.h"
#include "app/MainWindow.h"
#include "app/Program.h"
#include "app/SingleInstance.h"
#include "base/AppError.h"
#include "base/DataFolder.h"
#include "base/ProgramFolder.h"
#include "base/Windows1251.h"
#include "platform/ExecutableFolder.h"
#include "platform/GraphicalSession.h"
#include "platform/TerminationSignals.h"
#include "platform/UserDataHome.h"
#include "ui/DesktopInteraction.h"
#include "ui/EventGuard.h"
#include "ui/FontSetup.h"
#include "ui/QtTranslations.h"
#include "ui/RichToolTip.h"

#include <QApplication>
#include <QSessionManager>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Read before QApplication, which aborts without a display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine commandLine(arguments);
    if (commandLine.composition()) {
        QCoreApplication application(argc, argv);
        QString executableFolder;
        try {
            executableFolder = ProgramFolder::executableDirectory(platform::executableFolder());
        } catch (const AppError &error) {
            std::fprintf(stderr, "yarnspin: %s\n", error.what());
            return 1;
        }
        const DataFolder dataFolder(executableFolder, platform::userDataHome());
        try {
            dataFolder.prepare();
        } catch (const AppError &error) {
            // As in the window: the lists then report themselves by name.
            std::fprintf(stderr, "yarnspin: %s\n", error.what());
        }
        return ComposeCommand(*commandLine.composition()).run(ProgramFolder(dataFolder.path()), stdout, stderr);
    }
    if (!commandLine.startsProgram())
        return commandLine.answer();
    const QString platformName = commandLine.platformName().isEmpty() ? qEnvironmentVariable("QT_QPA_PLATFORM")
                                                                      : commandLine.platformName();
    if (platform::displayMissing(platformName))
        return CommandLine::noDisplay();

    QApplication application(argc, argv);
    QApplication::setApplicationName(Interaction::applicationTitle());
    // Without the code-page converter no list could be read or written safely.
    DesktopInteraction beforeTheWindows({});
    if (!EventGuard::run(beforeTheWindows, [] { Windows1251::ensureAvailable(); }))
        return 1;
    QtTranslations::install(application);
    FontSetup::install();
    RichToolTip::install(application);

    // An executable folder whose name is not text is named in a message; no
    // other folder stands in for it.
    QString executableFolder;
    if (!EventGuard::run(beforeTheWindows,
                         [&] { executableFolder = ProgramFolder::executableDirectory(platform::executableFolder()); }))
        return 1;
    // Where the lists, favourites and settings live: beside the executable,
    // or, for an installed copy, in the user's own folder made ready here.
    // A folder that cannot be made ready is reported, and its files then
    // report themselves by name.
    const DataFolder dataFolder(executableFolder, platform::userDataHome());
    EventGuard::run(beforeTheWindows, [&] { dataFolder.prepare(); });
    const ProgramFolder folder(dataFolder.path());

    // A second copy using the same folder hands over to the first and ends;
    // a first copy that does not answer makes it fail.
    SingleInstance instance(folder);
    const SingleInstance::Claim claim = instance.claim(beforeTheWindows);
    if (claim != SingleInstance::Claim::Ours)
        return claim == SingleInstance::Claim::HandedOver ? 0 : 1;
    Program program({folder});
    program.answerLaterStarts(instance);
    // The end of the desktop session (or a kill from the terminal) writes what
    // "Выход" writes, without a question, even with a modal box open.
    TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &TerminationSignals::received, &application, [&program] {
        program.saveForSessionEnd();
        QCoreApplication::exit(0);
    });
    // The session manager asks before it ends the session; the program goes on.
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &application,
                     [&program](QSessionManager &) { program.saveForSessionEnd(); });
    program.mainWindow().show();
    return QApplication::exec();
}
