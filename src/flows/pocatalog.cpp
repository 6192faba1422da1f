#include "flows/pocatalog.h"

#include "base/filesystem.h"
#include "characters/charactersets.h"
#include "characters/normalization.h"
#include "characters/remapping.h"
#include "characters/utf8.h"
#include "characters/visibletext.h"
#include "document/entrytypes.h"
#include "document/textwriter.h"
#include "document/translationcheck.h"
#include "document/untranslated.h"

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

// Why gettext's checks would refuse the pair, or "" when they accept it.
std::string breakMismatch(const std::string& source, const std::string& translation) {
    std::string why;
    for (const std::string& difference : EdgeDifferences(source, translation, false))
        why += (why.empty() ? "" : "; ") + difference;
    return why;
}

// The lines export writes itself among the translator comments.
constexpr std::string_view FuzzyOnExport = "# Marked fuzzy on export: ";
constexpr std::string_view FromMemory = "# From the translation memory: ";

// A note as translator comments: "# " and a line for each of its lines, "#" for an empty one.
std::string noteComments(std::string_view note) {
    std::string out;
    if (note.empty())
        return out;
    for (std::size_t start = 0;;) {
        const std::size_t end = note.find_first_of("\r\n", start);
        const std::string_view line = note.substr(start, end - start);
        out += line.empty() ? "#\n" : "# " + std::string(line) + "\n";
        if (end == std::string_view::npos)
            break;
        start = end + (note.substr(end, 2) == "\r\n" ? 2 : 1);
    }
    return out;
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

// The same text, written in other code points maybe (composed or not).
bool sameText(const std::string& a, const std::string& b) {
    return a == b || ToNfc(DecodeUtf8(a)) == ToNfc(DecodeUtf8(b));
}

// Every character of text the set has no code for, each once, described for a person.
std::string missingLetters(const std::string& text, const CharacterSet* set,
                           const Substitutions* substitutions, int& count) {
    std::string described;
    // Composed first: the character named missing is the composed one. Without a set the
    // characters are codes, and nothing composes.
    std::u32string letters = set ? ToNfc(DecodeUtf8(text)) : DecodeUtf8(text);
    for (count = 0;; ++count) {
        const LetterCodes codes = Utf8ToCodes(EncodeUtf8(letters), set, substitutions);
        if (!codes.missing)
            break;
        described += (described.empty() ? "" : ", ") + DescribeLetter(*codes.missing);
        // A character named that the text does not hold as it is would be named forever.
        if (std::erase(letters, *codes.missing) == 0) {
            ++count;
            break;
        }
    }
    return described;
}

// The game codes of a translation, or nothing after telling problem every character that
// cannot be written; replaced gets the stand-ins written.
template <typename Problem>
std::optional<std::string> writable(const std::string& translation, const CharacterTables& tables,
                                    const Substitutions* substitutions, Problem& problem,
                                    std::vector<Replacement>& replaced) {
    LetterCodes codes = Utf8ToCodes(translation, tables.ShownCharacterSet, substitutions);
    if (codes.missing) {
        int count = 0;
        const std::string letters =
            missingLetters(translation, tables.ShownCharacterSet, substitutions, count);
        problem(std::string(count == 1 ? "holds the character " : "holds the characters ") +
                letters + ", which the character set cannot write");
        return std::nullopt;
    }
    replaced = std::move(codes.replaced);
    if (!tables.RemapLoaded)
        return std::move(codes.codes);
    UnmappedText unmapped = UnmapText(tables, codes.codes);
    if (unmapped.missing) {
        problem("holds the character " + DescribeDisplayCode(tables, *unmapped.missing) +
                UnmappableReason(unmapped));
        return std::nullopt;
    }
    return std::move(unmapped.text);
}

// Whether a reference as written names the target or source named key ("text.hqr:39",
// "fr.dia"): with the entry's number after it, or alone as msgcat --add-location=file writes it.
bool referenceNames(std::string_view reference, const std::string& key) {
    const std::string written = PoReferenceKey(reference);
    if (written == key)
        return true;
    const std::size_t colon = written.rfind(':');
    return colon != std::string::npos && colon + 1 < written.size() &&
           written.find_first_not_of("0123456789", colon + 1) == std::string::npos &&
           std::string_view(written).substr(0, colon) == key;
}

// Why a translation that a tool left in place of one is refused, or "" when it is none.
std::string leftoverReason(const std::string& translation) {
    const ToolLeftover left = FindToolLeftover(translation);
    const std::string line = "(\"" + std::string(left.line) + "\")";
    switch (left.kind) {
    case LeftoverKind::PoHeader:
        return "the translation holds a PO header's fields " + line +
               ", not a text of the game; empty this msgstr";
    case LeftoverKind::ConflictBlock:
        return "the translation holds a conflict block of msgcat " + line +
               "; keep one of its translations and remove the marker lines";
    case LeftoverKind::None:
        break;
    }
    return {};
}

} // namespace

