#include "flows/pocatalog.h"

#include "characters/charactersets.h"
#include "characters/remapping.h"
#include "document/textwriter.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>

namespace zyn {

namespace {

constexpr const char* LanguageCodes[] = {"en", "fr", "de", "es", "it", "pt"};
constexpr const char* LanguagePrefixes[] = {"EN", "FR", "DE", "SP", "IT", "PO"};

// An entry's text as the translator reads it.
std::string shownText(const std::string& codes, const CharacterTables& tables) {
    return CodesToUtf8(tables.RemapLoaded ? RemapText(tables, codes) : codes,
                       tables.ShownCharacterSet);
}

bool beginsWithBreak(const std::string& text) {
    return !text.empty() && text.front() == '\n';
}
bool endsWithBreak(const std::string& text) {
    return !text.empty() && text.back() == '\n';
}

// Why gettext's checks would refuse the pair, or "" when they accept it.
std::string breakMismatch(const std::string& source, const std::string& translation) {
    if (translation.empty())
        return {};
    std::string why;
    if (beginsWithBreak(source) != beginsWithBreak(translation))
        why = beginsWithBreak(source) ? "the source begins with a line break and the translation "
                                        "does not"
                                      : "the translation begins with a line break and the source "
                                        "does not";
    if (endsWithBreak(source) != endsWithBreak(translation))
        why += std::string(why.empty() ? "" : "; ") +
               (endsWithBreak(source)
                    ? "the source ends with a line break and the translation does not"
                    : "the translation ends with a line break and the source does not");
    return why;
}

std::string escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
                char octal[8];
                std::snprintf(octal, sizeof octal, "\\%03o", static_cast<unsigned char>(c));
                out += octal;
            } else {
                out += c;
            }
        }
    }
    return out;
}

Status refused(const PoEntry& entry, const std::string& poName, const std::string& why) {
    const std::string where =
        entry.line > 0 ? poName + ":" + std::to_string(entry.line) + ": " : poName + ": ";
    return Status::failure(ErrorKind::Damaged, where + "the message with context \"" +
                                                   entry.context + "\" " + why +
                                                   "; nothing was written.");
}

// "12" or "41:12" as the item and the entry counted from 0; nullopt when it names neither.
bool parseContext(const std::string& context, int& item, int& entry) {
    auto number = [](std::string_view digits, int& value) {
        if (digits.empty() || digits.size() > 5)
            return false;
        value = 0;
        for (const char c : digits) {
            if (c < '0' || c > '9')
                return false;
            value = value * 10 + (c - '0');
        }
        return true;
    };
    const std::size_t colon = context.find(':');
    item = -1;
    if (colon != std::string::npos && !number(std::string_view(context).substr(0, colon), item))
        return false;
    const std::string_view tail = colon == std::string::npos
                                      ? std::string_view(context)
                                      : std::string_view(context).substr(colon + 1);
    if (!number(tail, entry) || entry < 1)
        return false;
    entry -= 1;
    return true;
}

} // namespace

std::string PoLanguageCode(int languageBlock) {
    return languageBlock >= 0 && languageBlock < 6 ? LanguageCodes[languageBlock] : "";
}

int PoLanguageBlock(const std::string& name) {
    std::string upper = name;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (int i = 0; i < 6; ++i) {
        std::string code = LanguageCodes[i];
        for (char& c : code)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (upper == LanguagePrefixes[i] || upper == code)
            return i;
    }
    return -1;
}

std::string PoContext(int item, int entry) {
    const std::string number = std::to_string(entry + 1);
    return item >= 0 ? std::to_string(item) + ":" + number : number;
}

std::string PoQuoted(const std::string& keyword, const std::string& text) {
    const std::size_t lastBreak = text.find('\n');
    if (lastBreak == std::string::npos || lastBreak + 1 == text.size())
        return keyword + " \"" + escaped(text) + "\"\n";
    std::string out = keyword + " \"\"\n";
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        out += "\"" + escaped(std::string_view(text).substr(start, end - start)) + "\"\n";
        start = end;
    }
    return out;
}

