#include "base/expanddata.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace zyn {

namespace {

// Progress is reported once per this many input bytes: often enough for a smooth bar, rarely
// enough to cost nothing.
constexpr std::size_t ProgressStep = 64 * 1024;
// The longest copy a token can make.
constexpr std::size_t MaxCopy = 18;
// Copies move whole 8-byte words, so they may write up to this far past the end of the output;
// the buffer has that much room to spare.
constexpr std::size_t Slack = 32;
// A group of eight tokens reads at most 16 bytes after its flag byte and writes at most this.
constexpr std::size_t MaxGroupOutput = 8 * MaxCopy;

struct Decoder {
    const std::uint8_t* in;
    std::size_t n;
    std::size_t extra; // copy length = (code & 15) + extra
    std::uint8_t* out;
    std::size_t size = 0;
    std::size_t pos = 0;

    // One back-reference whose two bytes are known to be there.
    void copy() {
        const unsigned code = in[pos] | (in[pos + 1] << 8);
        pos += 2;
        if (size == 0)
            return; // nothing to copy from yet: the token appends nothing
        const std::size_t length = (code & 15) + extra;
        const std::size_t distance = (code >> 4) + 1;
        std::uint8_t* dst = out + size;
        size += length;
        if (distance >= 8 && distance <= size - length) {
            // Each word reads bytes written before it, also when the copy overlaps itself.
            const std::uint8_t* src = dst - distance;
            for (std::size_t k = 0; k < length; k += 8)
                std::memcpy(dst + k, src + k, 8);
        } else if (distance <= size - length) {
            const std::uint8_t* src = dst - distance;
            for (std::size_t k = 0; k < length; ++k)
                dst[k] = src[k]; // a short distance repeats the last bytes
        } else {
            // Positions before the start of the output repeat the first byte.
            const auto start =
                static_cast<std::ptrdiff_t>(size - length) - static_cast<std::ptrdiff_t>(distance);
            for (std::size_t k = 0; k < length; ++k) {
                const std::ptrdiff_t from = start + static_cast<std::ptrdiff_t>(k);
                dst[k] = from < 0 ? out[0] : out[from];
            }
        }
    }
};

} // namespace

int MethodForMode(unsigned mode) {
    return mode == 1 ? 1 : 2;
}

std::string ExpandData(std::string_view data, int method, std::size_t expandedSize,
                       const ProgressFn& progress) {
    // Only the two methods exist; anything else decodes as method 2 rather than making copies
    // longer than the output buffer leaves room for.
    Decoder d{reinterpret_cast<const std::uint8_t*>(data.data()), data.size(),
              static_cast<std::size_t>(method == 1 ? 2 : 3), nullptr};

    // Two input bytes yield at most MaxCopy output bytes, so the output can never outgrow this
    // bound; bytes past expandedSize would be cut anyway, so decoding stops once it is reached.
    const std::size_t producible = d.n / 2 * MaxCopy + MaxCopy;
    const std::size_t limit = std::min(expandedSize, producible);
    std::string output(limit + Slack, '\0');
    d.out = reinterpret_cast<std::uint8_t*>(output.data());

    std::size_t nextReport = ProgressStep;
    while (d.pos < d.n && d.size < limit) {
        unsigned flags = d.in[d.pos++];
        if (d.pos + 16 <= d.n && d.size + MaxGroupOutput <= limit) {
            // A whole group fits in the input and the output: no bounds to test per token.
            if (flags == 0xFF) {
                std::memcpy(d.out + d.size, d.in + d.pos, 8);
                d.size += 8;
                d.pos += 8;
            } else {
                for (int token = 0; token < 8; ++token, flags >>= 1) {
                    if (flags & 1)
                        d.out[d.size++] = d.in[d.pos++];
                    else
                        d.copy();
                }
            }
        } else {
            for (int token = 0; token < 8 && d.pos < d.n && d.size < limit; ++token, flags >>= 1) {
                if (flags & 1) {
                    d.out[d.size++] = d.in[d.pos++];
                } else if (d.pos + 1 < d.n) {
                    d.copy();
                } else {
                    d.pos = d.n; // a back-reference cut in half: the data ends here
                }
            }
        }
        if (progress && d.pos >= nextReport) {
            progress(d.size, expandedSize);
            nextReport = d.pos + ProgressStep;
        }
    }
    output.resize(std::min(d.size, expandedSize));
    if (progress)
        progress(0, expandedSize);
    return output;
}

} // namespace zyn
