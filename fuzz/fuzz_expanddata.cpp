// The decoder of compressed items on any data and any claimed expanded size: first byte bit 0
// chooses the method, the next four bytes the expanded size the header claims.

#include "base/bytes.h"
#include "base/expanddata.h"
#include "fuzz/fuzzcheck.h"

#include <algorithm>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const int method = (data[0] & 1) != 0 ? 1 : 2;
    const std::size_t claimed = zyn::readU32(input, 1);
    const std::string_view compressed = input.substr(5);

    std::size_t reports = 0;
    std::size_t lastMaximum = 0;
    const std::string out = zyn::ExpandData(compressed, method, claimed,
                                            [&](std::size_t position, std::size_t maximum) {
                                                ZYN_FUZZ_CHECK(position <= compressed.size() + 1);
                                                lastMaximum = maximum;
                                                ++reports;
                                            });
    ZYN_FUZZ_CHECK(out.size() <= claimed);
    // Two input bytes make at most 18 output bytes, whatever the header claims.
    ZYN_FUZZ_CHECK(out.size() <= compressed.size() / 2 * 18 + 18);
    ZYN_FUZZ_CHECK(reports >= 1 && lastMaximum == claimed);
    // Decoding is a function of its input: a second run gives the same bytes, and so does the
    // stream, fed in pieces of a size the input chooses.
    ZYN_FUZZ_CHECK(zyn::ExpandData(compressed, method, claimed) == out);
    const std::size_t piece = 1 + data[0] / 2;
    std::size_t at = 0;
    std::string streamed;
    zyn::ExpandStream(
        [&](char* buffer, std::size_t size) {
            const std::size_t n = std::min({size, piece, compressed.size() - at});
            compressed.copy(buffer, n, at);
            at += n;
            return n;
        },
        method, claimed,
        [&](std::string_view bytes) {
            streamed += bytes;
            return true;
        });
    ZYN_FUZZ_CHECK(streamed == out);
    return 0;
}
