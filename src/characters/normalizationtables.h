#pragma once

// The data of Unicode's canonical normalisation, generated from the Unicode Character Database
// by scripts/make-normalization-tables (normalizationtables.cpp). Hangul syllables are left out:
// they decompose and compose by arithmetic.

#include <cstdint>
#include <span>

namespace zyn {

// Characters first to last have this canonical combining class; every character outside the
// ranges has class 0 (a starter). In order, none overlapping.
struct CombiningClassRange {
    char32_t first;
    char32_t last;
    std::uint8_t combiningClass;
};

// One step of a character's canonical decomposition: into first and second, or into first
// alone when second is 0. In the order of character.
struct CanonicalDecomposition {
    char32_t character;
    char32_t first;
    char32_t second;
};

// first followed by second composes into composed (composition exclusions left out). In the
// order of first, then second.
struct CanonicalComposition {
    char32_t first;
    char32_t second;
    char32_t composed;
};

extern const char* const NormalizationUnicodeVersion;
std::span<const CombiningClassRange> CombiningClassRanges();
std::span<const CanonicalDecomposition> CanonicalDecompositions();
std::span<const CanonicalComposition> CanonicalCompositions();

} // namespace zyn
