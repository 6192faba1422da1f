#include "session/documentspelling.h"

namespace zyn {

DocumentSpelling::DocumentSpelling(FileSystem& fs, QObject* parent)
    : QObject(parent), fs_(fs), folders_(DictionaryFolders()), wordFolder_(PersonalWordFolder()) {}

DocumentSpelling::~DocumentSpelling() = default;

void DocumentSpelling::setPlaces(std::vector<std::string> folders, std::string wordFolder) {
    folders_ = std::move(folders);
    wordFolder_ = std::move(wordFolder);
    checkers_.clear();
    problems_.clear();
    forget();
}

void DocumentSpelling::setChoice(int choice) {
    if (choice == choice_)
        return;
    choice_ = choice;
    forget();
}

void DocumentSpelling::setBankLanguage(int language) {
    if (language == bankLanguage_)
        return;
    const int before = this->language();
    bankLanguage_ = language;
    if (this->language() != before)
        forget();
}

int DocumentSpelling::language() const {
    if (choice_ == Off)
        return -1;
    return choice_ == FromBank ? bankLanguage_ : choice_;
}

SpellChecker* DocumentSpelling::checker() {
    const int wanted = language();
    if (wanted < 0)
        return nullptr;
    if (const auto found = checkers_.find(wanted); found != checkers_.end())
        return found->second.get();
    if (problems_.count(wanted))
        return nullptr;
    auto opened = SpellChecker::open(fs_, wanted, folders_, wordFolder_);
    if (!opened) {
        problems_[wanted] = opened.message();
        return nullptr;
    }
    return (checkers_[wanted] = std::move(*opened)).get();
}

QString DocumentSpelling::problem() {
    if (checker() || language() < 0)
        return {};
    return QString::fromStdString(problems_[language()]);
}

std::vector<MisspelledWord> DocumentSpelling::unknownWords(const LetterTable& table,
                                                           std::string_view text,
                                                           std::string_view source) {
    SpellChecker* speller = checker();
    if (!speller)
        return {};
    // One character per code, line breaks included, so that positions are the codes'.
    const auto lettersOf = [&table](std::string_view codes) {
        std::u32string letters;
        for (const char code : codes)
            letters += code == '\r' || code == '\n' ? U'\n' : table.letter(std::uint8_t(code));
        return letters;
    };
    return speller->unknownWords(lettersOf(text), lettersOf(source));
}

bool DocumentSpelling::misspelled(const LetterTable& table, const std::string& text,
                                  const std::string* source) {
    if (language() < 0 || text.empty())
        return false;
    if (cachedTable_ != &table) {
        cache_.clear();
        cachedTable_ = &table;
    }
    std::string key = text;
    if (source)
        (key += '\0') += *source;
    if (const auto found = cache_.find(key); found != cache_.end())
        return found->second;
    const bool unknown = !unknownWords(table, text, source ? *source : std::string()).empty();
    // Every text typed is kept; a long session starts afresh now and then.
    if (cache_.size() >= 4 * TextDocument::Capacity)
        cache_.clear();
    cache_.emplace(std::move(key), unknown);
    return unknown;
}

Status DocumentSpelling::addWord(const QString& word) {
    SpellChecker* speller = checker();
    if (!speller)
        return {};
    const Status added = speller->addWord(word.toStdU32String());
    forget();
    return added;
}

void DocumentSpelling::forget() {
    cache_.clear();
    emit changed();
}

} // namespace zyn
