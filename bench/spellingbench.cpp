// Spell checking a dialogue bank of 150 French entries with the system's French dictionary, as
// the entry list and `zyntext check --spelling` do: every entry against its English source.

#include "base/filesystem.h"
#include "spelling/spellchecker.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int Entries = 150;
constexpr int French = 1;

// Common French words, a few misspelled as translators mistype them, and names.
const std::vector<std::u32string> Words{
    U"le",          U"la",      U"les",     U"un",       U"une",        U"des",      U"je",
    U"tu",          U"il",      U"nous",    U"vous",     U"ils",        U"est",      U"sont",
    U"avons",       U"faut",    U"peux",    U"veux",     U"maintenant", U"toujours", U"jamais",
    U"aujourd'hui", U"demain",  U"déjà",    U"maison",   U"forteresse", U"soldats",  U"île",
    U"bateau",      U"clé",     U"l'homme", U"l'enfant", U"qu'il",      U"c'est",    U"peut-être",
    U"où",          U"trouver", U"aller",   U"parler",   U"ouvrir",     U"garder",   U"échapper",
    U"très",        U"bien",    U"mal",     U"vite",     U"loin",       U"près",     U"mainenant",
    U"forteresss",  U"soldas",  U"Vornak",  U"Tralala",  U"Plimu"};
const std::vector<std::u32string> Source{U"The", U"soldiers", U"of", U"Vornak",  U"guard",
                                         U"the", U"fortress", U"on", U"Tralala", U"island"};

std::vector<std::u32string> bank(const std::vector<std::u32string>& words, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::u32string> entries;
    for (int i = 0; i < Entries; ++i) {
        std::u32string entry;
        const int length = 6 + static_cast<int>(random() % 30);
        for (int w = 0; w < length; ++w) {
            entry += words[random() % words.size()];
            entry += w % 9 == 8 ? U". " : w % 5 == 4 ? U", " : U" ";
            if (w % 12 == 11)
                entry += U"\n";
        }
        entries.push_back(entry);
    }
    return entries;
}

std::unique_ptr<zyn::SpellChecker> openFrench() {
    auto opened = zyn::SpellChecker::open(zyn::realFileSystem(), French, zyn::DictionaryFolders(),
                                          "/nonexistent/zyntext-bench");
    return opened ? std::move(*opened) : nullptr;
}

// The dictionary opened: once per editor run or check.
void BM_OpenDictionary(benchmark::State& state) {
    for (auto _ : state)
        if (!openFrench())
            state.SkipWithError("no French dictionary (hunspell-fr)");
}
BENCHMARK(BM_OpenDictionary)->Unit(benchmark::kMillisecond);

// 150 entries on a dictionary just opened: no word looked up before.
void BM_CheckBank(benchmark::State& state) {
    const std::vector<std::u32string> entries = bank(Words, 1);
    const std::vector<std::u32string> sources = bank(Source, 2);
    std::size_t unknown = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<zyn::SpellChecker> checker = openFrench();
        state.ResumeTiming();
        if (!checker) {
            state.SkipWithError("no French dictionary (hunspell-fr)");
            break;
        }
        unknown = 0;
        for (int i = 0; i < Entries; ++i)
            unknown +=
                checker->unknownWords(entries[std::size_t(i)], sources[std::size_t(i)]).size();
        benchmark::DoNotOptimize(unknown);
    }
    state.counters["unknown"] = static_cast<double>(unknown);
}
BENCHMARK(BM_CheckBank)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
