#pragma once

// The values of Open from HQR and Save to HQR that outlive one opening of the item dialog.

#include <array>
#include <cstdint>
#include <string>

namespace zyn {

struct ArchiveFlow {
    std::int16_t LastCheckedItem = 0; // the item most recently accepted as checked
    bool SaveMode = false;            // the dialog saves into the item instead of loading it
    bool ArchiveIsVersion2 = false;
    bool ArchiveIsDemo = false;
    // Names 1 to 180; name n belongs to item n - 1. Index 0 is unused.
    std::array<std::string, 181> ItemNames{};
};

} // namespace zyn