std::string PoLanguageCode(int languageBlock) {
    return languageBlock >= 0 && languageBlock < 6 ? LanguageCodes[languageBlock] : "";
}

std::string PoLanguagePrefix(int languageBlock) {
    return languageBlock >= 0 && languageBlock < 6 ? LanguagePrefixes[languageBlock] : "";
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

std::string PoDate(std::int64_t when, int offsetMinutes) {
    // Days to a civil date (proleptic Gregorian), so that no zone of the machine plays a part.
    const std::int64_t local = when + std::int64_t(offsetMinutes) * 60;
    std::int64_t days = local / 86400, seconds = local % 86400;
    if (seconds < 0) {
        seconds += 86400;
        --days;
    }
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shifted = (5 * dayOfYear + 2) / 153;
    const std::int64_t day = dayOfYear - (153 * shifted + 2) / 5 + 1;
    const std::int64_t month = shifted < 10 ? shifted + 3 : shifted - 9;
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    const int offset = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
    char text[64];
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld %02lld:%02lld%c%02d%02d",
                  static_cast<long long>(year), static_cast<long long>(month),
                  static_cast<long long>(day), static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds % 3600 / 60), offsetMinutes < 0 ? '-' : '+',
                  offset / 60, offset % 60);
    return text;
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

PoCatalogueText WritePoCatalogue(const std::vector<PoBank>& banks, const CharacterTables& tables,
                                 const PoHeader& header, const TranslationMemory* memory) {
    PoCatalogueText written;
    std::string& out = written.text;
    out = "msgid \"\"\nmsgstr \"\"\n"
          "\"Project-Id-Version: game texts\\n\"\n"
          "\"Report-Msgid-Bugs-To: \\n\"\n"
          "\"POT-Creation-Date: " +
          header.date +
          "\\n\"\n"
          "\"PO-Revision-Date: " +
          header.date +
          "\\n\"\n"
          "\"Last-Translator: \\n\"\n"
          "\"Language-Team: \\n\"\n"
          "\"Language: " +
          header.language +
          "\\n\"\n"
          "\"MIME-Version: 1.0\\n\"\n"
          "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
          "\"Content-Transfer-Encoding: 8bit\\n\"\n"
          "\"X-Generator: " +
          escaped(header.generator) + "\\n\"\n";
    // Import checks a file against what it was made from and for.
    if (!header.source.empty())
        out += "\"X-Source: " + escaped(header.source) + "\\n\"\n";
    if (!header.target.empty())
        out += "\"X-Target: " + escaped(header.target) + "\\n\"\n";
    if (!header.project.empty())
        out += "\"X-Project: " + escaped(header.project) + "\\n\"\n";
    for (const PoBank& bank : banks) {
        const TextDocument& source = *bank.source;
        for (int i = 0; i < source.entryCount(); ++i) {
            const std::string text = shownText(source.EntryText[i], tables);
            if (text.empty()) {
                ++written.emptySources;
                continue;
            }
            const PoMarks* marks = bank.marks && std::size_t(i) < bank.marks->size()
                                       ? &(*bank.marks)[std::size_t(i)]
                                       : nullptr;
            std::string translation;
            if (bank.target && i < bank.target->entryCount()) {
                const std::string& target = bank.target->EntryText[i];
                if (!IsUntranslatedText(source.EntryText[i], target) || (marks && marks->kept))
                    translation = shownText(target, tables);
            }
            // A translation already made of the same text, for the translator to review.
            std::string remembered;
            if (memory && translation.empty())
                if (const auto found = memory->exact(source.EntryText[i]); !found.empty()) {
                    translation = shownText(found.front().text, tables);
                    remembered = MemoryComment(found);
                }
            out += '\n';
            if (marks)
                out += noteComments(marks->note);
            const std::string why = breakMismatch(text, translation);
            if (!why.empty())
                out += std::string(FuzzyOnExport) + why + ".\n";
            out += remembered;
            if (marks && marks->reviewed)
                out += "#. " + std::string(PoReviewedComment) + "\n";
            if (source.IsVersion2) {
                const std::string name = EntryTypeName(source.EntryType[i]);
                out += "#. type " + std::to_string(int{source.EntryType[i]}) +
                       (name.empty() ? "" : ": " + name) + "\n";
            }
            out += "#: " + bank.reference + ":" + std::to_string(i + 1) + "\n";
            if (!why.empty() || !remembered.empty() || (marks && marks->fuzzy))
                out += "#, fuzzy\n";
            out += PoQuoted("msgctxt", PoContext(bank.item, i));
            out += PoQuoted("msgid", text);
            out += PoQuoted("msgstr", translation);
        }
    }
    return written;
}

