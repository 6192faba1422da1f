#pragma once

// Saving the document into an archive item: the text data is built as File Save builds it,
// put into the index as a stored item, and the archive is rebuilt.

#include "archive/archiveindex.h"
#include "base/filesystem.h"
#include "base/result.h"
#include "characters/charactertables.h"
#include "document/textdocument.h"

#include <string>

namespace zyn {

// Writes the document into item `item` (counted from 0) of the archive at archivePath, using
// its index in memory, and rebuilds the archive. On failure the archive file is as it was and
// the message names it; the document is not changed.
Status SaveIntoArchive(const TextDocument& doc, const CharacterTables& tables, FileSystem& fs,
                       const std::string& archivePath, ArchiveIndex& index, int item);

} // namespace zyn
