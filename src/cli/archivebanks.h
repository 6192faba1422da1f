#pragma once

// The dialogue banks of one language of a text archive, each with the same bank of another
// language: what "po export --from --to" and "check --from --to" work through.

#include "base/result.h"
#include "cli/characteroptions.h"
#include "cli/command.h"
#include "document/textdocument.h"
#include "flows/bankpairs.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace zyn::cli {

struct CommandState;

extern const OptionSpec FromOption, ToOption;

// "--from LANG" and "--to LANG" as language blocks of the game's archive, -1 for both when
// neither is given; a usage message when one is missing, malformed or not a language of the
// archive.
std::string languagesOf(const ParsedArguments& args, bool isVersion2, int& from, int& to);

// The state for reading items of a whole archive: the letters, its index and its names; a
// message when it cannot be read.
std::string openArchive(CommandState& state, const CharacterOptions& characters,
                        const std::string& archive, bool isVersion2);

// DialogueBanks of the archive opened in state.
std::vector<BankPair> dialogueBanks(const CommandState& state, bool isVersion2, int from, int to);

// "text.hqr: the archive has no DE banks; it holds EN, FR" when one of languages has no
// dialogue bank holding data in the archive opened in state; "" when each has.
std::string absentLanguage(const CommandState& state, const std::string& archive, bool isVersion2,
                           std::initializer_list<int> languages);

// Item `item` of the archive opened in state, read as the editor's Open from HQR reads it, from
// the bytes its index holds.
Result<std::unique_ptr<TextDocument>> loadItem(CommandState& state, const std::string& archive,
                                               int item, bool isVersion2);

// The two banks of a pair, read as loadItem reads them (LoadBankPair).
Result<LoadedPair> loadBankPair(CommandState& state, const std::string& archive,
                                const BankPair& pair, bool isVersion2);

} // namespace zyn::cli
