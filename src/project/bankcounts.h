#pragma once

// The numbers of the project window and `zyntext status`: per bank pair, how many entries are
// in each state and how many words are left to do, and their totals over the banks.

#include "base/words.h"
#include "project/statetally.h"
#include "project/translationproject.h"

#include <optional>
#include <string>
#include <vector>

namespace zyn {

struct BankCounts {
    std::string bank; // the target bank's name; "" for the totals
    int entries = 0;
    // Words of the source of the entries still to do (untranslated and needs review): words
    // and numbers as base/words.h cuts them.
    long long wordsToDo = 0;
    long long words = 0; // of every entry's source
    StateTally states;
    // Columns filled by the checks that own them; nothing until they have run.
    std::optional<int> doesNotFit, spelling, checkFindings;
    // Entries lacking a glossary term, and entries named by a consistency finding
    // (languagechecks.h).
    std::optional<int> glossary, consistency;

    int count(EntryState state) const { return states.count(state); }
    // The share of the words done, in whole percent, rounded down: 100 only when no word is
    // left to do.
    int progress() const;
};

// One bank: the entries of the longer of the two documents, a missing text read as empty.
// classes tells which codes of the source's character set make words.
BankCounts CountBank(const std::string& bank, const std::vector<std::string>& source,
                     const std::vector<std::string>& target, const BankRecords* records,
                     const CodeClasses& classes);

// The sum of rows; a check column is summed over the rows that have it, and stays empty when
// none does.
BankCounts TotalCounts(const std::vector<BankCounts>& rows);

// Moving through a language bank by bank, rows in the order the project window shows them.
// Whether a bank has entries left to do: untranslated or needing review.
bool HasWork(const BankCounts& row);
// The first row after current with work, past the last going on from the first; -1 when no
// row but current has work. current -1 (no row) starts at the first.
int NextBankWithWork(const std::vector<BankCounts>& rows, int current);
// The row before or after current, -1 past either end; from no row, the first or the last.
int NeighbourBank(int rows, int current, bool forward);

} // namespace zyn
