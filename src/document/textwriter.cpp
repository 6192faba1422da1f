#include "document/textwriter.h"

#include "archive/archivesave.h"
#include "archive/itemheader.h"
#include "characters/remapping.h"
#include "document/bytes.h"
#include "document/programstate.h"
#include "document/textreader.h"

namespace zyn {

namespace {

// The stored form of slot i: mapped back to game codes when it holds display codes, line breaks
// encoded, type byte in front for ZYN 2, terminator after every slot but the end slot, which
// stores nothing at all. Line breaks are encoded after the mapping: " @ " is in game codes.
Result<std::string> storedEntry(const TextDocument& doc, const CharacterTables& tables, int i) {
    if (i == doc.SlotCount - 1)
        return std::string();
    std::string text = doc.EntryText[i];
    if (tables.RemapLoaded && doc.DisplayForm[i]) {
        UnmappedText unmapped = UnmapText(tables, text);
        // Code 0 would end the entry in the game and cut off the rest.
        if (unmapped.missing)
            return Result<std::string>::failure(
                ErrorKind::Damaged, "The texts cannot be saved: entry " + std::to_string(i + 1) +
                                        " holds the character " +
                                        DescribeDisplayCode(tables, *unmapped.missing) +
                                        ", which no slot of the character remapping table "
                                        "holds. Please, change that entry.");
        text = std::move(unmapped.text);
    }
    text = EncodeLineBreaks(std::move(text));
    if (doc.IsVersion2)
        text.insert(text.begin(), toChar(doc.EntryType[i]));
    text.push_back('\0');
    return text;
}

} // namespace

Result<std::string> BuildTextData(const TextDocument& doc, const CharacterTables& tables) {
    const int slotCount = doc.SlotCount;
    if (slotCount < 1 || slotCount > TextDocument::MaxSlots)
        return Result<std::string>::failure(
            ErrorKind::Damaged, "The document has " + std::to_string(slotCount) +
                                    " offset-table slots; a text file holds 1 to 1023.");

    std::string data(2 * static_cast<std::size_t>(slotCount), '\0');
    bool tooLong = false;
    for (int i = 0; i < slotCount; ++i) {
        if (data.size() > TextDocument::MaxDataLength)
            tooLong = true;
        else
            putU16(data, 2 * static_cast<std::size_t>(i), static_cast<std::uint16_t>(data.size()));
        auto entry = storedEntry(doc, tables, i);
        if (!entry)
            return entry.status();
        data += *entry;
    }
    // The offsets are signed 16-bit in the games' files: a longer file could not be read back.
    if (tooLong || data.size() > TextDocument::MaxDataLength)
        return Result<std::string>::failure(
            ErrorKind::Damaged, "The texts are too long to save: they need " +
                                    std::to_string(data.size()) +
                                    " bytes, but a text file holds at most 32 767. Please, "
                                    "shorten some entries.");
    return data;
}

void NormaliseAfterSave(TextDocument& doc) {
    for (int i = 0; i < doc.SlotCount && i < TextDocument::Capacity; ++i)
        doc.EntryText[i] = DecodeLineBreaks(EncodeLineBreaks(std::move(doc.EntryText[i])));
}

std::string ReadOnlyMessage(const TextDocument& doc) {
    return "The file " + doc.FilePath +
           " is Read-Only, Hidden, or System. Please, specify a new file.";
}

SaveResult SaveDocument(ProgramState& state) {
    FileSystem& fs = state.files();
    if (!state.FilePath.empty()) {
        const FileInfo target = fs.info(state.FilePath);
        if (target.exists && (target.readOnly || !target.isRegular))
            return {SaveOutcome::NeedsSaveAs, ReadOnlyMessage(state)};
    }
    if ((!state.ForceSave && !state.Modified) || state.FileTitle.empty())
        return {SaveOutcome::NothingToSave, {}};

    auto data = BuildTextData(state, state);
    if (!data)
        return {SaveOutcome::Failed, data.message()};

    if (state.FromArchive) {
        if (Status status = SaveIntoArchive(state); !status)
            return {SaveOutcome::Failed, status.message()};
    } else {
        std::string temp = state.FileDir + SaveTempName;
        // Never let the temporary file be the target itself: a failed write would destroy it.
        if (temp == state.FilePath)
            temp += ".new";
        const std::string bytes = state.KeepHeader ? StoredItem(*data) : *data;
        if (Status status = replaceFile(fs, state.FilePath, temp, bytes); !status)
            return {SaveOutcome::Failed, status.message()};
    }

    NormaliseAfterSave(state);
    state.Modified = false;
    if (const std::string& work = state.Work.path(); !work.empty())
        fs.removeMatching(work, "TEXTTMP");
    return {SaveOutcome::Saved, {}};
}

void PrepareSaveAs(TextDocument& doc, const std::string& chosenPath) {
    doc.ChosenExt = LastThreeUpper(chosenPath);
    if (doc.ChosenExt == "DIA" || doc.ChosenExt == "ZYT") {
        doc.KeepHeader = false;
        doc.HeaderFound = false;
    }
    doc.FromArchive = false;
    SetFileName(doc, chosenPath);
    doc.ForceSave = true;
}

void ConvertVersion(TextDocument& doc) {
    const std::uint8_t type = doc.IsVersion2 ? 0 : 1;
    for (int i = 0; i + 1 < doc.SlotCount && i < TextDocument::Capacity; ++i)
        doc.EntryType[i] = type;
    doc.IsVersion2 = !doc.IsVersion2;
    doc.Modified = true;
}

} // namespace zyn
