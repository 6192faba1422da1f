#pragma once

// Listings for a person rather than a program: aligned columns, one line per item ("zyntext
// hqr list --table", "zyntext names --numbers") or bank ("zyntext status").

#include <cstdint>
#include <string>
#include <vector>

namespace zyn::cli {

struct ItemRow {
    int number = 0;
    std::int32_t offset = 0; // the item's table slot: items with the same one share their bytes
    bool blank = false;
    int mode = 0;               // from the item's header (not for a blank item)
    std::int32_t stored = 0;    // ditto
    std::uint32_t expanded = 0; // ditto
    std::string name;           // UTF-8; empty when the archive's items have no names
};

// A heading and one line per item: number, name ("-" for none), mode, stored and expanded size,
// and "blank", or "shared with K" for an item whose bytes another item K also uses.
std::string ItemTable(const std::vector<ItemRow>& items);

// One line per name, after its item number (counted from 0).
std::string NumberedNames(const std::vector<std::string>& names);

// Rows as columns two blanks apart, those marked in rightAligned (numbers) aligned to the right;
// the last column is not padded, and no line ends in blanks.
std::string AlignedRows(const std::vector<std::vector<std::string>>& rows,
                        const std::vector<bool>& rightAligned);

} // namespace zyn::cli
