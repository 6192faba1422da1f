// The state rules every list and count shares, each step of the translator, and the counts of
// a bank built on them.

#include "project/bankcounts.h"
#include "project/entrystate.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

constexpr EntryState Untranslated = EntryState::Untranslated, NeedsReview = EntryState::NeedsReview,
                     Translated = EntryState::Translated, Reviewed = EntryState::Reviewed;

EntryRecord recordFor(EntryState state, std::string_view source, std::string note = {}) {
    return {state, std::move(note), HashSource(source)};
}

TEST(EntryState, TheTextsDecideWithoutARecordAndTheRecordWithOne) {
    const EntryRecord oldSource = recordFor(Reviewed, "Old text");
    const struct {
        const char* source;
        const char* target;
        std::optional<EntryRecord> record;
        EntryState state;
    } cases[] = {
        {"Options", "", std::nullopt, Untranslated},
        {"Options", "Options", std::nullopt, Untranslated},
        {"Options", "Optionen", std::nullopt, Translated},
        // Kept on purpose the same as the source.
        {"Options", "Options", recordFor(Translated, "Options"), Translated},
        {"Options", "Options", recordFor(Reviewed, "Options"), Reviewed},
        {"Yes", "Oui", recordFor(NeedsReview, "Yes"), NeedsReview},
        // A record kept for its note alone: the texts decide.
        {"Yes", "Oui", recordFor(Untranslated, "Yes", "note"), Translated},
        {"Yes", "Yes", recordFor(Untranslated, "Yes", "note"), Untranslated},
        // An emptied text is untranslated whatever the record says.
        {"Yes", "", recordFor(Reviewed, "Yes"), Untranslated},
        // The source changed since: needs review, also a text kept the same as the old source.
        {"New text", "Texte", oldSource, NeedsReview},
        {"New text", "Old text", recordFor(Translated, "Old text"), NeedsReview},
        {"New text", "Texte", recordFor(NeedsReview, "Old text"), NeedsReview},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StateOf(c.source, c.target, c.record ? &*c.record : nullptr), c.state)
            << c.source << " / " << c.target;
    EXPECT_TRUE(IsUntranslatedText("a", "a"));
    EXPECT_FALSE(IsUntranslatedText("a", "A"));
}

TEST(EntryState, EachStepGivesTheRecordItsStateAndTheCurrentSource) {
    const std::string source = "New text";
    const EntryRecord stale = recordFor(Reviewed, "Old text", "Keep me");
    const auto stateAfter = [&](const EntryRecord& record, const std::string& target) {
        EXPECT_EQ(record.sourceHash, HashSource(source));
        return StateOf(source, target, &record);
    };
    EXPECT_EQ(stateAfter(KeptAsTranslated(nullptr, source), source), Translated);
    const EntryRecord taken = KeptAsTranslated(&stale, source);
    EXPECT_EQ(stateAfter(taken, "Texte"), Translated);
    EXPECT_EQ(taken.note, "Keep me");
    EXPECT_EQ(stateAfter(PutFromMemory(&stale, source), "Texte"), NeedsReview);

    // Reviewed and back; a stale reviewed entry is needs review, so the key reviews it.
    const EntryRecord reviewed = ToggledReviewed(&taken, source, "Texte");
    EXPECT_EQ(stateAfter(reviewed, "Texte"), Reviewed);
    EXPECT_EQ(stateAfter(ToggledReviewed(&reviewed, source, "Texte"), "Texte"), Translated);
    EXPECT_EQ(stateAfter(ToggledReviewed(&stale, source, "Texte"), "Texte"), Reviewed);

    // Edited by hand: a reviewed text is translated again; an emptied one untranslated, and
    // its record kept only for a note.
    EXPECT_EQ(stateAfter(*AfterEdit(&reviewed, source, "Autre"), "Autre"), Translated);
    EXPECT_EQ(stateAfter(*AfterEdit(&taken, source, ""), ""), Untranslated);
    EXPECT_EQ(AfterEdit(&reviewed, source, "")->note, "Keep me");
    const EntryRecord plain = KeptAsTranslated(nullptr, source);
    EXPECT_FALSE(AfterEdit(&plain, source, ""));
    EXPECT_FALSE(AfterEdit(nullptr, source, "Autre"));

    const auto noted = WithNote(nullptr, source, source, "Say it twice");
    ASSERT_TRUE(noted);
    EXPECT_EQ(stateAfter(*noted, source), Untranslated);
    EXPECT_FALSE(WithNote(&*noted, source, source, ""));
    EXPECT_FALSE(WithNote(nullptr, source, "Texte", ""));
    EXPECT_EQ(WithNote(&taken, source, "Texte", "")->state, Translated);
}

TEST(EntryState, TheOldSourceIsFoundByItsHashAmongTextsAtHand) {
    const EntryRecord stale = recordFor(Translated, "Old text");
    const std::vector<std::string_view> candidates{"New text", "Old text"};
    EXPECT_EQ(FindSourceByHash(stale.sourceHash, candidates), "Old text");
    EXPECT_FALSE(FindSourceByHash(stale.sourceHash, {"New text"}));
}

TEST(BankCounts, CountsEntriesByStateAndTheWordsLeftToDo) {
    const std::vector<std::string> source{"Open the door.", "Options", "Take 3 keys.", "Yes", "No",
                                          "Gone now"};
    const std::vector<std::string> target{"Ouvre la porte.", "Options", "", "Oui", "Non"};
    BankRecords records;
    records[1] = recordFor(Translated, "Options");
    records[3] = recordFor(NeedsReview, "Yes");
    records[4] = recordFor(Reviewed, "No");
    const BankCounts counts =
        CountBank("FR_001.DIA", source, target, &records, UnknownSetCodeClasses());
    EXPECT_EQ(counts.entries, 6);
    EXPECT_EQ(counts.count(EntryState::Untranslated), 2);
    EXPECT_EQ(counts.count(EntryState::NeedsReview), 1);
    EXPECT_EQ(counts.count(EntryState::Translated), 2);
    EXPECT_EQ(counts.count(EntryState::Reviewed), 1);
    // "Take 3 keys." and "Gone now" untranslated, "Yes" to review.
    EXPECT_EQ(counts.wordsToDo, 3 + 2 + 1);
    EXPECT_EQ(counts.words, 3 + 1 + 3 + 1 + 1 + 2);
    EXPECT_EQ(counts.progress(), 45) << "5 of 11 words done, rounded down";
    EXPECT_EQ(BankCounts{}.progress(), 100) << "nothing to do";
    // Without the project, the kept "Options" and the states are gone.
    const BankCounts plain =
        CountBank("FR_001.DIA", source, target, nullptr, UnknownSetCodeClasses());
    EXPECT_EQ(plain.count(EntryState::Untranslated), 3);
    EXPECT_EQ(plain.count(EntryState::Translated), 3);
    EXPECT_EQ(plain.wordsToDo, 3 + 2 + 1);

    BankCounts checked = counts;
    checked.spelling = 4;
    const BankCounts total = TotalCounts({counts, checked, plain});
    EXPECT_EQ(total.entries, 18);
    EXPECT_EQ(total.count(EntryState::Untranslated), 7);
    EXPECT_EQ(total.wordsToDo, 18);
    EXPECT_EQ(total.words, 33);
    EXPECT_EQ(total.spelling, 4);
    EXPECT_FALSE(total.doesNotFit);
}

} // namespace
} // namespace zyn
