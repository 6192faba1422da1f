// The recovery file's reader on any file. The input's last four bytes are taken as the checksum
// of the rest, so that the fuzzer reaches past it to the layout: the reader refuses the file
// with a message, or gives a document the session can take whole.

#include "document/recoveryfile.h"
#include "fuzz/fuzzcheck.h"

#include <string_view>

namespace {

// The writer's checksum, so that a changed layout is read and not refused at the door.
std::uint32_t fnv1a(std::string_view bytes) {
    std::uint32_t hash = 2166136261u;
    for (const char c : bytes)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string file(reinterpret_cast<const char*>(data), size);
    if (file.size() >= 4) {
        file.resize(file.size() - 4);
        zyn::appendU32(file, fnv1a(file));
    }
    const auto read = zyn::ParseRecoveryData(file, "r");
    if (!read) {
        ZYN_FUZZ_CHECK(!read.message().empty());
        return 0;
    }
    const zyn::TextData& text = read->text.text;
    ZYN_FUZZ_CHECK(text.SlotCount >= 1 && text.SlotCount <= zyn::TextDocument::MaxSlots);
    ZYN_FUZZ_CHECK(text.EntryText.size() == static_cast<std::size_t>(text.SlotCount));
    ZYN_FUZZ_CHECK(text.EntryType.size() + 1 == text.EntryText.size());
    ZYN_FUZZ_CHECK(read->opened.size() == text.EntryType.size());
    ZYN_FUZZ_CHECK(read->currentEntry >= 0 &&
                   (read->currentEntry < text.SlotCount - 1 || read->currentEntry == 0));
    return 0;
}
