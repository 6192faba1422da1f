#pragma once

// How many entries are in each state: the one place a state is counted, for the project
// window's rows, `zyntext status` and the entry list's counts line alike.

#include "project/translationproject.h"

#include <array>

namespace zyn {

// Whether an entry in state is still to do: untranslated or needing review.
constexpr bool IsToDo(EntryState state) {
    return state == EntryState::Untranslated || state == EntryState::NeedsReview;
}

class StateTally {
public:
    void add(EntryState state) { ++counts_[index(state)]; }
    void add(const StateTally& other) {
        for (std::size_t i = 0; i < counts_.size(); ++i)
            counts_[i] += other.counts_[i];
    }
    int count(EntryState state) const { return counts_[index(state)]; }
    // The entries still to do (IsToDo).
    int toDo() const {
        int sum = 0;
        for (std::size_t i = 0; i < counts_.size(); ++i)
            sum += IsToDo(EntryState(i)) ? counts_[i] : 0;
        return sum;
    }

private:
    static std::size_t index(EntryState state) { return static_cast<std::size_t>(state); }
    std::array<int, EntryStateCount> counts_{};
};

} // namespace zyn
