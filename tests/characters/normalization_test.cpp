// The composed and decomposed forms against Qt's, over every character that decomposes.

#include "characters/normalization.h"
#include "characters/normalizationtables.h"

#include <QChar>
#include <QString>
#include <gtest/gtest.h>

namespace zyn {
namespace {

bool knownToQt(const std::u32string& text) {
    for (const char32_t c : text) {
        const QChar::UnicodeVersion version = QChar::unicodeVersion(c);
        if (version == QChar::Unicode_Unassigned || version > QChar::currentUnicodeVersion())
            return false;
    }
    return true;
}

// Each character alone, decomposed, with its marks in reverse order, with marks of other
// classes after it, and after a letter.
TEST(Normalization, ComposesAndDecomposesAsQtDoesForEveryCharacterThatDecomposes) {
    std::vector<char32_t> decomposing;
    for (const CanonicalDecomposition& d : CanonicalDecompositions())
        decomposing.push_back(d.character);
    for (char32_t syllable = 0xAC00; syllable <= 0xD7A3; ++syllable)
        decomposing.push_back(syllable);
    std::size_t compared = 0;
    for (const char32_t c : decomposing) {
        std::u32string reversed = FullyDecomposed(c);
        std::reverse(reversed.begin() + 1, reversed.end());
        const std::u32string texts[] = {
            std::u32string(1, c),
            FullyDecomposed(c),
            reversed,
            std::u32string(1, c) + U"\u0323\u0301\u0327",
            U"a" + std::u32string(1, c),
        };
        for (const std::u32string& text : texts) {
            if (!knownToQt(text))
                continue;
            const QString qt = QString::fromStdU32String(text);
            ASSERT_EQ(QString::fromStdU32String(ToNfc(text)),
                      qt.normalized(QString::NormalizationForm_C))
                << "U+" << std::hex << unsigned(c);
            ASSERT_EQ(QString::fromStdU32String(ToNfd(text)),
                      qt.normalized(QString::NormalizationForm_D))
                << "U+" << std::hex << unsigned(c);
            ++compared;
        }
    }
    EXPECT_GT(compared, 60000u);
    EXPECT_EQ(ToNfc(U"x\u0301\u0302y\u0327"), U"x\u0301\u0302y\u0327"); // nothing composes
    // Hangul at the edges of its arithmetic: U+11A7 and U+11C3 are no trailing consonants.
    for (const std::u32string text : {U"\uAC00\u11A7", U"\uAC00\u11A8", U"\uAC00\u11C2",
                                      U"\uAC00\u11C3", U"\u1112\u1175\u11C2", U"\u1113\u1161"})
        EXPECT_EQ(QString::fromStdU32String(ToNfc(text)),
                  QString::fromStdU32String(text).normalized(QString::NormalizationForm_C));
}

} // namespace
} // namespace zyn
