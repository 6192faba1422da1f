#pragma once

// Where a translation memory comes from: the dialogue banks of a text archive in one language
// against the same banks in another, and the translated messages of PO catalogues.

#include "base/filesystem.h"
#include "base/result.h"
#include "characters/charactertables.h"
#include "document/translationmemory.h"
#include "flows/pocatalog.h"

#include <functional>
#include <string>
#include <vector>

namespace zyn {

// Reads a PO file; the tool and the editor hand in the parser they link.
using PoFileReader = std::function<Result<PoCatalogue>(FileSystem&, const std::string&)>;

// A PO file is named by its ".po" or ".pot" ending, in any case; anything else is an archive.
bool IsPoFileName(const std::string& path);

// Every dialogue bank of language `from` of the text archive at path against the same bank of
// language `to`, each pair whose texts differ. The places name the `to` bank, after prefix
// ("other.hqr " for an archive besides the document's). The banks are read from the bytes the
// archive's index holds, writing no file; banks that cannot be read are passed over; an archive
// that cannot be read, or is no text archive, is the failure.
Status AddArchiveToMemory(FileSystem& fs, const std::string& path, int from, int to,
                          const std::string& prefix, TranslationMemory& memory);

// The translated messages of catalogue (not fuzzy, not plural) as game codes through tables,
// placed by name and the entry their context gives. Messages the character set cannot write
// are passed over.
void AddPoToMemory(const PoCatalogue& catalogue, const CharacterTables& tables,
                   const std::string& name, TranslationMemory& memory);

// What a memory is built from.
struct MemoryRecipe {
    std::string archive;             // the document's archive; "" for none
    std::vector<std::string> others; // archives and PO files besides it
    // The languages archives are paired in. -1: the document's item's (to) and its reference's
    // when that is another language's item of archive, else the first language other than the
    // document's, as Compare with... offers it (from). Without languages only PO files are read.
    int from = -1;
    int to = -1;
    int item = -1;
    int referenceItem = -1;
    CharacterTables tables; // PO texts are letters: how they become codes
};

struct BuiltMemory {
    TranslationMemory memory;
    std::vector<std::string> problems; // a line for each source that could not be read
};

// The memory of every source of recipe, in its order, the document's archive first.
BuiltMemory BuildTranslationMemory(FileSystem& fs, const MemoryRecipe& recipe,
                                   const PoFileReader& readPo);

} // namespace zyn
