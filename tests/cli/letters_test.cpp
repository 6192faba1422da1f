// Texts from outside in decomposed letters (NFD) and with characters the set lacks, through
// zyntext build and po import.

#include "characters/normalization.h"
#include "characters/utf8.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"
#include "support/toolrun.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace zyn::test {
namespace {

std::string nfd(const std::string& text) {
    return EncodeUtf8(ToNfd(DecodeUtf8(text)));
}

std::string entriesJson(const std::vector<std::string>& texts) {
    nlohmann::json entries = nlohmann::json::array();
    for (const std::string& text : texts)
        entries.push_back({{"text", text}});
    return nlohmann::json{{"game", 1}, {"entries", entries}}.dump();
}

// A bank built from decomposed letters is the bank built from composed ones; a letter the set
// lacks is named composed; --substitute writes the stand-ins and names each entry.
TEST(ZyntextLetters, BuildReadsDecomposedLettersAndSubstitutesOnlyWhenAsked) {
    TempDir dir;
    const std::vector<std::string> french = {"Bonjour \u00E0 toi", "s\u00FBr, \u00E7a ?",
                                             "No\u00EBl"};
    const auto build = [&](const std::string& name, const std::vector<std::string>& texts,
                           std::vector<std::string> options = {}) {
        std::vector<std::string> args = {"build", dir.write(name + ".json", entriesJson(texts)),
                                         dir.file(name + ".dia"), "--charset", "western"};
        args.insert(args.end(), options.begin(), options.end());
        return zyntext(args);
    };
    ASSERT_TRUE(succeeded(build("composed", french)));
    std::vector<std::string> decomposed;
    for (const std::string& text : french)
        decomposed.push_back(nfd(text));
    ASSERT_NE(decomposed[0], french[0]);
    ASSERT_TRUE(succeeded(build("decomposed", decomposed)));
    EXPECT_EQ(readBytes(dir.file("decomposed.dia")), readBytes(dir.file("composed.dia")));

    const ToolRun refused = build("refused", {"ok", nfd("\u01D8")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("entry 2 (entries[1]) holds the character \"\u01D8\" (U+01D8)"),
              std::string::npos)
        << refused.err;

    const std::vector<std::string> typographic = {"Ma s\u0153ur t\u2019attend\u2026", "plain"};
    const ToolRun strict = build("strict", typographic);
    EXPECT_EQ(strict.exitCode, 1);
    EXPECT_NE(strict.err.find("(U+0153)"), std::string::npos) << strict.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("strict.dia")));
    const ToolRun substituted = build("substituted", typographic, {"--substitute"});
    ASSERT_TRUE(succeeded(substituted));
    EXPECT_EQ(substituted.err,
              "zyntext: " + dir.file("substituted.json") +
                  ": entry 1: \u0153 \u2192 oe, \u2019 \u2192 ', \u2026 \u2192 ...\n");
    const auto dump = json(zyntext({"dump", dir.file("substituted.dia"), "--game", "1"}));
    EXPECT_EQ(dump["entries"][0]["text"], "Ma soeur t'attend...");
    EXPECT_EQ(
        zyntext({"build", dir.file("strict.json"), dir.file("x.dia"), "--substitute"}).exitCode, 2)
        << "without --charset the texts are codes";
}

