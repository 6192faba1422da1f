// A second editor for the recovery tests, a program of its own: it opens the ZYN 1 file named
// first, commits the second argument as its first entry, and keeps its changes for recovery
// where the editor does, only sooner; it prints "kept" once they are and runs until killed.

#include "session/documentrecovery.h"
#include "session/documentsession.h"
#include "support/scriptedprompts.h"
#include "windows/editorsettings.h"
#include "windows/frmtext.h"
#include "windows/pathtext.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    zyn::test::ensureApplication();
    zyn::ProgramState state;
    zyn::DocumentSession session(state);
    zyn::test::ScriptedPrompts prompts;
    prompts.answer(zyn::Prompts::Answer::No);
    zyn::frmText window(session, prompts);
    window.Form_Load(QString::fromLocal8Bit(argv[1]));
    zyn::DocumentRecovery recovery(session, zyn::nativePath(zyn::EditorSettings::recoveryFolder()),
                                   std::chrono::milliseconds(1));
    QObject::connect(&recovery, &zyn::DocumentRecovery::written, [] {
        std::puts("kept");
        std::fflush(stdout);
    });
    window.receiveEditedText(argv[2]);
    window.Timer1_Timer();
    return QCoreApplication::exec();
}
