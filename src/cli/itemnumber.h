#pragma once

// Item numbers on the command line count from 0, as the archive's table does.

#include <optional>
#include <string>

namespace zyn::cli {

// The number in text, or nothing when text is not a plain decimal number from 0 to 20000.
std::optional<int> parseItemNumber(const std::string& text);

} // namespace zyn::cli
