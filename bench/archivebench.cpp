// ExpandData against zlib's inflate of the same text, and RewriteArchive of a 100 MB archive of
// 20 000 items against copying that archive.

#include "archive/archiveindex.h"
#include "archive/archiverewrite.h"
#include "base/expanddata.h"
#include "base/itemheader.h"
#include "base/safewriter.h"
#include "dialoguetext.h"
#include "support/lzssencoder.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <zlib.h>

namespace {

constexpr std::size_t TextSize = 8 * 1024 * 1024;

const std::string& text() {
    static const std::string t = DialogueText(TextSize, 1);
    return t;
}

void BM_ExpandData(benchmark::State& state) {
    const int method = static_cast<int>(state.range(0));
    const std::string packed = zyn::test::EncodeLzss(text(), method);
    for (auto _ : state) {
        std::string out = zyn::ExpandData(packed, method, text().size());
        benchmark::DoNotOptimize(out.data());
        if (out.size() != text().size())
            state.SkipWithError("wrong size");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text().size()));
    state.counters["ratio"] = static_cast<double>(packed.size()) / text().size();
}
BENCHMARK(BM_ExpandData)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_ZlibInflate(benchmark::State& state) {
    const int level = static_cast<int>(state.range(0));
    uLongf packedSize = compressBound(text().size());
    std::string packed(packedSize, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
              reinterpret_cast<const Bytef*>(text().data()), text().size(), level);
    packed.resize(packedSize);
    for (auto _ : state) {
        // The same work as ExpandData: a fresh output of the expanded size.
        std::string out(text().size(), '\0');
        uLongf outSize = out.size();
        if (uncompress(reinterpret_cast<Bytef*>(out.data()), &outSize,
                       reinterpret_cast<const Bytef*>(packed.data()), packed.size()) != Z_OK)
            state.SkipWithError("inflate failed");
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text().size()));
    state.counters["ratio"] = static_cast<double>(packed.size()) / text().size();
}
BENCHMARK(BM_ZlibInflate)->Arg(1)->Arg(6)->Arg(9)->Unit(benchmark::kMillisecond);

// A 100 MB archive of 20 000 items: most stored, every fourth compressed, some shared.
class ArchiveFixture {
public:
    ArchiveFixture() {
        const char* base = std::getenv("ZYN_BENCH_DIR");
        folder_ = std::filesystem::path(base && *base ? base : ".") / "zyn-bench-archive";
        std::filesystem::create_directories(folder_);
        path_ = (folder_ / "text.hqr").string();

        constexpr int Items = 20000;
        const std::string source = DialogueText(4 * 1024 * 1024, 2);
        std::string items;
        std::string table(4 * (Items + 1), '\0');
        std::size_t offset = table.size();
        std::size_t lastOffset = offset;
        for (int i = 0; i < Items; ++i) {
            std::string item;
            if (i % 50 == 49) {
                putSlot(table, i, lastOffset); // shares the previous item's bytes
                continue;
            }
            const std::size_t start =
                (static_cast<std::size_t>(i) * 7919) % (source.size() - 20000);
            if (i % 4 == 3)
                item = zyn::test::CompressedItem(source.substr(start, 12000), 1 + i % 2);
            else
                item = zyn::StoredItem(source.substr(start, 5300));
            putSlot(table, i, offset);
            lastOffset = offset;
            offset += item.size();
            items += item;
        }
        putSlot(table, Items, offset);
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out << table << items;
        out.close();
        // Nothing of the set-up may be left for the timed runs to write out.
        ::sync();
        size_ = offset;
        if (!zyn::ReadArchiveIndex(zyn::realFileSystem(), path_, index_).ok())
            throw std::runtime_error("cannot read the benchmark archive");
    }
    ~ArchiveFixture() { std::filesystem::remove_all(folder_); }

    const std::string& path() const { return path_; }
    const zyn::ArchiveIndex& index() const { return index_; }
    std::size_t size() const { return size_; }

private:
    static void putSlot(std::string& table, int i, std::size_t value) {
        for (int b = 0; b < 4; ++b)
            table[4 * static_cast<std::size_t>(i) + b] =
                static_cast<char>((value >> (8 * b)) & 0xFF);
    }

    std::filesystem::path folder_;
    std::string path_;
    zyn::ArchiveIndex index_;
    std::size_t size_ = 0;
};

ArchiveFixture& archive() {
    static ArchiveFixture fixture;
    return fixture;
}

// Copying the archive twice: the work a rebuild cannot avoid (the backup, and the new archive).
void BM_CopyArchiveTwice(benchmark::State& state) {
    const std::string copy = archive().path() + ".copy";
    for (auto _ : state) {
        for (int i = 0; i < 2; ++i)
            if (auto data = zyn::realFileSystem().readFile(archive().path(), UINT64_MAX);
                !data || !zyn::WriteFileSafely(zyn::realFileSystem(), copy, *data).ok())
                state.SkipWithError("copy failed");
    }
    std::filesystem::remove(copy);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * archive().size()));
}
BENCHMARK(BM_CopyArchiveTwice)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

void BM_RewriteArchive(benchmark::State& state) {
    zyn::ArchiveIndex index = archive().index();
    zyn::ReplaceItem(index, 1, DialogueText(6000, 3));
    for (auto _ : state) {
        if (!zyn::RewriteArchive(zyn::realFileSystem(), index, archive().path()).ok())
            state.SkipWithError("rewrite failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * archive().size()));
    state.counters["archive_MB"] = static_cast<double>(archive().size()) / 1e6;
    state.counters["items"] = archive().index().itemCount();
}
BENCHMARK(BM_RewriteArchive)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// The rebuild's own work, without the file system: the new archive's bytes in memory.
void BM_BuildArchive(benchmark::State& state) {
    for (auto _ : state) {
        auto bytes = zyn::BuildArchive(archive().index());
        benchmark::DoNotOptimize(bytes->data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * archive().size()));
}
BENCHMARK(BM_BuildArchive)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
