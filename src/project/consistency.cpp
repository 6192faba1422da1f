#include "project/consistency.h"

#include <string_view>
#include <unordered_map>

namespace zyn {

namespace {

// The texts one side goes with, grouped by the shared text of the other side.
struct Group {
    std::vector<ConsistencyVariant> variants;
    std::unordered_map<std::string_view, std::size_t> variantAt;
};

void findings(const std::vector<ConsistencyEntry>& entries, ConsistencyKind kind,
              std::vector<ConsistencyFinding>& out) {
    const bool bySource = kind == ConsistencyKind::SeveralTranslations;
    std::vector<std::string_view> order;
    std::unordered_map<std::string_view, Group> groups;
    for (const ConsistencyEntry& entry : entries) {
        // Not untranslated: a text kept equal to its source is one of the translations compared.
        if (entry.source.empty() || entry.target.empty())
            continue;
        const std::string_view shared = bySource ? entry.source : entry.target;
        const std::string& other = bySource ? entry.target : entry.source;
        auto [found, added] = groups.try_emplace(shared);
        if (added)
            order.push_back(shared);
        Group& group = found->second;
        const auto [variant, isNew] = group.variantAt.try_emplace(other, group.variants.size());
        if (isNew)
            group.variants.push_back({other, {}});
        group.variants[variant->second].places.push_back({entry.bank, entry.entry});
    }
    for (const std::string_view shared : order) {
        Group& group = groups.at(shared);
        if (group.variants.size() > 1)
            out.push_back({kind, std::string(shared), std::move(group.variants)});
    }
}

} // namespace

std::vector<ConsistencyFinding> FindInconsistencies(const std::vector<ConsistencyEntry>& entries) {
    std::vector<ConsistencyFinding> out;
    findings(entries, ConsistencyKind::SeveralTranslations, out);
    findings(entries, ConsistencyKind::SeveralSources, out);
    return out;
}

} // namespace zyn
