#include "cli/projectoption.h"

#include "archive/itemnames.h"
#include "flows/pocatalog.h"
#include "project/projectfile.h"

namespace zyn::cli {

const OptionSpec ProjectOption{"project", 0, "FILE"};

namespace {

std::string languagePair(int from, int to) {
    return PoLanguagePrefix(from) + " into " + PoLanguagePrefix(to);
}

} // namespace

std::string openProject(FileSystem& files, const std::string& path, const ProjectWork& work,
                        OpenedProject& out, bool& usage) {
    usage = false;
    out.path = path;
    auto read = ReadProjectFile(files, path);
    if (!read)
        return read.message();
    out.parsed = std::move(*read);
    const TranslationProject& project = out.project();
    usage = true;
    const std::string named = ProjectRelativePath(path, work.archive);
    if (project.archive != named)
        return "--project: " + path + " is the project of " +
               (project.archive.empty() ? std::string("no archive")
                                        : ResolveProjectPath(path, project.archive)) +
               ", not of " + work.archive;
    if (project.game != work.game)
        return "--project: " + path + " is a project of game " + std::to_string(project.game) +
               ", not of game " + std::to_string(work.game);
    if ((work.from >= 0 && project.sourceLanguage != work.from) ||
        (work.to >= 0 && project.targetLanguage != work.to))
        return "--project: " + path + " translates " +
               languagePair(project.sourceLanguage, project.targetLanguage) + ", not " +
               languagePair(work.from, work.to);
    usage = false;
    return {};
}

std::vector<std::string> projectProblemLines(const OpenedProject& opened, std::size_t limit) {
    std::vector<std::string> lines;
    const auto& problems = opened.parsed.problems;
    for (const ProjectProblem& problem : problems) {
        if (lines.size() == limit) {
            lines.push_back("... and " + std::to_string(problems.size() - limit) + " more");
            break;
        }
        lines.push_back(opened.path + ": " + problem.message);
    }
    return lines;
}

std::string bankOutsideProject(const OpenedProject& opened, bool isVersion2, int item) {
    const TranslationProject& project = opened.project();
    if (ItemLanguage(isVersion2, item) == project.targetLanguage)
        return {};
    return "--project: " + opened.path + " translates into " +
           PoLanguagePrefix(project.targetLanguage) + "; item " + std::to_string(item) +
           " is no bank of that language";
}

} // namespace zyn::cli
