#include "document/textsearch.h"

namespace zyn {

namespace {

std::uint8_t byteAt(std::string_view text, std::size_t i) {
    return static_cast<std::uint8_t>(text[i]);
}

bool matchesAt(std::string_view text, std::string_view needle, const SearchOptions& options,
               const SearchLetters& letters, std::size_t at) {
    for (std::size_t k = 0; k < needle.size(); ++k) {
        const std::uint8_t a = byteAt(text, at + k);
        const std::uint8_t b = byteAt(needle, k);
        if (options.matchCase ? a != b : letters.folded[a] != letters.folded[b])
            return false;
    }
    if (!options.wholeWords)
        return true;
    const std::size_t end = at + needle.size();
    const auto inWord = [&](std::size_t i) {
        return IsWordCharacter(letters.classes[byteAt(text, i)]);
    };
    return (at == 0 || !inWord(at - 1)) && (end == text.size() || !inWord(end));
}

} // namespace

std::size_t FindText(std::string_view text, std::string_view needle, const SearchOptions& options,
                     const SearchLetters& letters, std::size_t from) {
    if (needle.empty() || needle.size() > text.size())
        return std::string_view::npos;
    for (std::size_t at = from; at + needle.size() <= text.size(); ++at)
        if (matchesAt(text, needle, options, letters, at))
            return at;
    return std::string_view::npos;
}

std::string ReplaceText(std::string_view text, std::string_view needle,
                        std::string_view replacement, const SearchOptions& options,
                        const SearchLetters& letters, int& count) {
    count = 0;
    std::string result;
    std::size_t done = 0;
    for (std::size_t at = FindText(text, needle, options, letters); at != std::string_view::npos;
         at = FindText(text, needle, options, letters, at + needle.size())) {
        result.append(text.substr(done, at - done));
        result.append(replacement);
        done = at + needle.size();
        ++count;
    }
    result.append(text.substr(done));
    return result;
}

int NextMatchingEntry(int count, int current, bool forward,
                      const std::function<bool(int)>& matches) {
    if (count <= 0)
        return -1;
    if (current < 0 || current >= count)
        current = forward ? count - 1 : 0;
    for (int step = 1; step <= count; ++step) {
        const int i = ((forward ? current + step : current - step) % count + count) % count;
        if (matches(i))
            return i;
    }
    return -1;
}

} // namespace zyn
