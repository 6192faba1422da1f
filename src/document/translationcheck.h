#pragma once

// A translation compared with its source entry by entry, for what translators most often
// break: the control codes of the source dropped or moved, a line break or blank added or lost
// at either end, lines past what the game shows, entries added or lost, and what translators'
// tools leave in place of a translation.

#include "document/textdocument.h"

#include <string>
#include <string_view>
#include <vector>

namespace zyn {

struct TranslationCheckOptions {
    int maxLines = 0;          // a translation of more lines is a finding; 0: no limit
    bool untranslated = false; // an entry still equal to its source is a finding
};

struct TranslationFinding {
    int entry = 0; // counted from 0
    std::string what;
    bool untranslated = false; // still equal to its source or empty; what ends before its text
    // What kind of fault: "control-codes", "edge" (a line break or blank at an end), "lines",
    // "entries" (their number), "untranslated"; others add their own.
    std::string kind;
};

struct TranslationCheck {
    std::vector<TranslationFinding> findings; // in the order of entries
    int translated = 0; // entries holding text in the source that the translation changed
    int entries = 0;    // entries holding text in the source
};

// What a PO tool can leave in a text in place of a translation: the fields of a PO header
// (msgmerge matches an empty msgid to the header), or the lines msgcat writes between two
// differing translations of one message.
enum class LeftoverKind { None, PoHeader, ConflictBlock };
struct ToolLeftover {
    LeftoverKind kind = LeftoverKind::None;
    std::string_view line; // the first line that shows it, in the text given
};

// The leftover in text (UTF-8 or game codes: the marks are ASCII; lines end at CR or LF). A PO
// header's field is a line "Name: ..." for a field of gettext's header; "Language:" alone is
// taken for a game's text, as a menu may say it, so it counts only beside another field. A
// conflict block's line is "#-#-#-#-#  a.po (...)  #-#-#-#-#".
ToolLeftover FindToolLeftover(std::string_view text);

// Every finding of translation against source.
TranslationCheck CheckTranslation(const TextDocument& translation, const TextDocument& source,
                                  const TranslationCheckOptions& options);

// How translation differs from source in a line break at its start or end (CR or LF), and
// also in a blank there when blanks is set, as sentences ("the translation ends with a line
// break and the source does not"); none when both are alike there or one of them is empty.
std::vector<std::string> EdgeDifferences(std::string_view source, std::string_view translation,
                                         bool blanks);

} // namespace zyn
