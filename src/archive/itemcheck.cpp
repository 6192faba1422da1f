#include "archive/itemcheck.h"

#include <cstddef>

namespace zyn {

namespace {

void setCheck(std::vector<bool>& checked, int position, bool value) {
    if (position >= 0 && static_cast<std::size_t>(position) < checked.size())
        checked[static_cast<std::size_t>(position)] = value;
}

} // namespace

bool IsBlankVersion2Item(int position) {
    if (position < 0 || position >= 180)
        return false;
    const int p = position % 30;
    return p == 2 || p == 3;
}

void CheckArchiveItem(std::vector<bool>& checked, int clicked, std::int16_t& archiveItem,
                      std::int16_t& lastCheckedItem, bool archiveIsVersion2) {
    const bool clickedOdd = clicked % 2 != 0;
    for (std::size_t k = 0; k < checked.size(); ++k) {
        const int i = static_cast<int>(k);
        if (clickedOdd && i != clicked) {
            checked[k] = false;
        } else if (i % 2 == 0) {
            checked[k] = false;
        } else if (i == clicked) {
            checked[k] = true;
            archiveItem = static_cast<std::int16_t>(i);
        } else if (i == lastCheckedItem) {
            checked[k] = true;
            archiveItem = static_cast<std::int16_t>(i);
        } else {
            checked[k] = false;
        }
    }
    if (archiveIsVersion2 && IsBlankVersion2Item(clicked)) {
        setCheck(checked, clicked, false);
        setCheck(checked, lastCheckedItem, true);
        archiveItem = lastCheckedItem;
    } else if (clickedOdd) {
        setCheck(checked, clicked, true);
        lastCheckedItem = static_cast<std::int16_t>(clicked);
        archiveItem = static_cast<std::int16_t>(clicked);
    }
}

} // namespace zyn
