#pragma once

// The steps of the item dialog's Load that need no window: the archive's items named, and an
// item read for the document. Saving into an item is WriteDocument's (flows/filesave.h).

#include "archive/archiveflow.h"
#include "archive/archiveindex.h"
#include "base/expanddata.h"
#include "base/filesystem.h"
#include "base/result.h"
#include "document/textdocument.h"
#include "document/textreader.h"

#include <string>

namespace zyn {

// The list text of an item: ItemNames of the item, or "item N" beyond the named ones.
std::string ArchiveItemName(const ArchiveFlow& flow, int item);

// Takes the archive at archivePath, whose index is index, as a text archive: the game and demo
// from its first slot and its length, and the names of its items, all into flow. Fails, with
// flow as it was, for an archive of any other kind.
Status NameArchiveItems(FileSystem& fs, const std::string& archivePath, const ArchiveIndex& index,
                        ArchiveFlow& flow);

// Reads item `item` as a text from the bytes index holds (the archive at archivePath as it was
// read), as a ZYN 2 text when isVersion2: tested for a header and its mode, and expanded in
// memory when compressed (progress follows the expansion). Nothing is written. A blank item,
// an item beyond the archive, a mode of 3 or more (ErrorKind::Unsupported, the same message as
// File Open) or a text that does not read gives the reason.
Result<LoadedText> ReadIndexedItem(FileSystem& fs, const std::string& archivePath,
                                   const ArchiveIndex& index, int item, const std::string& name,
                                   bool isVersion2, const ProgressFn& progress = {});

// Reads item `item` of the archive at archivePath as it is on disk now: its entry in index is
// refreshed from the file (the table read again), then read as ReadIndexedItem reads it. The
// archive is only read: no working file is made.
Result<LoadedText> LoadArchiveItem(FileSystem& fs, const std::string& archivePath,
                                   ArchiveIndex& index, int item, const std::string& name,
                                   bool isVersion2, const ProgressFn& progress = {});

// Reads the text at origin without a question: a loose file (expanded when compressed) or an
// archive item, as a ZYN 2 text when isVersion2.
Result<LoadedText> ReadTextAt(FileSystem& fs, const DocumentOrigin& origin, bool isVersion2);

} // namespace zyn
