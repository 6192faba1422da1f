#include "document/translationcheck.h"

#include "base/textlines.h"
#include "document/untranslated.h"

#include <algorithm>

namespace zyn {

namespace {

// The codes below 32 that are not line breaks: the games' control codes, kept in order; a lone
// CR or LF is one of them.
std::string controlCodes(std::string_view text) {
    std::string codes;
    for (const std::string_view line : TextLines(text))
        for (const char c : line)
            if (static_cast<unsigned char>(c) < 32)
                codes += c;
    return codes;
}

std::string numbers(std::string_view codes) {
    if (codes.empty())
        return "none";
    std::string out;
    for (const char c : codes)
        out += (out.empty() ? "" : " ") + std::to_string(static_cast<unsigned char>(c));
    return out;
}

bool isBreak(char c) {
    return c == '\r' || c == '\n';
}

// The fields gettext's tools write in a PO header: every one but the last is a word of PO's own,
// which no game's text says.
constexpr std::string_view HeaderFields[] = {"Project-Id-Version:",
                                             "Report-Msgid-Bugs-To:",
                                             "POT-Creation-Date:",
                                             "PO-Revision-Date:",
                                             "Last-Translator:",
                                             "Language-Team:",
                                             "MIME-Version:",
                                             "Content-Type:",
                                             "Content-Transfer-Encoding:",
                                             "Plural-Forms:",
                                             "X-Generator:",
                                             "X-Source:",
                                             "X-Target:",
                                             "Language:"};

constexpr std::string_view ConflictMark = "#-#-#-#-#";

} // namespace

ToolLeftover FindToolLeftover(std::string_view text) {
    std::string_view firstField;
    int fields = 0;
    bool distinctive = false;
    // The lines a PO tool wrote: any CR or LF ends one, whatever the game would show.
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = start;
        while (end < text.size() && !isBreak(text[end]))
            ++end;
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (line.size() > 2 * ConflictMark.size() && line.starts_with(ConflictMark) &&
            line.ends_with(ConflictMark))
            return {LeftoverKind::ConflictBlock, line};
        for (const std::string_view field : HeaderFields)
            if (line.starts_with(field)) {
                if (fields++ == 0)
                    firstField = line;
                distinctive = distinctive || field != "Language:";
                break;
            }
    }
    if (distinctive || fields > 1)
        return {LeftoverKind::PoHeader, firstField};
    return {};
}

std::vector<std::string> EdgeDifferences(std::string_view source, std::string_view translation,
                                         bool blanks) {
    std::vector<std::string> found;
    if (source.empty() || translation.empty())
        return found;
    const auto compare = [&](char inSource, char inTranslation, const char* end) {
        const auto differ = [&](auto is, const char* what) {
            if (is(inSource) == is(inTranslation))
                return;
            found.push_back(std::string(is(inSource) ? "the source " : "the translation ") + end +
                            " with " + what + " and the " +
                            (is(inSource) ? "translation" : "source") + " does not");
        };
        differ(isBreak, "a line break");
        if (blanks)
            differ([](char c) { return c == ' '; }, "a blank");
    };
    compare(source.front(), translation.front(), "begins");
    compare(source.back(), translation.back(), "ends");
    return found;
}

TranslationCheck CheckTranslation(const TextDocument& translation, const TextDocument& source,
                                  const TranslationCheckOptions& options) {
    TranslationCheck check;
    const int shared = std::min(translation.entryCount(), source.entryCount());
    for (int i = 0; i < source.entryCount(); ++i)
        check.entries += source.EntryText[std::size_t(i)].empty() ? 0 : 1;
    for (int i = 0; i < shared; ++i) {
        const std::string& text = translation.EntryText[std::size_t(i)];
        const std::string& original = source.EntryText[std::size_t(i)];
        const auto find = [&](const char* kind, std::string what, bool untranslated = false) {
            check.findings.push_back({i, std::move(what), untranslated, kind});
        };
        if (IsUntranslatedText(original, text)) {
            if (options.untranslated && !original.empty())
                find("untranslated",
                     text.empty() ? "empty, the source has" : "untranslated:", true);
            continue;
        }
        if (!original.empty())
            ++check.translated;
        if (const LeftoverKind left = FindToolLeftover(text).kind; left == LeftoverKind::PoHeader)
            find("po-header",
                 "the translation holds the fields of a PO header, not a text of the game");
        else if (left == LeftoverKind::ConflictBlock)
            find("conflict-block",
                 "the translation holds a conflict block of msgcat (\"#-#-#-#-#\" lines): keep one "
                 "of its translations");
        if (const std::string ours = controlCodes(text), theirs = controlCodes(original);
            ours != theirs)
            find("control-codes",
                 "control codes " + numbers(ours) + ", the source has " + numbers(theirs));
        for (std::string& edge : EdgeDifferences(original, text, true))
            find("edge", std::move(edge));
        if (const int lines = LineCount(text); options.maxLines > 0 && lines > options.maxLines)
            find("lines",
                 std::to_string(lines) + " lines, more than " + std::to_string(options.maxLines));
    }
    if (translation.entryCount() != source.entryCount())
        check.findings.push_back({shared,
                                  "the translation has " +
                                      std::to_string(translation.entryCount()) +
                                      " entries, the source " + std::to_string(source.entryCount()),
                                  false, "entries"});
    return check;
}

} // namespace zyn