// A catalogue exported, then written in decomposed letters by another tool, imports as the
// composed one does; --substitute names each message it wrote with stand-ins.
TEST(ZyntextLetters, PoImportTakesDecomposedCataloguesAsComposedOnes) {
    TempDir dir;
    const std::string english = dir.write(
        "en.dia", TextFileBuilder(1).entry("Hello").entry("Caf\x82 sister").entry("Yes").bytes());
    const std::string french = dir.write(
        "fr.dia", TextFileBuilder(1).entry("Bonjour \x82").entry("").entry("Oui").bytes());
    const std::string po = dir.file("fr.po");
    ASSERT_TRUE(succeeded(zyntext({"po", "export", english, french, "--game", "1", "-o", po})));
    std::string catalogue = readBytes(po);
    const std::string sister = "msgid \"Caf\u00E9 sister\"\nmsgstr \"\"";
    ASSERT_NE(catalogue.find(sister), std::string::npos) << catalogue;
    catalogue.replace(catalogue.find(sister), sister.size(),
                      "msgid \"Caf\u00E9 sister\"\nmsgstr \"S\u0153ur \u00E0 No\u00EBl\u2026\"");
    const std::string composed = dir.write("composed.po", catalogue);
    const std::string decomposed = dir.write("decomposed.po", nfd(catalogue));
    ASSERT_NE(readBytes(decomposed), catalogue);

    const std::string before = readBytes(french);
    const ToolRun strict = zyntext({"po", "import", decomposed, french, "--game", "1"});
    EXPECT_EQ(strict.exitCode, 1);
    EXPECT_NE(strict.err.find("\"\u0153\" (U+0153), \"\u2026\" (U+2026)"), std::string::npos)
        << strict.err;
    EXPECT_EQ(readBytes(french), before);
    std::string lacking = catalogue;
    lacking.replace(lacking.find("S\u0153ur"), 6, "\u01D8");
    const ToolRun named =
        zyntext({"po", "import", dir.write("lacking.po", nfd(lacking)), french, "--game", "1"});
    EXPECT_NE(
        named.err.find("holds the characters \"\u01D8\" (U+01D8), \"\u2026\" (U+2026), which"),
        std::string::npos)
        << "the letter composed, each once: " << named.err;

    const ToolRun fromDecomposed =
        zyntext({"po", "import", decomposed, french, "--game", "1", "--substitute"});
    ASSERT_TRUE(succeeded(fromDecomposed));
    EXPECT_NE(fromDecomposed.err.find("--substitute wrote stand-ins in 1 message:\n  context "
                                      "\"2\", line "),
              std::string::npos)
        << fromDecomposed.err;
    EXPECT_NE(fromDecomposed.err.find(": \u0153 \u2192 oe, \u2026 \u2192 ...\n"), std::string::npos)
        << fromDecomposed.err;
    EXPECT_NE(fromDecomposed.err.find("1 entry changed, 2 unchanged"), std::string::npos)
        << "the decomposed msgstr of entry 1 is the text it holds: " << fromDecomposed.err;
    const std::string imported = readBytes(french);
    EXPECT_EQ(json(zyntext(
                  {"dump", french, "--game", "1", "--charset", "western"}))["entries"][1]["text"],
              "Soeur \u00E0 No\u00EBl...");

    // The composed catalogue finds every entry as it is now.
    const ToolRun again =
        zyntext({"po", "import", composed, french, "--game", "1", "--substitute"});
    ASSERT_TRUE(succeeded(again));
    EXPECT_NE(again.err.find("0 entries changed, 3 unchanged"), std::string::npos) << again.err;
    EXPECT_EQ(readBytes(french), imported);
}

// In a set with codes for marks, an entry written as a letter and a mark keeps its bytes when
// the catalogue gives the same text composed.
TEST(ZyntextLetters, PoImportKeepsAnEntryThatHoldsTheTranslationInAnotherForm) {
    TempDir dir;
    const std::string bank = dir.write("vi.dia", TextFileBuilder(1).entry("Ca\xEC").bytes());
    const std::string po = dir.file("vi.po");
    ASSERT_TRUE(succeeded(
        zyntext({"po", "export", bank, bank, "--game", "1", "--charset", "vietnamese", "-o", po})));
    std::string catalogue = readBytes(po);
    const std::string untranslated = "msgstr \"\"\n";
    ASSERT_EQ(catalogue.rfind(untranslated), catalogue.size() - untranslated.size());
    catalogue.replace(catalogue.size() - untranslated.size(), untranslated.size(),
                      "msgstr \"C\u00E1\"\n");
    const std::string before = readBytes(bank);
    const ToolRun run = zyntext({"po", "import", dir.write("composed.po", catalogue), bank,
                                 "--game", "1", "--charset", "vietnamese"});
    ASSERT_TRUE(succeeded(run));
    EXPECT_NE(run.err.find("0 entries changed, 1 unchanged"), std::string::npos) << run.err;
    EXPECT_EQ(readBytes(bank), before);
}

} // namespace
} // namespace zyn::test
