#include "support/lzssencoder.h"

#include "document/bytes.h"

#include <cstdint>
#include <vector>

namespace zyn::test {

namespace {

constexpr std::size_t Window = 4096;
constexpr std::size_t HashBits = 15;
constexpr int MaxChain = 64;
constexpr std::size_t NoPosition = SIZE_MAX;

std::size_t hashAt(std::string_view data, std::size_t pos) {
    const std::uint32_t v = byteAt(data, pos) | (byteAt(data, pos + 1) << 8) |
                            (pos + 2 < data.size() ? byteAt(data, pos + 2) << 16 : 0);
    return (v * 2654435761u) >> (32 - HashBits);
}

// Tokens are collected eight at a time behind their flag byte.
class TokenWriter {
public:
    explicit TokenWriter(std::string& out) : out_(out) {}
    void literal(char byte) {
        start();
        out_[flagPos_] = toChar(byteAt(out_, flagPos_) | (1u << count_));
        out_.push_back(byte);
        ++count_;
    }
    void reference(std::uint16_t code) {
        start();
        appendU16(out_, code);
        ++count_;
    }

private:
    void start() {
        if (count_ < 8 && flagPos_ != NoPosition)
            return;
        flagPos_ = out_.size();
        out_.push_back('\0');
        count_ = 0;
    }
    std::string& out_;
    std::size_t flagPos_ = NoPosition;
    unsigned count_ = 0;
};

} // namespace

std::string EncodeLzss(std::string_view data, int method) {
    const std::size_t minLength = static_cast<std::size_t>(method == 1 ? 2 : 3);
    const std::size_t maxLength = minLength + 15;
    std::string out;
    out.reserve(data.size() + data.size() / 8 + 16);
    TokenWriter tokens(out);

    std::vector<std::size_t> head(std::size_t{1} << HashBits, NoPosition);
    std::vector<std::size_t> previous(data.size(), NoPosition);
    auto insert = [&](std::size_t pos) {
        if (pos + 1 >= data.size())
            return;
        const std::size_t h = hashAt(data, pos);
        previous[pos] = head[h];
        head[h] = pos;
    };

    std::size_t pos = 0;
    while (pos < data.size()) {
        std::size_t bestLength = 0;
        std::size_t bestDistance = 0;
        if (pos + minLength <= data.size()) {
            std::size_t candidate = head[hashAt(data, pos)];
            const std::size_t longest = std::min(maxLength, data.size() - pos);
            for (int chain = 0; chain < MaxChain && candidate != NoPosition; ++chain) {
                if (pos - candidate > Window)
                    break;
                std::size_t length = 0;
                // The source may run into the bytes being encoded: the decoder copies byte by
                // byte, so an overlapping match repeats them.
                while (length < longest && data[candidate + length] == data[pos + length])
                    ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = pos - candidate;
                    if (length == longest)
                        break;
                }
                candidate = previous[candidate];
            }
        }
        if (bestLength >= minLength) {
            tokens.reference(
                static_cast<std::uint16_t>(((bestDistance - 1) << 4) | (bestLength - minLength)));
            for (std::size_t k = 0; k < bestLength; ++k)
                insert(pos + k);
            pos += bestLength;
        } else {
            tokens.literal(data[pos]);
            insert(pos);
            ++pos;
        }
    }
    return out;
}

std::string CompressedItem(std::string_view data, int mode) {
    const std::string packed = EncodeLzss(data, mode == 1 ? 1 : 2);
    std::string item;
    appendU32(item, static_cast<std::uint32_t>(data.size()));
    appendU32(item, static_cast<std::uint32_t>(packed.size()));
    appendU16(item, static_cast<std::uint16_t>(mode));
    item += packed;
    return item;
}

} // namespace zyn::test
