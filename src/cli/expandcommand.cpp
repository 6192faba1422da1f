#include "archive/itemexpansion.h"
#include "base/itemheader.h"
#include "base/safewriter.h"
#include "cli/command.h"
#include "document/textreader.h"

namespace zyn::cli {

namespace {

int run(const Arguments& args, CommandIo io) {
    for (const auto& arg : args)
        if (arg.size() > 1 && arg[0] == '-')
            return usageError(io, "expand", "unknown option '" + arg + "'");
    if (args.size() != 2)
        return usageError(io, "expand", "expected ITEMFILE OUT");
    const std::string &source = args[0], &target = args[1];
    FileSystem& fs = realFileSystem();

    // Neither the item nor its expansion is held whole: the data is copied or decoded as it
    // is read.
    auto file = fs.open(source, false);
    if (!file)
        return fail(io, file.message());
    FileCloser closer(fs, *file);
    std::string start(ItemHeaderSize, '\0');
    auto read = fs.readAt(*file, 0, start.data(), start.size());
    if (!read)
        return fail(io, read.message());
    start.resize(*read);
    const ItemHeader header = TestHeader(start, file->size);
    if (!header.found)
        return fail(io, "the file " + source +
                            " has no item header (its stored size is not its length minus 10)");
    if (header.mode > 2)
        return fail(io, UnsupportedCompressionMessage());
    if (header.mode == 0) {
        // A stored item is its own expansion.
        auto out = ReplacementFile::start(fs, target);
        Status written =
            out ? out->copy(*file, ItemHeaderSize, file->size - ItemHeaderSize) : out.status();
        if (written)
            written = out->commit();
        return written ? Success : fail(io, written.message());
    }
    auto expanded = ExpandItemFile(fs, source, target, true);
    if (!expanded)
        return fail(io, expanded.message());
    if (!expanded->written)
        return fail(io,
                    "the header of " + source + " gives an expanded size of 0: nothing written");
    return Success;
}

} // namespace

const Command ExpandCommand{
    "expand",
    "expand a compressed item file",
    "Usage: zyntext expand ITEMFILE OUT\n"
    "\n"
    "Writes the data of ITEMFILE, a file that starts with a 10-byte item header (as\n"
    "'zyntext hqr extract' writes it), to OUT without the header: expanded with the method\n"
    "its mode names (1 or 2), or as it is for a stored item (mode 0). Other modes are\n"
    "refused, and so is a file without an item header. An expanded size of 0 writes\n"
    "nothing.\n",
    run,
};

} // namespace zyn::cli
