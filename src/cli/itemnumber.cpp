#include "cli/itemnumber.h"

#include "archive/archiveindex.h"

namespace zyn::cli {

std::optional<int> parseItemNumber(const std::string& text) {
    if (text.empty() || text.size() > 5)
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value >= ArchiveIndex::MaxItems)
        return std::nullopt;
    return value;
}

} // namespace zyn::cli
