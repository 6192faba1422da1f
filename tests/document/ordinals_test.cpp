#include "document/ordinals.h"
#include "support/lzssencoder.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zyn {
namespace {

using namespace std::string_literals;

std::string groups(const std::vector<std::uint16_t>& values) {
    std::string bytes;
    for (const std::uint16_t v : values) {
        bytes.push_back(static_cast<char>(v & 0xFF));
        bytes.push_back(static_cast<char>(v >> 8));
    }
    return bytes;
}

class OrdinalFile : public testing::Test {
protected:
    bool load(const std::string& bytes) {
        return LoadOrdinalFile(realFileSystem(), dir.write("EN_000.ORD", bytes), ordinals);
    }
    OrdinalArray filled(std::int16_t value) {
        OrdinalArray array;
        array.fill(value);
        return array;
    }

    test::TempDir dir;
    OrdinalArray ordinals = filled(-7);
};

TEST_F(OrdinalFile, EightBytesWithoutHeaderFillFiveSlots) {
    ASSERT_TRUE(load(groups({1, 300, 32767, 0x0102})));
    EXPECT_EQ(ordinals[0], 1);
    EXPECT_EQ(ordinals[1], 300);
    EXPECT_EQ(ordinals[2], 32767);
    EXPECT_EQ(ordinals[3], 0x0102);
    EXPECT_EQ(ordinals[4], 0) << "the group past the end";
    EXPECT_EQ(ordinals[5], -7) << "slots beyond are not touched";
}

TEST_F(OrdinalFile, AnOddLengthEndsWithAHalfGroup) {
    ASSERT_TRUE(load("\x05\x00\x09"s));
    EXPECT_EQ(ordinals[0], 5);
    EXPECT_EQ(ordinals[1], 9);
    EXPECT_EQ(ordinals[2], -7);
}

TEST_F(OrdinalFile, ReadsBehindAStoredOrCompressedHeader) {
    const std::string payload = groups({10, 20, 30, 10, 20, 30, 10, 20, 30, 10, 20, 30});
    const std::string files[] = {test::itemHeader(24, 24, 0) + payload,
                                 test::CompressedItem(payload, 1),
                                 test::CompressedItem(payload, 2)};
    for (const std::string& file : files) {
        ordinals = filled(-7);
        ASSERT_TRUE(load(file));
        for (int i = 0; i < 12; ++i)
            EXPECT_EQ(ordinals[static_cast<std::size_t>(i)], (i % 3 + 1) * 10) << i;
        EXPECT_EQ(ordinals[12], 0);
        EXPECT_EQ(ordinals[13], -7);
    }
}

TEST_F(OrdinalFile, AHeaderWhoseStoredSizeDoesNotMatchIsData) {
    ASSERT_TRUE(load(test::itemHeader(2, 3, 1) + groups({4})));
    EXPECT_EQ(ordinals[0], 2);
    EXPECT_EQ(ordinals[2], 3);
    EXPECT_EQ(ordinals[4], 1);
    EXPECT_EQ(ordinals[5], 4);
}

TEST_F(OrdinalFile, TheLargestFileFillsAllSlots) {
    ASSERT_TRUE(load(groups(std::vector<std::uint16_t>(1023, 1)) + "\x02"s));
    EXPECT_EQ(ordinals[1022], 1);
    EXPECT_EQ(ordinals[1023], 2);
}

TEST_F(OrdinalFile, RefusalsLeaveEverySlotAsItWas) {
    const std::string refused[] = {
        groups(std::vector<std::uint16_t>(1024, 1)),   // 1025 slots
        groups({1, 2, 32768, 4}),                      // a value above 32 767
        test::CompressedItem(groups({5, 0xFFFF}), 2)}; // the same, compressed
    for (const std::string& bytes : refused) {
        EXPECT_FALSE(load(bytes));
        EXPECT_EQ(ordinals, filled(-7));
    }
    EXPECT_FALSE(LoadOrdinalFile(realFileSystem(), dir.file("missing.ord"), ordinals));
    EXPECT_EQ(ordinals, filled(-7));
}

} // namespace
} // namespace zyn
