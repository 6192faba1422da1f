#include "cli/archivebanks.h"

#include "archive/itemnames.h"
#include "flows/pocatalog.h"
#include "flows/programstate.h"

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

std::string openArchive(ProgramState& state, const CharacterOptions& characters,
                        const std::string& archive, bool isVersion2) {
    if (std::string problem = applyCharacterOptions(characters, state); !problem.empty())
        return problem;
    if (Status read = ReadArchiveIndex(state.files(), archive, state.Archive); !read)
        return read.message();
    NameTextArchiveItems(state.Flow, isVersion2, false);
    return {};
}

std::vector<BankPair> dialogueBanks(const ProgramState& state, bool isVersion2, int from, int to) {
    return DialogueBanks(state.Archive, isVersion2, from, to);
}

Result<std::unique_ptr<TextDocument>> loadItem(ProgramState& state, const std::string& archive,
                                               int item, bool isVersion2) {
    // From the bytes the index holds: a read-only command writes nothing.
    return LoadIndexedDocument(state.files(), archive, state.Archive, state.Flow, item, isVersion2);
}

Result<LoadedPair> loadBankPair(ProgramState& state, const std::string& archive,
                                const BankPair& pair, bool isVersion2) {
    return LoadBankPair(state.files(), archive, state.Archive, state.Flow, pair, isVersion2);
}

} // namespace zyn::cli

namespace zyn::cli {

std::string absentLanguage(const ProgramState& state, const std::string& archive, bool isVersion2,
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
