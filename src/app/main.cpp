// zyntexteditor: builds the program state and the main window.

#include "document/programstate.h"
#include "windows/frmtext.h"
#include "windows/prompts.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    zyn::ProgramState state;
    zyn::QtPrompts prompts;
    zyn::frmText window(state, prompts);
    window.show();
    return app.exec();
}
