#pragma once

// What the program keeps for the whole run, whatever document is open: the character tables and
// keyboard groups, the files opened last, the working folder, the archive lock's wait and the
// file system all of them read and write through. The application owns one; every test builds
// its own. What belongs to one document is an OpenDocument.

#include "base/filesystem.h"
#include "base/lockwait.h"
#include "base/workingfolder.h"
#include "characters/charactertables.h"
#include "document/textdocument.h"

#include <vector>

namespace zyn {

struct ProgramState {
    CharacterTables Characters;
    // Where the documents opened last came from, newest first (File > Recent files).
    std::vector<DocumentOrigin> RecentFiles;
    FileSystem* Files = &realFileSystem();
    WorkingFolder Work;
    // How long a save waits while another program rebuilds its archive: a few seconds, so
    // that the editor answers; the window keeps painting meanwhile.
    LockWait ArchiveWait{std::chrono::seconds(5), std::chrono::seconds(5), {}, {}};

    FileSystem& files() const { return *Files; }
};

} // namespace zyn
