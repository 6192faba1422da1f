#include "cli/itemnumber.h"

#include "flows/textsource.h"

namespace zyn::cli {

std::optional<int> parseItemNumber(const std::string& text) {
    return ParseItemNumber(text);
}

} // namespace zyn::cli
