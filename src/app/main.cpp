// zyntexteditor: builds the program state and the main window, which opens the file named on
// the command line, if any.

#include "flows/programstate.h"
#include "windows/frmabout.h"
#include "windows/frmtext.h"
#include "windows/prompts.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(zyn::ApplicationTitle));

    // The window takes the whole argument string after the program's name, as one string: more
    // than one argument joins with blanks, which it then does not take for a file name.
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();

    zyn::ProgramState state;
    zyn::QtPrompts prompts;
    zyn::frmText window(state, prompts);
    window.Form_Load(arguments.join(QLatin1Char(' ')));
    window.show();
    return app.exec();
}
