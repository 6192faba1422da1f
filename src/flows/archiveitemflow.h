#pragma once

// The steps of the item dialog's Load and Save that need no window: taking item ArchiveItem of
// ArchivePath into the document, and writing the document into that item.

#include "base/expanddata.h"
#include "base/result.h"

#include <cstdint>
#include <string>

namespace zyn {

struct ProgramState;

// The list text of an item: ItemNames of the item, or "item N" beyond the named ones.
std::string ArchiveItemName(const ProgramState& state, int item);

// Loads item ArchiveItem of the archive ArchivePath into the document: the item is extracted
// to the working folder under its name, tested for a header and its mode, expanded into the
// working ".TMP" copy when compressed (progress follows the expansion), read as a ZYN 2 text
// when ArchiveIsVersion2, and adopted with FromArchive true. Both working files are removed
// whatever happens. A blank item, an item beyond the archive, a mode of 3 or more
// (ErrorKind::Unsupported, the same message as File Open) or any other failure leaves the
// document as it was.
Status LoadArchiveItem(ProgramState& state, const ProgressFn& progress = {});

// The main window's title after a Load: BaseCaption + " - (" + ArchivePath + "; " + name + ")"
// + " - ZYN 1" or " - ZYN 2".
std::string ArchiveWindowTitle(const ProgramState& state, const std::string& name);

// The dialog's Save: writes the document into item ArchiveItem whether or not it is modified.
// On success Modified is false, the texts read as they were stored, and the document belongs
// to that item (FromArchive true), so a later File Save writes the archive, never a loose file
// over it. On failure nothing changes.
Status SaveToArchiveItem(ProgramState& state);

} // namespace zyn
