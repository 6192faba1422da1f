#include "project/entrystate.h"

namespace zyn {

bool SourceChanged(const EntryRecord& record, std::string_view source) {
    return record.sourceHash != HashSource(source);
}

EntryState StateOf(std::string_view source, std::string_view target, const EntryRecord* record) {
    const EntryState derived =
        IsUntranslatedText(source, target) ? EntryState::Untranslated : EntryState::Translated;
    if (!record || record->state == EntryState::Untranslated || target.empty())
        return target.empty() ? EntryState::Untranslated : derived;
    if (record->state != EntryState::NeedsReview && SourceChanged(*record, source))
        return EntryState::NeedsReview;
    return record->state;
}

namespace {

EntryRecord stamped(const EntryRecord* record, std::string_view source, EntryState state) {
    EntryRecord next = record ? *record : EntryRecord{};
    next.state = state;
    next.sourceHash = HashSource(source);
    return next;
}

// A record that holds nothing the texts do not say: no note, and untranslated.
std::optional<EntryRecord> keptIfNeeded(EntryRecord record) {
    if (record.note.empty() && record.state == EntryState::Untranslated)
        return std::nullopt;
    return record;
}

} // namespace

EntryRecord KeptAsTranslated(const EntryRecord* record, std::string_view source) {
    return stamped(record, source, EntryState::Translated);
}

EntryRecord PutFromMemory(const EntryRecord* record, std::string_view source) {
    return stamped(record, source, EntryState::NeedsReview);
}

EntryRecord ToggledReviewed(const EntryRecord* record, std::string_view source,
                            std::string_view target) {
    const bool reviewed = StateOf(source, target, record) == EntryState::Reviewed;
    return stamped(record, source, reviewed ? EntryState::Translated : EntryState::Reviewed);
}

std::optional<EntryRecord> AfterEdit(const EntryRecord* record, std::string_view source,
                                     std::string_view target) {
    if (!record)
        return std::nullopt;
    EntryRecord next = *record;
    if (target.empty())
        next = stamped(record, source, EntryState::Untranslated);
    else if (record->state == EntryState::Reviewed)
        next = stamped(record, source, EntryState::Translated);
    return keptIfNeeded(std::move(next));
}

std::optional<EntryRecord> WithNote(const EntryRecord* record, std::string_view source,
                                    std::string_view target, std::string note) {
    EntryRecord next;
    if (record) {
        next = *record;
    } else {
        // A note on an entry without a record keeps the state the texts give it.
        next.state =
            IsUntranslatedText(source, target) ? EntryState::Untranslated : EntryState::Translated;
        next.sourceHash = HashSource(source);
    }
    next.note = std::move(note);
    if (!record && next.note.empty())
        return std::nullopt;
    return keptIfNeeded(std::move(next));
}

std::optional<std::string_view> FindSourceByHash(std::uint32_t hash,
                                                 const std::vector<std::string_view>& candidates) {
    for (const std::string_view candidate : candidates)
        if (HashSource(candidate) == hash)
            return candidate;
    return std::nullopt;
}

} // namespace zyn
