#include "cli/command.h"

namespace zyn::cli {

namespace {

int run(const Arguments&, CommandIo io) { return fail(io, "the expand command is not available yet"); }

} // namespace

const Command ExpandCommand{"expand", "(not available yet)", "Not available yet.\n", run};

} // namespace zyn::cli
