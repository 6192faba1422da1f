#pragma once

// The one way the editor reads an archive item as a text: Open from HQR, Recent files, Find in
// Archive and Compare with all read through it, with the progress window up while a compressed
// item is expanded.

#include "archive/archiveflow.h"
#include "archive/archiveindex.h"
#include "base/result.h"
#include "document/textreader.h"

#include <string>

class QWidget;

namespace zyn {

class DocumentSession;

// Item item of the archive at archivePath, named name, as flow says its game is; index is the
// archive's as read and records the item as read now. frmDecomp, over parent, follows the
// expansion of a compressed item.
Result<LoadedText> ReadArchiveItemShowingProgress(DocumentSession& session, QWidget* parent,
                                                  const std::string& archivePath,
                                                  ArchiveIndex& index, int item,
                                                  const ArchiveFlow& flow);

// Reads the item as above and makes it the session's document, index (moved from) its archive's
// index and flow's game and item names the document's. On failure the document is as it was,
// index only records what was read, and the reason is returned for the caller to show.
Status OpenArchiveItem(DocumentSession& session, QWidget* parent, const std::string& archivePath,
                       ArchiveIndex& index, int item, const ArchiveFlow& flow);

} // namespace zyn
