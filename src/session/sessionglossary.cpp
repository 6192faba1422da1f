#include "session/sessionglossary.h"

#include "characters/charactersets.h"
#include "session/documentsession.h"
#include "session/projectsession.h"

#include <algorithm>

namespace zyn {

std::vector<EntryTerm> TermsOfEntry(const TermIndex& index, std::u32string_view source,
                                    std::u32string_view translation) {
    std::vector<EntryTerm> terms;
    for (const TermHit& hit : index.find(source)) {
        auto known = std::find_if(terms.begin(), terms.end(),
                                  [&](const EntryTerm& t) { return t.term == hit.term; });
        if (known == terms.end())
            known = terms.insert(terms.end(), EntryTerm{hit.term, false, {}});
        known->places.push_back(hit);
    }
    for (const std::size_t missing : index.missing(source, translation))
        for (EntryTerm& term : terms)
            if (term.term == missing)
                term.missing = true;
    return terms;
}

std::vector<EntryTerm> EntryTermsOf(const DocumentSession& session, int entry,
                                    std::string_view text) {
    const TermIndex* index = session.project().terms();
    const std::string* source = session.referenceText(entry);
    if (!index || !source)
        return {};
    // The set's own letters, not the display font's: the glossary is written in letters.
    const LetterTable& letters = session.codec().characterSet().letters;
    return TermsOfEntry(*index, ToLetters(letters, *source), ToLetters(letters, text));
}

std::optional<int> EntriesLackingTerms(const DocumentSession& session) {
    const TermIndex* index = session.project().terms();
    if (!index)
        return std::nullopt;
    const LetterTable& letters = session.codec().characterSet().letters;
    int lacking = 0;
    for (int i = 0; i < session.entryCount(); ++i) {
        const std::string* source = session.referenceText(i);
        if (source && session.entryState(i) != EntryState::Untranslated &&
            !index
                 ->missing(ToLetters(letters, *source),
                           ToLetters(letters, session.document().EntryText[std::size_t(i)]))
                 .empty())
            ++lacking;
    }
    return lacking;
}

const std::string& TermTranslation(const GlossaryTerm& term) {
    return term.doNotTranslate || term.target.empty() ? term.source : term.target;
}

int MissingCount(const std::vector<EntryTerm>& terms) {
    return static_cast<int>(
        std::count_if(terms.begin(), terms.end(), [](const EntryTerm& t) { return t.missing; }));
}

Status AddGlossaryTerm(ProjectSession& project, GlossaryTerm term) {
    Glossary glossary = project.glossary();
    glossary.terms.push_back(std::move(term));
    return project.storeGlossary(std::move(glossary));
}

} // namespace zyn
