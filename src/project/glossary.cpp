#include "project/glossary.h"

namespace zyn {

std::string AsciiLowered(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::optional<bool> ReadMark(std::string_view text) {
    const std::string mark = AsciiLowered(text);
    if (mark.empty() || mark == "no" || mark == "0" || mark == "false")
        return false;
    if (mark == "yes" || mark == "x" || mark == "1" || mark == "true")
        return true;
    return std::nullopt;
}

} // namespace zyn
