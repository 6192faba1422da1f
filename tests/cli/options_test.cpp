// The command line as getopt_long reads it for every command: each form a value can take,
// where operands may stand, and the refusals, each with the message a user reads.

#include "cli/options.h"
#include "cli/standardinput.h"
#include "support/tempdir.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace zyn::test {
namespace {

using cli::OptionSpec;

const std::vector<OptionSpec> KnownOptions{
    {"game", 0, "1|2"}, {"output", 'o', "FILE"}, {"memory", 0, "FILE", true}, {"fuzzy"},
    {"force"},          {"from", 0, "LANG"},
};

TEST(Options, EachFormReadsAsOneAndEachRefusalSaysWhy) {
    const struct {
        std::vector<std::string> args;
        std::string problem; // "" when read
        std::vector<std::string> operands = {};
        std::map<std::string, std::vector<std::string>> options = {};
    } cases[] = {
        {{"a", "--game", "2", "b"}, "", {"a", "b"}, {{"game", {"2"}}}},
        {{"--game=2", "-ox.po", "a"}, "", {"a"}, {{"game", {"2"}}, {"output", {"x.po"}}}},
        {{"-o", "-", "--output=", "a"}, "--output is given twice"},
        // A prefix no other option has is the option; an option's value may look like one.
        {{"--ga", "1", "--fuz", "-o", "--force"},
         "",
         {},
         {{"game", {"1"}}, {"fuzzy", {""}}, {"output", {"--force"}}}},
        {{"--f"}, "option '--f' is ambiguous: --fuzzy, --force, --from"},
        {{"--memory", "a", "--memory=b"}, "", {}, {{"memory", {"a", "b"}}}},
        {{"a", "--", "--game", "-x.dia", "-"}, "", {"a", "--game", "-x.dia", "-"}},
        {{"-", "b"}, "", {"-", "b"}},
        {{"--gmae", "2"}, "unknown option '--gmae'"},
        {{"--gmae=2"}, "unknown option '--gmae'"},
        {{"-x"}, "unknown option '-x'"},
        {{"--fuzzy=yes"}, "--fuzzy takes no value"},
        {{"--quiet=1"}, "--quiet takes no value"},
        {{"a", "--game"}, "--game needs a value: --game 1|2"},
        {{"-o"}, "-o needs a value: --output FILE"},
        {{"--fuzzy", "--fuzzy"}, "--fuzzy is given twice"},
        {{"-q", "--quiet"}, "--quiet is given twice"},
    };
    for (const auto& c : cases) {
        cli::ParsedArguments parsed;
        const std::string problem = cli::ParseArguments(KnownOptions, c.args, parsed);
        const std::string what = testing::PrintToString(c.args);
        EXPECT_EQ(problem, c.problem) << what;
        if (!c.problem.empty())
            continue;
        EXPECT_EQ(parsed.operands, c.operands) << what;
        EXPECT_EQ(parsed.options, c.options) << what;
        EXPECT_FALSE(parsed.help) << what;
    }
    // --help wins over whatever else is wrong, also in a second scan of the same run.
    for (int scan = 0; scan < 2; ++scan) {
        cli::ParsedArguments parsed;
        cli::ParseArguments(KnownOptions, {"--gmae", "-h", "--game"}, parsed);
        EXPECT_TRUE(parsed.help) << scan;
    }
}

// "-" is standard input, read once whatever asks for it; every other name is a file.
TEST(Options, StandardInputIsReadOnceAndWithinItsLimit) {
    TempDir dir;
    const std::string input = dir.write("input", "hello");
    const int fd = ::open(input.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    cli::StandardInputFiles files(realFileSystem(), fd);
    EXPECT_EQ(files.info("-").size, 5u);
    EXPECT_TRUE(files.info("-").isRegular);
    EXPECT_EQ(*files.readFile("-", 100), "hello");
    EXPECT_EQ(*files.readFile("-", 100), "hello");
    const auto large = files.readFile("-", 4);
    ASSERT_FALSE(large);
    EXPECT_EQ(large.message(), "Standard input is too large (5 bytes; at most 4 are accepted).");
    EXPECT_FALSE(files.open("-", false));
    EXPECT_EQ(*files.readFile(input, 100), "hello");
    EXPECT_FALSE(files.info(dir.file("-")).exists);
    ::close(fd);
}

} // namespace
} // namespace zyn::test
