#pragma once

// "--charset NAME" and "--remap TABLE": how the commands that read or write texts (dump, build,
// diff) show them, the way the editor shows them with a character set and a remapping table.

#include "cli/command.h"

#include <string>

namespace zyn {
struct CharacterSet;
struct ProgramState;
struct TextSource;
} // namespace zyn

namespace zyn::cli {

struct CharacterOptions {
    const CharacterSet* charset = nullptr; // none: the lossless U+00nn form
    std::string remap;                     // remapping table, "" for none
};

// Takes "--charset NAME" out of args, leaving set as it was when absent; returns a usage
// message when it is malformed.
std::string takeCharset(Arguments& args, const CharacterSet*& set);
// Takes both options out of args; returns a usage message when one is malformed.
std::string takeCharacterOptions(Arguments& args, CharacterOptions& out);

// Loads the remapping table into state and makes the character set the one texts are read and
// written in. Returns a message when the table cannot be loaded.
std::string applyCharacterOptions(const CharacterOptions& options, ProgramState& state);

// Reads the text file or archive item (ARCHIVE:N) name into state's document, after applying
// options to state; named, when given, gets the name as read. A message when either fails.
std::string loadNamedText(ProgramState& state, const CharacterOptions& options,
                          const std::string& name, bool isVersion2, TextSource* named = nullptr);

// The lines of "--help" that describe both options; a literal, so that it joins the literal
// of each command's help.
#define ZYN_CHARACTER_OPTIONS_HELP                                                                 \
    "  --charset NAME  texts in the letters of a character set of the editor's selector\n"         \
    "                  ('zyntext charsets' lists them), line breaks as \"\\n\"; without it\n"      \
    "                  each code is the character of the same number (U+0000 to U+00FF)\n"         \
    "                  and line breaks are \"\\r\\n\"\n"                                           \
    "  --remap TABLE   texts in display form, through a character remapping table: a\n"            \
    "                  \".cmp\" file or, when its name ends in \"set\", a \".set\" file\n"

} // namespace zyn::cli
