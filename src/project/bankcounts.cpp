#include "project/bankcounts.h"

#include "project/entrystate.h"

#include <algorithm>

namespace zyn {

int BankCounts::progress() const {
    if (words <= 0)
        return wordsToDo > 0 ? 0 : 100;
    return static_cast<int>((words - wordsToDo) * 100 / words);
}

BankCounts CountBank(const std::string& bank, const std::vector<std::string>& source,
                     const std::vector<std::string>& target, const BankRecords* records,
                     const CodeClasses& classes) {
    BankCounts counts;
    counts.bank = bank;
    counts.entries = static_cast<int>(std::max(source.size(), target.size()));
    static const std::string none;
    for (int i = 0; i < counts.entries; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const std::string& from = at < source.size() ? source[at] : none;
        const std::string& to = at < target.size() ? target[at] : none;
        const EntryRecord* record = nullptr;
        if (records)
            if (const auto found = records->find(i); found != records->end())
                record = &found->second;
        const auto words = static_cast<long long>(CountWords(ClassesOfCodes(from, classes)));
        counts.words += words;
        const EntryState state = StateOf(from, to, record);
        counts.states.add(state);
        if (IsToDo(state))
            counts.wordsToDo += words;
    }
    return counts;
}

BankCounts TotalCounts(const std::vector<BankCounts>& rows) {
    BankCounts total;
    const auto add = [](std::optional<int>& sum, const std::optional<int>& value) {
        if (value)
            sum = sum.value_or(0) + *value;
    };
    for (const BankCounts& row : rows) {
        total.entries += row.entries;
        total.wordsToDo += row.wordsToDo;
        total.words += row.words;
        total.states.add(row.states);
        add(total.doesNotFit, row.doesNotFit);
        add(total.spelling, row.spelling);
        add(total.checkFindings, row.checkFindings);
        add(total.glossary, row.glossary);
        add(total.consistency, row.consistency);
    }
    return total;
}

bool HasWork(const BankCounts& row) {
    return row.states.toDo() > 0;
}

int NextBankWithWork(const std::vector<BankCounts>& rows, int current) {
    const int count = static_cast<int>(rows.size());
    const int start = current >= 0 && current < count ? current : -1;
    for (int step = 1; step <= count; ++step) {
        const int row = (start + step) % count;
        if (row != start && HasWork(rows[std::size_t(row)]))
            return row;
    }
    return -1;
}

int NeighbourBank(int rows, int current, bool forward) {
    if (current < 0 || current >= rows)
        return rows == 0 ? -1 : forward ? 0 : rows - 1;
    const int next = current + (forward ? 1 : -1);
    return next >= 0 && next < rows ? next : -1;
}

} // namespace zyn
