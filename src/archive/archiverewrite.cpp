#include "archive/archiverewrite.h"

#include "archive/archivetable.h"
#include "base/bytes.h"
#include "base/itemheader.h"
#include "base/safewriter.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <unordered_map>

namespace zyn {

namespace {

constexpr const char* BackupSuffix = ".~$R";
// What the names of a rebuild's own files beside the archive carry after the archive's file
// name (".text.hqr.zyntext-rebuild.Ab3dEf"): the new archive while it is written, and the
// backup until it takes the backup's name.
constexpr const char* RebuildMark = ".zyntext-rebuild";
constexpr const char* BackupMark = ".zyntext-backup";

std::string fileNameOf(const std::string& path) {
    return path.substr(folderOf(path).size());
}

Status failure(const std::string& path, const Status& cause) {
    return Status::failure(cause.kind(),
                           "Cannot rebuild the archive " + path + ": " + cause.message());
}

// A stored item is written with a fresh header; anything else (modes 1 and 2, and modes this
// program cannot expand) keeps its own header.
bool needsFreshHeader(std::string_view header) {
    return readU16(header, 8) == 0 && readU32(header, 0) != readU32(header, 4);
}

// The new archive as it is written: bytes made here, and runs of the old archive copied by the
// file system. Adjacent runs are copied in one go, so an archive whose items need no new
// header is copied in a few large pieces.
class ArchiveOutput {
public:
    ArchiveOutput(ReplacementFile& file, OpenFile& old) : file_(file), old_(old) {}

    Status bytes(std::string_view data) {
        if (runSize_ != 0)
            if (Status flushed = flush(); !flushed)
                return flushed;
        pending_.append(data);
        return {};
    }

    Status copy(std::uint64_t from, std::uint64_t size) {
        if (runSize_ != 0 && from == runFrom_ + runSize_) {
            runSize_ += size;
            return {};
        }
        if (runSize_ != 0)
            if (Status flushed = flush(); !flushed)
                return flushed;
        runFrom_ = from;
        runSize_ = size;
        return {};
    }

