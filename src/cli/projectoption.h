#pragma once

// "--project FILE": the translation project whose states and notes po export writes, po import
// records and check counts by. Its archive, game and languages must be those the command works
// on, so that each bank's records are the ones the project keeps for it.

#include "cli/command.h"
#include "project/projectformat.h"

#include <string>
#include <vector>

namespace zyn::cli {

extern const OptionSpec ProjectOption;

struct OpenedProject {
    std::string path; // as given
    ParsedProject parsed;

    TranslationProject& project() { return parsed.project; }
    const TranslationProject& project() const { return parsed.project; }
};

// The archive the command names and the languages it works in, checked against the project.
struct ProjectWork {
    std::string archive;
    int game = 0;
    int from = -1, to = -1; // language blocks; -1: not checked
};

// Reads the project at path and checks that work is its: "" when it is, else what is wrong;
// usage is set when the command's names disagree with the project (wrong usage, exit 2) rather
// than the file being unreadable.
std::string openProject(FileSystem& files, const std::string& path, const ProjectWork& work,
                        OpenedProject& out, bool& usage);

// "" when item is a bank of the project's target language, else a usage message.
std::string bankOutsideProject(const OpenedProject& opened, bool isVersion2, int item);

// The lines of the file it could not read, each "fr.zyp: Line 12 ...", at most limit and a
// count of the rest.
std::vector<std::string> projectProblemLines(const OpenedProject& opened, std::size_t limit);

} // namespace zyn::cli
