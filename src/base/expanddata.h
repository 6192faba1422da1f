#pragma once

// The decoder of compressed items: groups of eight tokens led by a flag byte, each token a
// literal byte (flag bit 1) or a two-byte back-reference (flag bit 0) into the output so far.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace zyn {

// Called now and then while decoding with the number of bytes expanded so far and the expanded
// size, so that a progress bar fills as the output grows (the position in the compressed input
// would stop it well short of its end); finally with (0, expanded size).
using ProgressFn = std::function<void(std::size_t position, std::size_t maximum)>;

// Method 1 for item mode 1, method 2 for every other mode: a back-reference copies
// (code & 15) + 1 + method bytes from (code >> 4) + 1 bytes back.
int MethodForMode(unsigned mode);

// Decodes data until the input runs out, after any token, and returns at most expandedSize
// bytes. Cut-off data stops cleanly; a reference before the start of the output repeats the
// first byte. Memory stays bounded by the input, whatever expandedSize claims.
std::string ExpandData(std::string_view data, int method, std::size_t expandedSize,
                       const ProgressFn& progress = {});

// Fills buffer with up to size bytes of compressed data and says how many; 0 at the end.
using CompressedInput = std::function<std::size_t(char* buffer, std::size_t size)>;
// Takes the next expanded bytes; false stops the decoding (the bytes could not be written).
using ExpandedOutput = std::function<bool(std::string_view bytes)>;

// ExpandData as a stream: the same bytes, read from input and handed to output as they are
// decoded, so that memory stays a few hundred kilobytes whatever the sizes. Returns how many
// bytes were handed on.
std::uint64_t ExpandStream(const CompressedInput& input, int method, std::uint64_t expandedSize,
                           const ExpandedOutput& output, const ProgressFn& progress = {});

} // namespace zyn
