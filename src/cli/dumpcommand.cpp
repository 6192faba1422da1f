#include "cli/command.h"

namespace zyn::cli {

namespace {

int run(const Arguments&, CommandIo io) { return fail(io, "the dump command is not available yet"); }

} // namespace

const Command DumpCommand{"dump", "(not available yet)", "Not available yet.\n", run};

} // namespace zyn::cli
