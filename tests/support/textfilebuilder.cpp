#include "support/textfilebuilder.h"

namespace zyn::test {

namespace {

void appendLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

} // namespace

TextFileBuilder& TextFileBuilder::entry(std::string_view storedText, std::uint8_t type) {
    std::string stored;
    if (game_ == 2)
        stored.push_back(static_cast<char>(type));
    stored.append(storedText);
    stored.push_back('\0');
    stored_.push_back(std::move(stored));
    return *this;
}

TextFileBuilder& TextFileBuilder::entries(const std::vector<std::string>& storedTexts,
                                          std::uint8_t type) {
    for (const auto& text : storedTexts)
        entry(text, type);
    return *this;
}

TextFileBuilder& TextFileBuilder::withHeader(bool on) {
    header_ = on;
    return *this;
}

std::string TextFileBuilder::data() const {
    const std::size_t slots = stored_.size() + 1;
    std::string table;
    std::string body;
    std::size_t offset = 2 * slots;
    for (const auto& stored : stored_) {
        appendLittleEndian(table, static_cast<std::uint32_t>(offset), 2);
        body += stored;
        offset += stored.size();
    }
    appendLittleEndian(table, static_cast<std::uint32_t>(offset), 2);
    return table + body;
}

std::string TextFileBuilder::bytes() const {
    const std::string text = data();
    if (!header_)
        return text;
    const auto size = static_cast<std::uint32_t>(text.size());
    return itemHeader(size, size, 0) + text;
}

std::string itemHeader(std::uint32_t expandedSize, std::uint32_t storedSize, std::uint16_t mode) {
    std::string header;
    appendLittleEndian(header, expandedSize, 4);
    appendLittleEndian(header, storedSize, 4);
    appendLittleEndian(header, mode, 2);
    return header;
}

std::string literalCompressedItem(std::string_view data, std::uint16_t mode) {
    std::string packed;
    for (std::size_t i = 0; i < data.size(); i += 8) {
        packed.push_back(static_cast<char>(0xFF)); // eight literal tokens follow
        packed.append(data.substr(i, 8));
    }
    return itemHeader(static_cast<std::uint32_t>(data.size()),
                      static_cast<std::uint32_t>(packed.size()), mode) +
           packed;
}

} // namespace zyn::test
