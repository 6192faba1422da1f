#include "document/textreader.h"

#include "base/bytes.h"
#include "base/safewriter.h"

#include <utility>

namespace zyn {

namespace {

const std::string CrLf = "\r\n";

// Every occurrence of from, left to right and without overlap, replaced by to.
std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    std::string result;
    result.reserve(text.size());
    std::size_t pos = 0;
    for (auto hit = text.find(from); hit != std::string::npos; hit = text.find(from, pos)) {
        result.append(text, pos, hit - pos);
        result += to;
        pos = hit + from.size();
    }
    result.append(text, pos);
    return result;
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

Status damaged(const std::string& name, const std::string& what) {
    return Status::failure(ErrorKind::Damaged, "The file " + name + " is damaged: " + what + ".");
}

// Slot 0 / 2 with halves going to the even neighbour (7 gives 4, 5 gives 2).
int slotCountFrom(unsigned slot0) {
    const unsigned half = slot0 / 2;
    if (slot0 % 2 == 0)
        return static_cast<int>(half);
    return static_cast<int>(half % 2 == 0 ? half : half + 1);
}

} // namespace

std::string CompressionName(std::uint8_t mode) {
    switch (mode) {
    case 1:
        return "LZSS/LZW compression (01)";
    case 2:
        return "KWAJ/MSPAK compression (02)";
    default:
        return "Maybe MSCF/MSZIP compression (03)";
    }
}

std::string UnsupportedCompressionMessage() {
    return "Sorry, that particular comrpession type is not supported in this version.\r\n"
           "Compression used: " +
           CompressionName(3);
}

std::string NoCompressionMessage(std::uint8_t mode) {
    return "Sorry, no compression supported in this version.\r\nCompression used: " +
           CompressionName(mode);
}

std::string DecodeLineBreaks(std::string text) {
    if (endsWith(text, " @"))
        text.replace(text.size() - 2, 2, CrLf);
    text = replaceAll(std::move(text), std::string(" @\0", 3), std::string("\r\n\0", 3));
    return replaceAll(std::move(text), " @ ", CrLf);
}

std::string EncodeLineBreaks(std::string text) {
    if (endsWith(text, CrLf))
        text.replace(text.size() - 2, 2, " @");
    text = replaceAll(std::move(text), std::string("\r\n\0", 3), std::string(" @\0", 3));
    return replaceAll(std::move(text), CrLf, " @ ");
}

Result<TextData> ParseTextData(std::string_view data, bool isVersion2, const std::string& name) {
    if (data.size() < 2)
        return damaged(name, "it is too short to hold an offset table");
    const unsigned slot0 = readU16(data, 0);
    if (slot0 > TextDocument::MaxDataLength)
        return damaged(name, "slot 0 of its offset table holds " + std::to_string(slot0) +
                                 ", more than 32 767");
    const int slotCount = slotCountFrom(slot0);
    // Slot 0 counts the table itself, so a table that claims no slot at all is no table.
    if (slotCount < 1)
        return damaged(name, "its offset table is empty");
    if (slotCount > TextDocument::MaxSlots)
        return damaged(name, "its offset table has " + std::to_string(slotCount) +
                                 " slots, more than 1023");
    if (data.size() > TextDocument::MaxDataLength)
        return damaged(name, "its text data has " + std::to_string(data.size()) +
                                 " bytes, more than 32 767");
    if (data.size() < 2 * static_cast<std::size_t>(slotCount))
        return damaged(name, "its offset table of " + std::to_string(slotCount) +
                                 " slots ends past the end of the file");

    TextData text;
    text.SlotCount = slotCount;
    std::vector<std::int16_t> offsets(static_cast<std::size_t>(slotCount) + 1);
    for (int i = 0; i < slotCount; ++i) {
        const unsigned offset = readU16(data, 2 * static_cast<std::size_t>(i));
        if (offset > TextDocument::MaxDataLength)
            return damaged(name, "slot " + std::to_string(i) + " of its offset table holds " +
                                     std::to_string(offset) + ", more than 32 767");
        offsets[i] = static_cast<std::int16_t>(offset);
    }
    offsets[slotCount] = static_cast<std::int16_t>(data.size());

    // Entries are numbered from 1 in messages, as the entry selector shows them.
    const int fixedBytes = isVersion2 ? 2 : 1; // type byte, terminator
    text.EntryText.resize(slotCount);
    text.EntryType.resize(slotCount - 1);
    for (int i = 0; i + 1 < slotCount; ++i) {
        const int start = offsets[i];
        const int length = offsets[i + 1] - start - fixedBytes;
        const std::string number = std::to_string(i + 1);
        if (length < 0)
            return damaged(name,
                           "entry " + number + " is too short to hold " +
                               (isVersion2 ? "its type byte and terminator" : "its terminator"));
        // The terminator is never read, so only the type byte and the text must be there.
        const auto end = static_cast<std::size_t>(start + fixedBytes - 1 + length);
        if (end > data.size())
            return damaged(name, "entry " + number + " ends past the end of the file");
        const std::size_t textStart = static_cast<std::size_t>(start) + (isVersion2 ? 1 : 0);
        text.EntryType[i] = isVersion2 ? byteAt(data, static_cast<std::size_t>(start)) : 0;
        text.EntryText[i] =
            DecodeLineBreaks(std::string(data.substr(textStart, static_cast<std::size_t>(length))));
    }
    return text;
}

Result<std::string> LoadTextFileBytes(FileSystem& fs, const std::string& path) {
    return fs.readFile(path, MaxTextFileSize);
}

Result<LoadedText> ReadTextBytes(FileSystem& fs, const std::string& path, std::string_view file,
                                 bool isVersion2, const ReadOptions& options) {
    LoadedText loaded;
    loaded.header = TestHeader(file);
    loaded.isVersion2 = isVersion2;

    std::string expanded;
    std::string_view data = loaded.header.found ? file.substr(ItemHeaderSize) : file;
    // Without a header, byte 8 is just part of the offset table and says nothing about
    // compression.
    if (loaded.header.found && loaded.header.mode != 0) {
        if (options.compressed == CompressedFiles::Refuse)
            return Status::failure(ErrorKind::Unsupported,
                                   NoCompressionMessage(loaded.header.mode));
        if (loaded.header.mode >= 3)
            return Status::failure(ErrorKind::Unsupported, UnsupportedCompressionMessage());
        expanded = ExpandItemBytes(file, options.progress, ExpandedTextLimit);
        // A copy cut at the limit would not be the file's data; the read is refused below.
        // Only a by-product; the open goes on without it.
        if (!options.expandedCopy.empty() && expanded.size() < ExpandedTextLimit)
            (void)WriteFileSafely(fs, options.expandedCopy, expanded);
        data = expanded;
    }

    auto text = ParseTextData(data, isVersion2, path);
    if (!text)
        return text.status();
    loaded.text = std::move(*text);
    return loaded;
}

Result<LoadedText> ReadTextFile(FileSystem& fs, const std::string& path, bool isVersion2,
                                const ReadOptions& options) {
    auto bytes = LoadTextFileBytes(fs, path);
    if (!bytes)
        return bytes.status();
    return ReadTextBytes(fs, path, *bytes, isVersion2, options);
}

void AdoptText(TextDocument& doc, LoadedText&& loaded, DocumentOrigin origin) {
    TextData& text = loaded.text;
    doc.EntryText.fill(std::string());
    doc.EntryType.fill(0);
    doc.DisplayForm.fill(false);
    for (int i = 0; i < text.SlotCount; ++i)
        doc.EntryText[i] = std::move(text.EntryText[i]);
    for (int i = 0; i + 1 < text.SlotCount; ++i)
        doc.EntryType[i] = text.EntryType[i];
    doc.SlotCount = static_cast<std::int16_t>(text.SlotCount);
    doc.IsVersion2 = loaded.isVersion2;
    origin.HeaderFound = loaded.header.found;
    origin.KeepHeader = loaded.header.found;
    origin.HeaderMode = loaded.header.mode;
    doc.Origin = std::move(origin);
}

} // namespace zyn
