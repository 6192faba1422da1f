#include "cli/characteroptions.h"

#include "characters/charactersets.h"
#include "characters/remapping.h"
#include "flows/programstate.h"
#include "flows/textsource.h"

namespace zyn::cli {

std::string takeCharset(Arguments& args, const CharacterSet*& set) {
    const Option charset = takeOption(args, "--charset");
    if (charset.missingValue)
        return "--charset needs a character set; 'zyntext charsets' lists them";
    if (charset.found) {
        set = FindCharacterSet(charset.value);
        if (!set)
            return "unknown character set '" + charset.value + "'; 'zyntext charsets' lists them";
    }
    return {};
}

std::string takeCharacterOptions(Arguments& args, CharacterOptions& out) {
    if (std::string usage = takeCharset(args, out.charset); !usage.empty())
        return usage;
    const Option remap = takeOption(args, "--remap");
    if (remap.missingValue)
        return "--remap needs a file";
    out.remap = remap.value;
    return {};
}

std::string applyCharacterOptions(const CharacterOptions& options, ProgramState& state) {
    state.Characters.ShownCharacterSet = options.charset;
    if (options.remap.empty())
        return {};
    const Status loaded =
        LoadRemapping(state.Characters, state.files(), options.remap, IsSetFileName(options.remap));
    return loaded ? std::string() : loaded.message();
}

std::string loadNamedText(ProgramState& state, const CharacterOptions& options,
                          const std::string& name, bool isVersion2, TextSource* named) {
    if (const std::string problem = applyCharacterOptions(options, state); !problem.empty())
        return problem;
    auto source = ParseTextSource(state.files(), name);
    if (!source)
        return source.message();
    if (named)
        *named = *source;
    const Status loaded = LoadTextSource(state, *source, isVersion2);
    return loaded ? std::string() : loaded.message();
}

} // namespace zyn::cli
