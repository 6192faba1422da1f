#include "document/recoveryfile.h"

#include <utility>

namespace zyn {

namespace {

// The file's first bytes: its kind, and the version of its layout.
const std::string Magic("ZYNRECOVERY\0\1", 13);

enum Flag : std::uint8_t {
    Version2 = 1,
    FromArchive = 2,
    HeaderFound = 4,
    KeepHeader = 8,
    ForceSave = 16,
    HasItem = 32,
};

std::uint32_t checksum(std::string_view bytes) {
    // FNV-1a: enough to tell a file cut short or overwritten from the one written.
    std::uint32_t hash = 2166136261u;
    for (const char c : bytes)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash;
}

void appendString(std::string& out, std::string_view text) {
    appendU32(out, static_cast<std::uint32_t>(text.size()));
    out.append(text);
}

// Reads the file front to back; every read is checked against what is left.
class Reader {
public:
    explicit Reader(std::string_view data) : data_(data) {}

    bool u8(std::uint8_t& value) {
        if (!has(1))
            return false;
        value = byteAt(data_, pos_++);
        return true;
    }
    bool u16(std::uint16_t& value) {
        if (!has(2))
            return false;
        value = readU16(data_, pos_);
        pos_ += 2;
        return true;
    }
    bool u32(std::uint32_t& value) {
        if (!has(4))
            return false;
        value = readU32(data_, pos_);
        pos_ += 4;
        return true;
    }
    bool text(std::string& value) {
        std::uint32_t size = 0;
        if (!u32(size) || !has(size))
            return false;
        value.assign(data_.substr(pos_, size));
        pos_ += size;
        return true;
    }
    bool atEnd() const { return pos_ == data_.size(); }

private:
    bool has(std::size_t size) const { return data_.size() - pos_ >= size; }

    std::string_view data_;
    std::size_t pos_ = 0;
};

} // namespace

std::string RecoveryData(const TextDocument& doc, int currentEntry, const TextMapper& toGameCodes,
                         const std::vector<std::string>& opened,
                         const std::optional<std::string>& itemAsRead, std::int64_t writtenAt) {
    const DocumentOrigin& origin = doc.Origin;
    std::string out = Magic;
    appendU32(out, static_cast<std::uint32_t>(static_cast<std::uint64_t>(writtenAt)));
    appendU32(out, static_cast<std::uint32_t>(static_cast<std::uint64_t>(writtenAt) >> 32));
    const std::uint8_t flags =
        (doc.IsVersion2 ? Version2 : 0) | (origin.FromArchive ? FromArchive : 0) |
        (origin.HeaderFound ? HeaderFound : 0) | (origin.KeepHeader ? KeepHeader : 0) |
        (doc.ForceSave ? ForceSave : 0) | (itemAsRead ? HasItem : 0);
    out.push_back(toChar(flags));
    out.push_back(toChar(origin.HeaderMode));
    appendU16(out, static_cast<std::uint16_t>(origin.ArchiveItem));
    appendU16(out, static_cast<std::uint16_t>(currentEntry));
    appendU16(out, static_cast<std::uint16_t>(doc.SlotCount));
    appendString(out, origin.FilePath);
    appendString(out, origin.ItemName);
    if (itemAsRead)
        appendString(out, *itemAsRead);
    for (int i = 0; i < doc.SlotCount && i < TextDocument::Capacity; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        std::string text = doc.EntryText[slot];
        if (toGameCodes && doc.DisplayForm[slot])
            if (auto mapped = toGameCodes(i, text))
                text = std::move(*mapped);
        out.push_back(toChar(doc.EntryType[slot]));
        appendString(out, text);
        appendString(out, slot < opened.size() ? opened[slot] : std::string());
    }
    appendU32(out, checksum(out));
    return out;
}

Result<RecoveredDocument> ParseRecoveryData(std::string_view data, const std::string& name) {
    const auto damaged = [&name](const std::string& what) {
        return Result<RecoveredDocument>::failure(
            ErrorKind::Damaged, "The recovery file " + name + " is damaged: " + what + ".");
    };
    if (data.substr(0, Magic.size()) != Magic)
        return damaged("it is not a recovery file of this version");
    if (data.size() < Magic.size() + 4 ||
        checksum(data.substr(0, data.size() - 4)) != readU32(data, data.size() - 4))
        return damaged("its checksum does not match");

    Reader in(data.substr(Magic.size(), data.size() - Magic.size() - 4));
    RecoveredDocument doc;
    std::uint32_t low = 0, high = 0;
    std::uint8_t flags = 0, mode = 0;
    std::uint16_t item = 0, current = 0, slots = 0;
    if (!in.u32(low) || !in.u32(high) || !in.u8(flags) || !in.u8(mode) || !in.u16(item) ||
        !in.u16(current) || !in.u16(slots) || !in.text(doc.origin.FilePath) ||
        !in.text(doc.origin.ItemName))
        return damaged("it ends inside its header");
    if (slots < 1 || slots > TextDocument::MaxSlots)
        return damaged("it has " + std::to_string(slots) + " slots");
    if (flags & HasItem) {
        doc.itemAsRead.emplace();
        if (!in.text(*doc.itemAsRead))
            return damaged("it ends inside its archive item");
    }
    const std::string path = std::move(doc.origin.FilePath);
    const std::string itemName = std::move(doc.origin.ItemName);
    doc.origin = (flags & FromArchive)
                     ? ArchiveItemOrigin(path, static_cast<std::int16_t>(item), itemName)
                     : LooseFileOrigin(path);
    doc.origin.HeaderFound = flags & HeaderFound;
    doc.origin.KeepHeader = flags & KeepHeader;
    doc.origin.HeaderMode = mode;
    doc.forceSave = flags & ForceSave;
    doc.writtenAt = static_cast<std::int64_t>((std::uint64_t(high) << 32) | low);

    TextData& text = doc.text.text;
    text.SlotCount = slots;
    text.EntryText.resize(slots);
    text.EntryType.resize(slots - 1u);
    doc.opened.resize(slots - 1u);
    for (std::size_t i = 0; i < slots; ++i) {
        std::uint8_t type = 0;
        std::string opened;
        if (!in.u8(type) || !in.text(text.EntryText[i]) || !in.text(opened))
            return damaged("it ends inside slot " + std::to_string(i));
        if (i + 1 < slots) {
            text.EntryType[i] = type;
            doc.opened[i] = std::move(opened);
        }
    }
    if (!in.atEnd())
        return damaged("it goes on after its last slot");
    doc.text.isVersion2 = flags & Version2;
    doc.text.header.found = doc.origin.HeaderFound;
    doc.text.header.mode = mode;
    doc.currentEntry = current < slots - 1 ? current : 0;
    return doc;
}

std::string DocumentName(const DocumentOrigin& origin) {
    return origin.FromArchive ? origin.ItemName + " in " + origin.ArchivePath() : origin.FilePath;
}

} // namespace zyn
