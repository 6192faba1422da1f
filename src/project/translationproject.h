#pragma once

// A translation project: what a translator's work on one language of an archive holds beyond
// the game's files. The archive and the language pair, the memory's sources and the glossary,
// and for each entry of a translated bank its state, its note and the source it was translated
// from. Banks are named by the target item's list name ("FR_012.DIA"), entries counted from 0.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zyn {

enum class EntryState { Untranslated, NeedsReview, Translated, Reviewed };
// How many states there are: one past the last.
inline constexpr std::size_t EntryStateCount = std::size_t(EntryState::Reviewed) + 1;

// As the project file writes it: "untranslated", "needs-review", "translated", "reviewed".
std::string_view StateName(EntryState state);
std::optional<EntryState> StateNamed(std::string_view name);
// As a person reads it: "needs review".
std::string_view StateCaption(EntryState state);

// A short mark of a source text that holds on every platform: the 32-bit FNV-1a hash of its
// codes, as the document holds them (line breaks CR LF), written as 8 hex digits.
std::uint32_t HashSource(std::string_view codes);
std::string HashText(std::uint32_t hash);
std::optional<std::uint32_t> HashFromText(std::string_view text);

struct EntryRecord {
    EntryState state = EntryState::Translated;
    std::string note;             // plain text in UTF-8, lines joined by '\n'
    std::uint32_t sourceHash = 0; // of the source the state was given for

    friend bool operator==(const EntryRecord&, const EntryRecord&) = default;
};

// One bank's records by entry.
using BankRecords = std::map<int, EntryRecord>;

struct TranslationProject {
    std::string archive; // relative to the project file's folder, '/' between names
    int game = 0;        // 1 or 2
    int sourceLanguage = -1, targetLanguage = -1; // language blocks (0 EN .. 5 PO)
    std::vector<std::string> memorySources;       // archives and PO files, as archive is
    std::string glossary;                         // the glossary's file name, "" for none
    // Header lines of a later version of the program, "key: value", kept as they came.
    std::vector<std::string> otherHeaders;
    std::map<std::string, BankRecords> banks; // by bank name: the file's order

    // The record of an entry, or nullptr.
    const EntryRecord* record(const std::string& bank, int entry) const;
    // Sets the record, or removes it when there is none.
    void setRecord(const std::string& bank, int entry, std::optional<EntryRecord> record);

    friend bool operator==(const TranslationProject&, const TranslationProject&) = default;
};

} // namespace zyn
