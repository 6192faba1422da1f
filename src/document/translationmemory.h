#pragma once

// Translations already made, offered again for texts like theirs: pairs of a source text and
// its translation, each with the bank and entry it came from. Texts are compared as the bytes
// the documents hold (both sides in one character set), token by token: the words and numbers
// of base/words.h (every byte from 128 up read as a letter), A to Z folded to a to z, and every
// mark (punctuation, a control code) a token of its own.

#include "document/textdocument.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zyn {

// Where a translation was found: the bank ("FR_000.DIA", "other.hqr FR_000.DIA", "fr.po") and
// the entry counted from 0, -1 when the source names none.
struct MemoryPlace {
    std::string bank;
    int entry = -1;
};

struct Suggestion {
    std::string text;
    int likeness = 0; // 100 only for the same source text, byte for byte
    MemoryPlace where;
};

// Similar texts are offered from this likeness up.
constexpr int LeastLikeness = 70;
constexpr std::size_t MostSuggestions = 5;

// How alike two texts are, 0 to 100: 100 * (1 - d / n), d the words inserted, removed or
// changed to turn one into the other and n the words of the longer, rounded down; 99 at most
// for texts that differ only in case or spacing, so that 100 means the same text.
int Likeness(const std::string& a, const std::string& b);
// The tokens of a text that likeness compares, in order.
std::vector<std::string> LikenessTokens(const std::string& text);

class TranslationMemory {
public:
    // A pair is kept unless either text is empty or the translation is the source itself (an
    // entry not translated yet).
    void add(const std::string& source, const std::string& translation, MemoryPlace where);
    // Entry by entry, the texts of source against the same entries of target, as bank.
    void addDocuments(const TextDocument& source, const TextDocument& target,
                      const std::string& bank);

    // At most limit suggestions for source: the translations of that very text first, then
    // those of texts at least LeastLikeness alike, by likeness and then in the order they were
    // added; a translation already offered is not offered again.
    std::vector<Suggestion> Lookup(const std::string& source,
                                   std::size_t limit = MostSuggestions) const;
    // The distinct translations of exactly this source text, in the order they were added.
    std::vector<Suggestion> exact(const std::string& source) const;
    // Whether it holds a translation of exactly this source text.
    bool holds(const std::string& source) const { return sourceIds_.count(source) > 0; }

    std::size_t pairCount() const { return pairs_; }
    // Every source text it holds, in no particular order: where an old source may be found.
    std::vector<std::string_view> sources() const;

private:
    struct Source {
        std::vector<int> words;
        std::vector<Suggestion> translations; // distinct, in the order added
    };
    struct Posting {
        int source;
        int count; // how often the word stands in it
    };
    int wordId(const std::string& word);
    std::vector<int> wordIds(const std::string& text) const;

    std::vector<Source> sources_;
    std::unordered_map<std::string, int> sourceIds_;
    std::unordered_map<std::string, int> wordIds_;
    std::vector<std::vector<Posting>> postings_; // by word id
    std::size_t pairs_ = 0;
};

} // namespace zyn
