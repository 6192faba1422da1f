#pragma once

// The translation project's file: text that merges with git. The first line names the format
// and its version; header lines "key: value" follow, up to a blank line; then one line per
// entry record, sorted by bank and entry, so that two people's changes to different entries
// touch different lines:
//
//   zyntext translation project 1
//   archive: ../game/TEXT.HQR
//   game: 2
//   source: EN
//   target: FR
//   memory: ../po/fr-old.po
//   glossary: glossary.tbx
//
//   FR_012.DIA 1 translated 8f3a09c2
//   FR_012.DIA 4 needs-review 11d0aa37 Check the name with the team.\nSee bank 14.
//
// An entry line holds the bank (an item's list name: no blank, no colon), the entry as the
// editor numbers it (from 1), the state, the source's hash and the note, if any, as the rest of
// the line: a backslash, a line break, a carriage return, a tab and every other control
// character are escaped ("\\", "\n", "\r", "\t", "\x01"), and a blank at the end is written
// "\s" so that no editor's trimming drops it.

#include "base/result.h"
#include "project/translationproject.h"

#include <string>
#include <string_view>
#include <vector>

namespace zyn {

inline constexpr std::string_view ProjectFormatLine = "zyntext translation project 1";

struct ProjectProblem {
    int line = 0; // counted from 1; 0 for what the file lacks
    std::string message;
};

struct ParsedProject {
    TranslationProject project;
    // Lines that could not be read, each skipped; the rest of the file is read.
    std::vector<ProjectProblem> problems;
};

std::string FormatProject(const TranslationProject& project);

// Fails only when the first line is not the format's; a later version's first line is refused
// with a message saying so, not read as this one.
Result<ParsedProject> ParseProject(std::string_view text);

// A bank name an entry line can hold: no blank, no control character, no colon.
bool IsProjectBankName(std::string_view name);

std::string EscapeNote(std::string_view note);
// Fails (nothing) on an escape it does not know or a backslash at the end.
std::optional<std::string> UnescapeNote(std::string_view text);

} // namespace zyn
