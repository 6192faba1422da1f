#include "cli/archivebanks.h"

#include "archive/itemnames.h"
#include "cli/commandstate.h"
#include "flows/pocatalog.h"

namespace zyn::cli {

const OptionSpec FromOption{"from", 0, "LANG"};
const OptionSpec ToOption{"to", 0, "LANG"};

std::string languagesOf(const ParsedArguments& args, bool isVersion2, int& from, int& to) {
    from = to = -1;
    const bool hasFrom = args.has(FromOption.name), hasTo = args.has(ToOption.name);
    if (!hasFrom && !hasTo)
        return {};
    if (!hasFrom || !hasTo)
        return "--from and --to go together, each with a language";
    from = PoLanguageBlock(args.value(FromOption.name));
    to = PoLanguageBlock(args.value(ToOption.name));
    const int languages = TextArchiveLanguages(isVersion2);
    if (from < 0 || to < 0 || from >= languages || to >= languages)
        return "--from and --to take a language of the archive: EN, FR, DE, SP, IT" +
               std::string(isVersion2 ? ", PO" : "");
    return {};
}

std::string openArchive(CommandState& state, const CharacterOptions& characters,
                        const std::string& archive, bool isVersion2) {
    if (std::string problem = applyCharacterOptions(characters, state); !problem.empty())
        return problem;
    if (Status read = ReadArchiveIndex(state.program.files(), archive, state.open.Archive); !read)
        return read.message();
    NameTextArchiveItems(state.open.Flow, isVersion2, false);
    return {};
}

std::vector<BankPair> dialogueBanks(const CommandState& state, bool isVersion2, int from, int to) {
    return DialogueBanks(state.open.Archive, isVersion2, from, to);
}

Result<std::unique_ptr<TextDocument>> loadItem(CommandState& state, const std::string& archive,
                                               int item, bool isVersion2) {
    // From the bytes the index holds: a read-only command writes nothing.
    return LoadIndexedDocument(state.program.files(), archive, state.open.Archive, state.open.Flow,
                               item, isVersion2);
}

Result<LoadedPair> loadBankPair(CommandState& state, const std::string& archive,
                                const BankPair& pair, bool isVersion2) {
    return LoadBankPair(state.program.files(), archive, state.open.Archive, state.open.Flow, pair,
                        isVersion2);
}

} // namespace zyn::cli

namespace zyn::cli {

std::string absentLanguage(const CommandState& state, const std::string& archive, bool isVersion2,
                           std::initializer_list<int> languages) {
    std::string held;
    for (int language = 0; language < TextArchiveLanguages(isVersion2); ++language)
        if (!dialogueBanks(state, isVersion2, language, language).empty())
            held += (held.empty() ? "" : ", ") + PoLanguagePrefix(language);
    for (const int language : languages)
        if (dialogueBanks(state, isVersion2, language, language).empty())
            return archive + ": the archive has no " + PoLanguagePrefix(language) +
                   " banks; it holds " + (held.empty() ? std::string("none") : held);
    return {};
}

} // namespace zyn::cli
