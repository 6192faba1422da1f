// ExpandData against zlib's inflate of the same text. (The rebuild and the expand command are
// timed as processes by toolbench.)

#include "base/expanddata.h"
#include "dialoguetext.h"
#include "support/lzssencoder.h"

#include <benchmark/benchmark.h>
#include <string>
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

} // namespace

BENCHMARK_MAIN();
