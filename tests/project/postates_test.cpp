// States and notes through PO: what each state exports as, and what each kind of message
// makes of its entry's record on import, with a catalogue that names a project and without.

#include "project/entrystate.h"
#include "project/postates.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

constexpr EntryState Untranslated = EntryState::Untranslated, NeedsReview = EntryState::NeedsReview,
                     Translated = EntryState::Translated, Reviewed = EntryState::Reviewed;

EntryRecord recordFor(EntryState state, std::string_view source, std::string note = {}) {
    return {state, std::move(note), HashSource(source)};
}

TEST(PoStates, EachStateExportsAsItsMarks) {
    const std::vector<std::string> source{"Options", "Yes", "No", "Hello", "Bye", "Old"};
    const std::vector<std::string> target{"Options", "Oui", "Non", "", "Adieu", "Vieux"};
    BankRecords records{
        {0, recordFor(Translated, "Options", "Kept on purpose")},
        {1, recordFor(NeedsReview, "Yes")},
        {2, recordFor(Reviewed, "No", "Line one\nline two")},
        {3, recordFor(Untranslated, "Hello", "Ask the team")},
        // The source changed since it was reviewed: it needs review again.
        {5, recordFor(Reviewed, "Older")},
    };
    const std::vector<PoMarks> marks = PoMarksOf(source, target, &records);
    const struct {
        bool kept, fuzzy, reviewed;
        std::string note;
    } expected[] = {
        {true, false, false, "Kept on purpose"},
        {true, true, false, ""},
        {true, false, true, "Line one\nline two"},
        {false, false, false, "Ask the team"},
        {true, false, false, ""},
        {true, true, false, ""},
    };
    ASSERT_EQ(marks.size(), std::size(expected));
    for (std::size_t i = 0; i < marks.size(); ++i) {
        EXPECT_EQ(marks[i].kept, expected[i].kept) << i;
        EXPECT_EQ(marks[i].fuzzy, expected[i].fuzzy) << i;
        EXPECT_EQ(marks[i].reviewed, expected[i].reviewed) << i;
        EXPECT_EQ(marks[i].note, expected[i].note) << i;
    }
    // Without records the texts decide: a text equal to its source is untranslated.
    EXPECT_FALSE(PoMarksOf(source, target, nullptr)[0].kept);
}

