#include "windows/frmtext.h"

#include "document/programstate.h"
#include "windows/prompts.h"

namespace zyn {

frmText::frmText(ProgramState& state, Prompts& prompts, QWidget* parent)
    : QMainWindow(parent), state_(state), prompts_(prompts) {
    setObjectName(QStringLiteral("frmText"));
    setWindowTitle(QStringLiteral("ZYN Text File Editor"));
    setFixedSize(640, 502);
}

} // namespace zyn
