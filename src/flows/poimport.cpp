#include "flows/poimport.h"

#include "archive/archiverewrite.h"
#include "archive/archivetable.h"
#include "base/itemheader.h"
#include "base/safewriter.h"
#include "document/textreader.h"
#include "document/textwriter.h"
#include "flows/textsource.h"

#include <algorithm>
#include <map>

namespace zyn {

namespace {

// What one import takes: the catalogue, and how its texts are read and written.
struct Import {
    FileSystem& fs;
    const CharacterTables& tables;
    const std::vector<PoEntry>& entries;
    const std::string& poName;
    const PoImportOptions& options;
};

// A bank the catalogue writes into: its document as read, and its data then.
struct Bank {
    TextDocument document;
    std::string data;
};

Result<Bank> bankOf(FileSystem& fs, const std::string& name, std::string_view bytes,
                    bool isVersion2) {
    auto read = ReadTextBytes(fs, name, bytes, isVersion2);
    if (!read)
        return read.status();
    Bank bank;
    AdoptText(bank.document, std::move(*read));
    auto data = BuildTextData(bank.document);
    if (!data)
        return data.status();
    bank.data = std::move(*data);
    return bank;
}

// The item a whole-archive context names ("41:12" names 41), or nothing.
std::optional<int> contextItem(const std::string& context) {
    const std::size_t colon = context.find(':');
    if (colon == std::string::npos)
        return std::nullopt;
    return ParseItemNumber(std::string_view(context).substr(0, colon));
}

// Applies the catalogue to the banks, each under the item its contexts name (-1 for one bank),
// and gives each bank's new data where it differs from what it held.
Result<std::map<int, std::string>> apply(const Import& import, std::map<int, Bank>& banks,
                                         PoImportResult& result) {
    std::vector<PoTarget> targets;
    for (auto& [item, bank] : banks)
        targets.push_back({&bank.document, item});
    auto outcomes = ApplyPoEntries(import.entries, targets, import.tables, import.options.takeFuzzy,
                                   import.poName);
    if (!outcomes)
        return outcomes.status();
    result.outcomes = std::move(*outcomes);
    std::map<int, std::string> changed;
    for (auto& [item, bank] : banks) {
        auto data = BuildTextData(bank.document);
        if (!data)
            return data.status();
        if (*data != bank.data)
            changed.emplace(item, std::move(*data));
    }
    return changed;
}

// The refusal of a catalogue of one text file whose target is an archive, or nothing when the
// target is no archive.
std::optional<Status> archiveGivenForOneFile(FileSystem& fs, const std::string& poName,
                                             const std::string& target) {
    auto file = fs.open(target, false);
    if (!file)
        return std::nullopt;
    FileCloser closer(fs, *file);
    if (!ReadArchiveTable(fs, *file))
        return std::nullopt;
    return Status::failure(
        ErrorKind::Damaged,
        poName + ": its contexts (\"12\") name the entries of one text file, but " + target +
            " is an archive, whose catalogue has contexts that name the item too (\"41:12\"). "
            "Give one of its items as " +
            target +
            ":N, or export the whole archive with --from and --to; nothing was "
            "written.");
}

Result<PoImportResult> importIntoFile(const Import& import, const std::string& path) {
    FileSystem& fs = import.fs;
    auto bytes = LoadTextFileBytes(fs, path);
    if (!bytes)
        return bytes.status();
    auto bank = bankOf(fs, path, *bytes, import.options.isVersion2);
    if (!bank) {
        if (auto refusal = archiveGivenForOneFile(fs, import.poName, path))
            return *refusal;
        return bank.status();
    }
    const bool header = TestHeader(*bytes).found;
    std::map<int, Bank> banks;
    banks.emplace(-1, std::move(*bank));
    PoImportResult result;
    auto changed = apply(import, banks, result);
    if (!changed)
        return changed.status();
    if (changed->empty())
        return result;
    const std::string& data = changed->begin()->second;
    if (Status written = WriteFileSafely(fs, path, header ? StoredItem(data) : data); !written)
        return written;
    result.items.push_back(-1);
    return result;
}

// Reads each item of the archive that the catalogue names, as the locked archive holds it now,
// and gives the changes the catalogue makes to them. Items the archive does not have, and blank
// ones, are not read: the messages naming them are refused as naming no entry.
Result<std::vector<ItemChange>> changesUnderLock(const Import& import, const std::string& path,
                                                 OpenFile& archive, const ArchiveTable& table,
                                                 const std::vector<int>& items, bool oneItem,
                                                 PoImportResult& result) {
    std::map<int, Bank> banks;
    for (const int item : items) {
        const std::string name = path + ":" + std::to_string(item);
        const bool present = item <= table.lastItem && !table.items[std::size_t(item)].blank;
        if (oneItem && !present)
            return Status::failure(ErrorKind::Damaged,
                                   item > table.lastItem
                                       ? "The archive " + path + " has no item " +
                                             std::to_string(item) + " (it has " +
                                             std::to_string(table.lastItem + 1) + " items)."
                                       : "Item " + std::to_string(item) + " of the archive " +
                                             path + " is blank: it holds no text.");
        if (!present)
            continue;
        const TableItem& slot = table.items[std::size_t(item)];
        if (slot.size > MaxTextFileSize)
            return Status::failure(ErrorKind::Damaged, "The file " + name + " is too large (" +
                                                           std::to_string(slot.size) +
                                                           " bytes) for a text file.");
        auto bytes = ReadTableItem(import.fs, archive, slot);
        if (!bytes)
            return bytes.status();
        auto bank = bankOf(import.fs, name, *bytes, import.options.isVersion2);
        if (!bank)
            return bank.status();
        banks.emplace(oneItem ? -1 : item, std::move(*bank));
    }
    auto changed = apply(import, banks, result);
    if (!changed)
        return changed.status();
    std::vector<ItemChange> changes;
    for (auto& [item, data] : *changed) {
        const int written = oneItem ? items.front() : item;
        changes.push_back({written, StoredItem(data), std::nullopt});
        result.items.push_back(written);
    }
    return changes;
}

} // namespace

int PoImportResult::count(PoOutcome outcome) const {
    return static_cast<int>(std::count(outcomes.begin(), outcomes.end(), outcome));
}

Result<PoImportResult> ImportPoCatalogue(FileSystem& fs, const CharacterTables& tables,
                                         const std::vector<PoEntry>& entries,
                                         const std::string& poName, const std::string& target,
                                         const PoImportOptions& options) {
    const Import import{fs, tables, entries, poName, options};
    auto named = ParseTextSource(fs, target);
    if (!named)
        return named.status();
    // A catalogue of a whole archive names items in its contexts; into one item (ARCHIVE:N)
    // such contexts name no entry and are refused.
    const bool wholeArchive = !named->inArchive() && !entries.empty() &&
                              entries.front().context.find(':') != std::string::npos;
    if (!named->inArchive() && !wholeArchive)
        return importIntoFile(import, named->path);

    std::vector<int> items{named->item};
    if (wholeArchive) {
        items.clear();
        for (const PoEntry& entry : entries)
            if (const auto item = contextItem(entry.context))
                items.push_back(*item);
        std::sort(items.begin(), items.end());
        items.erase(std::unique(items.begin(), items.end()), items.end());
    }
    PoImportResult result;
    result.wholeArchive = wholeArchive;
    const auto changesOf = [&](OpenFile& archive, const ArchiveTable& table) {
        return changesUnderLock(import, named->path, archive, table, items, !wholeArchive, result);
    };
    if (auto rebuilt = RebuildArchive(fs, named->path, changesOf, options.wait); !rebuilt)
        return rebuilt.status();
    return result;
}

} // namespace zyn