TEST(PoStates, EachMessageGivesItsEntryAStateAndANote) {
    using O = PoOutcome;
    const std::string source = "Yes";
    const std::optional<EntryRecord> none;
    const auto was = [&](EntryState state, std::string note = {}) {
        return std::optional(recordFor(state, source, std::move(note)));
    };
    const auto said = [](PoOutcome outcome, bool holds, bool fuzzy, bool reviewed,
                         std::string note) {
        return ImportedMessage{outcome, holds, fuzzy, reviewed, std::move(note)};
    };
    const struct {
        const char* what;
        std::optional<EntryRecord> record;
        std::string target; // after the import
        ImportedMessage message;
        bool withProject;
        EntryState state;
        std::string note;
    } cases[] = {
        {"taken", none, "Oui", said(O::Changed, true, false, false, "New note"), true, Translated,
         "New note"},
        {"fuzzy cleared in a PO editor", was(NeedsReview, "n"), "Oui",
         said(O::Unchanged, true, false, false, "n"), true, Translated, "n"},
        {"reviewed, said by the message", was(Translated), "Oui",
         said(O::Unchanged, true, false, true, ""), true, Reviewed, ""},
        // msgmerge drops "#." comments: the project's word holds while the text is the same.
        {"reviewed, said by the project", was(Reviewed), "Oui",
         said(O::Unchanged, true, false, false, ""), true, Reviewed, ""},
        {"reviewed, but the text changed", was(Reviewed), "Ouais",
         said(O::Changed, true, false, true, ""), true, Translated, ""},
        {"kept as its source", none, "Yes", said(O::Unchanged, true, false, false, ""), true,
         Translated, ""},
        {"fuzzy taken", was(Reviewed), "Oui", said(O::Changed, true, true, false, ""), true,
         NeedsReview, ""},
        {"fuzzy not taken, the entry's text", was(Translated), "Oui",
         said(O::FuzzySkipped, true, true, false, ""), true, NeedsReview, ""},
        // A memory's suggestion or a merge's guess: not the entry's text, whose state stays.
        {"fuzzy not taken, another text", was(Reviewed, "old"), "Oui",
         said(O::FuzzySkipped, false, true, false, "new"), true, Reviewed, "new"},
        {"export's own fuzzy mark", was(Translated), "Oui\r\n",
         said(O::FuzzySkipped, true, false, false, ""), true, Translated, ""},
        {"emptied msgstr of a text kept as its source", was(Translated, "n"), "Yes",
         said(O::Untranslated, false, false, false, "n"), true, Untranslated, "n"},
        {"empty msgstr of a translated entry", was(Reviewed), "Oui",
         said(O::Untranslated, false, false, false, ""), true, Reviewed, ""},
        {"a comment removed", was(Untranslated, "gone"), "",
         said(O::Untranslated, false, false, false, ""), true, Untranslated, ""},
        {"a comment added", none, "", said(O::Untranslated, false, false, false, "Hi"), true,
         Untranslated, "Hi"},
        // A catalogue of no project says nothing of notes, nor of entries it did not change.
        {"no project: taken", was(Reviewed, "kept"), "Ouais",
         said(O::Changed, true, false, false, ""), false, Translated, "kept"},
        {"no project: fuzzy taken", none, "Ouais", said(O::Changed, true, true, false, ""), false,
         NeedsReview, ""},
        {"no project: unchanged", was(Reviewed, "kept"), "Oui",
         said(O::Unchanged, true, false, false, ""), false, Reviewed, "kept"},
        {"no project: empty msgstr", was(Translated), "Yes",
         said(O::Untranslated, false, false, false, ""), false, Translated, ""},
    };
    for (const auto& c : cases) {
        const std::optional<EntryRecord> after = ImportedRecord(
            c.record ? &*c.record : nullptr, source, c.target, c.message, c.withProject);
        EXPECT_EQ(StateOf(source, c.target, after ? &*after : nullptr), c.state) << c.what;
        EXPECT_EQ(after ? after->note : "", c.note) << c.what;
        if (after && c.state != (c.record ? c.record->state : Untranslated)) {
            EXPECT_EQ(after->sourceHash, HashSource(source)) << c.what;
        }
        // A record that says no more than the texts is not kept.
        if (c.state == Untranslated && c.note.empty()) {
            EXPECT_FALSE(after) << c.what;
        }
    }
    // A record given for an older source is given the current one with its new state.
    const EntryRecord stale = recordFor(Reviewed, "Yeah");
    const auto taken =
        ImportedRecord(&stale, source, "Oui", said(O::Unchanged, true, false, false, ""), true);
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->state, Translated);
    EXPECT_EQ(taken->sourceHash, HashSource(source));
}

TEST(PoStates, AMessageSaysItsNoteWithoutExportsOwnLines) {
    const struct {
        std::string comments, extracted;
        bool fuzzy, bySomeone, reviewed;
        std::string note;
    } cases[] = {
        {"A note\n\n  indented\n", "reviewed\ntype 1: Normal\n", false, false, true,
         "A note\n\n  indented"},
        {"Marked fuzzy on export: the translation ends with a line break.\nMine\n", "", true, false,
         false, "Mine"},
        {"From the translation memory: FR_000.DIA, entry 7.\n", "type 1: Normal\n", true, true,
         false, ""},
        {"", "not reviewed\n", true, true, false, ""},
    };
    for (const auto& c : cases) {
        PoEntry entry;
        entry.comments = c.comments;
        entry.extractedComments = c.extracted;
        entry.fuzzy = c.fuzzy;
        EXPECT_EQ(PoNoteOf(entry), c.note) << c.comments;
        EXPECT_EQ(PoFuzzyBySomeone(entry), c.bySomeone) << c.comments;
        EXPECT_EQ(PoSaysReviewed(entry), c.reviewed) << c.comments;
    }
}

} // namespace
} // namespace zyn
