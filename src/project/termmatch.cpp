#include "project/termmatch.h"

#include "base/words.h"
#include "characters/utf8.h"
#include "characters/wordletters.h"

#include <algorithm>

namespace zyn {

using Piece = TermIndex::Piece;
using Pattern = TermIndex::Pattern;

namespace {

std::vector<Piece> piecesOf(std::u32string_view text) {
    std::vector<Piece> pieces;
    bool blank = false;
    for (std::size_t i = 0; i < text.size();) {
        const CharClass c = ClassOf(text[i]);
        if (c == CharClass::Blank) {
            blank = true;
            ++i;
            continue;
        }
        const std::size_t start = i++;
        if (IsWordCharacter(c))
            while (i < text.size() && IsWordCharacter(ClassOf(text[i])))
                ++i;
        pieces.push_back({start, i - start, blank && !pieces.empty()});
        blank = false;
    }
    return pieces;
}

Pattern patternOf(std::u32string_view text, bool caseSensitive) {
    Pattern pattern{std::u32string(text), FoldCase(text), piecesOf(text), caseSensitive};
    return pattern;
}

// The text a lookup compares: its letters as they are and folded, and its pieces.
struct Subject {
    std::u32string_view text;
    std::u32string folded;
    std::vector<Piece> pieces;

    explicit Subject(std::u32string_view t) : text(t), folded(FoldCase(t)), pieces(piecesOf(t)) {}

    std::u32string_view piece(std::size_t i, bool caseSensitive) const {
        const std::u32string_view from = caseSensitive ? text : std::u32string_view(folded);
        return from.substr(pieces[i].start, pieces[i].length);
    }
};

// Whether pattern matches subject's pieces from first on.
bool matchesAt(const Subject& subject, std::size_t first, const Pattern& pattern) {
    if (pattern.pieces.empty() || first + pattern.pieces.size() > subject.pieces.size())
        return false;
    const std::u32string_view from =
        pattern.caseSensitive ? std::u32string_view(pattern.text) : pattern.folded;
    for (std::size_t k = 0; k < pattern.pieces.size(); ++k) {
        const Piece& want = pattern.pieces[k];
        if (k > 0 && subject.pieces[first + k].blankBefore != want.blankBefore)
            return false;
        if (subject.piece(first + k, pattern.caseSensitive) != from.substr(want.start, want.length))
            return false;
    }
    return true;
}

bool contains(const Subject& subject, const Pattern& pattern) {
    for (std::size_t i = 0; i < subject.pieces.size(); ++i)
        if (matchesAt(subject, i, pattern))
            return true;
    return false;
}

} // namespace

TermIndex::TermIndex(const std::vector<GlossaryTerm>& terms) {
    for (std::size_t i = 0; i < terms.size(); ++i) {
        const GlossaryTerm& term = terms[i];
        sources_.push_back(patternOf(DecodeUtf8(term.source), term.caseSensitive));
        targets_.push_back(patternOf(DecodeUtf8(term.target), term.caseSensitive));
        doNotTranslate_.push_back(term.doNotTranslate);
        const Pattern& source = sources_.back();
        if (!source.pieces.empty()) {
            const Piece& first = source.pieces.front();
            byFirstPiece_[source.folded.substr(first.start, first.length)].push_back(i);
        }
    }
}

std::vector<TermHit> TermIndex::find(std::u32string_view text) const {
    const Subject subject(text);
    std::vector<TermHit> hits;
    std::u32string key;
    for (std::size_t i = 0; i < subject.pieces.size(); ++i) {
        key.assign(subject.piece(i, false));
        const auto found = byFirstPiece_.find(key);
        if (found == byFirstPiece_.end())
            continue;
        for (const std::size_t term : found->second) {
            const Pattern& pattern = sources_[term];
            if (!matchesAt(subject, i, pattern))
                continue;
            const Piece& last = subject.pieces[i + pattern.pieces.size() - 1];
            const std::size_t start = subject.pieces[i].start;
            hits.push_back({term, start, last.start + last.length - start});
        }
    }
    std::stable_sort(hits.begin(), hits.end(), [](const TermHit& a, const TermHit& b) {
        return a.start != b.start ? a.start < b.start : a.length > b.length;
    });
    return hits;
}

std::vector<std::size_t> TermIndex::missing(std::u32string_view source,
                                            std::u32string_view translation) const {
    std::vector<std::size_t> terms;
    for (const TermHit& hit : find(source))
        terms.push_back(hit.term);
    std::sort(terms.begin(), terms.end());
    terms.erase(std::unique(terms.begin(), terms.end()), terms.end());
    if (terms.empty())
        return terms;
    const Subject subject(translation);
    std::erase_if(terms, [&](std::size_t term) {
        const Pattern& wanted = doNotTranslate_[term] ? sources_[term] : targets_[term];
        // A term without a translation has nothing to look for.
        return wanted.pieces.empty() || contains(subject, wanted);
    });
    return terms;
}

bool ContainsTerm(std::u32string_view text, std::u32string_view term, bool caseSensitive) {
    return contains(Subject(text), patternOf(term, caseSensitive));
}

} // namespace zyn
