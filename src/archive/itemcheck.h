#pragma once

// Which items of the item dialog's list may be checked: only ".DIA" items (odd list positions),
// one at a time, and in a ZYN 2 archive none of its blank items.

#include <cstdint>
#include <vector>

namespace zyn {

// The list positions of the blank items of the ZYN 2 text archive.
bool IsBlankVersion2Item(int position);

// Applies a click on list position clicked to the check marks (one per list position, as they
// are after the click toggled clicked), and updates archiveItem and lastCheckedItem. A pure
// function: the dialog sets its check marks from checked afterwards, with its own check events
// suppressed, so the rule never runs inside itself.
void CheckArchiveItem(std::vector<bool>& checked, int clicked, std::int16_t& archiveItem,
                      std::int16_t& lastCheckedItem, bool archiveIsVersion2);

} // namespace zyn
