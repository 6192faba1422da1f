#pragma once

// The names the items of the games' text archives are listed under: a language prefix and the
// text bank and kind of file of the item's position in its language block. The names are byte
// strings in the Western single-byte code page, like every text of the program.

#include "archive/archiveflow.h"

#include <cstdint>
#include <string>

namespace zyn {

// Items in the list of the item dialog: 140 for ZYN 1, 180 for ZYN 2.
int TextArchiveItemCount(bool isVersion2);

// Fills ItemNames (names 1 to 140 for ZYN 1, 1 to 180 for ZYN 2; name n belongs to item n - 1).
// In a demo archive the banks the demo lacks are named by a sentence saying so. Names a ZYN 1
// fill does not reach keep their values.
void NameTextArchiveItems(ArchiveFlow& flow, bool isVersion2, bool isDemo);

// The text archives are told apart by their first table slot: 564 is ZYN 1 (a demo when the
// archive is shorter than 200 000 bytes), 604 the ZYN 2 demo, 724 ZYN 2. Returns false and
// keeps ArchiveIsVersion2 and ArchiveIsDemo for any other value.
bool RecogniseTextArchive(ArchiveFlow& flow, std::int32_t firstSlot, std::uint64_t archiveLength);

// The text archives hold one block of items per language, in this order: EN, FR, DE, SP, IT, PO
// (ZYN 1 has the first five).
int TextArchiveLanguages(bool isVersion2);
// The language block item (counted from 0) lies in, or -1 outside the blocks.
int ItemLanguage(bool isVersion2, int item);
// The item at item's place in the block of language, or -1 when either is outside the blocks.
int SameBankInLanguage(bool isVersion2, int item, int language);
} // namespace zyn
