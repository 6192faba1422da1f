#pragma once

// Spell checking with the system's Hunspell dictionaries: the dictionary of a bank's language,
// the words of a text it does not know, its suggestions, and the user's own words, kept per
// language in a file of the user's data folder. A missing dictionary is a message naming the
// package that brings it.

#include "base/filesystem.h"
#include "base/result.h"
#include "characters/charactersets.h"
#include "document/textdocument.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class Hunspell;

namespace zyn {

struct SpellingLanguage {
    const char* code;       // the bank's name prefix: "FR"
    const char* name;       // "French"
    const char* dictionary; // "fr_FR"
    const char* package;    // "hunspell-fr"
};

// The languages of the text archives' blocks, in their order (EN, FR, DE, SP, IT, PO).
extern const std::array<SpellingLanguage, 6> SpellingLanguages;

// The language of a code, the bank's ("FR") or the dictionary's ("fr"), either case; -1 for
// none.
int FindSpellingLanguage(std::string_view code);
// The language a bank's name begins with ("FR_000.DIA"), or -1.
int NameLanguage(std::string_view name);
// The language of the bank a document was read from: its item's name or place in an archive,
// or its file's name; -1 when neither says.
int BankLanguage(const DocumentOrigin& origin, bool isVersion2);

// Where dictionaries are looked for: the folders of $DICPATH (separated by ':'), then the
// system's.
std::vector<std::string> DictionaryFolders();
// $XDG_DATA_HOME/zyntexteditor/spelling (~/.local/share when it is not set).
std::string PersonalWordFolder();

struct MisspelledWord {
    std::size_t start = 0; // in characters of the text checked
    std::size_t length = 0;
};

class SpellChecker {
public:
    // The dictionary of language from the first folder holding it, with the words kept in
    // wordFolder; "no dictionary for French: install the package hunspell-fr" when there is
    // none.
    static Result<std::unique_ptr<SpellChecker>> open(FileSystem& fs, int language,
                                                      const std::vector<std::string>& folders,
                                                      const std::string& wordFolder);
    ~SpellChecker();
    SpellChecker(const SpellChecker&) = delete;
    SpellChecker& operator=(const SpellChecker&) = delete;

    int language() const { return language_; }
    bool known(std::u32string_view word);
    // The words of text the dictionary does not know, except those that stand as they are in
    // source (names are left as the source has them).
    std::vector<MisspelledWord> unknownWords(std::u32string_view text,
                                             std::u32string_view source = {});
    // The dictionary's suggestions for word, UTF-8.
    std::vector<std::string> suggestions(std::u32string_view word);
    // Known from now on, in this run and the next ones: written to the personal word list.
    // A list that cannot be written is said; the word stays known in this run.
    Status addWord(std::u32string_view word);

private:
    SpellChecker(FileSystem& fs, int language, std::unique_ptr<Hunspell> dictionary,
                 std::string wordFile);
    bool lookUp(std::u32string_view word);
    // A word in the dictionary's encoding; nothing when a letter has no place in it.
    std::optional<std::string> encoded(std::u32string_view word) const;
    void readPersonalWords();
    void teach(const std::u32string& word);

    FileSystem& fs_;
    int language_;
    std::unique_ptr<Hunspell> dictionary_;
    std::string encoding_; // the dictionary's, as iconv names it; "" for UTF-8
    std::string wordFile_;
    std::set<std::u32string> personal_;
    std::unordered_map<std::u32string, bool> cache_;
};

// Whether a translation (game codes read in letters) holds a word checker does not know, the
// words its source has as they stand excepted: the spelling column of `zyntext status` and the
// project window. checker must outlive the function.
std::function<bool(std::string_view target, std::string_view source)>
HasUnknownWords(SpellChecker& checker, const LetterTable& letters);

} // namespace zyn
