#include "archive/itemexpansion.h"
#include "archive/itemheader.h"
#include "document/programstate.h"
#include "support/lzssencoder.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"

#include <gtest/gtest.h>
#include <string>

namespace zyn {
namespace {

const std::string Text = "Hello captain, hello captain, hello again: the harbour is closed.";

class ExpandItemFileTest : public testing::Test {
protected:
    Result<ExpansionResult> expand(const std::string& source, bool hasHeader) {
        return ExpandItemFile(realFileSystem(), dir.write("EN_000.DIA", source), target(),
                              hasHeader);
    }
    std::string target() const { return dir.file("EN_000.DIA.TMP"); }

    test::TempDir dir;
};

TEST_F(ExpandItemFileTest, WritesTheExpandedDataWithoutHeaderForBothModes) {
    for (const int mode : {1, 2}) {
        auto result = expand(test::CompressedItem(Text, mode), true);
        ASSERT_TRUE(result.ok()) << result.message();
        EXPECT_TRUE(result->written);
        EXPECT_EQ(test::readBytes(target()), Text) << "mode " << mode;
    }
}

TEST_F(ExpandItemFileTest, WritesNothingWhenThereIsNothingToExpand) {
    const std::pair<std::string, bool> cases[] = {
        {test::itemHeader(0, 0, 1), true},                // expanded size 0
        {std::string("\x05\0\0\0\xFF\xFF\xFF", 7), true}, // shorter than a header
        {test::CompressedItem(Text, 2), false}};          // no header found by the caller
    for (const auto& [source, hasHeader] : cases) {
        auto result = expand(source, hasHeader);
        ASSERT_TRUE(result.ok()) << result.message();
        EXPECT_FALSE(result->written);
        EXPECT_FALSE(test::fileExists(target()));
    }
}

TEST(ExpandFile, ExpandsExpandSourceIntoItsTmpCopy) {
    test::TempDir dir;
    ProgramState state;
    state.ExpandSource = dir.write("EN_SYS.DIA", test::CompressedItem(Text, 1));
    state.KeepHeader = true;
    auto result = ExpandFile(state);
    ASSERT_TRUE(result.ok()) << result.message();
    EXPECT_EQ(test::readBytes(dir.file("EN_SYS.DIA.TMP")), Text);
    EXPECT_EQ(ExpandingLabel("/c/EN_000.DIA"), "Expanding file: \r\n/c/EN_000.DIA . . .");
}

} // namespace
} // namespace zyn
