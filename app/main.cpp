#include "app/CommandLine.h"
#include "app/MainWindow.h"
#include "app/Program.h"
#include "app/SingleInstance.h"
#include "base/ProgramFolder.h"
#include "base/Windows1251.h"
#include "platform/GraphicalSession.h"
#include "ui/DesktopInteraction.h"
#include "ui/EventGuard.h"
#include "ui/FontSetup.h"
#include "ui/QtTranslations.h"
#include "ui/RichToolTip.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Read before QApplication, which aborts without a display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine commandLine(arguments);
    if (!commandLine.startsProgram())
        return commandLine.answer();
    if (platform::displayMissing(qEnvironmentVariable("QT_QPA_PLATFORM")))
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

    const ProgramFolder folder = ProgramFolder::ofExecutable();
    // A second copy from this program folder hands over to the first and ends.
    SingleInstance instance(folder.directory());
    if (!instance.claim())
        return 0;
    Program program({folder});
    program.answerLaterStarts(instance);
    program.mainWindow().show();
    return QApplication::exec();
}
