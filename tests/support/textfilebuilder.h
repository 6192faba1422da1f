#pragma once

// Builds game text files for tests: the offset table, the entries in their stored form (texts
// are taken as they stand on disk, " @ " line breaks included), and an optional item header.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zyn::test {

class TextFileBuilder {
public:
    explicit TextFileBuilder(int game) : game_(game) {}

    // A ZYN 2 entry is stored as its type byte, the text and a terminator; ZYN 1 drops the type.
    TextFileBuilder& entry(std::string_view storedText, std::uint8_t type = 1);
    TextFileBuilder& entries(const std::vector<std::string>& storedTexts, std::uint8_t type = 1);
    TextFileBuilder& withHeader(bool on = true);

    // Offset table and entries, without a header.
    std::string data() const;
    // The whole file: a stored-item header in front of data() when asked for.
    std::string bytes() const;

private:
    int game_;
    bool header_ = false;
    std::vector<std::string> stored_;
};

// A 10-byte item header with the given fields.
std::string itemHeader(std::uint32_t expandedSize, std::uint32_t storedSize, std::uint16_t mode);

} // namespace zyn::test
