#include "session/statusfilter.h"

#include "session/documentsession.h"

namespace zyn {

std::string_view statusFilterName(StatusFilter filter) {
    // No default: a filter added without a name does not build.
    switch (filter) {
    case StatusFilter::All:
        return "all";
    case StatusFilter::Untranslated:
        return "untranslated";
    case StatusFilter::Translated:
        return "translated";
    case StatusFilter::Changed:
        return "changed";
    case StatusFilter::DoesNotFit:
        return "does-not-fit";
    case StatusFilter::Suggestion:
        return "suggestion";
    case StatusFilter::Spelling:
        return "spelling";
    case StatusFilter::NeedsReview:
        return "needs-review";
    case StatusFilter::Reviewed:
        return "reviewed";
    case StatusFilter::WithNote:
        return "with-note";
    }
    return {};
}

std::optional<StatusFilter> statusFilterNamed(std::string_view name) {
    // The filters are numbered from 0 without gaps; the first number without a name is past them.
    for (int i = 0;; ++i) {
        const auto filter = static_cast<StatusFilter>(i);
        const std::string_view known = statusFilterName(filter);
        if (known.empty())
            return std::nullopt;
        if (known == name)
            return filter;
    }
}

} // namespace zyn
