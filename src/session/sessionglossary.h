#pragma once

// The project's glossary where one entry is translated: the terms its source holds, each with
// whether the translation lacks it, for the string editor's list and marks.

#include "base/result.h"
#include "project/glossary.h"
#include "project/termmatch.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zyn {

class DocumentSession;
class ProjectSession;

struct EntryTerm {
    std::size_t term = 0; // in the glossary's terms
    // The translation lacks the term's target (the source term for do-not-translate).
    bool missing = false;
    std::vector<TermHit> places; // every place it stands in the source
};

// The terms found in source, each once, in the order each first stands there.
std::vector<EntryTerm> TermsOfEntry(const TermIndex& index, std::u32string_view source,
                                    std::u32string_view translation);

// The terms of entry's source (its reference text) against text, the entry's translation as
// codes (the string editor's box as it is now); none without a glossary or a reference.
std::vector<EntryTerm> EntryTermsOf(const DocumentSession& session, int entry,
                                    std::string_view text);

// What a term puts into a translation: its target, or for a do-not-translate term (and one
// without a target) its source.
const std::string& TermTranslation(const GlossaryTerm& term);

// The entries of the session's document whose translation lacks a glossary term of their
// source (its reference text), the untranslated ones passed over as they lack every term; none
// without a glossary.
std::optional<int> EntriesLackingTerms(const DocumentSession& session);

// How many of terms are missing.
int MissingCount(const std::vector<EntryTerm>& terms);

// The glossary with term added, written beside the project; on failure nothing changes.
Status AddGlossaryTerm(ProjectSession& project, GlossaryTerm term);

} // namespace zyn
