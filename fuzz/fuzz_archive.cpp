// The archive reader on any file: the index, the extraction of items, and the rebuild of the
// archive with an item replaced, which must read back with the other items as they were.

#include "archive/archiveindex.h"
#include "archive/archiverewrite.h"
#include "base/itemheader.h"
#include "fuzz/fuzzcheck.h"
#include "fuzz/memoryfilesystem.h"

#include <algorithm>
#include <string_view>

namespace {

void extract(zyn::fuzz::MemoryFileSystem& fs, int number, const zyn::ArchiveIndex& read) {
    zyn::ArchiveIndex index = read;
    const zyn::Status status = zyn::ExtractItem(fs, "text.hqr", "item.dat", number, index);
    if (number < 1 || number > read.itemCount()) {
        ZYN_FUZZ_CHECK(!status.ok());
        return;
    }
    ZYN_FUZZ_CHECK(status.ok());
    const std::string* item = fs.find("item.dat");
    ZYN_FUZZ_CHECK(item != nullptr);
    ZYN_FUZZ_CHECK(*item == read.ItemData[static_cast<std::size_t>(number - 1)]);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zyn::fuzz::MemoryFileSystem fs;
    fs.put("text.hqr", std::string_view(reinterpret_cast<const char*>(data), size));

    zyn::ArchiveIndex index;
    if (const zyn::Status status = zyn::ReadArchiveIndex(fs, "text.hqr", index); !status) {
        ZYN_FUZZ_CHECK(!status.message().empty());
        ZYN_FUZZ_CHECK(index.LastItem == -1 && index.ItemData.empty());
        return 0;
    }
    ZYN_FUZZ_CHECK(index.itemCount() <= zyn::ArchiveIndex::MaxItems);
    ZYN_FUZZ_CHECK(index.ItemData.size() == static_cast<std::size_t>(index.itemCount()));

    for (const int number : {0, 1, 2, index.itemCount(), index.itemCount() + 1})
        extract(fs, number, index);

    // The rebuild with the last item replaced, expecting what the index read in it.
    const int last = index.LastItem;
    if (last < 0)
        return 0;
    const std::string replacement = zyn::StoredItem("fuzz");
    const auto rebuilt = zyn::RebuildArchive(
        fs, "text.hqr", {{last, replacement, index.ItemData[static_cast<std::size_t>(last)]}}, {});
    if (!rebuilt) {
        // Only an archive beyond 32-bit offsets may be refused.
        ZYN_FUZZ_CHECK(rebuilt.message().find("larger than 2 GB") != std::string::npos);
        return 0;
    }
    ZYN_FUZZ_CHECK(rebuilt->empty());
    zyn::ArchiveIndex again;
    ZYN_FUZZ_CHECK(zyn::ReadArchiveIndex(fs, "text.hqr", again).ok());
    // A blank first item leaves the first slot 0, and the rebuilt table then names no items.
    if (again.itemCount() == 0)
        return 0;
    ZYN_FUZZ_CHECK(again.itemCount() == index.itemCount());
    ZYN_FUZZ_CHECK(again.ItemData[static_cast<std::size_t>(last)] == replacement);
    for (std::size_t i = 0; i + 1 < index.ItemData.size(); ++i) {
        const std::string& before = index.ItemData[i];
        const std::string& after = again.ItemData[i];
        ZYN_FUZZ_CHECK(before.empty() == after.empty());
        // Stored items get a fresh header; their data and every other item stay as they were.
        const std::size_t from =
            index.ItemMode[i] == 0 ? std::min<std::size_t>(10, before.size()) : 0;
        ZYN_FUZZ_CHECK(after.size() >= from);
        ZYN_FUZZ_CHECK(std::string_view(before).substr(from) ==
                       std::string_view(after).substr(from));
    }
    return 0;
}