    // Writes what is held, then copies the run (the held bytes come before it).
    Status flush() {
        if (!pending_.empty()) {
            if (Status written = file_.write(pending_); !written)
                return written;
            pending_.clear();
        }
        if (runSize_ != 0) {
            if (Status copied = file_.copy(old_, runFrom_, runSize_); !copied)
                return copied;
            runSize_ = 0;
        }
        return {};
    }

private:
    ReplacementFile& file_;
    OpenFile& old_;
    std::string pending_;
    std::uint64_t runFrom_ = 0, runSize_ = 0;
};

// What the new archive holds: its table and, in order, the pieces after it.
struct Piece {
    const std::string* bytes = nullptr; // a changed item, else a run of the old archive
    std::string header;                 // a fresh header to write before the run
    std::uint64_t from = 0, size = 0;
};

struct Layout {
    std::string table;
    std::vector<Piece> pieces;
};

Result<Layout> layOut(const ArchiveTable& table, const std::vector<ItemChange>& changes,
                      std::vector<std::string>& changedBytes) {
    const std::size_t count = table.items.size();
    std::vector<const std::string*> changed(count, nullptr);
    for (std::size_t c = 0; c < changes.size(); ++c)
        changed[static_cast<std::size_t>(changes[c].item)] = &changedBytes[c];

    Layout layout;
    layout.table.assign(4 * (count + 1), '\0');
    std::uint64_t end = layout.table.size();
    // Where an unchanged item's bytes went, by the slot they had.
    std::unordered_map<std::int32_t, std::uint64_t> placed;
    for (std::size_t i = 0; i < count; ++i) {
        const TableItem& item = table.items[i];
        std::uint64_t offset = end;
        if (changed[i] != nullptr) {
            layout.pieces.push_back({changed[i], {}, 0, 0});
            end += changed[i]->size();
        } else if (item.blank) {
            offset = 0;
        } else if (const auto earlier = placed.find(item.slot); earlier != placed.end()) {
            offset = earlier->second;
        } else {
            placed.emplace(item.slot, end);
            const auto from = static_cast<std::uint64_t>(item.slot);
            if (needsFreshHeader(item.header))
                layout.pieces.push_back({nullptr, StoredItemHeader(item.size - ItemHeaderSize),
                                         from + ItemHeaderSize, item.size - ItemHeaderSize});
            else
                layout.pieces.push_back({nullptr, {}, from, item.size});
            end += item.size;
        }
        if (end > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
            return Result<Layout>::failure(
                ErrorKind::Damaged, "the rebuilt archive would be larger than 2 GB, which its "
                                    "32-bit offsets cannot address.");
        putU32(layout.table, 4 * i, static_cast<std::uint32_t>(offset));
    }
    putU32(layout.table, 4 * count, static_cast<std::uint32_t>(end));
    return layout;
}

Status write(ReplacementFile& file, OpenFile& old, const Layout& layout) {
    ArchiveOutput out(file, old);
    if (Status written = out.bytes(layout.table); !written)
        return written;
    for (const Piece& piece : layout.pieces) {
        Status status;
        if (piece.bytes)
            status = out.bytes(*piece.bytes);
        else if (!piece.header.empty())
            status = out.bytes(piece.header);
        if (status && !piece.bytes)
            status = out.copy(piece.from, piece.size);
        if (!status)
            return status;
    }
    return out.flush();
}

// Removes what rebuilds of the archive file killed before their end left beside it. Only the
// holder of the archive's lock makes such files, so any found while holding it are a dead run's;
// of those, only the user's own files and links go: in a shared folder another account may
// put anything under such a name, and it is not this run's to remove.
void removeLeftovers(FileSystem& fs, const std::string& file) {
    const std::string folder = folderOf(file), name = fileNameOf(file);
    for (const std::string& entry : fs.namesIn(folder)) {
        if (!MadeFromName(entry, name + RebuildMark) && !MadeFromName(entry, name + BackupMark))
            continue;
        const FileInfo found = fs.nameInfo(folder + entry);
        // Tidying only: one that cannot go now is tried again by the next rebuild.
        if ((found.isRegular || found.isLink) && OwnedByUser(found))
            (void)fs.remove(folder + entry);
    }
}

// Whether every item to change already holds its new bytes on disk: nothing to rebuild then.
Result<bool> holdsAlready(FileSystem& fs, OpenFile& archive, const ArchiveTable& table,
                          const std::vector<ItemChange>& changes,
                          const std::vector<std::string>& changedBytes) {
    for (std::size_t c = 0; c < changes.size(); ++c) {
        auto now =
            ReadTableItem(fs, archive, table.items[static_cast<std::size_t>(changes[c].item)]);
        if (!now)
            return now.status();
        if (*now != changedBytes[c])
            return false;
    }
    return true;
}

// The backup made under its own name, removed when it does not take the backup's name.
struct MadeBackup {
    FileSystem& fs;
    std::string path;
    bool placed = false;
    ~MadeBackup() {
        // Only on the way out of a failure already reported; a left copy is a leftover the
        // next rebuild removes.
        if (!placed)
            (void)fs.remove(path);
    }
};

// Writes the new archive in place of the old one, whose bytes become the backup once the new
// archive is in place.
Status replaceKeepingBackup(FileSystem& fs, OpenFile& archive, const std::string& file,
                            const Layout& layout) {
    const std::string backup = BackupName(file);
    if (Status usable = CheckBackupName(fs, backup); !usable)
        return usable;
    auto made = MakeBackup(fs, archive, folderOf(file), fileNameOf(file) + BackupMark);
    if (!made)
        return made.status();
    MadeBackup kept{fs, *made};
    const FileInfo like = fs.info(file);
    auto replacement = ReplacementFile::start(fs, file, &like, RebuildMark);
    if (!replacement)
        return replacement.status();
    if (Status written = write(*replacement, archive, layout); !written)
        return written;
    // Locked before it takes the archive's name: the next rebuild waits until the backup is in
    // place, and finds none of this one's files left over.
    auto next = fs.open(replacement->temporaryPath(), true);
    if (!next)
        return next.status();
    FileCloser unlockNext(fs, *next);
    if (Status committed = replacement->commit(); !committed)
        return committed;
    // Freeing an older backup's blocks takes a while on some file systems; it cannot be done
    // while the items are copied, as a rebuild that fails must leave that backup.
    const Status placed = PlaceBackup(fs, kept.path, backup);
    if (!placed) {
        // The archive as it was goes back: a rebuild that cannot keep its backup changes nothing.
        if (Status restored = fs.rename(kept.path, file); !restored)
            return Status::failure(placed.kind(),
                                   placed.message() + " The archive was rebuilt all the same.");
    }
    kept.placed = true;
    return placed;
}

} // namespace

std::string BackupName(const std::string& path) {
    const auto dot = path.find('.', folderOf(path).size());
    return (dot == std::string::npos ? path : path.substr(0, dot)) + BackupSuffix;
}

Result<std::vector<ChangedItem>> RebuildArchive(FileSystem& fs, const std::string& path,
                                                std::vector<ItemChange> changes,
                                                const LockWait& wait, bool* rebuilt) {
    // Handed on, not copied: an item may be as large as an archive.
    const auto given = [&](OpenFile&, const ArchiveTable&) -> Result<std::vector<ItemChange>> {
        return std::move(changes);
    };
    return RebuildArchive(fs, path, given, wait, rebuilt);
}

Result<std::vector<ChangedItem>> RebuildArchive(FileSystem& fs, const std::string& path,
                                                const ChangesOfArchive& changesOf,
                                                const LockWait& wait, bool* rebuilt) {
    if (rebuilt)
        *rebuilt = false;
    // A link is followed: the archive it leads to is rebuilt and backed up beside itself.
    auto resolved = fs.followLinks(path);
    if (!resolved)
        return failure(path, resolved.status());
    if (BackupName(*resolved) == *resolved)
        return Status::failure(ErrorKind::Io, "Cannot rebuild the archive " + path +
                                                  ": its backup would have its own name.");
    // Refused before the backup is made: a read-only archive is left entirely alone.
    if (Status writable = CheckWritable(fs, *resolved); !writable)
        return failure(path, writable);

    auto locked = OpenLocked(fs, *resolved, wait);
    if (!locked)
        return failure(path, locked.status());
    OpenFile& archive = *locked;
    FileCloser unlock(fs, archive); // after the new archive is in place, or a failure
    removeLeftovers(fs, *resolved);

    auto table = ReadArchiveTable(fs, archive);
    if (!table)
        return failure(path, table.status());
    auto made = changesOf(archive, *table);
    if (!made)
        return made.status();
    if (made->empty())
        return std::vector<ChangedItem>{};
    const std::vector<ItemChange>& changes = *made;
    std::vector<ChangedItem> found;
    std::vector<std::string> changedBytes;
    for (const ItemChange& change : changes) {
        if (change.item < 0 || change.item > table->lastItem)
            return Status::failure(ErrorKind::Damaged,
                                   "Cannot rebuild the archive " + path + ": it has no item " +
                                       std::to_string(change.item) + " (it has " +
                                       std::to_string(table->lastItem + 1) + " items).");
        const TableItem& item = table->items[static_cast<std::size_t>(change.item)];
        if (change.expected) {
            auto now = ReadTableItem(fs, archive, item);
            if (!now)
                return failure(path, now.status());
            if (*now != *change.expected)
                found.push_back({change.item, std::move(*now)});
        }
        // A stored item gets its header afresh; any other must say its own length.
        const ItemHeader header = TestHeader(change.bytes);
        if (readU16(change.bytes, 8) == 0)
            changedBytes.push_back(
                StoredItem(std::string_view(change.bytes)
                               .substr(std::min(change.bytes.size(), ItemHeaderSize))));
        else if (header.found)
            changedBytes.push_back(change.bytes);
        else
            return Status::failure(ErrorKind::Damaged, "Cannot rebuild the archive " + path +
                                                           ": the new item " +
                                                           std::to_string(change.item) +
                                                           " has no header that gives its length.");
    }
    if (!found.empty())
        return found;

    auto layout = layOut(*table, changes, changedBytes);
    if (!layout)
        return failure(path, layout.status());
    auto unchanged = holdsAlready(fs, archive, *table, changes, changedBytes);
    if (!unchanged)
        return failure(path, unchanged.status());
    if (*unchanged)
        return found;
    if (Status replaced = replaceKeepingBackup(fs, archive, *resolved, *layout); !replaced)
        return failure(path, replaced);
    if (rebuilt)
        *rebuilt = true;
    return found;
}

} // namespace zyn
