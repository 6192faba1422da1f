#pragma once

// The checks of a language that look past one entry's texts: the glossary's terms a
// translation lacks, and the texts translated in several ways across the banks. `zyntext check`
// lists their findings; the project window counts them per bank (BankCounts::glossary and
// ::consistency).

#include "project/consistency.h"
#include "project/termmatch.h"
#include "project/translationproject.h"

#include <map>
#include <string>
#include <vector>

namespace zyn {

// An entry whose translation lacks terms its source has.
struct MissingTerms {
    int entry = 0;                  // counted from 0
    std::vector<std::size_t> terms; // in the glossary's terms, in its order
};

// The entries of a bank whose translation lacks a term of its source, texts as letters; the
// untranslated ones (by the states, as codes decide them) are passed over, as they lack every
// term. sourceCodes and targetCodes are the same texts as codes, for the states.
std::vector<MissingTerms> FindMissingTerms(const TermIndex& index,
                                           const std::vector<std::u32string>& source,
                                           const std::vector<std::u32string>& target,
                                           const std::vector<std::string>& sourceCodes,
                                           const std::vector<std::string>& targetCodes,
                                           const BankRecords* records);

// The translated entries of a bank (codes) for FindInconsistencies, named bank.
void AddTranslatedEntries(const std::string& bank, const std::vector<std::string>& source,
                          const std::vector<std::string>& target, const BankRecords* records,
                          std::vector<ConsistencyEntry>& entries);

// For each bank the findings name, how many of its entries they name, each entry once.
std::map<std::string, int> ConsistencyCountsByBank(const std::vector<ConsistencyFinding>& findings);

// A bank of an archive as the consistency findings of a language name it: its item's number.
std::string ConsistencyBank(int item);
// The project window's consistency column: for each item of entries (banks named by
// ConsistencyBank), how many of its entries the findings over them all name; an item without
// any is left out.
std::map<int, int> ConsistencyCountsByItem(const std::vector<ConsistencyEntry>& entries);

} // namespace zyn
