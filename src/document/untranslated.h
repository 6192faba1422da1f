#pragma once

// The one definition of an untranslated text, below every layer that decides it: the entry
// list, the check, the translation memory, the PO export and the project's states.

#include <string_view>

namespace zyn {

// Without a record of the project: empty, or the same codes as the source.
inline bool IsUntranslatedText(std::string_view source, std::string_view target) {
    return target.empty() || target == source;
}

} // namespace zyn
