#pragma once

// The one text document of the program: the entries of a game text file and where they came
// from. Its fields keep the names the rest of the program and its documentation use.

#include <array>
#include <cstdint>
#include <string>

namespace zyn {

// Where a document came from, and so where File Save writes it: a loose file, or item
// ArchiveItem of the archive at FilePath; with the item header the data was read with. Every
// open and every save that moves the document sets it whole.
struct DocumentOrigin {
    std::string FilePath;
    std::string FileDir; // folder of FilePath, always ending in "/"
    std::string FileTitle;
    bool FromArchive = false;
    std::int16_t ArchiveItem = 0;
    std::string ItemName; // the item's list name, for the title and the save's question

    bool HeaderFound = false; // the data read began with a 10-byte item header
    bool KeepHeader = false;  // a loose file is written with the item header
    std::uint8_t HeaderMode = 0;

    // The archive of an archive item: its file is the document's file.
    const std::string& ArchivePath() const { return FilePath; }
};

// A loose file: FilePath, FileDir and FileTitle from a full path. FileDir is everything before
// the last "/" with a "/" appended; a path without "/" gives FileDir = path + "/" and an empty
// FileTitle. No header until a read finds one.
DocumentOrigin LooseFileOrigin(const std::string& path);
// Item `item` (counted from 0, listed as name) of the archive at archivePath.
DocumentOrigin ArchiveItemOrigin(const std::string& archivePath, int item, const std::string& name);

struct TextDocument {
    // Every per-entry array has this many slots; nothing grows them.
    static constexpr int Capacity = 1024;
    // The reader needs one slot past the table for the file length, so a file has at most
    // Capacity - 1 table slots.
    static constexpr int MaxSlots = Capacity - 1;
    // Offsets and the text data's length must fit a signed 16-bit number.
    static constexpr int MaxDataLength = 32767;

    std::array<std::string, Capacity> EntryText{};  // memory form: line breaks are CR LF
    std::array<std::uint8_t, Capacity> EntryType{}; // type byte of each entry; 0 in ZYN 1
    // True for an entry that holds display codes of the remapping table (typed in the editor or
    // rewritten by "&Convert...") rather than the game codes read from the file. Only these are
    // shown as they are and mapped back when saving; mapping a text twice, or mapping back a
    // text that was never mapped, would change entries the user did not touch.
    std::array<bool, Capacity> DisplayForm{};
    std::int16_t SlotCount = 0; // offset-table slots; there are SlotCount - 1 entries

    bool IsVersion2 = false;
    bool ForceSave = false; // set by the first Save As; every later save writes
    DocumentOrigin Origin;

    std::array<std::int16_t, Capacity> Ordinals{};

    int entryCount() const { return SlotCount > 0 ? SlotCount - 1 : 0; }
    bool hasEntries() const { return entryCount() > 0; }
};

// The main window's title over doc: baseCaption + " - (" + FilePath + ")" + " - ZYN 1" or
// " - ZYN 2", for an archive item baseCaption + " - (" + ArchivePath + "; " + ItemName + ")" and
// the game; baseCaption alone while FilePath is empty.
std::string WindowTitle(const std::string& baseCaption, const TextDocument& doc);

// The last three characters of a chosen file name, upper-cased (fewer when the name is shorter).
std::string LastThreeUpper(const std::string& name);

} // namespace zyn
