#pragma once

// HQR archives: a table of 32-bit item offsets (slot 0 is the table's own length, the last slot
// the archive's length) followed by the items, each a 10-byte header and its data. The index
// holds every item's bytes in memory; the archive is rebuilt from it with one item replaced.

#include "archive/expanddata.h"
#include "document/filesystem.h"
#include "document/result.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zyn {

struct ArchiveIndex {
    static constexpr int MaxItems = 20001;

    std::int32_t LastItem = -1;           // number of the last item (item count - 1)
    std::vector<std::int32_t> ItemOffset; // slot value of each item as read
    std::vector<std::uint8_t> ItemMode;   // low byte of each item's mode
    std::vector<std::string> ItemData;    // header and stored data; empty for a blank item
};

} // namespace zyn
