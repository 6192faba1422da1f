#include "archive/archiveindex.h"
#include "archive/archiverewrite.h"
#include "archive/archivetable.h"
#include "archive/itemexpansion.h"
#include "archive/itemnames.h"
#include "base/bytes.h"
#include "base/itemheader.h"
#include "base/safewriter.h"
#include "cli/command.h"
#include "cli/itemnumber.h"
#include "cli/itemtable.h"
#include "cli/jsontext.h"
#include "document/textreader.h"

#include <chrono>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <system_error>
#include <vector>

namespace zyn::cli {

namespace {

constexpr const char* Name = "hqr";

int usage(CommandIo io, const std::string& message) {
    return usageError(io, Name, message);
}

// Refuses options the subcommand does not know, and a wrong number of operands.
std::string checkOperands(const Arguments& args, std::size_t count, const char* what) {
    for (const auto& arg : args)
        if (arg.size() > 1 && arg[0] == '-')
            return "unknown option '" + arg + "'";
    if (args.size() != count)
        return std::string("expected ") + what;
    return {};
}

// The table of the archive at path, read from file (which the caller closes): what listing
// and taking out one item need, without holding any item's data.
Result<ArchiveTable> readTable(const std::string& path, OpenFile& file) {
    auto opened = realFileSystem().open(path, false);
    if (!opened)
        return opened.status();
    file = std::move(*opened);
    return ReadArchiveTable(realFileSystem(), file);
}

int list(Arguments args, CommandIo io) {
    const bool table = takeFlag(args, "--table");
    if (const auto problem = checkOperands(args, 1, "ARCHIVE"); !problem.empty())
        return usage(io, problem);
    const std::string& path = args[0];
    OpenFile file;
    FileCloser closer(realFileSystem(), file);
    const auto read = readTable(path, file);
    if (!read)
        return fail(io, read.message());
    const std::vector<TableItem>& slots = read->items;

    ArchiveFlow flow;
    const bool named = !slots.empty() && RecogniseTextArchive(flow, slots[0].slot, file.size);
    if (named)
        NameTextArchiveItems(flow, flow.ArchiveIsVersion2, flow.ArchiveIsDemo);
    const int namedItems = named ? TextArchiveItemCount(flow.ArchiveIsVersion2) : 0;

    std::vector<ItemRow> rows;
    for (std::size_t k = 0; k < slots.size(); ++k) {
        const TableItem& item = slots[k];
        ItemRow row;
        row.number = static_cast<int>(k);
        row.offset = item.slot;
        row.blank = item.blank;
        if (!row.blank) {
            row.mode = readU16(item.header, 8);
            row.expanded = readU32(item.header, 0);
            row.stored = readI32(item.header, 4);
        }
        if (row.number < namedItems)
            row.name = BytesToUtf8(flow.ItemNames[k + 1]);
        rows.push_back(std::move(row));
    }
    if (table) {
        io.out << ItemTable(rows);
        return Success;
    }
    nlohmann::ordered_json items = nlohmann::ordered_json::array();
    for (const ItemRow& row : rows) {
        nlohmann::ordered_json item;
        item["number"] = row.number;
        item["offset"] = row.offset;
        item["blank"] = row.blank;
        if (!row.blank) {
            item["mode"] = row.mode;
            item["expanded"] = row.expanded;
            item["stored"] = row.stored;
        }
        if (!row.name.empty())
            item["name"] = row.name;
        items.push_back(std::move(item));
    }
    nlohmann::ordered_json result;
    result["items"] = std::move(items);
    io.out << result.dump(2) << '\n';
    return Success;
}

int extract(Arguments args, CommandIo io) {
    const bool expand = takeFlag(args, "--expand");
    if (const auto problem = checkOperands(args, 3, "ARCHIVE N OUT"); !problem.empty())
        return usage(io, problem);
    const auto number = parseItemNumber(args[1]);
    if (!number)
        return usage(io, "N must be an item number from 0 to 20000, not '" + args[1] + "'");
    const std::string &path = args[0], &out = args[2];
    FileSystem& fs = realFileSystem();

    if (!expand) {
        // Exactly what the editor extracts: the item with its header (a blank item is empty).
        ArchiveIndex index;
        if (Status extracted = ExtractItem(fs, path, out, *number + 1, index); !extracted)
            return fail(io, extracted.message());
        return Success;
    }
    // Expanded as 'expand' does it, from the archive as it is read: memory stays small
    // whatever the item's size.
    OpenFile file;
    FileCloser closer(fs, file);
    const auto table = readTable(path, file);
    if (!table)
        return fail(io, table.message());
    if (*number > table->lastItem)
        return fail(io, "the archive " + path + " has no item " + args[1] + " (it has " +
                            std::to_string(table->lastItem + 1) + " items)");
    const TableItem& item = table->items[static_cast<std::size_t>(*number)];
    if (item.blank)
        return fail(io,
                    "item " + args[1] + " of " + path + " is blank: there is nothing to expand");
    const std::uint16_t mode = readU16(item.header, 8);
    if (mode > 2)
        return fail(io, "item " + args[1] + " of " + path +
                            " uses a compression this program does not support (" +
                            CompressionName(static_cast<std::uint8_t>(mode)) + ")");
    const auto at = static_cast<std::uint64_t>(item.slot);
    Status written;
    if (mode == 0) {
        auto target = ReplacementFile::start(fs, out);
        written = target ? target->copy(file, at + ItemHeaderSize, item.size - ItemHeaderSize)
                         : target.status();
        if (written)
            written = target->commit();
    } else if (auto expanded = ExpandItemAt(fs, file, at, out); !expanded) {
        written = expanded.status();
    } else if (!expanded->written) {
        written = WriteFileSafely(fs, out, ""); // an expanded size of 0
    }
    return written ? Success : fail(io, written.message());
}

// Item n of the archive is to hold the bytes of the file given for it.
struct Replacement {
    int number = 0;
    std::string file;
};

// The items to replace, in the order given, or a usage message.
std::string parseReplacements(const Arguments& args, std::vector<Replacement>& out) {
    for (const auto& arg : args)
        if (arg.size() > 1 && arg[0] == '-')
            return "unknown option '" + arg + "'";
    if (args.size() < 3 || args.size() % 2 == 0)
        return "expected ARCHIVE N FILE [N FILE ...]";
    for (std::size_t i = 1; i < args.size(); i += 2) {
        const auto number = parseItemNumber(args[i]);
        if (!number)
            return "N must be an item number from 0 to 20000, not '" + args[i] + "'";
        for (const Replacement& earlier : out)
            if (earlier.number == *number)
                return "item " + args[i] + " is given twice";
        out.push_back({*number, args[i + 1]});
    }
    return {};
}

// The change that gives replacement's item the bytes of its file: as the item's data, or with
// --item-file as the whole item, its header included.
Result<ItemChange> changeFor(const Replacement& replacement, bool itemFile) {
    auto content = realFileSystem().readFile(replacement.file, MaxArchiveSize);
    if (!content)
        return content.status();
    const ItemHeader header = TestHeader(*content);
    if (itemFile) {
        if (!header.found)
            return Result<ItemChange>::failure(
                ErrorKind::Damaged, "the file " + replacement.file +
                                        " has no item header (its stored size is not its length "
                                        "minus 10); without --item-file its bytes are stored as "
                                        "the item's data");
        return ItemChange{replacement.number, std::move(*content), std::nullopt};
    }
    // Stored as data, the header would be stored twice and the item damaged.
    if (header.found)
        return Result<ItemChange>::failure(
            ErrorKind::Damaged,
            "the file " + replacement.file +
                " starts with an item header (as 'zyntext build --header' and 'hqr extract' "
                "write it), which would be stored twice; give the data without the header "
                "(build without --header), or add --item-file to store its header and data "
                "as they are");
    return ItemChange{replacement.number, StoredItem(*content), std::nullopt};
}

int replace(Arguments args, CommandIo io) {
    const bool itemFiles = takeFlag(args, "--item-file");
    std::chrono::seconds wait;
    if (const auto problem = takeWait(args, wait); !problem.empty())
        return usage(io, problem);
    std::vector<Replacement> replacements;
    if (const auto problem = parseReplacements(args, replacements); !problem.empty())
        return usage(io, problem);
    // Absolute, so that the backup's place and the message do not depend on how it was named.
    std::error_code error;
    const std::string path = std::filesystem::absolute(args[0], error).string();
    if (error)
        return fail(io, "Cannot use " + args[0] + ": " + error.message() + ".");

    std::vector<ItemChange> changes;
    std::string numbers;
    for (const Replacement& replacement : replacements) {
        auto change = changeFor(replacement, itemFiles);
        if (!change)
            return fail(io, change.message());
        changes.push_back(std::move(*change));
        numbers += (numbers.empty() ? "" : ", ") + std::to_string(replacement.number);
    }
    bool rebuilt = false;
    if (auto result = RebuildArchive(realFileSystem(), path, std::move(changes),
                                     archiveWait(io, path, wait), &rebuilt);
        !result)
        return failRebuild(io, result.status());
    const bool one = replacements.size() == 1;
    if (!rebuilt) {
        io.out << (one ? "Item " : "Items ") << numbers << " of " << path
               << (one ? " already holds" : " already hold") << " this; nothing was changed.\n";
        return Success;
    }
    const auto file = realFileSystem().followLinks(path);
    io.out << (one ? "Replaced item " : "Replaced items ") << numbers << " of " << path
           << "; the archive as it was is in " << BackupName(file ? *file : path) << ".\n";
    return Success;
}

int run(const Arguments& args, CommandIo io) {
    if (args.empty())
        return usage(io, "a subcommand is required: list, extract or replace");
    const std::string sub = args[0];
    const Arguments rest(args.begin() + 1, args.end());
    if (sub == "list")
        return list(rest, io);
    if (sub == "extract")
        return extract(rest, io);
    if (sub == "replace")
        return replace(rest, io);
    return usage(io, "unknown subcommand '" + sub + "'");
}

} // namespace

const Command HqrCommand{
    "hqr",
    "list, extract and replace the items of an archive",
    "Usage: zyntext hqr list ARCHIVE [--table]\n"
    "       zyntext hqr extract ARCHIVE N OUT [--expand]\n"
    "       zyntext hqr replace ARCHIVE N FILE [N FILE ...] [--item-file] [--wait SECONDS]\n"
    "\n"
    "Items are numbered from 0, as in the archive's table.\n"
    "\n"
    "list     prints the items as one JSON object:\n"
    "           {\"items\": [{\"number\": N, \"offset\": O, \"blank\": false, \"mode\": M,\n"
    "                        \"expanded\": E, \"stored\": S, \"name\": \"EN_SYS.ORD\"}, ...]}\n"
    "         offset is the item's table slot; a blank item has only number, offset and\n"
    "         blank. mode is 0 for a stored item, 1 or 2 for a compressed one; expanded and\n"
    "         stored are the sizes in its header. Items of a text archive (first slot 564,\n"
    "         604 or 724) also have the name the editor lists them under.\n"
    "         With --table, one line per item for a person instead: number, name, mode,\n"
    "         stored and expanded size, and \"blank\" or \"shared with K\".\n"
    "extract  writes item N to OUT as the editor extracts it: its 10-byte header and data\n"
    "         (a blank item gives an empty file). With --expand, OUT gets the item's data\n"
    "         only, expanded when it is compressed.\n"
    "replace  makes the bytes of each FILE the stored data of its item N and rebuilds the\n"
    "         archive once, as the editor's save does. A FILE that starts with an item header\n"
    "         is refused, unless --item-file is given: then each FILE is a whole item, header\n"
    "         and data, stored as it is (a compressed item stays compressed). The archive as\n"
    "         it was is kept as a backup beside it: its name up to the first \".\" followed\n"
    "         by \".~$R\" (text.hqr gives text.~$R), a second name of the old archive file\n"
    "         where the file system allows, else a copy.\n"
    "         One rebuild of an archive runs at a time: a second one waits for the first\n"
    "         to finish (saying so after a second) and then starts from the archive the\n"
    "         first left, so both changes are kept. It gives up after 60 seconds, or after\n"
    "         SECONDS given with --wait, and changes nothing.\n"
    "\n"
    "Every file written (OUT, the archive, the backup) is written to a new file beside it\n"
    "and renamed into place when complete; a read-only target is refused.\n",
    run,
};

} // namespace zyn::cli
