// PO files passed through the tools translators use on them: gettext's msgmerge and msgcat, and
// Qt's lconvert to .ts and XLIFF and back. A bank with empty entries, control codes, a line
// break and a backslash must come back byte for byte.

#include "support/archivebuilder.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"
#include "support/toolrun.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <regex>

namespace zyn::test {
namespace {

// Qt's converter, where it is installed: not on the search path in Debian.
std::string lconvertPath() {
    for (const char* path :
         {"/usr/lib/qt6/bin/lconvert", "/usr/lib/x86_64-linux-gnu/qt6/bin/lconvert"})
        if (fileExists(path))
            return path;
    return std::system("command -v lconvert >/dev/null 2>&1") == 0 ? "lconvert" : "";
}

// Runs a shell line, failing the test with what it printed when it fails.
void shell(const std::string& line) {
    TempDir dir;
    const int status = std::system((line + " 2>" + quoted(dir.file("err"))).c_str());
    EXPECT_EQ(status, 0) << line << "\n" << readBytes(dir.file("err"));
}

// The messages with msgctxt context, given msgstr "" as a translator who left them to another.
std::string untranslated(std::string po, const std::vector<std::string>& contexts) {
    for (const std::string& context : contexts) {
        const std::regex message("(msgctxt \"" + context + "\"\n(?:.+\n)*?)msgstr (?:.+\n?)+");
        po = std::regex_replace(po, message, "$1msgstr \"\"\n",
                                std::regex_constants::format_first_only);
    }
    return po;
}

// Item 31 of an archive, as stored.
std::string bank31(const std::string& archive, const TempDir& dir) {
    const std::string out = dir.file("item31");
    EXPECT_TRUE(succeeded(zyntext({"hqr", "extract", archive, "31", out})));
    return readBytes(out);
}

const std::vector<std::string> EnglishTexts{
    "Hello", "", "Line one @ line two", "\x01Go\x02 now", "", "Back\\slash", "Yes."};
const std::vector<std::string> FrenchTexts{
    "Bonjour",        "",    "Ligne un @ ligne deux", "\x01Va\x02 maintenant", "Extra",
    "Barre\\oblique", "Oui."};
// The French bank before its translation: English where a translation goes, its own texts
// where the source is empty.
const std::vector<std::string> UntranslatedTexts{
    "Hello", "", "Line one @ line two", "\x01Go\x02 now", "Extra", "Back\\slash", "Yes."};

std::string archiveOf(const std::vector<std::string>& english,
                      const std::vector<std::string>& french) {
    return BankArchive(TextFileBuilder(2).entries(english).data(),
                       TextFileBuilder(2).entries(french).data());
}

TEST(ZyntextPoTools, ABankWithEmptyEntriesComesBackByteForByteThroughEveryTool) {
    TempDir dir;
    const std::string archive = dir.write("text.hqr", archiveOf(EnglishTexts, FrenchTexts));
    const std::string expected = bank31(archive, dir);
    const std::string po = dir.file("fr.po");
    const ToolRun exported =
        zyntext({"po", "export", archive + ":1", archive + ":31", "--game", "2", "-o", po});
    ASSERT_TRUE(succeeded(exported));
    EXPECT_EQ(exported.err, "zyntext: 2 entries left out: the source is empty (import leaves such "
                            "entries as they are)\n");
    const std::string text = readBytes(po);
    // The header is the one message with an empty msgid.
    const std::regex emptyMsgid("(^|\n)msgid \"\"\nmsgstr");
    EXPECT_EQ(std::distance(std::sregex_iterator(text.begin(), text.end(), emptyMsgid),
                            std::sregex_iterator()),
              1)
        << text;
    EXPECT_NE(text.find("msgid \"Back\\\\slash\"\nmsgstr \"Barre\\\\oblique\""), std::string::npos)
        << text;
    shell("msgfmt --check -o /dev/null " + quoted(po));

    // Two translators, each with a part of the messages, joined by msgcat.
    const std::string first = dir.write("a.po", untranslated(text, {"4", "6", "7"}));
    const std::string second = dir.write("b.po", untranslated(text, {"1", "3"}));
    shell("msgcat -o " + quoted(dir.file("ab.po")) + " " + quoted(first) + " " + quoted(second));
    // A file of an earlier version, with messages for the empty entries: they stay as they are.
    const std::string older = dir.write(
        "older.po", text + "\nmsgctxt \"2\"\nmsgid \"\"\nmsgstr \"Vide\"\n\nmsgctxt \"5\"\nmsgid "
                           "\"\"\nmsgstr \"Autre\"\n");
    std::vector<std::string> files{po, dir.file("ab.po"), older};
    const std::string lconvert = lconvertPath();
    if (!lconvert.empty())
        for (const std::string form : {"ts", "xlf"}) {
            const std::string converted = dir.file("fr." + form), back = dir.file(form + ".po");
            shell(quoted(lconvert) + " -i " + quoted(po) + " -o " + quoted(converted));
            shell(quoted(lconvert) + " -i " + quoted(converted) + " -o " + quoted(back));
            files.push_back(back);
        }
    for (const std::string& file : files) {
        dir.write("text.hqr", archiveOf(EnglishTexts, UntranslatedTexts));
        const ToolRun imported = zyntext({"po", "import", file, archive + ":31", "--game", "2"});
        EXPECT_TRUE(succeeded(imported)) << file;
        EXPECT_NE(imported.err.find("5 entries changed, 0 unchanged, 0 untranslated"),
                  std::string::npos)
            << file << "\n"
            << imported.err;
        EXPECT_EQ(bank31(archive, dir), expected) << file;
        EXPECT_EQ(imported.err.find(", 2 with an empty msgid left out;") != std::string::npos,
                  file == older)
            << imported.err;
    }

    // An entry inserted into the English bank before the empty ones: the template merged into
    // the old file by msgmerge carries every translation over, none onto an empty entry.
    std::vector<std::string> english = EnglishTexts, french = FrenchTexts;
    english.insert(english.begin() + 1, "Wait for me at the harbour tonight");
    french.insert(french.begin() + 1, english[1]);
    const std::string expectedMerged = [&] {
        dir.write("text.hqr", archiveOf(english, french));
        return bank31(archive, dir);
    }();
    std::vector<std::string> stale = UntranslatedTexts;
    stale.insert(stale.begin() + 1, english[1]);
    dir.write("text.hqr", archiveOf(english, stale));
    const std::string pot = dir.file("new.pot"), merged = dir.file("merged.po");
    ASSERT_TRUE(succeeded(
        zyntext({"po", "export", archive + ":1", "--template", "--game", "2", "-o", pot})));
    shell("msgmerge -q --previous -o " + quoted(merged) + " " + quoted(po) + " " + quoted(pot));
    const ToolRun imported =
        zyntext({"po", "import", merged, archive + ":31", "--game", "2", "--fuzzy"});
    EXPECT_TRUE(succeeded(imported));
    EXPECT_EQ(bank31(archive, dir), expectedMerged) << readBytes(merged);

    if (lconvert.empty())
        GTEST_SKIP() << "lconvert is not installed (Debian: qt6-l10n-tools)";
}

} // namespace
} // namespace zyn::test
