#pragma once

#include "app/MainWindow.h"
#include "app/Program.h"
#include "tests/support/Controls.h"
#include "tests/support/RecordedInteraction.h"
#include "tests/support/ScratchProgramFolder.h"

#include <QTest>

#include <memory>

// The whole program, started the way main() starts it, in a scratch program
// folder, with every box, notice, dialog and desktop hand-over recorded. The
// generator's clock reads 0, so the first opening ("Как-то раз задумал") is
// always drawn and, with one-entry lists, the tweets are known.
class ProgramFixture
{
public:
    ScratchProgramFolder folder;
    OutsideAddresses::Table addresses = OutsideAddresses::shippedTable();
    RecordedInteraction interaction;
    std::unique_ptr<Program> program;

    // Makes the program in folder (or another program folder) with the
    // recorded interaction and shows the main window.
    void start(const QString &otherFolder = QString())
    {
        make(otherFolder.isEmpty() ? folder.folder() : ProgramFolder(otherFolder), &interaction);
    }

    // The same with the desktop's real boxes and dialogs.
    void startWithTheDesktop() { make(folder.folder(), nullptr); }

    // Recovery copies and recovered files go here, never to the user's own folder.
    QString userDataFolder() const { return folder.path(QStringLiteral("user data")); }

    MainWindow &window() { return program->mainWindow(); }
    YarnCore &core() { return program->core(); }

    // The main window's controls and menu items, by object name.
    template <typename T = QWidget>
    T *find(const char *name) { return control<T>(&window(), name); }

private:
    void make(const ProgramFolder &programFolder, Interaction *used)
    {
        program = std::make_unique<Program>(
            YarnCore::Options{programFolder, addresses, [] { return quint32(0); }, userDataFolder()}, used);
        window().show();
        window().activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
    }
};
