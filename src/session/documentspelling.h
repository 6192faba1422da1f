#pragma once

// Which dictionary checks the session's document, and what it finds: the language of the bank
// the document was read from, or one the user chose, or none. The dictionary of each language
// is opened when first needed; one that is missing is a message, said where the words would be
// underlined.

#include "base/filesystem.h"
#include "characters/charactersets.h"
#include "spelling/spellchecker.h"

#include <QObject>
#include <QString>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zyn {

class DocumentSpelling final : public QObject {
    Q_OBJECT
public:
    // The choices besides a language (an index in SpellingLanguages).
    static constexpr int FromBank = -1;
    static constexpr int Off = -2;

    // Dictionaries from DictionaryFolders(), the user's words in PersonalWordFolder().
    explicit DocumentSpelling(FileSystem& fs, QObject* parent = nullptr);
    ~DocumentSpelling() override;
    // Other places to look in (the tests' own dictionaries and word lists).
    void setPlaces(std::vector<std::string> folders, std::string wordFolder);

    int choice() const { return choice_; }
    void setChoice(int choice);
    // The language of the bank the document came from, -1 for none.
    void setBankLanguage(int language);
    // The language checked in, or -1 for none.
    int language() const;

    // The dictionary of the language, or null when none is checked or it is missing.
    SpellChecker* checker();
    // "no dictionary for French: install the package hunspell-fr"; empty when there is a
    // dictionary or nothing to check.
    QString problem();

    // The words of text (codes, in the letters of table) the dictionary does not know, save
    // those standing as they are in source; positions in codes, which line breaks aside are
    // the letters'.
    std::vector<MisspelledWord> unknownWords(const LetterTable& table, std::string_view text,
                                             std::string_view source);
    // Whether an entry's text holds such a word, kept per text so the entry list stays quick.
    bool misspelled(const LetterTable& table, const std::string& text, const std::string* source);
    // The user's word, known from now on in this language.
    Status addWord(const QString& word);

signals:
    // Another language, dictionary or word list: what was found is to be read again.
    void changed();

private:
    void forget();

    FileSystem& fs_;
    std::vector<std::string> folders_;
    std::string wordFolder_;
    int choice_ = FromBank;
    int bankLanguage_ = -1;
    std::map<int, std::unique_ptr<SpellChecker>> checkers_;
    std::map<int, std::string> problems_;
    const LetterTable* cachedTable_ = nullptr;
    std::unordered_map<std::string, bool> cache_;
};

} // namespace zyn
