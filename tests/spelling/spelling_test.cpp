// Spell checking through the library the tool and the editor share: words as the memory and
// search cut them too, dictionaries in their encodings, names of the source, the user's own words
// across runs, missing dictionaries.

#include "base/words.h"
#include "characters/utf8.h"
#include "characters/wordletters.h"
#include "document/textdocument.h"
#include "document/textsearch.h"
#include "document/translationmemory.h"
#include "spelling/spellchecker.h"
#include "support/dictionarybuilder.h"
#include "support/faultyfilesystem.h"
#include "support/tempdir.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace zyn::test {
namespace {

constexpr int English = 0, French = 1;

std::unique_ptr<SpellChecker> openChecker(const TempDir& dir, int language,
                                          const std::string& words = "words",
                                          FileSystem& fs = realFileSystem()) {
    auto opened = SpellChecker::open(fs, language, {dir.path()}, dir.file(words));
    EXPECT_TRUE(opened) << opened.message();
    return opened ? std::move(*opened) : nullptr;
}

// Where the memory, spelling and search meet, one notion of a word: a text in a character set's
// codes, its tokens as likeness compares them (A to Z folded), the words a dictionary that knows
// none of them underlines, and whole-word search (the editor's Find and Find in Archive) finding
// each word and number whole, no run cut short, and the pieces between joiners whole too, as the
// glossary matches "Merrow" in "Merrow's".
TEST(SpellingWords, TheMemorySpellingAndSearchCutTheSameWords) {
    TempDir dir;
    writeDictionary(dir, "en_US", {"zzz"});
    auto checker = openChecker(dir, English);
    ASSERT_TRUE(checker);
    const struct {
        const char* set;
        std::u32string text;
        // w: a word, n: a number, m: a mark, each followed by a blank
        const char* tokens;
        std::vector<std::u32string> pieces;
    } cases[] = {
        {"western",
         U"l'homme, peut-être! Merrow's 2nd A4",
         "w:l'homme m:, w:peut-être m:! w:Merrow's n:2nd n:A4 ",
         {U"homme", U"peut", U"Merrow"}},
        {"cyrillic", U"Жук-жук: сегодня 10", "w:Жук-жук m:: w:сегодня n:10 ", {U"жук"}},
        {"greek", U"Καλημέρα, κόσμε", "w:Καλημέρα m:, w:κόσμε ", {}},
        // A tone set on its letter is inside the word, not its edge.
        {"vietnamese", U"Vie\u0323t Nam", "w:Vie\u0323t w:Nam ", {}},
        {"arabic", U"مرحبا بالعالم", "w:مرحبا w:بالعالم ", {}},
        {"thai", U"สวัสดี ๑๒", "w:สวัสดี n:๑๒ ", {}},
        {"hebrew", U"שָלום עולם", "w:שָלום w:עולם ", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.set);
        const LetterTable& table = FindCharacterSet(c.set)->letters;
        const LetterCodes coded = ToCodes(table, c.text);
        ASSERT_FALSE(coded.missing);
        const std::string& codes = coded.codes;
        const auto letters = [&](std::string_view bytes) {
            return EncodeUtf8(ToLetters(table, bytes));
        };
        std::string memory;
        for (const std::string& token : LikenessTokens(codes))
            memory += letters(token) + " ";
        std::string expected, words;
        std::vector<std::u32string> searched;
        for (std::string_view rest = c.tokens; !rest.empty();) {
            const std::size_t end = rest.find(' ');
            const std::string_view token = rest.substr(2, end - 2);
            std::string folded(token);
            for (char& ch : folded)
                ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            expected += folded + " ";
            if (rest[0] == 'w')
                (words += token) += " ";
            if (rest[0] != 'm')
                searched.push_back(DecodeUtf8(token));
            rest.remove_prefix(end + 1);
        }
        EXPECT_EQ(memory, expected);
        std::string underlined;
        const std::u32string shown = ToLetters(table, codes);
        for (const MisspelledWord& word : checker->unknownWords(shown))
            underlined += EncodeUtf8(shown.substr(word.start, word.length)) + " ";
        EXPECT_EQ(underlined, words);

        const SearchLetters search{FoldedCodes(table), CodeClassesOf(table)};
        const SearchOptions whole{false, true};
        for (const std::u32string& token : searched) {
            const std::string found = ToCodes(table, token).codes;
            EXPECT_NE(FindText(codes, found, whole, search), std::string::npos)
                << EncodeUtf8(token);
            // Cut short anywhere but at a joiner, a word's edge to search, it is no whole word.
            const auto joiner = [](char code) {
                return code == '-' || code == '\'';
            };
            for (std::size_t k = 1; k < found.size(); ++k) {
                if (!joiner(found[k - 1]) && !joiner(found[k])) {
                    EXPECT_EQ(FindText(codes, found.substr(0, k), whole, search), std::string::npos)
                        << EncodeUtf8(token) << " cut at " << k;
                }
            }
        }
        for (const std::u32string& piece : c.pieces)
            EXPECT_NE(FindText(codes, ToCodes(table, piece).codes, whole, search),
                      std::string::npos)
                << EncodeUtf8(piece);
    }
}

TEST(SpellChecker, FlagsAMisspellingButNotTheSourcesNames) {
    TempDir dir;
    writeDictionary(
        dir, "fr_FR",
        {"il", "est", "maintenant", "parti", "avec", "et", "l'", "homme", "peut", "être", "fois"});
    auto checker = openChecker(dir, French);
    ASSERT_TRUE(checker);
    const std::u32string text =
        U"Il est mainenant parti avec Vornak et l'homme, peut-être 2e fois.";
    const auto unknown = checker->unknownWords(text, U"He left with Vornak.");
    ASSERT_EQ(unknown.size(), 1u);
    EXPECT_EQ(text.substr(unknown[0].start, unknown[0].length), U"mainenant");
    // Without the source the name is unknown as well.
    EXPECT_EQ(checker->unknownWords(text).size(), 2u);
}

TEST(SpellChecker, ReadsADictionaryInItsOwnEncoding) {
    TempDir dir;
    writeDictionary(dir, "fr_FR", {"été", "garçon"}, true);
    auto checker = openChecker(dir, French);
    ASSERT_TRUE(checker);
    EXPECT_TRUE(checker->known(U"été"));
    EXPECT_TRUE(checker->known(U"Garçon"));
    EXPECT_FALSE(checker->known(U"étè"));
    // A letter the encoding lacks is in none of its words.
    EXPECT_FALSE(checker->known(U"été\u0416"));
    const std::vector<std::string> suggested = checker->suggestions(U"étée");
    EXPECT_NE(std::find(suggested.begin(), suggested.end(), "été"), suggested.end());
}

TEST(SpellChecker, AddedWordsLastAcrossRunsInTheirLanguage) {
    TempDir dir;
    writeDictionary(dir, "fr_FR", {"homme"});
    writeDictionary(dir, "en_US", {"man"});
    ASSERT_FALSE(openChecker(dir, French)->known(U"Vornak"));
    // Two editors at once: the word one adds does not take away the other's.
    auto first = openChecker(dir, French), second = openChecker(dir, French);
    ASSERT_TRUE(first->addWord(U"Vornak"));
    ASSERT_TRUE(second->addWord(U"Ōkubo"));

    // The next run reads them back; another language does not know them.
    auto again = openChecker(dir, French);
    EXPECT_TRUE(again->known(U"Vornak"));
    EXPECT_TRUE(again->known(U"Ōkubo"));
    EXPECT_FALSE(again->known(U"Quivrel"));
    EXPECT_FALSE(openChecker(dir, English)->known(U"Vornak"));

    // A list that cannot be written is said, and the word is known for this run: a file
    // where its folder would go, or a folder the file system refuses to make.
    dir.write("blocked", "a file where the folder would go");
    FaultyFileSystem refusing;
    refusing.failOn(FaultyFileSystem::Op::MakeFolder, 1, "Permission denied");
    for (const auto& [words, fs] :
         {std::pair<std::string, FileSystem*>{"blocked/", nullptr}, {"unmade/", &refusing}}) {
        SCOPED_TRACE(words);
        auto blocked = openChecker(dir, French, words + "words", fs ? *fs : realFileSystem());
        const Status added = blocked->addWord(U"Bidule");
        EXPECT_FALSE(added);
        EXPECT_NE(added.message().find("could not be written: Cannot make the folder"),
                  std::string::npos)
            << added.message();
        EXPECT_TRUE(blocked->known(U"Bidule"));
    }
    EXPECT_FALSE(fileExists(dir.file("unmade")));
}

TEST(SpellChecker, AMissingDictionaryIsSaidWithItsPackage) {
    TempDir dir;
    dir.write("de_DE.aff", "SET UTF-8\n"); // half a dictionary is none
    const struct {
        int language;
        const char* message;
    } cases[] = {
        {French, "no dictionary for French: install the package hunspell-fr"},
        {2, "no dictionary for German: install the package hunspell-de-de"},
        {5, "no dictionary for Portuguese: install the package hunspell-pt-pt"},
    };
    for (const auto& c : cases) {
        const auto opened =
            SpellChecker::open(realFileSystem(), c.language, {dir.path()}, dir.file("words"));
        EXPECT_FALSE(opened);
        EXPECT_EQ(opened.message(), c.message);
    }
}

TEST(SpellingLanguage, TheBanksLanguageComesFromItsNameOrPlace) {
    DocumentOrigin unnamed = ArchiveItemOrigin("/t/text.hqr", 31, "");
    const struct {
        DocumentOrigin origin;
        bool version2;
        int language;
    } cases[] = {
        {LooseFileOrigin("/mods/FR_000.DIA"), true, French},
        {LooseFileOrigin("/mods/sp_sys.dia"), true, 3},
        {LooseFileOrigin("IT_003.DIA"), true, 4}, // named without a folder
        {LooseFileOrigin("/mods/FRENCH.DIA"), true, -1},
        {LooseFileOrigin("/mods/fr.dia"), true, -1},
        {ArchiveItemOrigin("/t/text.hqr", 1, "DE_000.DIA"), true, 2},
        {unnamed, true, French}, // item 31 of the second game lies in the French block
        {ArchiveItemOrigin("/t/text.hqr", 500, ""), true, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BankLanguage(c.origin, c.version2), c.language) << c.origin.FilePath;
}

// The system's French dictionary (scripts/install-deps installs it), with its elisions and
// compound words, as translators meet it.
TEST(SpellChecker, TheSystemsFrenchDictionary) {
    TempDir dir;
    auto opened =
        SpellChecker::open(realFileSystem(), French, {"/usr/share/hunspell"}, dir.file("words"));
    ASSERT_TRUE(opened) << opened.message();
    SpellChecker& checker = **opened;
    const std::u32string text =
        U"Aujourd'hui, l'homme et l’enfant partent maintenant, peut-être mainenant.";
    const auto unknown = checker.unknownWords(text);
    ASSERT_EQ(unknown.size(), 1u);
    EXPECT_EQ(text.substr(unknown[0].start, unknown[0].length), U"mainenant");
}

} // namespace
} // namespace zyn::test
