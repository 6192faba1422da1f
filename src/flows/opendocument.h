#pragma once

// What belongs to one open document: the text, the reference shown beside it, the index of the
// archive it came from and the values of the archive flows that opened it. A document session
// owns one; the program-wide part (ProgramState) is shared by every session.

#include "archive/archiveflow.h"
#include "archive/archiveindex.h"
#include "document/textdocument.h"

namespace zyn {

struct OpenDocument {
    TextDocument Document;
    // The document shown beside it for comparison, read-only; no entries while none is chosen.
    TextDocument Reference;
    // The index of the archive the document came from or was last saved into.
    ArchiveIndex Archive;
    ArchiveFlow Flow;
};

} // namespace zyn
