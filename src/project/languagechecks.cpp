#include "project/languagechecks.h"

#include "project/entrystate.h"

#include <set>

namespace zyn {

namespace {

const EntryRecord* recordOf(const BankRecords* records, int entry) {
    if (!records)
        return nullptr;
    const auto found = records->find(entry);
    return found == records->end() ? nullptr : &found->second;
}

template <typename Text> const Text& at(const std::vector<Text>& texts, std::size_t i) {
    static const Text none;
    return i < texts.size() ? texts[i] : none;
}

} // namespace

std::vector<MissingTerms> FindMissingTerms(const TermIndex& index,
                                           const std::vector<std::u32string>& source,
                                           const std::vector<std::u32string>& target,
                                           const std::vector<std::string>& sourceCodes,
                                           const std::vector<std::string>& targetCodes,
                                           const BankRecords* records) {
    std::vector<MissingTerms> found;
    for (std::size_t i = 0; i < source.size(); ++i) {
        if (StateOf(at(sourceCodes, i), at(targetCodes, i), recordOf(records, int(i))) ==
            EntryState::Untranslated)
            continue;
        if (std::vector<std::size_t> terms = index.missing(source[i], at(target, i));
            !terms.empty())
            found.push_back({int(i), std::move(terms)});
    }
    return found;
}

void AddTranslatedEntries(const std::string& bank, const std::vector<std::string>& source,
                          const std::vector<std::string>& target, const BankRecords* records,
                          std::vector<ConsistencyEntry>& entries) {
    for (std::size_t i = 0; i < source.size() && i < target.size(); ++i)
        if (StateOf(source[i], target[i], recordOf(records, int(i))) != EntryState::Untranslated)
            entries.push_back({bank, int(i), source[i], target[i]});
}

std::map<std::string, int>
ConsistencyCountsByBank(const std::vector<ConsistencyFinding>& findings) {
    std::set<std::pair<std::string, int>> named;
    for (const ConsistencyFinding& finding : findings)
        for (const ConsistencyVariant& variant : finding.variants)
            for (const EntryPlace& place : variant.places)
                named.emplace(place.bank, place.entry);
    std::map<std::string, int> counts;
    for (const auto& [bank, entry] : named)
        ++counts[bank];
    return counts;
}

std::string ConsistencyBank(int item) {
    return std::to_string(item);
}

std::map<int, int> ConsistencyCountsByItem(const std::vector<ConsistencyEntry>& entries) {
    std::map<int, int> counts;
    for (const auto& [bank, count] : ConsistencyCountsByBank(FindInconsistencies(entries)))
        counts[std::stoi(bank)] = count;
    return counts;
}

} // namespace zyn
