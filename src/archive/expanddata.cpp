#include "archive/expanddata.h"

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

} // namespace

int MethodForMode(unsigned mode) {
    return mode == 1 ? 1 : 2;
}

std::string ExpandData(std::string_view data, int method, std::size_t expandedSize,
                       const ProgressFn& progress) {
    const auto* in = reinterpret_cast<const std::uint8_t*>(data.data());
    const std::size_t n = data.size();
    // Only the two methods exist; anything else decodes as method 2 rather than making copies
    // longer than the output buffer leaves room for.
    const std::size_t extra = method == 1 ? 2 : 3;

    // Two input bytes yield at most MaxCopy output bytes, so the output can never outgrow this
    // bound; bytes past expandedSize would be cut anyway, so decoding stops once it is reached.
    const std::size_t producible = n / 2 * MaxCopy + MaxCopy;
    const std::size_t limit = std::min(expandedSize, producible);
    std::string output(limit + MaxCopy, '\0');
    auto* out = reinterpret_cast<std::uint8_t*>(output.data());
    std::size_t size = 0;

    std::size_t pos = 0;
    std::size_t nextReport = ProgressStep;
    while (pos < n && size < limit) {
        unsigned flags = in[pos++];
        for (int token = 0; token < 8 && pos < n && size < limit; ++token, flags >>= 1) {
            if (flags & 1) {
                out[size++] = in[pos++];
                continue;
            }
            if (pos + 1 >= n) {
                pos = n; // a back-reference cut in half: the data ends here
                break;
            }
            const unsigned code = in[pos] | (in[pos + 1] << 8);
            pos += 2;
            if (size == 0)
                continue;
            const std::size_t length = (code & 15) + extra;
            const std::size_t distance = (code >> 4) + 1;
            if (distance <= size) {
                std::uint8_t* dst = out + size;
                const std::uint8_t* src = dst - distance;
                if (distance >= length)
                    std::memcpy(dst, src, length);
                else
                    for (std::size_t k = 0; k < length; ++k)
                        dst[k] = src[k]; // overlapping copy repeats the last bytes
            } else {
                // Positions before the start of the output repeat the first byte.
                const auto start =
                    static_cast<std::ptrdiff_t>(size) - static_cast<std::ptrdiff_t>(distance);
                for (std::size_t k = 0; k < length; ++k) {
                    const std::ptrdiff_t from = start + static_cast<std::ptrdiff_t>(k);
                    out[size + k] = from < 0 ? out[0] : out[from];
                }
            }
            size += length;
        }
        if (progress && pos >= nextReport) {
            progress(pos + 1, expandedSize);
            nextReport = pos + ProgressStep;
        }
    }
    output.resize(std::min(size, expandedSize));
    if (progress)
        progress(0, expandedSize);
    return output;
}

} // namespace zyn
