#include "archive/archiveindex.h"
#include "archive/itemexpansion.h"
#include "base/itemheader.h"
#include "base/safewriter.h"
#include "cli/command.h"
#include "cli/standardinput.h"
#include "document/textreader.h"

namespace zyn::cli {

namespace {

std::string noHeader(const std::string& source) {
    return "the file " + source +
           " has no item header (its stored size is not its length minus 10)";
}

std::string nothingToWrite(const std::string& source) {
    return "the header of " + source + " gives an expanded size of 0: nothing written";
}

// Standard input or output on either side: the item is held whole, as it cannot be read or
// written in parts.
int expandWhole(CommandIo io, const std::string& source, const std::string& target) {
    auto file = io.files.readFile(source, MaxArchiveSize);
    if (!file)
        return fail(io, file.message());
    const ItemHeader header = TestHeader(*file);
    if (!header.found)
        return fail(io, noHeader(source));
    if (header.mode > 2)
        return fail(io, UnsupportedCompressionMessage());
    const std::string data =
        header.mode == 0 ? file->substr(ItemHeaderSize) : ExpandItemBytes(*file);
    if (header.mode != 0 && header.expandedSize == 0)
        return fail(io, nothingToWrite(source));
    if (target == StandardInputName) {
        io.out << data;
        return Success;
    }
    const Status written = WriteFileSafely(io.files, target, data);
    return written ? Success : fail(io, written.message());
}

int run(const Arguments& argv, CommandIo io) {
    ParsedArguments args;
    if (const int stop = readArguments(io, "expand", {OutputOption}, argv, args); stop >= 0)
        return stop;
    const bool output = args.has(OutputOption.name);
    if (args.operands.size() != (output ? 1 : 2))
        return usageError(io, "expand",
                          args.operands.size() == 2
                              ? "OUT is given twice: as an operand and with -o"
                              : "expected ITEMFILE OUT");
    const std::string &source = args.operands[0],
                      target = output ? args.value(OutputOption.name) : args.operands[1];
    if (source == StandardInputName || target == StandardInputName)
        return expandWhole(io, source, target);
    FileSystem& fs = io.files;

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
        return fail(io, noHeader(source));
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
        return fail(io, nothingToWrite(source));
    return Success;
}

} // namespace

const Command ExpandCommand{
    "expand",
    "expand a compressed item file",
    {
        {"zyntext expand ITEMFILE OUT", "zyntext expand ITEMFILE -o OUT"},
        {
            "Writes the data of ITEMFILE, a file that starts with a 10-byte item header (as "
            "'zyntext hqr extract' writes it), to OUT without the header: expanded with the "
            "method its mode names (1 or 2), or as it is for a stored item (mode 0). Other "
            "modes are refused, and so is a file without an item header. An expanded size of "
            "0 writes nothing. ITEMFILE \"-\" is standard input, OUT \"-\" standard output; "
            "otherwise neither is held in memory whole, whatever the item's size.",
        },
        {
            {"-o, --output OUT", "the file to write, instead of OUT after ITEMFILE"},
        },
    },
    run,
};

} // namespace zyn::cli
