#pragma once

// The glossary's terms found in a text, and the terms a translation lacks. A term matches
// whole words only, by the word edges of base/words.h: "cat" is not found in "catalog" nor in
// "cat2", but is in "cat's" and "(cat)". A term of several words matches them with the same
// marks between them, any blanks (a line break too) where it has blanks. Case is folded unless
// the term is case-sensitive. Inflections are not matched: "Captain" is not found in
// "Captains".
//
// Terms are indexed by their first word, so a lookup costs a few probes per word of the text
// whatever the size of the glossary.

#include "project/glossary.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zyn {

struct TermHit {
    std::size_t term = 0;  // in the glossary's terms
    std::size_t start = 0; // in characters of the text
    std::size_t length = 0;
};

class TermIndex {
public:
    explicit TermIndex(const std::vector<GlossaryTerm>& terms);

    // Every place a term's source stands in text, by start and the longer term first.
    std::vector<TermHit> find(std::u32string_view text) const;
    // The terms found in source whose translation is not in translation: its target term, or
    // for a do-not-translate term the source term itself. Each term once, in glossary order.
    std::vector<std::size_t> missing(std::u32string_view source,
                                     std::u32string_view translation) const;

    // The pieces of a term or a text: runs of word characters, and every other character but
    // a blank alone. Public for the pattern of one term matched outside an index.
    struct Piece {
        std::size_t start = 0, length = 0;
        bool blankBefore = false;
    };
    struct Pattern {
        std::u32string text, folded;
        std::vector<Piece> pieces;
        bool caseSensitive = false;
    };

private:
    std::vector<Pattern> sources_, targets_;
    std::vector<bool> doNotTranslate_;
    std::unordered_map<std::u32string, std::vector<std::size_t>> byFirstPiece_;
};

// Whether term stands in text as the glossary matches it.
bool ContainsTerm(std::u32string_view text, std::u32string_view term, bool caseSensitive);

} // namespace zyn
