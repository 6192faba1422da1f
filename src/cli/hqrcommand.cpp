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
#include "cli/standardinput.h"
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

// A usage message for a wrong number of operands, or an archive named "-".
std::string checkOperands(const ParsedArguments& args, std::size_t count, const char* what) {
    if (args.operands.size() != count)
        return std::string("expected ") + what;
    return notStandardInput(args.operands[0], "ARCHIVE");
}

// The table of the archive at path, read from file (which the caller closes): what listing
// and taking out one item need, without holding any item's data.
Result<ArchiveTable> readTable(FileSystem& fs, const std::string& path, OpenFile& file) {
    auto opened = fs.open(path, false);
    if (!opened)
        return opened.status();
    file = std::move(*opened);
    return ReadArchiveTable(fs, file);
}

const OptionSpec TableOption{"table"};
const OptionSpec ExpandOption{"expand"};
const OptionSpec ItemFileOption{"item-file"};

int list(const Arguments& argv, CommandIo io) {
    ParsedArguments args;
    if (const int stop = readArguments(io, "hqr list", {TableOption, OutputOption}, argv, args);
        stop >= 0)
        return stop;
    const bool table = args.has(TableOption.name);
    if (const auto problem = checkOperands(args, 1, "ARCHIVE"); !problem.empty())
        return usage(io, problem);
    io.settings.output = args.value(OutputOption.name);
    const std::string& path = args.operands[0];
    OpenFile file;
    FileCloser closer(io.files, file);
    const auto read = readTable(io.files, path, file);
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

// Item number of the archive as its table has it; a usage message when it is not there.
std::string tableItem(const ArchiveTable& table, const std::string& path, int number) {
    if (number <= table.lastItem)
        return {};
    return path + ": the archive has no item " + std::to_string(number) + "; it holds " +
           (table.lastItem < 0 ? std::string("no items")
                               : "items 0 to " + std::to_string(table.lastItem));
}

int extract(const Arguments& argv, CommandIo io) {
    ParsedArguments args;
    if (const int stop = readArguments(io, "hqr extract", {ExpandOption, OutputOption}, argv, args);
        stop >= 0)
        return stop;
    const bool expand = args.has(ExpandOption.name);
    const bool output = args.has(OutputOption.name);
    if (args.operands.size() == 3 && output)
        return usage(io, "OUT is given twice: as an operand and with -o");
    if (const auto problem = checkOperands(args, output ? 2 : 3, "ARCHIVE N OUT"); !problem.empty())
        return usage(io, problem);
    const std::string& given = args.operands[1];
    const auto number = parseItemNumber(given);
    if (!number)
        return usage(io, "N must be an item number from 0 to 20000, not '" + given + "'");
    const std::string &path = args.operands[0],
                      out = output ? args.value(OutputOption.name) : args.operands[2];
    FileSystem& fs = io.files;

    OpenFile file;
    FileCloser closer(fs, file);
    const auto table = readTable(fs, path, file);
    if (!table)
        return fail(io, table.message());
    if (const std::string missing = tableItem(*table, path, *number); !missing.empty())
        return usage(io, missing);
    const TableItem& item = table->items[static_cast<std::size_t>(*number)];
    if (!expand && out == StandardInputName) {
        // The item as the editor extracts it, to standard output.
        auto bytes = ReadTableItem(fs, file, item);
        if (!bytes)
            return fail(io, bytes.message());
        io.out << *bytes;
        return Success;
    }
    if (!expand) {
        // Exactly what the editor extracts: the item with its header (a blank item is empty).
        ArchiveIndex index;
        if (Status extracted = ExtractItem(fs, path, out, *number + 1, index); !extracted)
            return fail(io, extracted.message());
        return Success;
    }
    // Expanded as 'expand' does it, from the archive as it is read: memory stays small
    // whatever the item's size.
    if (item.blank)
        return fail(io, "item " + given + " of " + path + " is blank: there is nothing to expand");
    const std::uint16_t mode = readU16(item.header, 8);
    if (mode > 2)
        return fail(io, "item " + given + " of " + path +
                            " uses a compression this program does not support (" +
                            CompressionName(static_cast<std::uint8_t>(mode)) + ")");
    if (out == StandardInputName) {
        auto bytes = ReadTableItem(fs, file, item);
        if (!bytes)
            return fail(io, bytes.message());
        io.out << (mode == 0 ? bytes->substr(ItemHeaderSize) : ExpandItemBytes(*bytes));
        return Success;
    }
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
    if (args.size() < 3 || args.size() % 2 == 0)
        return "expected ARCHIVE N FILE [N FILE ...]";
    if (std::string usage = notStandardInput(args[0], "ARCHIVE"); !usage.empty())
        return usage;
    if (std::string usage = standardInputOnce({args.begin() + 1, args.end()}); !usage.empty())
        return usage;
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
Result<ItemChange> changeFor(FileSystem& fs, const Replacement& replacement, bool itemFile) {
    auto content = fs.readFile(replacement.file, MaxArchiveSize);
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

int replace(const Arguments& argv, CommandIo io) {
    ParsedArguments parsed;
    if (const int stop =
            readArguments(io, "hqr replace", {ItemFileOption, WaitOption}, argv, parsed);
        stop >= 0)
        return stop;
    const bool itemFiles = parsed.has(ItemFileOption.name);
    std::chrono::seconds wait;
    if (const auto problem = waitOf(parsed, wait); !problem.empty())
        return usage(io, problem);
    const Arguments& args = parsed.operands;
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
        auto change = changeFor(io.files, replacement, itemFiles);
        if (!change)
            return fail(io, change.message());
        changes.push_back(std::move(*change));
        numbers += (numbers.empty() ? "" : ", ") + std::to_string(replacement.number);
    }
    bool rebuilt = false;
    if (auto result = RebuildArchive(io.files, path, std::move(changes),
                                     archiveWait(io, path, wait), &rebuilt);
        !result) {
        for (const Replacement& replacement : replacements)
            if (std::string missing = absentItem(io.files, path, replacement.number);
                !missing.empty())
                return usage(io, missing);
        return failRebuild(io, result.status());
    }
    if (io.settings.quiet)
        return Success;
    const bool one = replacements.size() == 1;
    if (!rebuilt) {
        io.out << (one ? "Item " : "Items ") << numbers << " of " << path
               << (one ? " already holds" : " already hold") << " this; nothing was changed.\n";
        return Success;
    }
    const auto file = io.files.followLinks(path);
    io.out << (one ? "Replaced item " : "Replaced items ") << numbers << " of " << path
           << "; the archive as it was is in " << BackupName(file ? *file : path) << ".\n";
    return Success;
}

int run(const Arguments& args, CommandIo io) {
    if (args.empty() || args[0].starts_with('-')) {
        // Only the options every command has ("zyntext hqr --help").
        ParsedArguments parsed;
        if (const int stop = readArguments(io, Name, {}, args, parsed); stop >= 0)
            return stop;
        return usage(io, "a subcommand is required: list, extract or replace");
    }
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
    {
        {"zyntext hqr list ARCHIVE [--table] [-o FILE]",
         "zyntext hqr extract ARCHIVE N OUT [--expand]",
         "zyntext hqr extract ARCHIVE N -o OUT [--expand]",
         "zyntext hqr replace ARCHIVE N FILE [N FILE ...] [--item-file] [--wait SECONDS]"},
        {
            "Items are numbered from 0, as in the archive's table. A damaged archive (a table, "
            "item or size that runs past the end of the file, more than 20 001 items, an item "
            "that starts inside the table or overlaps another) is refused with the reason, by "
            "every command that reads an archive; an item the archive does not have is wrong "
            "usage (exit status 2), naming the items it holds. An ARCHIVE is always a file: "
            "\"-\" is refused.",
            "hqr list prints the items as one JSON object:",
            "  {\"items\": [{\"number\": N, \"offset\": O, \"blank\": false, \"mode\": M,\n"
            "              \"expanded\": E, \"stored\": S, \"name\": \"EN_SYS.ORD\"}, ...]}",
            "offset is the item's table slot: two items with the same offset share their bytes, "
            "which count once. A blank item has only number, offset and blank (and name). mode "
            "is 0 for a stored item, 1 or 2 for a compressed one; expanded and stored are the "
            "sizes in its header. Items of a text archive (first slot 564, 604 or 724) also "
            "have the name the editor lists them under. With --table, one line per item for a "
            "person instead: number, name, mode, stored and expanded size, and \"blank\" or "
            "\"shared with K\".",
            "hqr extract writes item N to OUT as the editor extracts it: its 10-byte header and "
            "data (a blank item gives an empty file); OUT \"-\" is standard output. With "
            "--expand, OUT gets the item's data only, expanded when it is compressed, read from "
            "the archive as it goes (memory stays small whatever the item's size).",
            "hqr replace makes the bytes of each FILE (\"-\": standard input) the stored data of "
            "its item N and rebuilds the archive once, as the editor's save does: every other "
            "item keeps its bytes. A FILE that starts with an item header is refused, unless "
            "--item-file is given: then each FILE is a whole item, header and data, stored as "
            "it is (a compressed item stays compressed). A relative ARCHIVE is made absolute "
            "first. The archive as it was is kept as a backup beside it: its name up to the "
            "first \".\" followed by \".~$R\" (text.hqr gives text.~$R), a second name of the old "
            "archive file where the file system allows, else a copy. When every item already "
            "holds what is given, nothing is written (\"already holds this; nothing was "
            "changed\"). One rebuild of an archive runs at a time: a second one waits for the "
            "first to finish (saying so after a second) and then starts from the archive the "
            "first left, so both changes are kept. It gives up after 60 seconds, or after "
            "SECONDS given with --wait, and changes nothing.",
            "Every file written (OUT, the archive, the backup) is written to a new file beside "
            "it and renamed into place when complete; a read-only target is refused.",
        },
        {
            {"--table", "with list: a table for a person instead of JSON"},
            {"-o, --output FILE", "with list: write the listing to FILE; with extract: the file "
                                  "to write, instead of OUT after N"},
            {"--expand", "with extract: the item's data only, expanded"},
            {"--item-file", "with replace: each FILE is a whole item, header and data"},
            {"--wait SECONDS", "with replace: how long to wait for another program's rebuild "
                               "of ARCHIVE (60 when not given)"},
        },
    },
    run,
};

} // namespace zyn::cli
