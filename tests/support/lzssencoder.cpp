#include "support/lzssencoder.h"

#include "base/bytes.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace zyn::test {

namespace {

constexpr std::size_t Window = 4096;
constexpr std::size_t NoPosition = SIZE_MAX;

// A 15-bit hash of the three bytes at pos (two at the very end).
std::size_t hashAt(std::string_view data, std::size_t pos) {
    const std::uint32_t v = byteAt(data, pos) | (byteAt(data, pos + 1) << 8) |
                            (pos + 2 < data.size() ? byteAt(data, pos + 2) << 16 : 0);
    return (v * 2654435761u) >> 17;
}

} // namespace

std::string EncodeLzss(std::string_view data, int method) {
    const std::size_t minLength = method == 1 ? 2 : 3;
    const std::size_t maxLength = minLength + 15;
    std::string out;
    std::size_t flagPos = 0;
    unsigned tokens = 8;
    // Tokens are collected eight at a time behind their flag byte.
    const auto token = [&](bool literal) {
        if (tokens == 8) {
            flagPos = out.size();
            out.push_back('\0');
            tokens = 0;
        }
        if (literal)
            out[flagPos] = toChar(byteAt(out, flagPos) | (1u << tokens));
        ++tokens;
    };
    // Earlier positions by the hash of their first bytes, newest first.
    std::vector<std::size_t> head(std::size_t{1} << 15, NoPosition);
    std::vector<std::size_t> previous(data.size(), NoPosition);
    const auto insert = [&](std::size_t pos) {
        if (pos + 1 < data.size())
            previous[pos] = std::exchange(head[hashAt(data, pos)], pos);
    };

    for (std::size_t pos = 0; pos < data.size();) {
        std::size_t bestLength = 0;
        std::size_t bestDistance = 0;
        const std::size_t longest = std::min(maxLength, data.size() - pos);
        std::size_t candidate = longest >= minLength ? head[hashAt(data, pos)] : NoPosition;
        for (int chain = 0; chain < 64 && candidate != NoPosition && pos - candidate <= Window &&
                            bestLength < longest;
             ++chain, candidate = previous[candidate]) {
            // The match may run into the bytes being encoded: the decoder copies byte by byte,
            // so an overlapping match repeats them.
            std::size_t length = 0;
            while (length < longest && data[candidate + length] == data[pos + length])
                ++length;
            if (length > bestLength) {
                bestLength = length;
                bestDistance = pos - candidate;
            }
        }
        if (bestLength < minLength) {
            token(true);
            out.push_back(data[pos]);
            insert(pos++);
            continue;
        }
        token(false);
        appendU16(out,
                  static_cast<std::uint16_t>(((bestDistance - 1) << 4) | (bestLength - minLength)));
        for (const std::size_t end = pos + bestLength; pos < end;)
            insert(pos++);
    }
    return out;
}

std::string CompressedItem(std::string_view data, int mode) {
    const std::string packed = EncodeLzss(data, mode == 1 ? 1 : 2);
    std::string item;
    appendU32(item, static_cast<std::uint32_t>(data.size()));
    appendU32(item, static_cast<std::uint32_t>(packed.size()));
    appendU16(item, static_cast<std::uint16_t>(mode));
    return item + packed;
}

} // namespace zyn::test
