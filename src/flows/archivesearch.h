#pragma once

// Find in archive: every dialogue item of a text archive searched for a text, and as a
// concordance: the languages searched chosen, whole words as an option, each hit with the same
// entry of the same bank in the language beside it.

#include "archive/archiveflow.h"
#include "archive/archiveindex.h"
#include "base/filesystem.h"
#include "document/textsearch.h"

#include <string>
#include <vector>

namespace zyn {

struct ArchiveHit {
    int item = 0;     // counted from 0
    std::string name; // the item's list name
    int entry = 0;    // counted from 0
    std::string line; // the line of the entry that holds the text
    // The same entry of the same bank in the language beside the hit's: its item (-1 for
    // none) and its whole text; empty when that bank or entry is missing.
    int otherItem = -1;
    std::string other;
};

// An item open in the editor: its entries as they are now, saved or not.
struct OpenItemText {
    int item = -1;
    std::vector<std::string> entries;
};

// Which items are searched, how, and what stands beside each hit.
struct ArchiveSearchScope {
    // The language blocks searched (0 EN .. 5 PO); empty for every item.
    std::vector<int> languages;
    bool wholeWords = false;
    // The language pair: a hit in source has its entry in target beside it, a hit in any other
    // language its entry in source. -1 for no such language.
    int source = -1, target = -1;
};

// Searches every dialogue item (odd item numbers) of the archive at archivePath, whose index
// and names are given, for needle, ignoring case as letters fold it; the open item in its
// entries as they are now, the others as the index holds them (read in memory: nothing is
// written). Items that cannot be read as texts are passed over. One hit per line found, in
// item, entry and line order.
std::vector<ArchiveHit> FindInArchive(FileSystem& fs, const std::string& archivePath,
                                      const ArchiveIndex& index, const ArchiveFlow& flow,
                                      int itemCount, const std::string& needle,
                                      const SearchLetters& letters, const OpenItemText& open = {},
                                      const ArchiveSearchScope& scope = {});

} // namespace zyn
