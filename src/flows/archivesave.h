#pragma once

// Saving the document into an archive item: the text data is built as File Save builds it,
// put into the index as a stored item, and the archive is rebuilt.

#include "base/result.h"

namespace zyn {

struct ProgramState;

// Writes the document into item ArchiveItem (counted from 0) of the archive ArchivePath, using
// the index in memory, and rebuilds the archive. On failure the archive file is as it was and
// the message names it; the document is not changed.
Status SaveIntoArchive(ProgramState& state);

} // namespace zyn
