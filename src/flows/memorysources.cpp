#include "flows/memorysources.h"

#include "archive/archiveindex.h"
#include "archive/itemnames.h"
#include "characters/charactersets.h"
#include "characters/remapping.h"
#include "document/textreader.h"
#include "document/translationcheck.h"
#include "flows/archiveitemflow.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <optional>

namespace zyn {

namespace {

// The entry a context names ("12", "41:12"), counted from 0; -1 for none.
int contextEntry(const std::string& context) {
    const std::size_t colon = context.find_last_of(':');
    const std::string digits = colon == std::string::npos ? context : context.substr(colon + 1);
    if (digits.empty() || digits.size() > 5 ||
        !std::all_of(digits.begin(), digits.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
        return -1;
    return std::stoi(digits) - 1;
}

std::optional<std::string> gameCodes(const std::string& letters, const CharacterTables& tables) {
    LetterCodes codes = Utf8ToCodes(letters, tables.ShownCharacterSet);
    if (codes.missing)
        return std::nullopt;
    if (!tables.RemapLoaded)
        return std::move(codes.codes);
    UnmappedText unmapped = UnmapText(tables, codes.codes);
    if (unmapped.missing)
        return std::nullopt;
    return std::move(unmapped.text);
}

} // namespace

bool IsPoFileName(const std::string& path) {
    std::string lower(fileNameOf(path));
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower.ends_with(".po") || lower.ends_with(".pot");
}

namespace {

// The archive at path read whole, and its items named; false when it is no text archive.
Status readTextArchive(FileSystem& fs, const std::string& path, ArchiveIndex& index,
                       ArchiveFlow& flow) {
    if (Status read = ReadArchiveIndex(fs, path, index); !read)
        return read;
    return NameArchiveItems(fs, path, index, flow);
}

void addBanks(FileSystem& fs, const std::string& path, const ArchiveIndex& index,
              const ArchiveFlow& flow, int from, int to, const std::string& prefix,
              TranslationMemory& memory) {
    const bool v2 = flow.ArchiveIsVersion2;
    auto source = std::make_unique<TextDocument>();
    auto target = std::make_unique<TextDocument>();
    // Read from the bytes the index holds: no working file, so a build beside the editor
    // shares nothing with it but the archive it reads.
    const auto load = [&](int item, TextDocument& doc) {
        if (item < 0 || item >= index.itemCount() ||
            index.ItemData[static_cast<std::size_t>(item)].empty())
            return false;
        auto loaded = ReadTextBytes(fs, path + ":" + std::to_string(item),
                                    index.ItemData[static_cast<std::size_t>(item)], v2);
        if (!loaded)
            return false;
        doc = TextDocument{};
        AdoptText(doc, std::move(*loaded));
        return true;
    };
    for (int item = 1; item < std::min(TextArchiveItemCount(v2), index.itemCount()); item += 2) {
        if (ItemLanguage(v2, item) != to)
            continue;
        if (load(SameBankInLanguage(v2, item, from), *source) && load(item, *target))
            memory.addDocuments(*source, *target, prefix + ArchiveItemName(flow, item));
    }
}

// The languages of the document's archive the memory pairs; false for an item in no block.
bool pairedLanguages(bool isVersion2, int item, int referenceItem, int& from, int& to) {
    to = ItemLanguage(isVersion2, item);
    from = referenceItem >= 0 ? ItemLanguage(isVersion2, referenceItem) : -1;
    for (int language = 0; language < TextArchiveLanguages(isVersion2) && (from < 0 || from == to);
         ++language)
        from = language;
    return to >= 0 && from >= 0 && from != to;
}

} // namespace

Status AddArchiveToMemory(FileSystem& fs, const std::string& path, int from, int to,
                          const std::string& prefix, TranslationMemory& memory) {
    ArchiveIndex index;
    ArchiveFlow flow;
    if (Status read = readTextArchive(fs, path, index, flow); !read)
        return read;
    addBanks(fs, path, index, flow, from, to, prefix, memory);
    return {};
}

void AddPoToMemory(const PoCatalogue& catalogue, const CharacterTables& tables,
                   const std::string& name, TranslationMemory& memory) {
    for (const PoEntry& entry : catalogue.entries) {
        // gettext's untranslated (no msgstr); a msgstr equal to its msgid the memory itself leaves.
        if (entry.fuzzy || entry.plural || entry.source.empty() || entry.translation.empty() ||
            FindToolLeftover(entry.translation).kind != LeftoverKind::None)
            continue;
        const auto source = gameCodes(entry.source, tables);
        const auto translation = gameCodes(entry.translation, tables);
        if (source && translation)
            memory.add(*source, *translation, {name, contextEntry(entry.context)});
    }
}

BuiltMemory BuildTranslationMemory(FileSystem& fs, const MemoryRecipe& recipe,
                                   const PoFileReader& readPo) {
    BuiltMemory built;
    int from = recipe.from, to = recipe.to;
    if (!recipe.archive.empty()) {
        ArchiveIndex index;
        ArchiveFlow flow;
        if (Status read = readTextArchive(fs, recipe.archive, index, flow); !read)
            built.problems.push_back(read.message());
        else if (from >= 0 || pairedLanguages(flow.ArchiveIsVersion2, recipe.item,
                                              recipe.referenceItem, from, to))
            addBanks(fs, recipe.archive, index, flow, from, to, "", built.memory);
    }
    for (const std::string& other : recipe.others) {
        if (!IsPoFileName(other)) {
            if (from < 0 || to < 0 || from == to)
                continue;
            if (Status added = AddArchiveToMemory(
                    fs, other, from, to, std::string(fileNameOf(other)) + " ", built.memory);
                !added)
                built.problems.push_back(added.message());
            continue;
        }
        if (!readPo)
            continue;
        auto catalogue = readPo(fs, other);
        if (!catalogue)
            built.problems.push_back(catalogue.message());
        else
            AddPoToMemory(*catalogue, recipe.tables, std::string(fileNameOf(other)), built.memory);
    }
    return built;
}

} // namespace zyn
