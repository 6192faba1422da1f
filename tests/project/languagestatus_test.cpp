// A whole language bank by bank: the rows of its banks as the project window and `zyntext
// status` show them, and the way from one bank to the next.

#include "archive/archiveflow.h"
#include "archive/itemnames.h"
#include "flows/archiveitemflow.h"
#include "project/languagestatus.h"
#include "project/projectfile.h"
#include "support/archivebuilder.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

BankCounts withWork(int untranslated, int needsReview) {
    BankCounts row;
    for (int i = 0; i < untranslated; ++i)
        row.states.add(EntryState::Untranslated);
    for (int i = 0; i < needsReview; ++i)
        row.states.add(EntryState::NeedsReview);
    row.states.add(EntryState::Translated);
    return row;
}

TEST(BankNavigation, TheNextBankWithWorkGoesOnPastTheLast) {
    // Banks 0 and 3 have entries to do; 1 and 2 none; 4 only entries to review.
    const std::vector<BankCounts> rows{withWork(2, 0), withWork(0, 0), withWork(0, 0),
                                       withWork(1, 0), withWork(0, 3)};
    struct Case {
        int current, next;
    } const cases[] = {{-1, 0}, {0, 3}, {1, 3}, {3, 4}, {4, 0}, {9, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(NextBankWithWork(rows, c.current), c.next) << "from " << c.current;
    // Only the open bank has work: there is nowhere to go.
    EXPECT_EQ(NextBankWithWork({withWork(0, 0), withWork(5, 0)}, 1), -1);
    EXPECT_EQ(NextBankWithWork({}, -1), -1);
}

TEST(BankNavigation, TheNeighbourStopsAtEitherEnd) {
    struct Case {
        int rows, current;
        bool forward;
        int next;
    } const cases[] = {{3, 0, true, 1},  {3, 2, true, -1},  {3, 0, false, -1}, {3, 2, false, 1},
                       {3, -1, true, 0}, {3, -1, false, 2}, {0, -1, true, -1}};
    for (const Case& c : cases)
        EXPECT_EQ(NeighbourBank(c.rows, c.current, c.forward), c.next)
            << c.current << (c.forward ? " forward" : " back");
}

// The French banks of an archive in item order, each against its English bank, with the
// project's states under the bank's name, the glossary's missing terms and, once every bank is
// read, the entries of each that a consistency finding names.
TEST(LanguageStatus, ARowPerBankAsItComes) {
    test::TempDir dir;
    const std::string path = dir.write(
        "text.hqr", test::BanksArchive({{1, {"Take the lamp.", "Yes", "The lamp is lit."}},
                                        {31, {"Prends la torche.", "Yes", ""}},
                                        {5, {"Yes", "The lamp is lit."}},
                                        {35, {"Oui", ""}},
                                        {33, {}}}));
    ArchiveIndex index;
    ASSERT_TRUE(ReadArchiveIndex(realFileSystem(), path, index).ok());
    ArchiveFlow names;
    NameTextArchiveItems(names, true, false);

    TranslationProject project;
    project.game = 2;
    project.targetLanguage = 1;
    project.banks[ProjectBankName(true, 31)][1] = {EntryState::Translated, "", HashSource("Yes")};
    const std::vector<GlossaryTerm> glossary{{"lamp", "lampe", "", false, false}};
    const TermIndex terms(glossary);
    BankChecks checks;
    checks.terms = &terms;
    checks.letters = &CharacterSets[WesternCharacterSetIndex].letters;

    std::vector<int> items;
    std::vector<BankCounts> rows;
    std::vector<ConsistencyEntry> translated;
    ASSERT_TRUE(ForEachBankStatus(
        realFileSystem(), path, index, names, true, 0, 1, &project, UnknownSetCodeClasses(), checks,
        [&](int item, BankCounts row) {
            items.push_back(item);
            rows.push_back(std::move(row));
            return true;
        },
        &translated));
    // Every odd FR item but the blank one.
    ASSERT_EQ(items.size(), 14u);
    EXPECT_EQ(items[0], 31);
    EXPECT_EQ(items[1], 35);
    EXPECT_EQ(rows[0].bank, ArchiveItemName(names, 31));
    EXPECT_EQ(rows[0].count(EntryState::Untranslated), 1) << "the empty third entry";
    EXPECT_EQ(rows[0].count(EntryState::Translated), 2)
        << "\"Yes\" kept as translated by the project";
    EXPECT_EQ(rows[0].glossary, 1) << "\"la torche\" lacks \"lampe\"";
    EXPECT_EQ(rows[1].glossary, 0);
    EXPECT_EQ(rows[0].checkFindings.has_value(), true);
    // "Yes" kept as "Yes" in 31 and translated "Oui" in 35; the untranslated entries of both
    // (the empty ones) are not compared.
    EXPECT_FALSE(rows[0].consistency) << "not known before every bank is read";
    SetConsistency(rows, items, translated);
    EXPECT_EQ(rows[0].consistency, 1);
    EXPECT_EQ(rows[1].consistency, 1);
    EXPECT_EQ(rows[2].consistency, 0);
    EXPECT_EQ(TotalCounts(rows).consistency, 2);

    // The walk stops when the taker says so.
    int taken = 0;
    EXPECT_TRUE(ForEachBankStatus(realFileSystem(), path, index, names, true, 0, 1, nullptr,
                                  UnknownSetCodeClasses(), {}, [&](int, BankCounts) {
                                      ++taken;
                                      return false;
                                  }));
    EXPECT_EQ(taken, 1);
}

} // namespace
} // namespace zyn
