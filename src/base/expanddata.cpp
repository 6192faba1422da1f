#include "base/expanddata.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

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
constexpr std::size_t MaxGroupInput = 17;
constexpr std::size_t MaxGroupOutput = 8 * MaxCopy;
// The farthest a back-reference reaches: a stream keeps this much of its output.
constexpr std::size_t Window = 4096;
// What a stream holds of its input and hands on of its output at a time.
constexpr std::size_t StreamChunk = 256 * 1024;

struct Decoder {
    const std::uint8_t* in;
    std::size_t n;
    std::size_t extra; // copy length = (code & 15) + extra
    std::uint8_t* out;
    std::size_t size = 0; // bytes in out
    std::size_t pos = 0;
    std::uint64_t base = 0; // where out starts in the whole output (a stream moves it on)

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
            // Positions before the start of the output repeat the first byte (only before a
            // stream has moved on: it keeps the whole window).
            const auto start =
                static_cast<std::ptrdiff_t>(size - length) - static_cast<std::ptrdiff_t>(distance);
            for (std::size_t k = 0; k < length; ++k) {
                const std::ptrdiff_t from = start + static_cast<std::ptrdiff_t>(k);
                dst[k] = from < 0 ? out[0] : out[from];
            }
        }
    }

    // One group of up to eight tokens, stopping at limit bytes of out or the end of the input.
    void group(std::size_t limit) {
        unsigned flags = in[pos++];
        if (pos + 16 <= n && size + MaxGroupOutput <= limit) {
            // A whole group fits in the input and the output: no bounds to test per token.
            if (flags == 0xFF) {
                std::memcpy(out + size, in + pos, 8);
                size += 8;
                pos += 8;
            } else {
                for (int token = 0; token < 8; ++token, flags >>= 1) {
                    if (flags & 1)
                        out[size++] = in[pos++];
                    else
                        copy();
                }
            }
            return;
        }
        for (int token = 0; token < 8 && pos < n && size < limit; ++token, flags >>= 1) {
            if (flags & 1) {
                out[size++] = in[pos++];
            } else if (pos + 1 < n) {
                copy();
            } else {
                pos = n; // a back-reference cut in half: the data ends here
            }
        }
    }
};

std::size_t extraFor(int method) {
    // Only the two methods exist; anything else decodes as method 2 rather than making copies
    // longer than the output buffer leaves room for.
    return method == 1 ? 2 : 3;
}

} // namespace

int MethodForMode(unsigned mode) {
    return mode == 1 ? 1 : 2;
}

std::string ExpandData(std::string_view data, int method, std::size_t expandedSize,
                       const ProgressFn& progress) {
    Decoder d{reinterpret_cast<const std::uint8_t*>(data.data()), data.size(), extraFor(method),
              nullptr};

    // Two input bytes yield at most MaxCopy output bytes, so the output can never outgrow this
    // bound; bytes past expandedSize would be cut anyway, so decoding stops once it is reached.
    const std::size_t producible = d.n / 2 * MaxCopy + MaxCopy;
    const std::size_t limit = std::min(expandedSize, producible);
    std::string output(limit + Slack, '\0');
    d.out = reinterpret_cast<std::uint8_t*>(output.data());

    std::size_t nextReport = ProgressStep;
    while (d.pos < d.n && d.size < limit) {
        d.group(limit);
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

std::uint64_t ExpandStream(const CompressedInput& input, int method, std::uint64_t expandedSize,
                           const ExpandedOutput& output, const ProgressFn& progress) {
    std::vector<std::uint8_t> in(StreamChunk);
    std::vector<std::uint8_t> out(Window + StreamChunk + MaxGroupOutput + Slack);
    Decoder d{in.data(), 0, extraFor(method), out.data()};
    bool inputEnded = false;
    std::uint64_t consumed = 0; // input bytes before in[0]
    std::uint64_t handedOn = 0;
    bool stopped = false;

    // Keeps at least a group's input ahead of the decoder, unless the input has ended.
    const auto refill = [&] {
        const std::size_t left = d.n - d.pos;
        std::memmove(in.data(), in.data() + d.pos, left);
        consumed += d.pos;
        d.pos = 0;
        d.n = left;
        while (d.n < in.size() && !inputEnded) {
            const std::size_t got =
                input(reinterpret_cast<char*>(in.data()) + d.n, in.size() - d.n);
            inputEnded = got == 0;
            d.n += got;
        }
    };
    // Hands on the output up to keep bytes from its end, never past the expanded size.
    const auto handOn = [&](std::size_t keep) {
        const std::uint64_t end = std::min<std::uint64_t>(d.base + d.size - keep, expandedSize);
        if (end > handedOn && !stopped) {
            const auto from = static_cast<std::size_t>(handedOn - d.base);
            stopped = !output(std::string_view(reinterpret_cast<const char*>(out.data()) + from,
                                               static_cast<std::size_t>(end - handedOn)));
            handedOn = end;
        }
    };

    std::uint64_t nextReport = ProgressStep;
    const std::size_t moveOnAt = Window + StreamChunk;
    while (!stopped) {
        if (d.n - d.pos < MaxGroupInput && !inputEnded)
            refill();
        if (d.pos >= d.n || d.base + d.size >= expandedSize)
            break;
        d.group(static_cast<std::size_t>(
            std::min<std::uint64_t>(expandedSize - d.base, out.size() - Slack)));
        if (d.size >= moveOnAt) {
            // The last window stays for the back-references still to come.
            handOn(Window);
            const std::size_t drop = d.size - Window;
            std::memmove(out.data(), out.data() + drop, Window);
            d.base += drop;
            d.size = Window;
        }
        if (progress && consumed + d.pos >= nextReport) {
            progress(static_cast<std::size_t>(d.base + d.size),
                     static_cast<std::size_t>(expandedSize));
            nextReport = consumed + d.pos + ProgressStep;
        }
    }
    handOn(0);
    if (progress)
        progress(0, static_cast<std::size_t>(expandedSize));
    return handedOn;
}

} // namespace zyn
