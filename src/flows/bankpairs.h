#pragma once

// The dialogue banks of one language of a text archive, each with the same bank of another
// language, read from the bytes an index holds: what `zyntext po`, `check` and `status` and the
// editor's project window walk through. Nothing is written.

#include "archive/archiveflow.h"
#include "archive/archiveindex.h"
#include "base/filesystem.h"
#include "base/result.h"
#include "document/textdocument.h"

#include <memory>
#include <string>
#include <vector>

namespace zyn {

struct BankPair {
    int target = -1; // the bank of the language translated into
    int source = -1; // the same bank of the language translated from
};

// The dialogue banks (odd items) of language `to` that hold data, each with its bank in
// language `from`.
std::vector<BankPair> DialogueBanks(const ArchiveIndex& index, bool isVersion2, int from, int to);

// Item `item` of the archive at path, read as Open from HQR reads it, from the bytes index holds;
// names gives the name its messages use.
Result<std::unique_ptr<TextDocument>>
LoadIndexedDocument(FileSystem& files, const std::string& path, const ArchiveIndex& index,
                    const ArchiveFlow& names, int item, bool isVersion2);

// The two banks of a pair, read as LoadIndexedDocument reads them; a source bank that is blank
// or past the archive's end is a document without entries.
struct LoadedPair {
    std::unique_ptr<TextDocument> source, target;
};
Result<LoadedPair> LoadBankPair(FileSystem& files, const std::string& path,
                                const ArchiveIndex& index, const ArchiveFlow& names,
                                const BankPair& pair, bool isVersion2);

} // namespace zyn
