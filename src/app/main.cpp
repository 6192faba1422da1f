// zyntexteditor: reads its command line, builds the program state and the main window, which
// opens the file named on the command line, if any; then brings back what the last runs left:
// the settings, and changes an editor that ended without saving them kept for recovery.

#include "app/commandline.h"
#include "base/interruptcleanup.h"
#include "base/workingfolder.h"
#include "po/poreader.h"
#include "flows/programstate.h"
#include "session/documentrecovery.h"
#include "session/documentsession.h"
#include "session/memorybuilder.h"
#include "windows/documentfiles.h"
#include "windows/editorsettings.h"
#include "windows/frmabout.h"
#include "windows/frmtext.h"
#include "windows/pathtext.h"
#include "windows/prompts.h"

#include <QApplication>
#include <iostream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> argumentsOf(int argc, char** argv) {
    return {argv + 1, argv + argc};
}

// Prints what --help and --version ask for, or why the command line is wrong; -1 when the
// program is to go on.
int answerOptions(const zyn::EditorCommandLine& line) {
    using Action = zyn::EditorCommandLine::Action;
    switch (line.action) {
    case Action::Help:
        std::cout << zyn::EditorUsage();
        return 0;
    case Action::Version:
        std::cout << zyn::EditorVersion();
        return 0;
    case Action::Wrong:
        std::cerr << "zyntexteditor: " << line.error << "\nTry 'zyntexteditor --help'.\n";
        return 2;
    case Action::Run:
        break;
    }
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    // Before the application object, which needs a display.
    if (const int code = answerOptions(zyn::ParseEditorCommandLine(argumentsOf(argc, argv)));
        code >= 0)
        return code;

    // An interrupted save leaves no temporary file, and no run leaves its working folder.
    zyn::InstallInterruptCleanup();
    zyn::RemoveAbandonedWorkingFolders();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(zyn::ApplicationTitle));

    // The application object has taken out the options meant for it (-platform, -style ...).
    zyn::EditorCommandLine line = zyn::ParseEditorCommandLine(argumentsOf(argc, argv));
    if (line.files.size() > 1) {
        line.action = zyn::EditorCommandLine::Action::Wrong;
        line.error = "more than one file named";
        return answerOptions(line);
    }

    zyn::ProgramState state;
    zyn::DocumentSession session(state);
    zyn::QtPrompts dialogs;
    zyn::EditorSettings settings(session);
    // PO files read with gettext's parser.
    zyn::MemoryBuilder memory(session, zyn::ReadPoFile);
    zyn::RememberingPrompts prompts(dialogs, settings);
    zyn::frmText window(session, prompts);
    window.Form_Load(line.files.empty() ? QString() : zyn::fromNative(line.files.front()));
    settings.restore();
    zyn::DocumentRecovery recovery(session, zyn::nativePath(zyn::EditorSettings::recoveryFolder()));
    window.show();
    zyn::offerRecovery(recovery, prompts, &window);
    return app.exec();
}
