#include "base/textlines.h"

namespace zyn {

std::vector<std::string_view> TextLines(std::string_view codes) {
    std::vector<std::string_view> lines;
    if (codes.empty())
        return lines;
    constexpr std::string_view Break = "\r\n";
    for (std::size_t start = 0;;) {
        const std::size_t end = codes.find(Break, start);
        lines.push_back(codes.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            return lines;
        start = end + Break.size();
    }
}

int LineCount(std::string_view codes) {
    return static_cast<int>(TextLines(codes).size());
}

} // namespace zyn
