#include "support/textfilebuilder.h"

namespace zyn::test {

namespace {

// Kept apart from the program's own byte helpers, so that a fault in those cannot hide itself.
void appendLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

} // namespace

TextFileBuilder& TextFileBuilder::entry(std::string_view storedText, std::uint8_t type) {
    std::string stored = game_ == 2 ? std::string(1, static_cast<char>(type)) : std::string();
    stored_.push_back(stored.append(storedText).append(1, '\0'));
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
    std::string table;
    std::string body;
    for (std::size_t i = 0; i <= stored_.size(); ++i) {
        appendLittleEndian(table,
                           static_cast<std::uint32_t>(2 * (stored_.size() + 1) + body.size()), 2);
        if (i < stored_.size())
            body += stored_[i];
    }
    return table + body;
}

std::string TextFileBuilder::bytes() const {
    const std::string text = data();
    const auto size = static_cast<std::uint32_t>(text.size());
    return header_ ? itemHeader(size, size, 0) + text : text;
}

std::string itemHeader(std::uint32_t expandedSize, std::uint32_t storedSize, std::uint16_t mode) {
    std::string header;
    appendLittleEndian(header, expandedSize, 4);
    appendLittleEndian(header, storedSize, 4);
    appendLittleEndian(header, mode, 2);
    return header;
}

} // namespace zyn::test
