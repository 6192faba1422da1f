// A second editor for the recovery tests, a program of its own: it opens the ZYN 1 file named
// first, edits its first entry to the second argument, and keeps its changes for recovery where
// the editor does, only sooner; it prints "kept" once they are and runs until killed.

#include "session/documentrecovery.h"
#include "session/documentsession.h"
#include "support/qtapplication.h"
#include "windows/editorsettings.h"
#include "windows/pathtext.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    zyn::test::ensureApplicationOf<QGuiApplication>();
    zyn::ProgramState state;
    zyn::DocumentSession session(state);
    session.open(std::move(*zyn::ReadTextFile(state.files(), argv[1], false)),
                 zyn::LooseFileOrigin(argv[1]));
    zyn::DocumentRecovery recovery(session, zyn::nativePath(zyn::EditorSettings::recoveryFolder()),
                                   std::chrono::milliseconds(1));
    QObject::connect(&recovery, &zyn::DocumentRecovery::written, [] {
        std::puts("kept");
        std::fflush(stdout);
    });
    session.editText(0, argv[2]);
    return QCoreApplication::exec();
}
