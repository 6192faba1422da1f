#include "project/translationproject.h"

#include <array>

namespace zyn {

namespace {

struct StateNames {
    EntryState state;
    std::string_view name, caption;
};
constexpr std::array<StateNames, 4> Names{{
    {EntryState::Untranslated, "untranslated", "untranslated"},
    {EntryState::NeedsReview, "needs-review", "needs review"},
    {EntryState::Translated, "translated", "translated"},
    {EntryState::Reviewed, "reviewed", "reviewed"},
}};

} // namespace

std::string_view StateName(EntryState state) {
    return Names[static_cast<std::size_t>(state)].name;
}

std::string_view StateCaption(EntryState state) {
    return Names[static_cast<std::size_t>(state)].caption;
}

std::optional<EntryState> StateNamed(std::string_view name) {
    for (const StateNames& names : Names)
        if (names.name == name)
            return names.state;
    return std::nullopt;
}

std::uint32_t HashSource(std::string_view codes) {
    std::uint32_t hash = 2166136261u;
    for (const char c : codes) {
        hash ^= static_cast<std::uint8_t>(c);
        hash *= 16777619u;
    }
    return hash;
}

std::string HashText(std::uint32_t hash) {
    static constexpr char Digits[] = "0123456789abcdef";
    std::string text(8, '0');
    for (int i = 7; i >= 0; --i, hash >>= 4)
        text[static_cast<std::size_t>(i)] = Digits[hash & 0xF];
    return text;
}

std::optional<std::uint32_t> HashFromText(std::string_view text) {
    if (text.size() != 8)
        return std::nullopt;
    std::uint32_t hash = 0;
    for (const char c : text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        hash = hash << 4 | static_cast<std::uint32_t>(digit);
    }
    return hash;
}

const EntryRecord* TranslationProject::record(const std::string& bank, int entry) const {
    const auto found = banks.find(bank);
    if (found == banks.end())
        return nullptr;
    const auto at = found->second.find(entry);
    return at == found->second.end() ? nullptr : &at->second;
}

void TranslationProject::setRecord(const std::string& bank, int entry,
                                   std::optional<EntryRecord> record) {
    if (record) {
        banks[bank][entry] = std::move(*record);
        return;
    }
    const auto found = banks.find(bank);
    if (found == banks.end())
        return;
    found->second.erase(entry);
    if (found->second.empty())
        banks.erase(found);
}

} // namespace zyn
