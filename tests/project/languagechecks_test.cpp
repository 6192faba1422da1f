// The checks of a whole language as the project window counts them per bank: the glossary's
// terms a translated entry lacks, and the entries a consistency finding names.

#include "characters/utf8.h"
#include "project/bankcounts.h"
#include "project/languagechecks.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

std::vector<std::u32string> letters(const std::vector<std::string>& texts) {
    std::vector<std::u32string> out;
    for (const std::string& text : texts)
        out.push_back(DecodeUtf8(text));
    return out;
}

TEST(LanguageChecks, MissingTermsOfTranslatedEntriesOnly) {
    const std::vector<GlossaryTerm> terms{{"the Captain", "le Capitaine", "", false, false},
                                          {"Vornak", "", "", true, true},
                                          {"ring", "anneau", "", false, false}};
    const TermIndex index(terms);
    const std::vector<std::string> source{"Ask the Captain.", "Vornak and the ring", "the Captain",
                                          "the Ring", "Vornak"};
    const std::vector<std::string> target{"Demande au Commandant.", "vornak et l'anneau",
                                          "the Captain", "l'Anneau", "Vornak"};
    // Entry 2 (from 0: "the Captain" kept as its source) is untranslated by its texts alone;
    // case is folded for "ring".
    EXPECT_EQ(
        FindMissingTerms(index, letters(source), letters(target), source, target, nullptr).size(),
        2u);
    const BankRecords kept{{2, {EntryState::Translated, "", HashSource("the Captain")}}};
    const std::vector<MissingTerms> found =
        FindMissingTerms(index, letters(source), letters(target), source, target, &kept);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].entry, 0);
    EXPECT_EQ(found[0].terms, std::vector<std::size_t>{0});
    // The case-sensitive name written in lower case is missing; "ring" is there as "anneau".
    EXPECT_EQ(found[1].entry, 1);
    EXPECT_EQ(found[1].terms, std::vector<std::size_t>{1});
    EXPECT_EQ(found[2].entry, 2);
    EXPECT_EQ(found[2].terms, std::vector<std::size_t>{0});
}

TEST(LanguageChecks, ConsistencyCountsEachEntryOfABankOnce) {
    std::vector<ConsistencyEntry> entries;
    // "Yes" kept as its source is untranslated unless the project says it was kept so.
    const BankRecords kept{{2, {EntryState::Translated, "", HashSource("Yes")}}};
    AddTranslatedEntries("FR_001.DIA", {"Yes", "Yes", "Yes", "No"}, {"Oui", "Ouais", "Yes"}, &kept,
                         entries);
    AddTranslatedEntries("FR_002.DIA", {"Yeah", "Yes"}, {"Oui", "Yes"}, nullptr, entries);
    ASSERT_EQ(entries.size(), 4u);
    const std::vector<ConsistencyFinding> findings = FindInconsistencies(entries);
    // "Yes" three ways, and "Oui" for "Yes" and "Yeah": FR_001.DIA entry 0 is in both.
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(ConsistencyCountsByBank(findings),
              (std::map<std::string, int>{{"FR_001.DIA", 3}, {"FR_002.DIA", 1}}));

    BankCounts first, second;
    first.glossary = 2;
    first.consistency = 3;
    second.consistency = 1;
    const BankCounts total = TotalCounts({first, second});
    EXPECT_EQ(total.glossary, 2);
    EXPECT_EQ(total.consistency, 4);
    EXPECT_FALSE(TotalCounts({BankCounts{}}).glossary);
}

} // namespace
} // namespace zyn
