#pragma once

// An LZSS encoder for the two methods of compressed items: groups of eight tokens led by a flag
// byte (bit set: a literal byte; bit clear: a two-byte back-reference of 2..17 bytes for method
// 1 or 3..18 bytes for method 2, from 1..4096 bytes back). It finds real matches, so its output
// is compressed the way stored items are, and the decoder can be tested and timed against it.

#include <string>
#include <string_view>

namespace zyn::test {

std::string EncodeLzss(std::string_view data, int method);

// A compressed item: header (expanded size, stored size, mode) followed by EncodeLzss(data).
std::string CompressedItem(std::string_view data, int mode);

} // namespace zyn::test
