#pragma once

// The 10-byte header in front of every archive item, and of a loose file extracted from an
// archive: expanded size (32-bit), stored size (32-bit), mode (16-bit; 0 stored, 1 and 2
// compressed).

#include "base/expanddata.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zyn {

constexpr std::size_t ItemHeaderSize = 10;

struct ItemHeader {
    bool found = false;             // the stored size equals the file length minus 10
    std::uint32_t expandedSize = 0; // offset 0
    std::int32_t storedSize = 0;    // offset 4
    std::uint8_t mode = 0;          // low byte of offset 8, read even without a header
};

ItemHeader TestHeader(std::string_view file);
// The same for a file of fileSize bytes that starts with start (its first 10 bytes or more).
ItemHeader TestHeader(std::string_view start, std::uint64_t fileSize);

// A stored item: header with both sizes = data length and mode 0, then the data.
std::string StoredItem(std::string_view data);
// The header alone, of a stored item of size bytes.
std::string StoredItemHeader(std::uint64_t size);

// The expanded data of an item file that has a header: its data after offset 10, decoded with
// the method its 16-bit mode names and cut to its expanded size, and to limit bytes: a reader
// that cannot use more than that stops there rather than expanding what the header claims.
std::string ExpandItemBytes(std::string_view file, const ProgressFn& progress = {},
                            std::size_t limit = SIZE_MAX);

} // namespace zyn
