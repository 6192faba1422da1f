#include "archive/itemcheck.h"

#include <gtest/gtest.h>
#include <vector>

namespace zyn {
namespace {

// The list of the item dialog with its check marks and the two flow values.
struct List {
    explicit List(int size, bool v2) : checked(static_cast<std::size_t>(size)), v2(v2) {}

    // A click toggles the box before the rule runs, as a list with check boxes does.
    void click(int x) {
        checked[static_cast<std::size_t>(x)] = !checked[static_cast<std::size_t>(x)];
        CheckArchiveItem(checked, x, archiveItem, lastChecked, v2);
    }
    std::vector<int> marks() const {
        std::vector<int> on;
        for (std::size_t i = 0; i < checked.size(); ++i)
            if (checked[i])
                on.push_back(static_cast<int>(i));
        return on;
    }

    std::vector<bool> checked;
    bool v2;
    std::int16_t archiveItem = 0;
    std::int16_t lastChecked = 0;
};

using Marks = std::vector<int>;

TEST(CheckArchiveItem, OnlyOneDiaItemIsCheckedAtATime) {
    List list(140, false);
    list.click(7);
    EXPECT_EQ(list.marks(), Marks{7});
    list.click(9);
    EXPECT_EQ(list.marks(), Marks{9});
    EXPECT_EQ(list.archiveItem, 9);
    EXPECT_EQ(list.lastChecked, 9);
}

TEST(CheckArchiveItem, ClickingTheCheckedItemAgainKeepsItChecked) {
    List list(140, false);
    list.click(5);
    list.click(5);
    EXPECT_EQ(list.marks(), Marks{5});
    EXPECT_EQ(list.archiveItem, 5);
}

TEST(CheckArchiveItem, AnOrdItemCannotBeChecked) {
    List list(140, false);
    list.click(11);
    list.click(12);
    EXPECT_EQ(list.marks(), Marks{11});
    EXPECT_EQ(list.archiveItem, 11);
    EXPECT_EQ(list.lastChecked, 11);

    List fresh(140, false);
    fresh.click(4);
    EXPECT_EQ(fresh.marks(), Marks{});
    EXPECT_EQ(fresh.archiveItem, 0);
}

TEST(CheckArchiveItem, BlankItemsOfZyn2AreRefused) {
    List list(180, true);
    list.click(31);
    for (const int blank : {33, 32, 3, 153}) {
        list.click(blank);
        EXPECT_EQ(list.marks(), Marks{31}) << blank;
        EXPECT_EQ(list.archiveItem, 31) << blank;
        EXPECT_EQ(list.lastChecked, 31) << blank;
    }
}

TEST(CheckArchiveItem, ABlankItemBeforeAnyAcceptedCheckFallsBackToItemZero) {
    List list(180, true);
    list.archiveItem = 41; // left from an earlier opening
    list.click(3);
    EXPECT_EQ(list.marks(), Marks{0});
    EXPECT_EQ(list.archiveItem, 0);
}

} // namespace
} // namespace zyn