std::string MemoryComment(const std::vector<Suggestion>& translations) {
    const MemoryPlace& where = translations.front().where;
    std::string line = std::string(FromMemory) + where.bank;
    if (where.entry >= 0)
        line += ", entry " + std::to_string(where.entry + 1);
    if (translations.size() > 1)
        line += "; the memory holds " + std::to_string(translations.size() - 1) + " other" +
                (translations.size() > 2 ? " translations" : " translation") + " of this text";
    return line + ".\n";
}

std::string PoNoteOf(const PoEntry& entry) {
    std::string note;
    bool first = true;
    for (std::size_t start = 0; start < entry.comments.size();) {
        std::size_t end = entry.comments.find('\n', start);
        if (end == std::string::npos)
            end = entry.comments.size();
        const std::string_view line = std::string_view(entry.comments).substr(start, end - start);
        start = end + 1;
        // The parser gives the line without "# ": export's own lines start so.
        if (line.starts_with(FuzzyOnExport.substr(2)) || line.starts_with(FromMemory.substr(2)))
            continue;
        note += (first ? "" : "\n") + std::string(line);
        first = false;
    }
    return note;
}

bool PoSaysReviewed(const PoEntry& entry) {
    for (std::size_t start = 0; start < entry.extractedComments.size();) {
        std::size_t end = entry.extractedComments.find('\n', start);
        if (end == std::string::npos)
            end = entry.extractedComments.size();
        if (std::string_view(entry.extractedComments).substr(start, end - start) ==
            PoReviewedComment)
            return true;
        start = end + 1;
    }
    return false;
}

bool PoFuzzyBySomeone(const PoEntry& entry) {
    return entry.fuzzy &&
           (entry.comments.find(FuzzyOnExport.substr(2)) != 0 &&
            entry.comments.find("\n" + std::string(FuzzyOnExport.substr(2))) == std::string::npos);
}

std::string PoReferenceKey(std::string_view name) {
    return std::string(fileNameOf(name));
}

