// The editor's command line: how arguments are taken, and --help and --version of the built
// program, which must answer without a display.

#include "app/commandline.h"
#include "support/toolrun.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

using Action = EditorCommandLine::Action;
using Files = std::vector<std::string>;

TEST(EditorCommandLineTest, TakesEachArgumentWholeAndOptionsByTwoDashes) {
    const struct {
        Files arguments;
        Action action;
        Files files;
    } cases[] = {
        {{}, Action::Run, {}},
        {{"\"C:\\TEXT\\FILE 01.ZYT\""}, Action::Run, {"\"C:\\TEXT\\FILE 01.ZYT\""}},
        {{"*.ZYT", "-x"}, Action::Run, {"*.ZYT", "-x"}},
        {{"a.zyt", "--help"}, Action::Help, {"a.zyt"}},
        {{"--version", "--help"}, Action::Version, {}},
        {{"--help", "--frobnicate"}, Action::Help, {}},
        {{"--", "--help", "b"}, Action::Run, {"--help", "b"}},
        {{"--frobnicate", "a.zyt"}, Action::Wrong, {"a.zyt"}},
    };
    for (const auto& c : cases) {
        const EditorCommandLine line = ParseEditorCommandLine(c.arguments);
        const std::string shown = c.arguments.empty() ? "(none)" : c.arguments.front();
        EXPECT_EQ(line.action, c.action) << shown;
        EXPECT_EQ(line.files, c.files) << shown;
    }
}

// Run with no display at all: the options are answered before anything needs one.
TEST(EditorCommandLineTest, HelpAndVersionNeedNoDisplay) {
    auto run = [](const char* option) {
        return test::runProgram(ZYNTEXTEDITOR_PATH, {option}, {},
                                "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM");
    };
    const test::ToolRun help = run("--help");
    EXPECT_EQ(help.exitCode, 0) << help.err;
    EXPECT_TRUE(help.out.starts_with("Usage: zyntexteditor [FILE]\n")) << help.out;

    const test::ToolRun version = run("--version");
    EXPECT_EQ(version.exitCode, 0) << version.err;
    EXPECT_EQ(version.out, "zyntexteditor (ZYN Text File Editor) " ZYN_VERSION_TEXT "\n");

    const test::ToolRun wrong = run("--edit");
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_EQ(wrong.out, "");
    EXPECT_EQ(wrong.err, "zyntexteditor: unknown option '--edit'\nTry 'zyntexteditor --help'.\n");
}

// Every option --help names has a paragraph of its own in the man page.
TEST(EditorCommandLineTest, TheManPageDescribesEveryOption) {
    const std::string page = test::readBytes(ZYNTEXTEDITOR_MAN_PAGE);
    const std::string usage = EditorUsage();
    int options = 0;
    for (std::size_t at = usage.find("\n  --"); at != std::string::npos;
         at = usage.find("\n  --", at + 1), ++options) {
        const std::string option = usage.substr(at + 3, usage.find(' ', at + 3) - at - 3);
        std::string roff = ".TP\n.B ";
        for (const char c : option)
            roff += c == '-' ? std::string("\\-") : std::string(1, c);
        EXPECT_NE(page.find(roff + "\n"), std::string::npos) << option;
    }
    EXPECT_EQ(options, 3);
}

} // namespace
} // namespace zyn
