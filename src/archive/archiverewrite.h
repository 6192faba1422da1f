#pragma once

// Rebuilding an archive with some of its items replaced: one run at a time, from the archive
// as it is on disk when its turn comes, copying the items it keeps without holding them.

#include "archive/archivetable.h"
#include "base/filesystem.h"
#include "base/lockwait.h"
#include "base/result.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zyn {

// The backup of the archive at path, beside it: its file name up to the name's first "."
// followed by ".~$R", or the name + ".~$R" when it has no ".". A "." in a folder name does not
// count. C:/GAME/TEXT.HQR gives C:/GAME/TEXT.~$R.
std::string BackupName(const std::string& path);

// The new content of an item: the whole item, its 10-byte header included (StoredItem of the
// data for a stored item).
struct ItemChange {
    int item = 0;
    std::string bytes;
    // When given, what the item must still hold on disk (its header and stored data; empty for
    // a blank item) for the change to be made: someone else's change is not overwritten
    // unnoticed.
    std::optional<std::string> expected;
};

// An item whose bytes on disk were not those its change expected, with the bytes found.
struct ChangedItem {
    int item = 0;
    std::string found;
};

// Rebuilds the archive at path (or the file its links lead to) with the changed items. It
// takes the archive's lock first, waiting for another rebuild as wait says, and holds it until
// the new archive and its backup are in place, so that rebuilds of one archive follow one
// another and each starts from the archive the one before left; holding it, it removes what
// rebuilds killed before their end left beside the archive. Then it reads the archive's table as
// it is now; when an item is not what its change expected, it stops there and gives those items
// (nothing is written). When every changed item already holds its new bytes, nothing is written
// either, and rebuilt (when given) stays false. Otherwise the archive is replaced through the
// safe writer: a table of LastItem + 2 slots, then every item in item-number order. Blank
// items get slot 0 and no bytes; an unchanged item that shared its bytes with an earlier
// unchanged one shares them still; compressed items are copied whole; stored items get a
// fresh header whose two sizes are their data length; a changed item is written whole and
// shares nothing. The closing slot holds the archive's length. The archive as it was becomes
// the backup (BackupName) once the new archive is in place; whatever stood at the backup's
// name is replaced, a link there is never followed.
//
// A read-only archive, or one that is not a plain file, is refused before anything is written;
// so is an item the archive does not have, an archive that would outgrow 32-bit offsets, and a
// backup name that holds a folder, a device or a read-only file. On failure (message naming the
// archive; ErrorKind::Busy when the wait ran out) the archive and the backup are as they were.
// Changes that every item holds already, and no changes at all, write nothing (no backup
// either); rebuilt, when given, says whether the archive was written.
Result<std::vector<ChangedItem>> RebuildArchive(FileSystem& fs, const std::string& path,
                                                std::vector<ItemChange> changes,
                                                const LockWait& wait, bool* rebuilt = nullptr);

// The changes of a rebuild worked out from the archive as it is once the lock is held (its
// open file and table), so that they apply to what the last rebuild left; or a refusal, which
// is given back as it is.
using ChangesOfArchive =
    std::function<Result<std::vector<ItemChange>>(OpenFile& archive, const ArchiveTable& table)>;
Result<std::vector<ChangedItem>> RebuildArchive(FileSystem& fs, const std::string& path,
                                                const ChangesOfArchive& changesOf,
                                                const LockWait& wait, bool* rebuilt = nullptr);

} // namespace zyn
