#include "characters/normalization.h"

#include "characters/normalizationtables.h"

#include <algorithm>

namespace zyn {

namespace {

// Hangul syllables are built from their letters by arithmetic (Unicode's chapter 3.12).
constexpr char32_t SyllableBase = 0xAC00, LeadBase = 0x1100, VowelBase = 0x1161, TrailBase = 0x11A7;
constexpr char32_t LeadCount = 19, VowelCount = 21, TrailCount = 28;
constexpr char32_t SyllableCount = LeadCount * VowelCount * TrailCount;

bool isSyllable(char32_t c) {
    return c >= SyllableBase && c < SyllableBase + SyllableCount;
}

// Below U+0300 nothing combines, decomposes into something that does, or composes.
constexpr char32_t FirstCombining = 0x0300;

void decomposeInto(char32_t c, std::u32string& out) {
    if (const auto parts = Decompose(c)) {
        decomposeInto(parts->first, out);
        if (parts->second != 0)
            decomposeInto(parts->second, out);
    } else {
        out.push_back(c);
    }
}

std::optional<char32_t> compose(char32_t first, char32_t second) {
    if (first >= LeadBase && first < LeadBase + LeadCount && second >= VowelBase &&
        second < VowelBase + VowelCount)
        return SyllableBase + ((first - LeadBase) * VowelCount + (second - VowelBase)) * TrailCount;
    if (isSyllable(first) && (first - SyllableBase) % TrailCount == 0 && second > TrailBase &&
        second < TrailBase + TrailCount)
        return first + (second - TrailBase);
    const auto table = CanonicalCompositions();
    const auto found = std::lower_bound(
        table.begin(), table.end(), std::pair{first, second},
        [](const CanonicalComposition& entry, const std::pair<char32_t, char32_t>& key) {
            return std::pair{entry.first, entry.second} < key;
        });
    if (found == table.end() || found->first != first || found->second != second)
        return std::nullopt;
    return found->composed;
}

} // namespace

std::uint8_t CombiningClass(char32_t c) {
    if (c < FirstCombining)
        return 0;
    const auto ranges = CombiningClassRanges();
    const auto found = std::upper_bound(
        ranges.begin(), ranges.end(), c,
        [](char32_t value, const CombiningClassRange& r) { return value < r.first; });
    if (found == ranges.begin())
        return 0;
    const CombiningClassRange& range = *(found - 1);
    return c <= range.last ? range.combiningClass : 0;
}

std::optional<Decomposition> Decompose(char32_t c) {
    if (isSyllable(c)) {
        const char32_t index = c - SyllableBase;
        if (const char32_t trail = index % TrailCount; trail != 0)
            return Decomposition{c - trail, TrailBase + trail};
        return Decomposition{LeadBase + index / (VowelCount * TrailCount),
                             VowelBase + (index % (VowelCount * TrailCount)) / TrailCount};
    }
    // U+00C0 is the first character that decomposes.
    if (c < 0xC0)
        return std::nullopt;
    const auto table = CanonicalDecompositions();
    const auto found = std::lower_bound(table.begin(), table.end(), c,
                                        [](const CanonicalDecomposition& entry, char32_t value) {
                                            return entry.character < value;
                                        });
    if (found == table.end() || found->character != c)
        return std::nullopt;
    return Decomposition{found->first, found->second};
}

std::u32string FullyDecomposed(char32_t c) {
    std::u32string out;
    decomposeInto(c, out);
    return out;
}

std::u32string ToNfd(std::u32string_view text) {
    std::u32string chars;
    chars.reserve(text.size());
    for (const char32_t c : text)
        decomposeInto(c, chars);
    // Each run of combining marks in the order of their classes, marks of one class as they
    // came.
    for (std::size_t i = 0; i < chars.size();) {
        if (CombiningClass(chars[i]) == 0) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < chars.size() && CombiningClass(chars[end]) != 0)
            ++end;
        std::stable_sort(
            chars.begin() + std::ptrdiff_t(i), chars.begin() + std::ptrdiff_t(end),
            [](char32_t a, char32_t b) { return CombiningClass(a) < CombiningClass(b); });
        i = end;
    }
    return chars;
}

std::u32string ToNfc(std::u32string_view text) {
    if (std::all_of(text.begin(), text.end(), [](char32_t c) { return c < FirstCombining; }))
        return std::u32string(text);
    std::u32string chars = ToNfd(text);
    // Each mark (or letter) joins the last starter unless a mark of the same or a higher class,
    // or a starter, stands between them.
    if (chars.empty())
        return chars;
    std::size_t starter = 0, kept = 1;
    int lastClass = CombiningClass(chars[0]) == 0 ? 0 : 256;
    for (std::size_t i = 1; i < chars.size(); ++i) {
        const char32_t c = chars[i];
        const int cls = CombiningClass(c);
        const auto composed = lastClass < 256 ? compose(chars[starter], c) : std::nullopt;
        if (composed && (lastClass < cls || lastClass == 0)) {
            chars[starter] = *composed;
            continue;
        }
        if (cls == 0) {
            starter = kept;
            lastClass = 0;
        } else {
            lastClass = cls;
        }
        chars[kept++] = c;
    }
    chars.resize(kept);
    return chars;
}

} // namespace zyn
