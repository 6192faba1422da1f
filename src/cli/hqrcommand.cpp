#include "archive/archiveindex.h"
#include "archive/archiverewrite.h"
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

Status readIndex(const std::string& path, ArchiveIndex& index) {
    return ReadArchiveIndex(realFileSystem(), path, index);
}

Status checkItem(const ArchiveIndex& index, const std::string& path, int item) {
    if (item > index.LastItem)
        return Status::failure(ErrorKind::Damaged,
                               "the archive " + path + " has no item " + std::to_string(item) +
                                   " (it has " + std::to_string(index.itemCount()) + " items)");
    return {};
}

int list(Arguments args, CommandIo io) {
    const bool table = takeFlag(args, "--table");
    if (const auto problem = checkOperands(args, 1, "ARCHIVE"); !problem.empty())
        return usage(io, problem);
    const std::string& path = args[0];
    ArchiveIndex index;
    if (Status read = readIndex(path, index); !read)
        return fail(io, read.message());

    ArchiveFlow flow;
    const bool named =
        index.LastItem >= 0 &&
        RecogniseTextArchive(flow, index.ItemOffset[0], realFileSystem().info(path).size);
    if (named)
        NameTextArchiveItems(flow, flow.ArchiveIsVersion2, flow.ArchiveIsDemo);
    const int namedItems = named ? TextArchiveItemCount(flow.ArchiveIsVersion2) : 0;

    std::vector<ItemRow> rows;
    for (int i = 0; i <= index.LastItem; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const std::string& data = index.ItemData[k];
        ItemRow row;
        row.number = i;
        row.offset = index.ItemOffset[k];
        row.blank = data.empty();
        if (!row.blank) {
            row.mode = readU16(data, 8);
            row.expanded = readU32(data, 0);
            row.stored = readI32(data, 4);
        }
        if (i < namedItems)
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

// The expanded data of an item: its data as stored, or decoded when compressed.
Result<std::string> expandedData(const std::string& item, const std::string& path, int number) {
    const std::uint16_t mode = readU16(item, 8);
    if (mode == 0)
        return item.substr(ItemHeaderSize);
    if (mode > 2)
        return Result<std::string>::failure(
            ErrorKind::Unsupported, "item " + std::to_string(number) + " of " + path +
                                        " uses a compression this program does not support (" +
                                        CompressionName(static_cast<std::uint8_t>(mode)) + ")");
    return ExpandItemBytes(item);
}

int extract(Arguments args, CommandIo io) {
    const bool expand = takeFlag(args, "--expand");
    if (const auto problem = checkOperands(args, 3, "ARCHIVE N OUT"); !problem.empty())
        return usage(io, problem);
    const auto number = parseItemNumber(args[1]);
    if (!number)
        return usage(io, "N must be an item number from 0 to 20000, not '" + args[1] + "'");
    const std::string &path = args[0], &out = args[2];

    ArchiveIndex index;
    if (!expand) {
        // Exactly what the editor extracts: the item with its header (a blank item is empty).
        if (Status extracted = ExtractItem(realFileSystem(), path, out, *number + 1, index);
            !extracted)
            return fail(io, extracted.message());
        return Success;
    }
    if (Status read = readIndex(path, index); !read)
        return fail(io, read.message());
    if (Status exists = checkItem(index, path, *number); !exists)
        return fail(io, exists.message());
    const std::string& item = index.ItemData[static_cast<std::size_t>(*number)];
    if (item.empty())
        return fail(io,
                    "item " + args[1] + " of " + path + " is blank: there is nothing to expand");
    auto data = expandedData(item, path, *number);
    if (!data)
        return fail(io, data.message());
    if (Status written = WriteFileSafely(realFileSystem(), out, *data); !written)
        return fail(io, written.message());
    return Success;
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

// "--wait SECONDS": how long to wait for another program's rebuild of the archive.
std::optional<std::chrono::seconds> takeWait(Arguments& args) {
    const Option wait = takeOption(args, "--wait");
    if (!wait.found)
        return std::chrono::seconds(60);
    if (wait.value.empty() || wait.value.size() > 6 ||
        wait.value.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::chrono::seconds(std::stoi(wait.value));
}

int replace(Arguments args, CommandIo io) {
    const bool itemFiles = takeFlag(args, "--item-file");
    const auto wait = takeWait(args);
    if (!wait)
        return usage(io, "--wait takes a number of seconds");
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
    LockWait waiting;
    waiting.giveUpAfter = *wait;
    waiting.notice = [&] {
        io.err << "zyntext: waiting for another program to finish rebuilding " << path << " ...\n"
               << std::flush;
    };
    bool rebuilt = false;
    if (auto result = RebuildArchive(realFileSystem(), path, changes, waiting, &rebuilt); !result)
        return fail(io, result.message() +
                            (result.kind() == ErrorKind::Busy ? " Nothing was changed." : ""));
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
