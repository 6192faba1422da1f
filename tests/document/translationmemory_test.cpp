// The translation memory: how alike two texts are, and which translations a text is offered in
// which order.

#include "document/translationmemory.h"
#include "support/suggestionlines.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

using test::described;

TEST(TranslationMemory, LikenessCountsWordsPunctuationAndControlCodes) {
    const struct {
        const char* a;
        const char* b;
        int likeness;
    } cases[] = {
        {"Thank you!", "Thank you!", 100},
        // Case and spacing alone: alike, yet not the same text.
        {"Thank you!", "THANK you !", 99},
        {"Thank you!", "Thank\r\nyou!", 99},
        {"Thank you very much!", "Thank you so much!", 80},
        {"Thank you!", "Thank you very much!", 60},
        {"Open the door.", "Close the window.", 50},
        // A control code and a punctuation mark are words of their own.
        {"Hello\x01 there", "Hello there", 66},
        {"Hello, there", "Hello there", 66},
        // Bytes from 128 up are letters: the accented word is one word.
        {"caf\x82 noir", "caf noir", 50},
        {"", "Hello", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Likeness(c.a, c.b), c.likeness) << c.a << " / " << c.b;
        EXPECT_EQ(Likeness(c.b, c.a), c.likeness) << c.b << " / " << c.a;
    }
}

// The same text first with each of its translations, then texts alike by likeness and the
// order they came in; each translation once, untranslated pairs never.
TEST(TranslationMemory, OffersExactTranslationsFirstThenSimilarOnesInOrder) {
    TranslationMemory memory;
    memory.add("Thank you all!", "Merci a tous !", {"B", 4});
    memory.add("Thank you!", "Merci !", {"A", 6});
    memory.add("Thank you!", "Thank you!", {"A", 7});
    memory.add("Thank you!", "Merci bien !", {"A", 20});
    memory.add("Thank you!", "Merci !", {"A", 50});
    memory.add("thank you!", "merci !", {"C", 1});
    memory.add("Thank you for all!", "Merci pour tout !", {"B", 9});
    memory.add("Thanks!", "Merci !!", {"B", 2});
    memory.add("Thank them!", "Merci a eux !", {"B", 3});
    memory.add("Thank", "", {"B", 5});
    // Offered already for the very text.
    memory.add("Thank  you!", "Merci bien !", {"D", 1});
    memory.add("Open the blue door.", "Ouvre la porte bleue.", {"E", 1});
    memory.add("Open the red door.", "Ouvre la porte rouge.", {"E", 0});
    EXPECT_EQ(memory.pairCount(), 11u);

    EXPECT_EQ(described(memory.Lookup("Thank you!")),
              (std::vector<std::string>{"100 Merci ! @A:6", "100 Merci bien ! @A:20",
                                        "99 merci ! @C:1", "75 Merci a tous ! @B:4"}));
    EXPECT_EQ(described(memory.exact("Thank you!")),
              (std::vector<std::string>{"100 Merci ! @A:6", "100 Merci bien ! @A:20"}));
    EXPECT_EQ(described(memory.Lookup("Thank you!", 2)),
              (std::vector<std::string>{"100 Merci ! @A:6", "100 Merci bien ! @A:20"}));
    // Alike to the same degree: the one added first comes first.
    EXPECT_EQ(described(memory.Lookup("Open the green door.")),
              (std::vector<std::string>{"80 Ouvre la porte bleue. @E:1",
                                        "80 Ouvre la porte rouge. @E:0"}));
    EXPECT_TRUE(memory.Lookup("Goodbye").empty());
    EXPECT_TRUE(memory.Lookup("").empty());
}

// Enough translations of one text and of texts like it: no more than five, the exact ones first.
TEST(TranslationMemory, OffersAtMostFive) {
    TranslationMemory memory;
    for (int i = 0; i < 4; ++i)
        memory.add("Take the key and go.", "Prends la cle " + std::to_string(i), {"A", i});
    for (int i = 0; i < 4; ++i)
        memory.add("Take the key and run.", "Cours " + std::to_string(i), {"B", i});
    const std::vector<Suggestion> found = memory.Lookup("Take the key and go.");
    ASSERT_EQ(found.size(), MostSuggestions);
    EXPECT_EQ(found[3].text, "Prends la cle 3");
    EXPECT_EQ(found[4].text, "Cours 0");
    EXPECT_EQ(found[4].likeness, 83);
}

} // namespace
} // namespace zyn
