#include "project/postates.h"

#include "project/entrystate.h"

namespace zyn {

std::vector<PoMarks> PoMarksOf(const std::vector<std::string>& source,
                               const std::vector<std::string>& target, const BankRecords* records) {
    std::vector<PoMarks> marks(source.size());
    static const std::string none;
    for (std::size_t i = 0; i < source.size(); ++i) {
        const EntryRecord* record = nullptr;
        if (records)
            if (const auto found = records->find(int(i)); found != records->end())
                record = &found->second;
        const EntryState state = StateOf(source[i], i < target.size() ? target[i] : none, record);
        marks[i].kept = state != EntryState::Untranslated;
        marks[i].fuzzy = state == EntryState::NeedsReview;
        marks[i].reviewed = state == EntryState::Reviewed;
        if (record)
            marks[i].note = record->note;
    }
    return marks;
}

ImportedMessage ImportedMessageOf(const PoEntry& entry, PoOutcome outcome, const PoPlace& place) {
    return {outcome, place.holds, PoFuzzyBySomeone(entry), PoSaysReviewed(entry), PoNoteOf(entry)};
}

namespace {

std::optional<EntryRecord> given(const EntryRecord* record, std::string_view source,
                                 EntryState state, std::string note) {
    EntryRecord next = record ? *record : EntryRecord{};
    next.state = state;
    next.sourceHash = HashSource(source);
    next.note = std::move(note);
    if (next.state == EntryState::Untranslated && next.note.empty())
        return std::nullopt;
    return next;
}

std::optional<EntryRecord> asItWas(const EntryRecord* record) {
    return record ? std::optional<EntryRecord>(*record) : std::nullopt;
}

} // namespace

std::optional<EntryRecord> ImportedRecord(const EntryRecord* record, std::string_view source,
                                          std::string_view target, const ImportedMessage& message,
                                          bool withProject) {
    const bool taken =
        message.outcome == PoOutcome::Changed || message.outcome == PoOutcome::Unchanged;
    if (!withProject) {
        if (message.outcome != PoOutcome::Changed)
            return asItWas(record);
        return given(record, source,
                     message.fuzzy ? EntryState::NeedsReview : EntryState::Translated,
                     record ? record->note : std::string());
    }
    if (message.outcome == PoOutcome::EmptySource)
        return asItWas(record);
    if (taken && !message.fuzzy) {
        const bool reviewed =
            message.outcome == PoOutcome::Unchanged &&
            (message.reviewed || StateOf(source, target, record) == EntryState::Reviewed);
        return given(record, source, reviewed ? EntryState::Reviewed : EntryState::Translated,
                     message.note);
    }
    if ((taken || message.holds) && message.fuzzy)
        return given(record, source, EntryState::NeedsReview, message.note);
    if (message.outcome == PoOutcome::Untranslated && IsUntranslatedText(source, target))
        return given(record, source, EntryState::Untranslated, message.note);
    return WithNote(record, source, target, message.note);
}

} // namespace zyn
