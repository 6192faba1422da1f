#include "archive/expanddata.h"
#include "support/lzssencoder.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace zyn {
namespace {

using namespace std::string_literals;

struct Vector {
    const char* name;
    std::string input;
    int method;
    std::size_t expandedSize;
    std::string expected;
};

class ExpandDataVectors : public testing::TestWithParam<Vector> {};

TEST_P(ExpandDataVectors, DecodesAsStored) {
    const Vector& v = GetParam();
    EXPECT_EQ(ExpandData(v.input, v.method, v.expandedSize), v.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, ExpandDataVectors,
    testing::Values(
        Vector{"EightLiterals",
               "\xFF"
               "ABCDEFGH",
               2, 8, "ABCDEFGH"},
        Vector{"Method2RepeatsLastByte", "\x01\x41\x00\x00"s, 2, 10, "AAAA"},
        Vector{"Method1RepeatsLastByte", "\x01\x41\x00\x00"s, 1, 10, "AAA"},
        // Code 0x001F: length 15 + 3, distance 2: "AB" repeated through its own copy.
        Vector{"OverlappingCopy",
               "\x03"
               "AB\x1F\x00"s,
               2, 100, "ABABABABABABABABABAB"},
        // Code 0x0041: length 1 + 3, distance 5 with one byte out: the first byte stands in.
        Vector{"DistanceBeforeStart", "\x01X\x41\x00"s, 2, 100, "XXXXX"},
        // Code 0x0021: length 4, distance 3 from two bytes: one before the start, then on
        // through the bytes this copy appends.
        Vector{"DistanceBeforeStartThenOverlapping", "\x03XY\x21\x00"s, 2, 100, "XYXXYX"},
        // A back-reference with nothing produced yet appends nothing.
        Vector{"ReferenceOnEmptyOutput", "\x02\x00\x00Q"s, 2, 100, "Q"},
        // The same inside a whole group, where the decoder skips its per-token bounds tests.
        Vector{"BeforeStartInAWholeGroup",
               "\x01X"s +
                   [] {
                       std::string refs;
                       for (int i = 0; i < 7; ++i)
                           refs += "\xF0\x0F"s;
                       return refs;
                   }() +
                   "\x01Y"s,
               2, 1000, std::string(22, 'X') + "Y"},
        Vector{"LongestDistance", "\x01Z\xFF\xFF"s, 2, 100, std::string(19, 'Z')},
        // The input ends after the second token; the six flag bits left are ignored.
        Vector{"InputEndsInsideGroup",
               "\x03"
               "AB"s,
               2, 100, "AB"},
        Vector{"SecondGroup",
               "\xFF"
               "ABCDEFGH\x01I"s,
               2, 100, "ABCDEFGHI"},
        Vector{"CutToExpandedSize",
               "\xFF"
               "ABCDEFGH",
               2, 5, "ABCDE"},
        Vector{"ShorterThanExpandedSize",
               "\x07"
               "ABC",
               2, 1000, "ABC"},
        Vector{"ExpandedSizeZero",
               "\xFF"
               "ABCDEFGH",
               2, 0, ""},
        Vector{"EmptyInput", "", 2, 10, ""}, Vector{"FlagByteOnly", "\x00"s, 2, 10, ""},
        // Cut-off data: the second byte of a back-reference is missing, and decoding stops.
        Vector{"HalfAReference",
               "\x01"
               "A\x10"s,
               2, 10, "A"},
        Vector{"UnknownMethodDecodesAsMethod2", "\x01\x41\x0F\x00"s, 7, 100, std::string(19, 'A')}),
    [](const testing::TestParamInfo<Vector>& info) { return std::string(info.param.name); });

std::string dialogueLikeText(std::size_t size, unsigned seed) {
    static const std::vector<std::string> words{
        "the",   "ship",  "harbour", "you",     "must",   "find",     "key",
        "guard", " @ ",   "Hello",   "captain", "island", "never",    "again",
        "I",     "think", "so",      "?",       "!",      "\xE9t\xE9"};
    std::mt19937 random(seed);
    std::string text;
    while (text.size() < size) {
        text += words[random() % words.size()];
        text += random() % 9 == 0 ? "."s + '\0' : " "s;
    }
    text.resize(size);
    return text;
}

std::string randomBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

TEST(ExpandData, RoundTripsThroughTheEncoderWithBothMethods) {
    const std::vector<std::string> samples{
        "", "A", "AB", std::string(5000, 'x'), dialogueLikeText(70000, 1), randomBytes(3000, 2),
        // Repeats exactly at the window's edge and just beyond it.
        randomBytes(4096, 3) + randomBytes(4096, 3).substr(0, 100) + randomBytes(4097, 4)};
    for (const int method : {1, 2}) {
        for (const std::string& sample : samples) {
            const std::string packed = test::EncodeLzss(sample, method);
            EXPECT_EQ(ExpandData(packed, method, sample.size()), sample)
                << "method " << method << ", " << sample.size() << " bytes";
        }
    }
}

TEST(ExpandData, CutOffStreamsStopCleanlyAtEveryLength) {
    const std::string text = dialogueLikeText(3000, 7);
    const std::string packed = test::EncodeLzss(text, 2);
    for (std::size_t length = 0; length <= packed.size(); ++length) {
        const std::string out = ExpandData(packed.substr(0, length), 2, text.size());
        ASSERT_LE(out.size(), text.size());
        // Everything decoded before the cut is right.
        ASSERT_EQ(out, text.substr(0, out.size())) << "cut at " << length;
    }
}

TEST(ExpandData, AClaimedSizeOfGigabytesAllocatesOnlyWhatTheInputCanProduce) {
    // Every token but the first literal copies 18 bytes: the most a stream can grow.
    std::string tokens;
    for (int i = 0; i < 8; ++i)
        tokens += "\x0F\x00"s;
    std::string packed = "\x01Z"s + tokens.substr(2);
    for (int group = 0; group < 1000; ++group)
        packed += "\x00"s + tokens;
    const std::string out = ExpandData(packed, 2, 0xFFFFFFFFu);
    EXPECT_TRUE(out == std::string(1 + 7 * 18 + 1000 * 8 * 18, 'Z'));
}

TEST(ExpandData, ReportsProgressAndEndsAtZero) {
    const std::string text = dialogueLikeText(1500000, 8);
    const std::string packed = test::EncodeLzss(text, 1);
    std::vector<std::pair<std::size_t, std::size_t>> calls;
    const std::string out = ExpandData(
        packed, 1, text.size(), [&](std::size_t p, std::size_t m) { calls.emplace_back(p, m); });
    EXPECT_EQ(out, text);
    ASSERT_GE(calls.size(), 3u);
    // The value is the output so far, so the bar fills instead of stopping where the compressed
    // input ends.
    for (std::size_t i = 0; i + 1 < calls.size(); ++i) {
        EXPECT_EQ(calls[i].second, text.size());
        EXPECT_LE(calls[i].first, text.size());
        if (i > 0) {
            EXPECT_GT(calls[i].first, calls[i - 1].first);
        }
    }
    EXPECT_GT(calls[calls.size() - 2].first, packed.size());
    EXPECT_EQ(calls.back(), std::make_pair(std::size_t{0}, text.size()));
}

} // namespace
} // namespace zyn
