#pragma once

// A bank pair's row as the project window and `zyntext status` show it: the counts by state and
// words (bankcounts) and the columns of the checks, worked out here once so that both show the
// same numbers. The dictionary, which the core does not link, comes in as a function.

#include "base/textfit.h"
#include "characters/charactersets.h"
#include "document/textdocument.h"
#include "project/bankcounts.h"
#include "project/termmatch.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zyn {

// The fit rule over game codes: an entry as the display font draws it, in the letters its codes
// show there (DisplayLetters).
struct EntryFit {
    const TextFit& rule;
    const LetterTable& letters;

    int linesOf(std::string_view codes) const;
    bool fits(std::string_view codes) const { return linesOf(codes) <= rule.linesShown(); }
};

// Whether a translation holds a word the dictionary does not know, the words its source has as
// they stand (names) excepted.
using MisspelledTest = std::function<bool(std::string_view target, std::string_view source)>;

// What fills the check columns; a column stays empty without its check.
struct BankChecks {
    const EntryFit* fit = nullptr; // does not fit
    MisspelledTest misspelled;     // spelling: the entries with unknown words
    bool findings = true;          // check findings: CheckTranslation's, without options
    // glossary: the entries lacking a term, texts read in these letters
    const TermIndex* terms = nullptr;
    const LetterTable* letters = nullptr;
};

// The entries' texts of a document, as codes.
std::vector<std::string> EntryTexts(const TextDocument& doc);

// The row of a bank: its target name, the source and target documents, the project's records
// of the bank (nullptr: states derived from the texts), and the word classes of the source's
// codes.
BankCounts BankStatus(const std::string& bank, const TextDocument& source,
                      const TextDocument& target, const BankRecords* records,
                      const CodeClasses& classes, const BankChecks& checks);

} // namespace zyn
