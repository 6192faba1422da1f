#pragma once

// Consistency across a whole language: the same source translated in several ways, and one
// translation given to several sources, over every bank of a language pair. Texts are compared
// as the codes they are: a blank more is another translation.

#include <string>
#include <vector>

namespace zyn {

struct ConsistencyEntry {
    std::string bank; // the target bank's name
    int entry = 0;    // counted from 0
    std::string source, target;
};

struct EntryPlace {
    std::string bank;
    int entry = 0;
    friend bool operator==(const EntryPlace&, const EntryPlace&) = default;
};

// One of the texts a shared text goes with, and every place it does.
struct ConsistencyVariant {
    std::string text;
    std::vector<EntryPlace> places;
};

enum class ConsistencyKind {
    SeveralTranslations, // text is a source; the variants are its translations
    SeveralSources,      // text is a translation; the variants are its sources
};

struct ConsistencyFinding {
    ConsistencyKind kind = ConsistencyKind::SeveralTranslations;
    std::string text;
    std::vector<ConsistencyVariant> variants; // two or more, in the order first met
};

// The findings over entries (the translated ones of every bank; an empty text is passed over),
// first those of several translations, then those of several sources, each in the order its
// text was first met.
std::vector<ConsistencyFinding> FindInconsistencies(const std::vector<ConsistencyEntry>& entries);

} // namespace zyn
