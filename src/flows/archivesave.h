#pragma once

// Saving text data into an archive item: the archive on disk is rebuilt with the item replaced
// by the data, as a stored item.

#include "base/filesystem.h"
#include "base/lockwait.h"
#include "base/result.h"

#include <optional>
#include <string>

namespace zyn {

struct ArchiveSaveResult {
    Status status; // why it failed (ErrorKind::Busy: another program kept the archive)
    // Nothing was written because the item on disk is no longer what the caller expected;
    // found is what it holds now (pass it as expected to overwrite it all the same).
    bool itemChanged = false;
    std::string found;
    std::string written; // after a save: the item's bytes as they now are on disk

    bool saved() const { return status.ok() && !itemChanged; }
};

// Writes the text data (as BuildTextData makes it) into item `item` (counted from 0) of the
// archive at archivePath as it is on disk now, waiting for its lock as wait says: other items
// keep what they hold, also what others wrote into them. expected is what the caller last knew
// the item to hold (header and data); none checks nothing. On failure, or a changed item, the
// archive file is as it was (the message names it).
ArchiveSaveResult SaveIntoArchive(FileSystem& fs, const std::string& archivePath, int item,
                                  const std::string& data,
                                  const std::optional<std::string>& expected, const LockWait& wait);

// The question when the item changed: "The item NAME of the archive PATH was changed by another
// program since it was read. Do you want to replace it with this document?"
std::string ItemChangedQuestion(const std::string& archivePath, const std::string& name);

} // namespace zyn
