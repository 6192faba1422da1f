#pragma once

// "--charset NAME" and "--remap TABLE": how the commands that read or write texts (dump, build,
// diff) show them, the way the editor shows them with a character set and a remapping table.

#include "cli/command.h"

#include <string>

namespace zyn {
struct CharacterSet;
struct TextSource;
} // namespace zyn

namespace zyn::cli {

struct CommandState;

struct CharacterOptions {
    const CharacterSet* charset = nullptr; // none: the lossless U+00nn form
    std::string remap;                     // remapping table, "" for none
};

extern const OptionSpec CharsetOption, RemapOption;
// How --help describes them.
extern const HelpItem CharsetHelp, RemapHelp;

// "--charset NAME" from args, leaving set as it was when absent; a usage message when it is
// malformed.
std::string charsetOf(const ParsedArguments& args, const CharacterSet*& set);
// Both options from args; a usage message when one is malformed.
std::string characterOptionsOf(const ParsedArguments& args, CharacterOptions& out);

// Loads the remapping table into state and makes the character set the one texts are read and
// written in. Returns a message when the table cannot be loaded.
std::string applyCharacterOptions(const CharacterOptions& options, CommandState& state);

// Reads the text file or archive item (ARCHIVE:N) name into state's document, after applying
// options to state; named, when given, gets the name as read. A message when either fails;
// wrongName is then set when the name is at fault (an item the archive does not have, an
// archive as "-"), which is wrong usage (exit 2).
std::string loadNamedText(CommandState& state, const CharacterOptions& options,
                          const std::string& name, bool isVersion2, TextSource* named = nullptr,
                          bool* wrongName = nullptr);
// The same for a source already parsed.
std::string loadSource(CommandState& state, const CharacterOptions& options,
                       const TextSource& source, bool isVersion2, bool* wrongName = nullptr);

} // namespace zyn::cli