PoApplied ApplyPoEntries(const std::vector<PoEntry>& entries, std::vector<PoTarget>& targets,
                         const CharacterTables& tables, const PoApplyOptions& options) {
    PoApplied applied;
    // Every change is made on copies first, so that a refusal leaves all targets untouched.
    std::vector<TextDocument> changed;
    changed.reserve(targets.size());
    for (const PoTarget& target : targets)
        changed.push_back(*target.document);
    // The message that named each entry, by target and entry: a second one is ambiguous.
    std::map<std::pair<std::size_t, int>, const PoEntry*> named;
    for (const PoEntry& entry : entries) {
        bool refused = false;
        const auto problem = [&](std::string reason, bool overridable = false) {
            PoProblem found{entry.context, entry.line, std::move(reason), overridable};
            if (overridable && options.force) {
                applied.overridden.push_back(std::move(found));
                return;
            }
            applied.refused.push_back(std::move(found));
            refused = true;
        };
        int item = -1, number = 0;
        std::size_t t = targets.size();
        if (parseContext(entry.context, item, number))
            for (t = 0; t < targets.size() && targets[t].item != item; ++t) {
            }
        if (entry.plural) {
            problem("has plural forms, which no entry has");
            continue;
        }
        if (t == targets.size() || number >= changed[t].entryCount()) {
            problem("names no entry of the target");
            continue;
        }
        if (const auto [earlier, first] = named.emplace(std::pair{t, number}, &entry); !first) {
            const PoEntry& other = *earlier->second;
            problem("names the entry that the message with context \"" + other.context + "\"" +
                    (other.line > 0 ? " on line " + std::to_string(other.line) : std::string()) +
                    " names too");
            continue;
        }
        // Refused even where fuzzy would skip it: skipped, it would pass unseen.
        if (const std::string why = leftoverReason(entry.translation); !why.empty()) {
            problem(why);
            continue;
        }
        const auto slot = static_cast<std::size_t>(number);
        PoPlace place{targets[t].item, number, false};
        if (entry.source.empty()) {
            applied.outcomes.push_back(PoOutcome::EmptySource);
            applied.places.push_back(place);
            continue;
        }
        // A message without msgstr: untranslated as gettext has it, whatever the bank holds.
        if (entry.translation.empty() || (entry.fuzzy && !options.takeFuzzy)) {
            applied.outcomes.push_back(entry.translation.empty() ? PoOutcome::Untranslated
                                                                 : PoOutcome::FuzzySkipped);
            // A fuzzy text not taken may be the one the entry holds: what a project's state
            // of the entry follows.
            place.holds =
                !entry.translation.empty() && !changed[t].DisplayForm[slot] &&
                sameText(shownText(changed[t].EntryText[slot], tables), entry.translation);
            applied.places.push_back(place);
            continue;
        }
        const PoTarget& target = targets[t];
        for (const std::string& reference : entry.references)
            if (!target.references.empty() &&
                std::none_of(
                    target.references.begin(), target.references.end(),
                    [&](const std::string& key) { return referenceNames(reference, key); }))
                problem("its reference names " + reference + ", not " + target.references[0] +
                            (target.references.size() > 1 ? " or " + target.references[1] : ""),
                        true);
        if (const std::string why = breakMismatch(entry.source, entry.translation); !why.empty())
            problem(why, true);
        std::vector<Replacement> replaced;
        std::optional<std::string> gameCodes =
            writable(entry.translation, tables, options.substitutions, problem, replaced);
        const std::string& held = changed[t].EntryText[slot];
        // An entry whose text is the translation already, in whatever form, keeps its bytes.
        const bool same =
            gameCodes && !changed[t].DisplayForm[slot] &&
            (held == *gameCodes ||
             (replaced.empty() && sameText(shownText(held, tables), entry.translation)));
        // Only a change can put a translation over the wrong text; an entry that holds it
        // already (a second import of one file) stays as it is.
        if (target.source && !same &&
            (number >= target.source->entryCount() ||
             !sameText(shownText(target.source->EntryText[slot], tables), entry.source)))
            problem("the source changed since the export; export again and merge", true);
        if (refused)
            continue;
        applied.outcomes.push_back(same ? PoOutcome::Unchanged : PoOutcome::Changed);
        place.holds = true;
        applied.places.push_back(place);
        if (!replaced.empty())
            applied.substituted.push_back(
                {entry.context, entry.line, DescribeReplacements(replaced), false});
        if (same)
            continue;
        changed[t].EntryText[slot] = std::move(*gameCodes);
        changed[t].DisplayForm[slot] = false;
    }
    for (std::size_t t = 0; t < targets.size(); ++t)
        if (auto data = BuildTextData(changed[t]); !data)
            applied.refused.push_back(
                {"", 0,
                 "the translations" +
                     (targets[t].item >= 0 ? " of item " + std::to_string(targets[t].item)
                                           : std::string()) +
                     " would pass the 32 767 bytes a text file holds"});
    if (applied.refused.empty())
        for (std::size_t t = 0; t < targets.size(); ++t)
            *targets[t].document = std::move(changed[t]);
    return applied;
}

std::vector<std::string> PoProblemLines(const std::vector<PoProblem>& problems, std::size_t limit) {
    std::vector<std::string> lines;
    for (const PoProblem& problem : problems) {
        if (lines.size() == limit) {
            lines.push_back("... and " + std::to_string(problems.size() - limit) + " more");
            break;
        }
        std::string where;
        if (!problem.context.empty())
            where = "context \"" + problem.context + "\"" +
                    (problem.line > 0 ? ", line " + std::to_string(problem.line) : "") + ": ";
        lines.push_back(VisibleText(where + problem.reason));
    }
    return lines;
}

} // namespace zyn
