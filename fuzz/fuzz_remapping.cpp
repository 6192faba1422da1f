// The remapping-file loader on any file, as ".cmp" or ".set" (first byte bit 0), and the table
// it gives applied to the file's own bytes both ways.

#include "characters/charactertables.h"
#include "characters/remapping.h"
#include "fuzz/fuzzcheck.h"
#include "fuzz/memoryfilesystem.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const bool setFormat = (data[0] & 1) != 0;
    const std::string_view file(reinterpret_cast<const char*>(data) + 1, size - 1);
    zyn::fuzz::MemoryFileSystem fs;
    fs.put("table.cmp", file);

    zyn::CharacterTables tables;
    const zyn::Status status = zyn::LoadRemapping(tables, fs, "table.cmp", setFormat);
    ZYN_FUZZ_CHECK(status.ok() == tables.RemapLoaded);
    if (!status)
        return 0;
    ZYN_FUZZ_CHECK(!setFormat || *tables.RemapTable[0] == 0);

    const std::string shown = zyn::RemapText(tables, file);
    ZYN_FUZZ_CHECK(shown.size() == file.size());
    for (const char c : shown) {
        const auto display = static_cast<std::uint8_t>(c);
        const std::uint8_t code = zyn::UnmapChar(tables, display, true);
        // The code found for a display character shows as that character again.
        ZYN_FUZZ_CHECK(*tables.RemapTable[code] == display);
    }
    return 0;
}
