#pragma once

// The one application object of a test program, offscreen unless the environment chooses a
// platform: a QGuiApplication for the session's tests, a QApplication for the windows'.

#include <QCoreApplication>

namespace zyn::test {

template <class Application> void ensureApplicationOf() {
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "zyntests";
    static char* argv[] = {name, nullptr};
    new Application(argc, argv);
}

} // namespace zyn::test
