#include "cli/command.h"

namespace zyn::cli {

namespace {

int run(const Arguments&, CommandIo io) { return fail(io, "the build command is not available yet"); }

} // namespace

const Command BuildCommand{"build", "(not available yet)", "Not available yet.\n", run};

} // namespace zyn::cli
