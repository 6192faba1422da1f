#include "spelling/spellchecker.h"

#include "archive/itemnames.h"
#include "base/safewriter.h"
#include "base/words.h"
#include "characters/utf8.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <hunspell.hxx>
#include <iconv.h>
#include <optional>

namespace zyn {

const std::array<SpellingLanguage, 6> SpellingLanguages{{
    {"EN", "English", "en_US", "hunspell-en-us"},
    {"FR", "French", "fr_FR", "hunspell-fr"},
    {"DE", "German", "de_DE", "hunspell-de-de"},
    {"SP", "Spanish", "es_ES", "hunspell-es"},
    {"IT", "Italian", "it_IT", "hunspell-it"},
    {"PO", "Portuguese", "pt_PT", "hunspell-pt-pt"},
}};

namespace {

constexpr const char* SystemDictionaries = "/usr/share/hunspell";
// A personal word list is a few thousand words at most; a larger file is no such list.
constexpr std::uint64_t MaxWordFile = 4 * 1024 * 1024;

std::string upper(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return out;
}

// Text converted between encodings by iconv; nothing when a character has no place in to.
std::optional<std::string> convert(const std::string& from, const std::string& to,
                                   const std::string& text) {
    iconv_t converter = iconv_open(to.c_str(), from.c_str());
    if (converter == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string out(text.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char* put = out.data();
    std::size_t outLeft = out.size();
    const std::size_t done = iconv(converter, &in, &inLeft, &put, &outLeft);
    iconv_close(converter);
    if (done == static_cast<std::size_t>(-1))
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

// Hunspell's names of encodings where they are not iconv's.
std::string iconvName(const std::string& encoding) {
    if (encoding.ends_with("-cp1251"))
        return "CP1251";
    return encoding.empty() ? std::string("ISO8859-1") : encoding;
}

bool isUtf8(const std::string& encoding) {
    return upper(encoding) == "UTF-8" || upper(encoding) == "UTF8";
}

} // namespace

int FindSpellingLanguage(std::string_view code) {
    const std::string wanted = upper(code);
    for (std::size_t i = 0; i < SpellingLanguages.size(); ++i)
        if (wanted == SpellingLanguages[i].code ||
            wanted == upper(std::string_view(SpellingLanguages[i].dictionary).substr(0, 2)))
            return static_cast<int>(i);
    return -1;
}

int NameLanguage(std::string_view name) {
    if (name.size() < 3 || name[2] != '_')
        return -1;
    const std::string prefix = upper(name.substr(0, 2));
    for (std::size_t i = 0; i < SpellingLanguages.size(); ++i)
        if (prefix == SpellingLanguages[i].code)
            return static_cast<int>(i);
    return -1;
}

int BankLanguage(const DocumentOrigin& origin, bool isVersion2) {
    // The file's name from its path: a name without a folder has no FileTitle.
    if (!origin.FromArchive)
        return NameLanguage(fileNameOf(origin.FilePath));
    const int named = NameLanguage(origin.ItemName);
    return named >= 0 ? named : ItemLanguage(isVersion2, origin.ArchiveItem);
}

std::vector<std::string> DictionaryFolders() {
    std::vector<std::string> folders;
    if (const char* path = std::getenv("DICPATH")) {
        std::string_view rest(path);
        while (!rest.empty()) {
            const std::size_t colon = rest.find(':');
            if (colon != 0)
                folders.emplace_back(rest.substr(0, colon));
            rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        }
    }
    folders.emplace_back(SystemDictionaries);
    return folders;
}

std::string PersonalWordFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    const std::string base =
        data && *data ? std::string(data) : std::string(home ? home : "") + "/.local/share";
    return base + "/zyntexteditor/spelling";
}

Result<std::unique_ptr<SpellChecker>> SpellChecker::open(FileSystem& fs, int language,
                                                         const std::vector<std::string>& folders,
                                                         const std::string& wordFolder) {
    if (language < 0 || language >= static_cast<int>(SpellingLanguages.size()))
        return Result<std::unique_ptr<SpellChecker>>::failure(ErrorKind::Unsupported,
                                                              "no language to check");
    const SpellingLanguage& wanted = SpellingLanguages[static_cast<std::size_t>(language)];
    for (const std::string& folder : folders) {
        const std::string base = folder + "/" + wanted.dictionary;
        if (!fs.info(base + ".aff").isRegular || !fs.info(base + ".dic").isRegular)
            continue;
        auto dictionary =
            std::make_unique<Hunspell>((base + ".aff").c_str(), (base + ".dic").c_str());
        std::unique_ptr<SpellChecker> checker(new SpellChecker(
            fs, language, std::move(dictionary), wordFolder + "/" + wanted.dictionary + ".txt"));
        checker->readPersonalWords();
        return checker;
    }
    return Result<std::unique_ptr<SpellChecker>>::failure(
        ErrorKind::Io, std::string("no dictionary for ") + wanted.name + ": install the package " +
                           wanted.package);
}

SpellChecker::SpellChecker(FileSystem& fs, int language, std::unique_ptr<Hunspell> dictionary,
                           std::string wordFile)
    : fs_(fs), language_(language), dictionary_(std::move(dictionary)),
      encoding_(iconvName(dictionary_->get_dict_encoding())), wordFile_(std::move(wordFile)) {
    if (isUtf8(encoding_))
        encoding_.clear();
}

std::optional<std::string> SpellChecker::encoded(std::u32string_view word) const {
    const std::string utf8 = EncodeUtf8(word);
    return encoding_.empty() ? std::optional<std::string>(utf8) : convert("UTF-8", encoding_, utf8);
}

SpellChecker::~SpellChecker() = default;

void SpellChecker::readPersonalWords() {
    if (!fs_.info(wordFile_).isRegular)
        return;
    const Result<std::string> read = fs_.readFile(wordFile_, MaxWordFile);
    if (!read)
        return;
    std::string_view rest = *read;
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        std::string_view line = rest.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (std::u32string word = DecodeUtf8(line); !word.empty() && !personal_.count(word))
            teach(word);
        rest = rest.substr(std::min(end + 1, rest.size()));
    }
}

void SpellChecker::teach(const std::u32string& word) {
    personal_.insert(word);
    // The dictionary knows it too, so that it also takes it capitalised.
    if (const std::optional<std::string> inDictionary = encoded(word))
        dictionary_->add(*inDictionary);
}

bool SpellChecker::lookUp(std::u32string_view word) {
    if (personal_.count(std::u32string(word)))
        return true;
    const std::optional<std::string> inDictionary = encoded(word);
    // A letter the dictionary's encoding lacks is in none of its words.
    return inDictionary && dictionary_->spell(*inDictionary);
}

bool SpellChecker::known(std::u32string_view word) {
    const auto cached = cache_.find(std::u32string(word));
    if (cached != cache_.end())
        return cached->second;
    bool isKnown = lookUp(word);
    if (!isKnown && std::any_of(word.begin(), word.end(), IsApostrophe)) {
        // An elided article or pronoun ("l'", "dell'") and the word after it, each on its own:
        // the dictionaries know elided forms apart, not every word joined to them.
        const std::vector<std::u32string_view> pieces = ElisionPieces(word);
        isKnown = std::all_of(pieces.begin(), pieces.end(), [this](std::u32string_view piece) {
            return piece.empty() || lookUp(piece) ||
                   (IsApostrophe(piece.back()) && lookUp(piece.substr(0, piece.size() - 1)));
        });
    }
    cache_.emplace(word, isKnown);
    return isKnown;
}

std::vector<MisspelledWord> SpellChecker::unknownWords(std::u32string_view text,
                                                       std::u32string_view source) {
    std::set<std::u32string_view> names;
    for (const WordSpan& span : SplitWords(source))
        names.insert(source.substr(span.start, span.length));
    std::vector<MisspelledWord> unknown;
    for (const WordSpan& span : SplitWords(text)) {
        const std::u32string_view word = text.substr(span.start, span.length);
        if (!names.count(word) && !known(word))
            unknown.push_back({span.start, span.length});
    }
    return unknown;
}

std::vector<std::string> SpellChecker::suggestions(std::u32string_view word) {
    const std::optional<std::string> inDictionary = encoded(word);
    if (!inDictionary)
        return {};
    if (encoding_.empty())
        return dictionary_->suggest(*inDictionary);
    std::vector<std::string> found;
    for (const std::string& suggestion : dictionary_->suggest(*inDictionary))
        if (std::optional<std::string> back = convert(encoding_, "UTF-8", suggestion))
            found.push_back(std::move(*back));
    return found;
}

Status SpellChecker::addWord(std::u32string_view word) {
    if (word.empty())
        return {};
    // Words another editor added since this one read the list are kept too.
    readPersonalWords();
    teach(std::u32string(word));
    cache_.clear();
    std::string list;
    for (const std::u32string& kept : personal_)
        list += EncodeUtf8(kept) + "\n";
    Status written = fs_.makeFolders(folderOf(wordFile_));
    if (written)
        written = WriteFileSafely(fs_, wordFile_, list);
    if (!written)
        return Status::failure(written.kind(),
                               "the word is known until the editor closes, but the list of "
                               "added words could not be written: " +
                                   written.message());
    return written;
}

std::function<bool(std::string_view target, std::string_view source)>
HasUnknownWords(SpellChecker& checker, const LetterTable& letters) {
    return [&checker, &letters](std::string_view target, std::string_view source) {
        return !target.empty() &&
               !checker.unknownWords(ToLetters(letters, target), ToLetters(letters, source))
                    .empty();
    };
}

} // namespace zyn
