// The ordinal loader on any file: it succeeds with every slot it fills a 16-bit value it read,
// or fails and leaves the ordinals as they were.

#include "document/ordinals.h"
#include "fuzz/fuzzcheck.h"
#include "fuzz/memoryfilesystem.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zyn::fuzz::MemoryFileSystem fs;
    fs.put("EN_000.ORD", std::string_view(reinterpret_cast<const char*>(data), size));

    zyn::OrdinalArray ordinals;
    ordinals.fill(-1);
    const zyn::OrdinalArray before = ordinals;
    if (!zyn::LoadOrdinalFile(fs, "EN_000.ORD", ordinals)) {
        ZYN_FUZZ_CHECK(ordinals == before);
        return 0;
    }
    // Slots past the payload keep their values; read slots hold 0 to 32 767.
    bool reading = true;
    for (const std::int16_t value : ordinals) {
        if (value == -1)
            reading = false;
        ZYN_FUZZ_CHECK(reading ? value >= 0 : value == -1);
    }
    return 0;
}
