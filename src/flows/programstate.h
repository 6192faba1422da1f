#pragma once

// Everything the program keeps for the whole run, in one object: the text document, the archive
// index and the values of the archive flows, the character tables, the files opened last, and
// the file system all of them read and write through. The application owns one; every test builds
// its own.

#include "archive/archiveflow.h"
#include "archive/archiveindex.h"
#include "base/filesystem.h"
#include "base/lockwait.h"
#include "base/workingfolder.h"
#include "characters/charactertables.h"
#include "document/textdocument.h"

#include <vector>

namespace zyn {

struct ProgramState {
    TextDocument Document;
    // The document shown beside it for comparison, read-only; no entries while none is chosen.
    TextDocument Reference;
    // The index of the archive the document came from or was last saved into.
    ArchiveIndex Archive;
    ArchiveFlow Flow;
    CharacterTables Characters;
    // Where the documents opened last came from, newest first (File > Recent files).
    std::vector<DocumentOrigin> RecentFiles;
    FileSystem* Files = &realFileSystem();
    WorkingFolder Work;
    // How long a save waits while another program rebuilds its archive: a few seconds, so
    // that the editor answers; the window keeps painting meanwhile.
    LockWait ArchiveWait{std::chrono::seconds(5), std::chrono::seconds(5), {}, {}};

    FileSystem& files() { return *Files; }
};

} // namespace zyn
