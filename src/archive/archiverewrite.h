#pragma once

// Rebuilding an archive from the index in memory, after one item has been replaced in it.

#include "archive/archiveindex.h"
#include "base/filesystem.h"
#include "base/result.h"

#include <string>
#include <string_view>

namespace zyn {

// The backup of the archive at path, beside it: its file name up to the name's first "."
// followed by ".~$R", or the name + ".~$R" when it has no ".". A "." in a folder name does not
// count. C:/GAME/TEXT.HQR gives C:/GAME/TEXT.~$R.
std::string BackupName(const std::string& path);

// Puts content into item k of the index as a stored item: mode 0, ten zero bytes (the header is
// written afresh by the rebuild) followed by the content. ItemOffset keeps the value read.
void ReplaceItem(ArchiveIndex& index, int k, std::string_view content);

// The archive the index describes, as bytes: a table of LastItem + 2 slots, then every item in
// item-number order. Blank items (empty ItemData) get slot 0 and no bytes; an item that has the
// offset and the bytes of an earlier item shares that item's new offset; compressed items are
// copied whole; stored items get a fresh header whose two sizes are their data length. The
// closing slot holds the archive's length. Fails when the archive would not fit 32-bit offsets.
Result<std::string> BuildArchive(const ArchiveIndex& index);

// Keeps the archive at path (or the file its links lead to) in its backup, then replaces it
// with the archive the index describes through the safe writer. A read-only archive, or one
// that is not a plain file, is refused before anything is written. On failure (message naming
// the archive) the archive is as it was; the backup, when it was made, holds it too.
Status RewriteArchive(FileSystem& fs, const ArchiveIndex& index, const std::string& path);

} // namespace zyn
