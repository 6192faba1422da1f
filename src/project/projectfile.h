#pragma once

// The translation project on disk: read whole with every line it could not take named, written
// through the safe writer, and the archive it names found relative to the project file.

#include "base/filesystem.h"
#include "base/result.h"
#include "project/projectformat.h"

#include <string>

namespace zyn {

// A project file is text of one line per entry: 32 MB holds several whole languages.
inline constexpr std::uint64_t MostProjectBytes = 32u << 20;

// The project at path. The failure is a file that cannot be read or is no project; a file
// with bad lines is read, each bad line skipped and named among the problems.
Result<ParsedProject> ReadProjectFile(FileSystem& fs, const std::string& path);

Status WriteProjectFile(FileSystem& fs, const std::string& path, const TranslationProject& project);

enum class ArchivePlace {
    Found,
    Missing,  // nothing is where the project says: the editor asks where it went
    NotAFile, // a folder or a device stands there
};

struct ArchiveLocation {
    std::string path; // the archive's path as the program opens it
    ArchivePlace place = ArchivePlace::Missing;
};

// The bank a project keeps the records of an archive's item under: its name in the item list
// ("FR_012.DIA"), or "ITEM_033" for an item whose list name a project line cannot hold (the
// list names a bank missing from a demo in words).
std::string ProjectBankName(bool isVersion2, int item);

// Where the archive of the project at projectPath is, and whether it is there.
ArchiveLocation LocateArchive(FileSystem& fs, const std::string& projectPath,
                              const TranslationProject& project);

// A path as the project file holds it: relative to the project file's folder where the two
// share a root, '/' between names. For the archive when it moved, and for the memory sources.
std::string ProjectRelativePath(const std::string& projectPath, const std::string& path);
// The reverse: a path the project holds as the program opens it.
std::string ResolveProjectPath(const std::string& projectPath, const std::string& stored);

} // namespace zyn
