#include "flows/poimport.h"

#include "archive/archiverewrite.h"
#include "archive/archivetable.h"
#include "archive/itemnames.h"
#include "base/itemheader.h"
#include "base/safewriter.h"
#include "document/textreader.h"
#include "document/textwriter.h"
#include "flows/textsource.h"

#include <algorithm>
#include <map>

namespace zyn {

namespace {

// What the header records the catalogue was exported from: a text file or item, or for a
// whole archive the archive and the language of its msgids.
struct RecordedSource {
    bool known = false;
    TextSource named;  // the file, or the item; the archive alone for a whole archive
    int language = -1; // a whole archive's msgid language block
};

// What one import takes: the catalogue, and how its texts are read and written.
struct Import {
    FileSystem& fs;
    const CharacterTables& tables;
    const PoCatalogue& catalogue;
    const std::string& poName;
    const PoImportOptions& options;
    RecordedSource source;
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

bool present(const ArchiveTable& table, int item) {
    return item >= 0 && item <= table.lastItem && !table.items[std::size_t(item)].blank;
}

// Item `item` of the open archive at path as a bank.
Result<Bank> itemBank(const Import& import, const std::string& path, OpenFile& archive,
                      const ArchiveTable& table, int item) {
    const std::string name = path + ":" + std::to_string(item);
    const TableItem& slot = table.items[std::size_t(item)];
    if (slot.size > MaxTextFileSize)
        return Status::failure(ErrorKind::Damaged, "The file " + name + " is too large (" +
                                                       std::to_string(slot.size) +
                                                       " bytes) for a text file.");
    auto bytes = ReadTableItem(import.fs, archive, slot);
    if (!bytes)
        return bytes.status();
    return bankOf(import.fs, name, *bytes, import.options.isVersion2);
}

// The items of the archive at path that are present, read without its lock: a source in
// another archive than the target.
Result<std::map<int, TextDocument>> readItems(const Import& import, const std::string& path,
                                              const std::vector<int>& items) {
    auto file = import.fs.open(path, false);
    if (!file)
        return file.status();
    FileCloser closer(import.fs, *file);
    auto table = ReadArchiveTable(import.fs, *file);
    if (!table)
        return table.status();
    std::map<int, TextDocument> documents;
    for (const int item : items) {
        if (!present(*table, item))
            continue;
        auto bank = itemBank(import, path, *file, *table, item);
        if (!bank)
            return bank.status();
        documents.emplace(item, std::move(bank->document));
    }
    return documents;
}

// The item a whole-archive context names ("41:12" names 41), or nothing.
std::optional<int> contextItem(const std::string& context) {
    const std::size_t colon = context.find(':');
    if (colon == std::string::npos)
        return std::nullopt;
    return ParseItemNumber(std::string_view(context).substr(0, colon));
}

RecordedSource recordedSource(FileSystem& fs, const std::string& header, bool wholeArchive) {
    RecordedSource source;
    if (wholeArchive) {
        const std::string marker = " --from ";
        const std::size_t at = header.rfind(marker);
        if (at == std::string::npos)
            return source;
        source.language = PoLanguageBlock(header.substr(at + marker.size()));
        source.named.path = header.substr(0, at);
        source.known = source.language >= 0;
        return source;
    }
    if (header.empty())
        return source;
    auto named = ParseTextSource(fs, header);
    if (named) {
        source.named = *named;
        source.known = true;
    }
    return source;
}

// The source is an item of the archive imported into, read under its lock with the target.
bool sourceInTarget(const RecordedSource& source, const TextSource& target, bool wholeArchive) {
    return source.known && (wholeArchive || (source.named.inArchive() && target.inArchive())) &&
           PoReferenceKey(source.named.path) == PoReferenceKey(target.path);
}

std::string unreadable(const Import& import, const std::string& name, const Status& why) {
    return "the source " + name + " that " + import.poName + " was exported from cannot be read (" +
           why.message() + "), so its msgids were not compared with it";
}

// The source bank of a whole archive's item.
int sourceItem(const Import& import, int item) {
    return SameBankInLanguage(import.options.isVersion2, item, import.source.language);
}

// Applies the catalogue to the banks, each under the item its contexts name (-1 for one bank),
// checked against sources by the same key (none where a source is not known), and gives each
// bank's new data where it differs from what it held. Nothing when anything is refused.
Result<std::map<int, std::string>> apply(const Import& import, const TextSource& target,
                                         std::map<int, Bank>& banks,
                                         const std::map<int, TextDocument>& sources,
                                         PoImportResult& result) {
    std::vector<PoTarget> targets;
    for (auto& [item, bank] : banks) {
        PoTarget& added = targets.emplace_back(PoTarget{&bank.document, item, nullptr, {}});
        if (const auto found = sources.find(item); found != sources.end())
            added.source = &found->second;
        const TextSource own{target.path, item >= 0 ? item : target.item};
        added.references.push_back(PoReferenceKey(own.name()));
        if (!import.source.known)
            continue;
        TextSource from = import.source.named;
        if (item >= 0)
            from.item = sourceItem(import, item);
        if (PoReferenceKey(from.name()) != added.references.front())
            added.references.push_back(PoReferenceKey(from.name()));
    }
    PoApplied applied = ApplyPoEntries(
        import.catalogue.entries, targets, import.tables,
        {import.options.takeFuzzy, import.options.force, import.options.substitutions});
    result.substituted = std::move(applied.substituted);
    result.outcomes = std::move(applied.outcomes);
    result.places = std::move(applied.places);
    result.refused.insert(result.refused.end(), applied.refused.begin(), applied.refused.end());
    result.overridden.insert(result.overridden.end(), applied.overridden.begin(),
                             applied.overridden.end());
    std::map<int, std::string> changed;
    if (!result.refused.empty())
        return changed;
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

// The source of a single bank read as the header gives it, when it is not an item of the
// target's archive; a note in result when it cannot be read.
std::map<int, TextDocument> sourceAsGiven(const Import& import, const TextSource& target,
                                          PoImportResult& result) {
    std::map<int, TextDocument> sources;
    const TextSource& named = import.source.named;
    if (!import.source.known || sourceInTarget(import.source, target, false))
        return sources;
    if (named.inArchive()) {
        auto read = readItems(import, named.path, {named.item});
        if (read && !read->empty())
            sources.emplace(-1, std::move(read->begin()->second));
        else
            result.unchecked = unreadable(
                import, named.name(),
                read ? Status::failure(ErrorKind::Damaged, "the item is blank or missing")
                     : read.status());
        return sources;
    }
    auto bytes = LoadTextFileBytes(import.fs, named.path);
    auto bank = bytes ? bankOf(import.fs, named.path, *bytes, import.options.isVersion2)
                      : Result<Bank>(bytes.status());
    if (bank)
        sources.emplace(-1, std::move(bank->document));
    else
        result.unchecked = unreadable(import, named.path, bank.status());
    return sources;
}

Result<PoImportResult> importIntoFile(const Import& import, const TextSource& target,
                                      PoImportResult result) {
    FileSystem& fs = import.fs;
    const std::string& path = target.path;
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
    auto changed = apply(import, target, banks, sourceAsGiven(import, target, result), result);
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
// with its source where the source lies in this archive, and gives the changes the catalogue
// makes to them. Items the archive does not have, and blank ones, are not read: the messages
// naming them are refused as naming no entry.
Result<std::vector<ItemChange>> changesUnderLock(const Import& import, const TextSource& target,
                                                 OpenFile& archive, const ArchiveTable& table,
                                                 const std::vector<int>& items,
                                                 std::map<int, TextDocument> sources,
                                                 PoImportResult& result) {
    const bool oneItem = target.inArchive();
    const std::string& path = target.path;
    std::map<int, Bank> banks;
    for (const int item : items) {
        if (oneItem && !present(table, item))
            return Status::failure(ErrorKind::Damaged,
                                   item > table.lastItem
                                       ? "The archive " + path + " has no item " +
                                             std::to_string(item) + " (it has " +
                                             std::to_string(table.lastItem + 1) + " items)."
                                       : "Item " + std::to_string(item) + " of the archive " +
                                             path + " is blank: it holds no text.");
        if (!present(table, item))
            continue;
        auto bank = itemBank(import, path, archive, table, item);
        if (!bank)
            return bank.status();
        const int key = oneItem ? -1 : item;
        banks.emplace(key, std::move(*bank));
        if (!sourceInTarget(import.source, target, result.wholeArchive))
            continue;
        const int from = oneItem ? import.source.named.item : sourceItem(import, item);
        if (!present(table, from)) {
            result.unchecked =
                unreadable(import, path + ":" + std::to_string(from),
                           Status::failure(ErrorKind::Damaged, "the item is blank or missing"));
            continue;
        }
        auto source = itemBank(import, path, archive, table, from);
        if (!source)
            return source.status();
        sources.insert_or_assign(key, std::move(source->document));
    }
    auto changed = apply(import, target, banks, sources, result);
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

// The sources of a whole archive's banks when they lie in another archive than the target.
std::map<int, TextDocument> archiveSourcesAsGiven(const Import& import, const TextSource& target,
                                                  const std::vector<int>& items,
                                                  PoImportResult& result) {
    std::map<int, TextDocument> sources;
    if (!import.source.known || sourceInTarget(import.source, target, true))
        return sources;
    std::vector<int> from;
    for (const int item : items)
        from.push_back(sourceItem(import, item));
    auto read = readItems(import, import.source.named.path, from);
    if (!read) {
        result.unchecked = unreadable(import, import.source.named.path, read.status());
        return sources;
    }
    for (const int item : items)
        if (auto found = read->find(sourceItem(import, item)); found != read->end())
            sources.emplace(item, found->second);
    return sources;
}

} // namespace

int PoImportResult::count(PoOutcome outcome) const {
    return static_cast<int>(std::count(outcomes.begin(), outcomes.end(), outcome));
}

Result<PoImportResult> ImportPoCatalogue(FileSystem& fs, const CharacterTables& tables,
                                         const PoCatalogue& catalogue, const std::string& poName,
                                         const std::string& target,
                                         const PoImportOptions& options) {
    auto named = ParseTextSource(fs, target);
    if (!named)
        return named.status();
    const std::vector<PoEntry>& entries = catalogue.entries;
    // A catalogue of a whole archive names items in its contexts; into one item (ARCHIVE:N)
    // such contexts name no entry and are refused.
    PoImportResult result;
    result.wholeArchive = !named->inArchive() && !entries.empty() &&
                          entries.front().context.find(':') != std::string::npos;
    const Import import{fs,     tables,  catalogue,
                        poName, options, recordedSource(fs, catalogue.source, result.wholeArchive)};
    if (!import.source.known)
        result.unchecked = "the header of " + poName +
                           " does not say what it was exported from (X-Source), so its msgids "
                           "were not compared with a source";
    if (!result.wholeArchive && !catalogue.target.empty() &&
        PoReferenceKey(catalogue.target) != PoReferenceKey(named->name())) {
        PoProblem problem{"", 0,
                          poName + " was exported for " + catalogue.target + " (X-Target), not " +
                              named->name(),
                          true};
        (options.force ? result.overridden : result.refused).push_back(std::move(problem));
    }
    if (!named->inArchive() && !result.wholeArchive)
        return importIntoFile(import, *named, std::move(result));

    std::vector<int> items{named->item};
    std::map<int, TextDocument> sources;
    if (result.wholeArchive) {
        items.clear();
        for (const PoEntry& entry : entries)
            if (const auto item = contextItem(entry.context))
                items.push_back(*item);
        std::sort(items.begin(), items.end());
        items.erase(std::unique(items.begin(), items.end()), items.end());
        sources = archiveSourcesAsGiven(import, *named, items, result);
    } else {
        sources = sourceAsGiven(import, *named, result);
    }
    const auto changesOf = [&](OpenFile& archive, const ArchiveTable& table) {
        return changesUnderLock(import, *named, archive, table, items, sources, result);
    };
    if (auto rebuilt = RebuildArchive(fs, named->path, changesOf, options.wait); !rebuilt)
        return rebuilt.status();
    return result;
}

} // namespace zyn
