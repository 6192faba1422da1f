#include "project/projectfile.h"

#include "archive/itemnames.h"
#include "base/safewriter.h"
#include "flows/archiveitemflow.h"

#include <filesystem>

namespace zyn {

Result<ParsedProject> ReadProjectFile(FileSystem& fs, const std::string& path) {
    Result<std::string> text = fs.readFile(path, MostProjectBytes);
    if (!text)
        return text.status();
    Result<ParsedProject> parsed = ParseProject(*text);
    if (!parsed)
        return Result<ParsedProject>::failure(parsed.kind(),
                                              "The file " + path + " " + parsed.message());
    return parsed;
}

Status WriteProjectFile(FileSystem& fs, const std::string& path,
                        const TranslationProject& project) {
    return WriteFileSafely(fs, path, FormatProject(project));
}

namespace {

std::filesystem::path absoluteOf(const std::string& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return (error ? std::filesystem::path(path) : absolute).lexically_normal();
}

} // namespace

std::string ResolveProjectPath(const std::string& projectPath, const std::string& stored) {
    const std::filesystem::path path(stored);
    if (path.is_absolute() || stored.empty())
        return stored;
    return (std::filesystem::path(folderOf(projectPath)) / path).lexically_normal().string();
}

std::string ProjectRelativePath(const std::string& projectPath, const std::string& path) {
    const std::filesystem::path folder = absoluteOf(projectPath).parent_path();
    const std::filesystem::path target = absoluteOf(path);
    const std::filesystem::path relative = target.lexically_relative(folder);
    if (relative.empty())
        return target.generic_string();
    return relative.generic_string();
}

std::string ProjectBankName(bool isVersion2, int item) {
    ArchiveFlow flow;
    NameTextArchiveItems(flow, isVersion2, false);
    if (std::string name = ArchiveItemName(flow, item); IsProjectBankName(name))
        return name;
    std::string number = std::to_string(item);
    return "ITEM_" + std::string(number.size() < 3 ? 3 - number.size() : 0, '0') + number;
}

ArchiveLocation LocateArchive(FileSystem& fs, const std::string& projectPath,
                              const TranslationProject& project) {
    ArchiveLocation location{ResolveProjectPath(projectPath, project.archive)};
    const FileInfo info = fs.info(location.path);
    location.place = !info.exists     ? ArchivePlace::Missing
                     : info.isRegular ? ArchivePlace::Found
                                      : ArchivePlace::NotAFile;
    if (project.archive.empty())
        location.place = ArchivePlace::Missing;
    return location;
}

} // namespace zyn
