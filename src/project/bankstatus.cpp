#include "project/bankstatus.h"

#include "document/translationcheck.h"
#include "project/languagechecks.h"

#include <vector>

namespace zyn {

namespace {

std::vector<std::u32string> lettersOf(const LetterTable& letters, const TextDocument& doc) {
    std::vector<std::u32string> texts;
    for (int i = 0; i < doc.entryCount(); ++i)
        texts.push_back(ToLetters(letters, doc.EntryText[std::size_t(i)]));
    return texts;
}

} // namespace

std::vector<std::string> EntryTexts(const TextDocument& doc) {
    return {doc.EntryText.begin(), doc.EntryText.begin() + doc.entryCount()};
}

int EntryFit::linesOf(std::string_view codes) const {
    return rule.linesOf(ToLetters(letters, codes));
}

BankCounts BankStatus(const std::string& bank, const TextDocument& source,
                      const TextDocument& target, const BankRecords* records,
                      const CodeClasses& classes, const BankChecks& checks) {
    BankCounts row = CountBank(bank, EntryTexts(source), EntryTexts(target), records, classes);
    if (checks.fit || checks.misspelled) {
        int cut = 0, misspelled = 0;
        static const std::string none;
        for (int i = 0; i < target.entryCount(); ++i) {
            const std::string& text = target.EntryText[std::size_t(i)];
            if (checks.fit && !checks.fit->fits(text))
                ++cut;
            if (checks.misspelled &&
                checks.misspelled(text, i < source.entryCount() ? source.EntryText[std::size_t(i)]
                                                                : none))
                ++misspelled;
        }
        if (checks.fit)
            row.doesNotFit = cut;
        if (checks.misspelled)
            row.spelling = misspelled;
    }
    if (checks.findings)
        row.checkFindings = static_cast<int>(CheckTranslation(target, source, {}).findings.size());
    if (checks.terms && checks.letters)
        row.glossary =
            static_cast<int>(FindMissingTerms(*checks.terms, lettersOf(*checks.letters, source),
                                              lettersOf(*checks.letters, target),
                                              EntryTexts(source), EntryTexts(target), records)
                                 .size());
    return row;
}

} // namespace zyn
