#include "document/translationmemory.h"

#include "base/words.h"
#include "document/untranslated.h"

#include <algorithm>
#include <unordered_set>

namespace zyn {

namespace {

// The memory does not know the character set of its texts, so it reads their codes as a set
// whose codes from 128 up are letters. Words and numbers are compared with A to Z folded; a
// mark (punctuation, a control code) is a token of its own, for it changes a text as much.
template <typename Take> void forEachWord(const std::string& text, Take take) {
    std::string word;
    for (const Token& token : SplitTokens(ClassesOfCodes(text, UnknownSetCodeClasses()))) {
        word.assign(text, token.start, token.length);
        if (token.kind != TokenKind::Mark)
            for (char& c : word)
                if (c >= 'A' && c <= 'Z')
                    c = static_cast<char>(c - 'A' + 'a');
        take(word);
    }
}

} // namespace

std::vector<std::string> LikenessTokens(const std::string& text) {
    std::vector<std::string> tokens;
    forEachWord(text, [&](const std::string& token) { tokens.push_back(token); });
    return tokens;
}

namespace {

// Each word id of words once, with how often it stands there.
template <typename Take> void forEachDistinct(std::vector<int> words, Take take) {
    std::sort(words.begin(), words.end());
    for (auto it = words.begin(); it != words.end();) {
        const auto next = std::upper_bound(it, words.end(), *it);
        take(*it, static_cast<int>(next - it));
        it = next;
    }
}

// Words inserted, removed or changed to turn a into b.
int editDistance(const std::vector<int>& a, const std::vector<int>& b) {
    std::vector<int> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = static_cast<int>(j);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = static_cast<int>(i);
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const int above = row[j];
            row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

int likenessOf(const std::vector<int>& a, const std::vector<int>& b) {
    const auto longer = static_cast<int>(std::max(a.size(), b.size()));
    if (longer == 0)
        return 99;
    const int distance = editDistance(a, b);
    return std::min(99, 100 * (longer - distance) / longer);
}

} // namespace

int Likeness(const std::string& a, const std::string& b) {
    if (a == b)
        return 100;
    std::unordered_map<std::string, int> ids;
    const auto words = [&](const std::string& text) {
        std::vector<int> out;
        forEachWord(text, [&](const std::string& word) {
            out.push_back(ids.emplace(word, static_cast<int>(ids.size())).first->second);
        });
        return out;
    };
    const std::vector<int> first = words(a);
    return likenessOf(first, words(b));
}

int TranslationMemory::wordId(const std::string& word) {
    const auto [found, added] = wordIds_.emplace(word, static_cast<int>(postings_.size()));
    if (added)
        postings_.emplace_back();
    return found->second;
}

std::vector<int> TranslationMemory::wordIds(const std::string& text) const {
    // A word the memory does not hold gets an id of its own below 0: it matches only itself.
    std::unordered_map<std::string, int> unknown;
    std::vector<int> ids;
    forEachWord(text, [&](const std::string& word) {
        if (const auto found = wordIds_.find(word); found != wordIds_.end())
            ids.push_back(found->second);
        else
            ids.push_back(
                unknown.emplace(word, -1 - static_cast<int>(unknown.size())).first->second);
    });
    return ids;
}

void TranslationMemory::add(const std::string& source, const std::string& translation,
                            MemoryPlace where) {
    if (source.empty() || IsUntranslatedText(source, translation))
        return;
    const auto [found, added] = sourceIds_.emplace(source, static_cast<int>(sources_.size()));
    if (added) {
        Source& entry = sources_.emplace_back();
        forEachWord(source, [&](const std::string& word) { entry.words.push_back(wordId(word)); });
        forEachDistinct(entry.words, [&](int word, int count) {
            postings_[static_cast<std::size_t>(word)].push_back({found->second, count});
        });
    }
    std::vector<Suggestion>& translations =
        sources_[static_cast<std::size_t>(found->second)].translations;
    ++pairs_;
    if (std::none_of(translations.begin(), translations.end(),
                     [&](const Suggestion& s) { return s.text == translation; }))
        translations.push_back({translation, 100, std::move(where)});
}

void TranslationMemory::addDocuments(const TextDocument& source, const TextDocument& target,
                                     const std::string& bank) {
    const int entries = std::min(source.entryCount(), target.entryCount());
    for (int i = 0; i < entries; ++i)
        add(source.EntryText[static_cast<std::size_t>(i)],
            target.EntryText[static_cast<std::size_t>(i)], {bank, i});
}

std::vector<Suggestion> TranslationMemory::exact(const std::string& source) const {
    const auto found = sourceIds_.find(source);
    if (found == sourceIds_.end())
        return {};
    return sources_[static_cast<std::size_t>(found->second)].translations;
}

std::vector<Suggestion> TranslationMemory::Lookup(const std::string& source,
                                                  std::size_t limit) const {
    std::vector<Suggestion> out;
    std::unordered_set<std::string> offered;
    const auto offer = [&](const Suggestion& suggestion, int likeness) {
        if (out.size() < limit && offered.insert(suggestion.text).second)
            out.push_back({suggestion.text, likeness, suggestion.where});
    };
    for (const Suggestion& suggestion : exact(source))
        offer(suggestion, 100);
    if (out.size() >= limit || source.empty())
        return out;

    // Words shared with each source, counted through the index: a source whose shared words
    // cannot reach the least likeness needs no distance worked out.
    const std::vector<int> words = wordIds(source);
    std::vector<int> shared(sources_.size());
    std::vector<int> touched;
    forEachDistinct(words, [&](int word, int count) {
        if (word < 0) // a word the memory does not hold
            return;
        for (const Posting& posting : postings_[static_cast<std::size_t>(word)]) {
            int& n = shared[static_cast<std::size_t>(posting.source)];
            if (n == 0)
                touched.push_back(posting.source);
            n += std::min(count, posting.count);
        }
    });
    const auto exactId = sourceIds_.find(source);
    struct Match {
        int likeness;
        int source;
    };
    std::vector<Match> matches;
    for (const int id : touched) {
        if (exactId != sourceIds_.end() && exactId->second == id)
            continue;
        const Source& candidate = sources_[static_cast<std::size_t>(id)];
        const auto longer = static_cast<int>(std::max(words.size(), candidate.words.size()));
        if (shared[static_cast<std::size_t>(id)] * 100 < LeastLikeness * longer)
            continue;
        const int likeness = likenessOf(words, candidate.words);
        if (likeness >= LeastLikeness)
            matches.push_back({likeness, id});
    }
    std::sort(matches.begin(), matches.end(), [](const Match& a, const Match& b) {
        return a.likeness != b.likeness ? a.likeness > b.likeness : a.source < b.source;
    });
    for (const Match& match : matches)
        for (const Suggestion& suggestion :
             sources_[static_cast<std::size_t>(match.source)].translations)
            offer(suggestion, match.likeness);
    return out;
}

std::vector<std::string_view> TranslationMemory::sources() const {
    std::vector<std::string_view> texts;
    texts.reserve(sourceIds_.size());
    for (const auto& [text, id] : sourceIds_)
        texts.push_back(text);
    return texts;
}

} // namespace zyn
