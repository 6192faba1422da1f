#pragma once

// A PO catalogue's translations taken into the texts they were made for: a text file, an item
// of an archive ("text.hqr:37"), or every bank of an archive that a whole-archive catalogue
// names ("41:12" contexts). The catalogue must belong there: its references and header name
// the target or the source it was exported from, and its msgids are still the source's texts.
// An archive is changed under its lock, from its items as they are once the lock is held, so
// that imports into one archive at the same time all keep their changes.

#include "base/filesystem.h"
#include "base/lockwait.h"
#include "base/result.h"
#include "characters/charactertables.h"
#include "flows/pocatalog.h"

#include <string>
#include <vector>

namespace zyn {

struct PoImportOptions {
    bool isVersion2 = false;
    bool takeFuzzy = false; // fuzzy messages are written too
    bool force = false;     // the checks of where the catalogue belongs are written past
    // Stand-ins for characters the character set lacks; none: such a character is refused.
    const Substitutions* substitutions = nullptr;
    LockWait wait; // for the archive's lock
};

struct PoImportResult {
    std::vector<PoOutcome> outcomes;    // what became of each message, in the catalogue's order
    std::vector<PoPlace> places;        // beside outcomes: item -1 is the text file or item named
    std::vector<int> items;             // the archive's items written (-1: a text file)
    bool wholeArchive = false;          // the catalogue's contexts named items of the archive
    std::vector<PoProblem> refused;     // when any, nothing was written
    std::vector<PoProblem> overridden;  // the checks force wrote past
    std::vector<PoProblem> substituted; // the messages written with stand-ins, and which
    std::string unchecked; // why msgids were not compared with a source; "" when they were

    bool written() const { return !items.empty(); }
    int count(PoOutcome outcome) const;
};

// Writes the translations of catalogue, read from the PO file messages call poName, into
// the target as the tool names it: a text file, "ARCHIVE:N", or an archive when the
// catalogue's contexts name items. Every message is checked as ApplyPoEntries checks it, its
// target's names being the target and the source the header records (X-Source; for a whole
// archive "ARCHIVE --from LANG" and the bank of each item in that language), and its source
// that source as given or, when its file name is the target archive's, the item in the target
// archive. A header naming another target (X-Target) is refused too, unless forced. The items
// are read after the archive's lock is taken (as tables and options say), and only items whose
// bytes change are written, in one rebuild with one backup. When anything is refused, or no
// byte would change, nothing is written (no rebuild, no backup). A text file keeps its item
// header, stored. Failures (a target that cannot be read or written, a catalogue of one text
// file given an archive) give the reason, and nothing is written.
Result<PoImportResult> ImportPoCatalogue(FileSystem& fs, const CharacterTables& tables,
                                         const PoCatalogue& catalogue, const std::string& poName,
                                         const std::string& target, const PoImportOptions& options);

} // namespace zyn
