#include "document/textwriter.h"

#include "base/bytes.h"
#include "document/textreader.h"

#include <algorithm>
#include <utility>

namespace zyn {

namespace {

// The stored form of slot i: mapped back to game codes when it holds display codes, line breaks
// encoded, type byte in front for ZYN 2, terminator after every slot but the end slot, which
// stores nothing at all. Line breaks are encoded after the mapping: " @ " is in game codes.
Result<std::string> storedEntry(const TextDocument& doc, const TextMapper& toGameCodes, int i) {
    if (i == doc.SlotCount - 1)
        return std::string();
    std::string text = doc.EntryText[i];
    if (toGameCodes && doc.DisplayForm[i]) {
        auto mapped = toGameCodes(i, text);
        if (!mapped)
            return mapped.status();
        text = std::move(*mapped);
    }
    text = EncodeLineBreaks(std::move(text));
    if (doc.IsVersion2)
        text.insert(text.begin(), toChar(doc.EntryType[i]));
    text.push_back('\0');
    return text;
}

} // namespace

Result<std::string> BuildTextData(const TextDocument& doc, const TextMapper& toGameCodes) {
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
        auto entry = storedEntry(doc, toGameCodes, i);
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

std::string ReadOnlyMessage(const std::string& path) {
    return "The file " + path + " is Read-Only, Hidden, or System. Please, specify a new file.";
}

DocumentOrigin SaveAsOrigin(const DocumentOrigin& current, const std::string& chosenPath) {
    DocumentOrigin origin = LooseFileOrigin(chosenPath);
    const std::string extension = LastThreeUpper(chosenPath);
    if (extension != "DIA" && extension != "ZYT") {
        origin.HeaderFound = current.HeaderFound;
        origin.KeepHeader = current.KeepHeader;
        origin.HeaderMode = current.HeaderMode;
    }
    return origin;
}

void ConvertVersion(TextDocument& doc) {
    const std::uint8_t type = doc.IsVersion2 ? 0 : 1;
    for (int i = 0; i + 1 < doc.SlotCount && i < TextDocument::Capacity; ++i)
        doc.EntryType[i] = type;
    doc.IsVersion2 = !doc.IsVersion2;
}

void ConvertToDisplayForm(TextDocument& doc, const ByteMap& toDisplayCodes) {
    const int slots = std::clamp<int>(doc.SlotCount, 0, TextDocument::Capacity);
    for (std::size_t i = 0; i < static_cast<std::size_t>(slots); ++i) {
        // An entry already in display form stays as it is; mapping it again would garble it.
        if (doc.DisplayForm[i])
            continue;
        doc.EntryText[i] = mapText(std::move(doc.EntryText[i]), toDisplayCodes);
        doc.DisplayForm[i] = true;
    }
}

} // namespace zyn
