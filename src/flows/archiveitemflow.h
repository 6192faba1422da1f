#pragma once

// The steps of the item dialog's Load and Save that need no window: reading an item of an
// archive for the document, and writing the document into an item.

#include "archive/archiveflow.h"
#include "archive/archiveindex.h"
#include "base/expanddata.h"
#include "base/filesystem.h"
#include "base/result.h"
#include "base/workingfolder.h"
#include "characters/charactertables.h"
#include "document/textdocument.h"
#include "document/textreader.h"
#include "flows/archivesave.h"

#include <string>

namespace zyn {

// The list text of an item: ItemNames of the item, or "item N" beyond the named ones.
std::string ArchiveItemName(const ArchiveFlow& flow, int item);

// Takes the archive at archivePath, whose index is index, as a text archive: the game and demo
// from its first slot and its length, and the names of its items, all into flow. Fails, with
// flow as it was, for an archive of any other kind.
Status NameArchiveItems(FileSystem& fs, const std::string& archivePath, const ArchiveIndex& index,
                        ArchiveFlow& flow);

// Reads item `item` of the archive at archivePath, whose index is index: the item is extracted
// to the working folder under name (its entry in index is refreshed from the file), tested for
// a header and its mode, expanded into the working ".TMP" copy when compressed (progress
// follows the expansion), and read as a ZYN 2 text when isVersion2. Both working files are
// removed whatever happens. A blank item, an item beyond the archive, a mode of 3 or more
// (ErrorKind::Unsupported, the same message as File Open) or any other failure gives the
// reason.
Result<LoadedText> LoadArchiveItem(FileSystem& fs, WorkingFolder& work,
                                   const std::string& archivePath, ArchiveIndex& index, int item,
                                   const std::string& name, bool isVersion2,
                                   const ProgressFn& progress = {});

// Makes a text read by LoadArchiveItem the document: item `item` of archivePath (FromArchive,
// ArchivePath, ArchiveItem, and the archive's file name).
void AdoptArchiveItem(TextDocument& doc, LoadedText&& loaded, const std::string& archivePath,
                      int item);

// The main window's title after a Load: BaseCaption + " - (" + ArchivePath + "; " + name + ")"
// + " - ZYN 1" or " - ZYN 2".
std::string ArchiveWindowTitle(const TextDocument& doc, const std::string& name);

// The dialog's Save: writes the document into item `item` of archivePath as it is on disk now,
// whether or not the document is modified. index is the archive's as the dialog read it: the
// item must still hold what it held then, or itemOnDisk when given (what an itemChanged result
// found there and the user agreed to overwrite). On success Modified is false, the texts read
// as they were stored, index records the item as written, and the document belongs to that
// item (as AdoptArchiveItem leaves it), so a later File Save writes the archive, never a loose
// file over it. Otherwise nothing changes.
ArchiveSaveResult SaveToArchiveItem(TextDocument& doc, const CharacterTables& tables,
                                    FileSystem& fs, WorkingFolder& work,
                                    const std::string& archivePath, ArchiveIndex& index, int item,
                                    const LockWait& wait, const std::string* itemOnDisk = nullptr);

} // namespace zyn
