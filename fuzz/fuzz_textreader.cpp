// The text reader on any file: first byte bit 0 chooses ZYN 2, bit 1 the command line's refusal
// of compressed files; the rest is the file, with or without an item header, compressed or not.
// A file that reads must save again, and what is saved must read back the same.

#include "document/textreader.h"
#include "document/textwriter.h"
#include "fuzz/fuzzcheck.h"
#include "fuzz/memoryfilesystem.h"

#include <memory>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const bool isVersion2 = (data[0] & 1) != 0;
    zyn::ReadOptions options;
    options.compressed =
        (data[0] & 2) != 0 ? zyn::CompressedFiles::Refuse : zyn::CompressedFiles::Expand;
    const std::string_view file(reinterpret_cast<const char*>(data) + 1, size - 1);

    zyn::fuzz::MemoryFileSystem fs;
    fs.put("EN_000.DIA", file);
    auto loaded = zyn::ReadTextFile(fs, "EN_000.DIA", isVersion2, options);
    if (!loaded) {
        ZYN_FUZZ_CHECK(!loaded.message().empty());
        return 0;
    }
    const int slots = loaded->text.SlotCount;
    ZYN_FUZZ_CHECK(slots >= 1 && slots <= zyn::TextDocument::MaxSlots);

    auto doc = std::make_unique<zyn::TextDocument>();
    zyn::AdoptText(*doc, std::move(*loaded));
    auto saved = zyn::BuildTextData(*doc);
    if (!saved)
        return 0; // line breaks read as CR LF can grow past the limit when encoded
    auto again = zyn::ParseTextData(*saved, isVersion2, "saved");
    ZYN_FUZZ_CHECK(again.ok());
    ZYN_FUZZ_CHECK(again->SlotCount == slots);
    for (int i = 0; i + 1 < slots; ++i) {
        ZYN_FUZZ_CHECK(again->EntryType[i] == doc->EntryType[i]);
        ZYN_FUZZ_CHECK(again->EntryText[i] ==
                       zyn::DecodeLineBreaks(zyn::EncodeLineBreaks(doc->EntryText[i])));
    }
    return 0;
}
