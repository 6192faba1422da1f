#pragma once

// A PO catalogue's translations taken into the texts they were made for: a text file, an item
// of an archive ("text.hqr:37"), or every bank of an archive that a whole-archive catalogue
// names ("41:12" contexts). An archive is changed under its lock, from its items as they are
// once the lock is held, so that imports into one archive at the same time all keep their
// changes.

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
    LockWait wait;          // for the archive's lock
};

struct PoImportResult {
    std::vector<PoOutcome> outcomes; // what became of each message, in the catalogue's order
    std::vector<int> items;          // the archive's items written (-1: a text file)
    bool wholeArchive = false;       // the catalogue's contexts named items of the archive

    bool written() const { return !items.empty(); }
    int count(PoOutcome outcome) const;
};

// Writes the translations of entries, read from the catalogue poName (the tool reads it with
// libgettextpo), into the target as the tool names it: a text file, "ARCHIVE:N", or an archive when
// the catalogue's contexts name items. Every message is checked as ApplyPoEntries checks it; the
// items a whole-archive catalogue names are read after the archive's lock is taken (as tables and
// options say), and only items whose bytes change are written, in one rebuild with one backup.
// When no byte would change, nothing is written (no rebuild, no backup). A text file keeps its
// item header, stored. On any refusal or failure nothing is written, and the message says why:
// a catalogue of one text file given an archive says so.
Result<PoImportResult> ImportPoCatalogue(FileSystem& fs, const CharacterTables& tables,
                                         const std::vector<PoEntry>& entries,
                                         const std::string& poName, const std::string& target,
                                         const PoImportOptions& options);

} // namespace zyn
