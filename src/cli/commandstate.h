#pragma once

// What one command reads a text into: the program-wide state (character tables, file system,
// lock wait) and the one document it works on. A command that compares two texts has two.

#include "flows/opendocument.h"
#include "flows/programstate.h"

namespace zyn::cli {

struct CommandState {
    ProgramState program;
    OpenDocument open;
};

} // namespace zyn::cli
