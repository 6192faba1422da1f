#include "cli/command.h"

namespace zyn::cli {

namespace {

int run(const Arguments&, CommandIo io) { return fail(io, "the hqr command is not available yet"); }

} // namespace

const Command HqrCommand{"hqr", "(not available yet)", "Not available yet.\n", run};

} // namespace zyn::cli
