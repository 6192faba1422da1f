// The translation memory: built from a whole text archive as the editor builds it when an item
// is opened, built from 180 banks of 150 entries each, and the suggestions for one entry from
// that memory.

#include "base/filesystem.h"
#include "dialoguetext.h"
#include "document/translationmemory.h"
#include "flows/memorysources.h"
#include "support/archivebuilder.h"
#include "support/textfilebuilder.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int Banks = 180;
constexpr int Entries = 150;

// Entries cut out of dialogue-like text at its sentence ends; one in eight comes back from
// earlier banks, as the games' greetings and system messages do.
std::vector<std::vector<std::string>> sourceBanks() {
    const std::vector<std::string> sentences =
        DialogueSentences(std::size_t(Banks) * Entries * 90, 7);
    std::mt19937 random(3);
    std::vector<std::vector<std::string>> banks(Banks);
    std::size_t next = 0;
    for (auto& bank : banks)
        for (int e = 0; e < Entries; ++e)
            bank.push_back(random() % 8 == 0 && next > 0 ? sentences[random() % next]
                                                         : sentences[next++ % sentences.size()]);
    return banks;
}

std::string translated(const std::string& text) {
    return "[fr] " + text;
}

const std::vector<std::vector<std::string>>& banks() {
    static const auto b = sourceBanks();
    return b;
}

// A ZYN 2 text archive: each dialogue bank of the English block and its French bank hold
// Entries entries, the French ones translated.
class ArchiveFile {
public:
    ArchiveFile() {
        // In ZYN_BENCH_DIR, else the current folder, as the other benchmarks write.
        const char* base = std::getenv("ZYN_BENCH_DIR");
        path_ =
            (std::filesystem::path(base && *base ? base : ".") / "zyn-memory-bench.hqr").string();
        zyn::test::ArchiveBuilder builder;
        for (int item = 0; item < Banks; ++item) {
            const std::vector<std::string>& source = banks()[std::size_t(item % 30)];
            std::vector<std::string> texts;
            for (const std::string& s : source)
                texts.push_back(item >= 30 ? translated(s) : s);
            builder.stored(item % 2 == 1 ? zyn::test::TextFileBuilder(2).entries(texts).data()
                                         : zyn::test::TextFileBuilder(2).entry("ord").data());
        }
        std::ofstream(path_, std::ios::binary) << builder.build();
    }
    ~ArchiveFile() { std::filesystem::remove(path_); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

void BM_ArchiveMemory(benchmark::State& state) {
    const ArchiveFile archive;
    zyn::MemoryRecipe recipe;
    recipe.archive = archive.path();
    recipe.from = 0;
    recipe.to = 1;
    std::size_t pairs = 0;
    for (auto _ : state) {
        zyn::BuiltMemory built = zyn::BuildTranslationMemory(zyn::realFileSystem(), recipe, {});
        pairs = built.memory.pairCount();
        benchmark::DoNotOptimize(pairs);
    }
    state.counters["pairs"] = static_cast<double>(pairs);
}
BENCHMARK(BM_ArchiveMemory)->Unit(benchmark::kMillisecond);

std::unique_ptr<zyn::TranslationMemory> memoryOfAllBanks() {
    auto memory = std::make_unique<zyn::TranslationMemory>();
    auto source = std::make_unique<zyn::TextDocument>();
    auto target = std::make_unique<zyn::TextDocument>();
    for (int b = 0; b < Banks; ++b) {
        const auto& bank = banks()[std::size_t(b)];
        source->SlotCount = target->SlotCount = Entries + 1;
        for (int e = 0; e < Entries; ++e) {
            source->EntryText[std::size_t(e)] = bank[std::size_t(e)];
            target->EntryText[std::size_t(e)] = translated(bank[std::size_t(e)]);
        }
        memory->addDocuments(*source, *target, "bank " + std::to_string(b));
    }
    return memory;
}

void BM_MemoryOf180Banks(benchmark::State& state) {
    for (auto _ : state) {
        auto memory = memoryOfAllBanks();
        benchmark::DoNotOptimize(memory->pairCount());
    }
}
BENCHMARK(BM_MemoryOf180Banks)->Unit(benchmark::kMillisecond);

// Texts of the memory, and the same texts with a word changed: exact and similar matches.
void BM_Suggestions(benchmark::State& state) {
    const auto memory = memoryOfAllBanks();
    std::vector<std::string> queries;
    for (int b = 0; b < Banks; b += 9) {
        std::string text = banks()[std::size_t(b)][std::size_t(b % Entries)];
        queries.push_back(text);
        queries.push_back(text.replace(0, text.find(' '), "somebody"));
    }
    std::size_t i = 0, found = 0;
    for (auto _ : state) {
        found += memory->Lookup(queries[i++ % queries.size()]).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = static_cast<double>(found) / static_cast<double>(i);
}
BENCHMARK(BM_Suggestions)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
