#pragma once

// The stable names of the entry list's status filters, for what is stored: a filter added to
// the list (anywhere in it) must not change what a saved name means.

#include <optional>
#include <string_view>

namespace zyn {

enum class StatusFilter; // documentsession.h

// "all", "untranslated", "does-not-fit", ...
std::string_view statusFilterName(StatusFilter filter);
// The filter of that name, or none for a name no filter has.
std::optional<StatusFilter> statusFilterNamed(std::string_view name);

} // namespace zyn
