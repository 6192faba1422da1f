// The translation project's work over a whole language: the glossary terms of one entry among
// 2 000 terms, consistency over 180 banks of 150 entries, the counts of those banks, and the
// project file of their 27 000 records written and read.

#include "base/words.h"
#include "dialoguetext.h"
#include "project/bankcounts.h"
#include "project/consistency.h"
#include "project/projectformat.h"
#include "project/termmatch.h"

#include <benchmark/benchmark.h>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int Banks = 180;
constexpr int Entries = 150;
constexpr int Terms = 2000;

// Made-up names, as the games are full of.
std::string madeUpName(std::mt19937& random) {
    static constexpr const char* Syllables[] = {"vor", "nak", "mer", "row", "tal", "ist", "zen",
                                                "dor", "ka",  "lu",  "sim", "bre", "ol",  "quen"};
    std::string name;
    const int count = 2 + static_cast<int>(random() % 2);
    for (int i = 0; i < count; ++i)
        name += Syllables[random() % std::size(Syllables)];
    name[0] = static_cast<char>(name[0] - 'a' + 'A');
    return name;
}

std::vector<std::string> sentences() {
    return DialogueSentences(std::size_t(Banks) * Entries * 90, 11);
}

// Three terms in four are names, the rest two words of the dialogue ("old ship").
std::vector<zyn::GlossaryTerm> glossary() {
    std::mt19937 random(5);
    std::vector<std::string> words;
    const std::vector<std::string> all = sentences();
    for (std::size_t i = 0; i < 400; ++i) {
        const std::string& s = all[i];
        const std::size_t space = s.find(' ', s.find(' ') + 1);
        words.push_back(s.substr(0, space));
    }
    std::vector<zyn::GlossaryTerm> terms;
    for (int i = 0; i < Terms; ++i) {
        zyn::GlossaryTerm term;
        if (i % 4 == 3) {
            term.source = words[random() % words.size()];
            term.target = "[fr] " + term.source;
        } else {
            term.source = madeUpName(random);
            term.doNotTranslate = i % 2 == 0;
            term.target = term.doNotTranslate ? "" : term.source + "e";
        }
        term.caseSensitive = i % 5 == 0;
        terms.push_back(std::move(term));
    }
    return terms;
}

std::u32string letters(const std::string& text) {
    return {text.begin(), text.end()};
}

void BM_TermsOfOneEntry(benchmark::State& state) {
    const std::vector<zyn::GlossaryTerm> terms = glossary();
    const zyn::TermIndex index(terms);
    // Entries with two of the names in them, and their translations with one of them.
    const std::vector<std::string> all = sentences();
    std::vector<std::u32string> sources, targets;
    for (std::size_t i = 0; i < 200; ++i) {
        const std::string name = terms[(i * 7) % terms.size()].source;
        const std::string other = terms[(i * 13) % terms.size()].source;
        sources.push_back(letters(all[i] + " " + name + ", said " + other + "."));
        targets.push_back(letters("[fr] " + all[i] + " " + name + "."));
    }
    std::size_t i = 0, missing = 0;
    for (auto _ : state) {
        const std::size_t at = i++ % sources.size();
        missing += index.missing(sources[at], targets[at]).size();
        benchmark::DoNotOptimize(missing);
    }
    state.counters["missing"] = static_cast<double>(missing) / static_cast<double>(i);
}
BENCHMARK(BM_TermsOfOneEntry)->Unit(benchmark::kMicrosecond);

void BM_GlossaryIndex(benchmark::State& state) {
    const std::vector<zyn::GlossaryTerm> terms = glossary();
    for (auto _ : state) {
        const zyn::TermIndex index(terms);
        benchmark::DoNotOptimize(&index);
    }
}
BENCHMARK(BM_GlossaryIndex)->Unit(benchmark::kMillisecond);

// Every entry translated; one in eight is a sentence of an earlier bank again, and one in five
// of those is translated another way.
std::vector<zyn::ConsistencyEntry> language() {
    const std::vector<std::string> all = sentences();
    std::mt19937 random(3);
    std::vector<zyn::ConsistencyEntry> entries;
    std::size_t next = 0;
    for (int b = 0; b < Banks; ++b)
        for (int e = 0; e < Entries; ++e) {
            const bool again = random() % 8 == 0 && next > 0;
            const std::string& source = again ? all[random() % next] : all[next++ % all.size()];
            const std::string target = (again && random() % 5 == 0 ? "[fr2] " : "[fr] ") + source;
            entries.push_back({"FR_" + std::to_string(b) + ".DIA", e, source, target});
        }
    return entries;
}

void BM_ConsistencyOf180Banks(benchmark::State& state) {
    const std::vector<zyn::ConsistencyEntry> entries = language();
    std::size_t findings = 0;
    for (auto _ : state) {
        findings = zyn::FindInconsistencies(entries).size();
        benchmark::DoNotOptimize(findings);
    }
    state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(BM_ConsistencyOf180Banks)->Unit(benchmark::kMillisecond);

void BM_CountsOf180Banks(benchmark::State& state) {
    const std::vector<zyn::ConsistencyEntry> entries = language();
    std::vector<std::vector<std::string>> sources(Banks), targets(Banks);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        sources[i / Entries].push_back(entries[i].source);
        // Every third entry still to do.
        targets[i / Entries].push_back(i % 3 == 0 ? std::string() : entries[i].target);
    }
    for (auto _ : state) {
        std::vector<zyn::BankCounts> rows;
        for (int b = 0; b < Banks; ++b)
            rows.push_back(zyn::CountBank("FR", sources[std::size_t(b)], targets[std::size_t(b)],
                                          nullptr, zyn::UnknownSetCodeClasses()));
        benchmark::DoNotOptimize(zyn::TotalCounts(rows).wordsToDo);
    }
}
BENCHMARK(BM_CountsOf180Banks)->Unit(benchmark::kMillisecond);

zyn::TranslationProject projectOf180Banks() {
    zyn::TranslationProject project;
    project.archive = "TEXT.HQR";
    project.game = 2;
    project.sourceLanguage = 0;
    project.targetLanguage = 1;
    for (int b = 0; b < Banks; ++b)
        for (int e = 0; e < Entries; ++e)
            project.setRecord("FR_" + std::to_string(b) + ".DIA", e,
                              zyn::EntryRecord{zyn::EntryState::Translated,
                                               e % 10 == 0 ? "A note\nof two lines" : "",
                                               static_cast<std::uint32_t>(b * e)});
    return project;
}

void BM_ProjectFileOf180Banks(benchmark::State& state) {
    const zyn::TranslationProject project = projectOf180Banks();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = zyn::FormatProject(project);
        bytes = text.size();
        benchmark::DoNotOptimize(zyn::ParseProject(text).ok());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ProjectFileOf180Banks)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
