#pragma once

// The recovery file: what the editor keeps of a document with unsaved changes, so that a run
// that ends without saving (a crash, a kill, a power cut) loses none of them. The program's own
// small format, checked whole when read: a damaged file is refused, never half read.

#include "base/bytes.h"
#include "base/result.h"
#include "document/textdocument.h"
#include "document/textreader.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zyn {

struct RecoveredDocument {
    LoadedText text;                 // the slots' texts and types, as a read gives them
    DocumentOrigin origin;           // where the document came from, where File Save writes it
    std::vector<std::string> opened; // each entry's text when the document was opened
    int currentEntry = 0;
    bool forceSave = false;
    std::int64_t writtenAt = 0; // seconds since 1970
    // What the document's archive item held when it was read, so that a save still asks
    // before replacing an item another program changed meanwhile; none for a loose file.
    std::optional<std::string> itemAsRead;
};

// The recovery file of doc, shown at currentEntry. Texts in display form are mapped back through
// toGameCodes, as a save writes them (no remapping table is loaded when they are restored); a
// text the mapping refuses is kept as it is.
std::string RecoveryData(const TextDocument& doc, int currentEntry, const TextMapper& toGameCodes,
                         const std::vector<std::string>& opened,
                         const std::optional<std::string>& itemAsRead, std::int64_t writtenAt);

// Reads a recovery file; name is used in messages only.
Result<RecoveredDocument> ParseRecoveryData(std::string_view data, const std::string& name);

// The document as the user knows it: "FR_000.DIA in /games/text.hqr", or the file's path.
std::string DocumentName(const DocumentOrigin& origin);

} // namespace zyn
