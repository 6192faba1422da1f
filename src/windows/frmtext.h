#pragma once

#include <QMainWindow>

namespace zyn {

struct ProgramState;
class Prompts;

// The main window.
class frmText : public QMainWindow {
    Q_OBJECT
public:
    frmText(ProgramState& state, Prompts& prompts, QWidget* parent = nullptr);

private:
    ProgramState& state_;
    Prompts& prompts_;
};

} // namespace zyn