std::string WritePoCatalogue(const std::vector<PoBank>& banks, const CharacterTables& tables,
                             const std::string& language, const std::string& generator) {
    std::string out = "msgid \"\"\nmsgstr \"\"\n"
                      "\"Project-Id-Version: game texts\\n\"\n"
                      "\"Report-Msgid-Bugs-To: \\n\"\n"
                      "\"PO-Revision-Date: YEAR-MO-DA HO:MI+ZONE\\n\"\n"
                      "\"Last-Translator: \\n\"\n"
                      "\"Language-Team: \\n\"\n"
                      "\"Language: " +
                      language +
                      "\\n\"\n"
                      "\"MIME-Version: 1.0\\n\"\n"
                      "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
                      "\"Content-Transfer-Encoding: 8bit\\n\"\n"
                      "\"X-Generator: " +
                      escaped(generator) + "\\n\"\n";
    for (const PoBank& bank : banks) {
        const TextDocument& source = *bank.source;
        for (int i = 0; i < source.entryCount(); ++i) {
            const std::string text = shownText(source.EntryText[i], tables);
            std::string translation;
            if (bank.target && i < bank.target->entryCount()) {
                translation = shownText(bank.target->EntryText[i], tables);
                if (translation == text)
                    translation.clear();
            }
            out += '\n';
            const std::string why = breakMismatch(text, translation);
            if (!why.empty())
                out += "# Marked fuzzy on export: " + why + ".\n";
            if (source.IsVersion2)
                out += "#. type " + std::to_string(int{source.EntryType[i]}) + "\n";
            out += "#: " + bank.reference + ":" + std::to_string(i + 1) + "\n";
            if (!why.empty())
                out += "#, fuzzy\n";
            out += PoQuoted("msgctxt", PoContext(bank.item, i));
            out += PoQuoted("msgid", text);
            out += PoQuoted("msgstr", translation);
        }
    }
    return out;
}

Result<std::vector<PoOutcome>> ApplyPoEntries(const std::vector<PoEntry>& entries,
                                              std::vector<PoTarget>& targets,
                                              const CharacterTables& tables, bool takeFuzzy,
                                              const std::string& poName) {
    // Every change is made on copies first, so that one refusal leaves all targets untouched.
    std::vector<TextDocument> changed;
    changed.reserve(targets.size());
    for (const PoTarget& target : targets)
        changed.push_back(*target.document);
    std::vector<PoOutcome> outcomes;
    // The message that named each entry, by target and entry: a second one is ambiguous.
    std::map<std::pair<std::size_t, int>, const PoEntry*> named;
    for (const PoEntry& entry : entries) {
        if (entry.plural)
            return Status(refused(entry, poName, "has plural forms, which no entry has"));
        int item = -1, number = 0;
        std::size_t t = targets.size();
        if (parseContext(entry.context, item, number))
            for (t = 0; t < targets.size() && targets[t].item != item; ++t) {
            }
        if (t == targets.size() || number >= changed[t].entryCount())
            return Status(refused(entry, poName, "names no entry of the target"));
        if (const auto [earlier, first] = named.emplace(std::pair{t, number}, &entry); !first) {
            const PoEntry& other = *earlier->second;
            return Status(refused(
                entry, poName,
                "names the entry that the message with context \"" + other.context + "\"" +
                    (other.line > 0 ? " on line " + std::to_string(other.line) : std::string()) +
                    " names too"));
        }
        if (entry.translation.empty() || (entry.fuzzy && !takeFuzzy)) {
            outcomes.push_back(entry.translation.empty() ? PoOutcome::Untranslated
                                                         : PoOutcome::FuzzySkipped);
            continue;
        }
        LetterCodes codes = Utf8ToCodes(entry.translation, tables.ShownCharacterSet);
        if (codes.missing)
            return Status(refused(entry, poName,
                                  "holds the character " + DescribeLetter(*codes.missing) +
                                      ", which the character set cannot write"));
        std::string gameCodes = std::move(codes.codes);
        if (tables.RemapLoaded) {
            UnmappedText unmapped = UnmapText(tables, gameCodes);
            if (unmapped.missing)
                return Status(refused(entry, poName,
                                      "holds the character " +
                                          DescribeDisplayCode(tables, *unmapped.missing) +
                                          UnmappableReason(unmapped)));
            gameCodes = std::move(unmapped.text);
        }
        const auto slot = static_cast<std::size_t>(number);
        const bool same = !changed[t].DisplayForm[slot] && changed[t].EntryText[slot] == gameCodes;
        outcomes.push_back(same ? PoOutcome::Unchanged : PoOutcome::Changed);
        changed[t].EntryText[slot] = std::move(gameCodes);
        changed[t].DisplayForm[slot] = false;
    }
    for (std::size_t t = 0; t < targets.size(); ++t)
        if (auto data = BuildTextData(changed[t]); !data)
            return Status::failure(ErrorKind::Damaged,
                                   poName + ": the translations" +
                                       (targets[t].item >= 0
                                            ? " of item " + std::to_string(targets[t].item)
                                            : std::string()) +
                                       " would pass the 32 767 bytes a text file holds; nothing "
                                       "was written.");
    for (std::size_t t = 0; t < targets.size(); ++t)
        *targets[t].document = std::move(changed[t]);
    return outcomes;
}

} // namespace zyn
