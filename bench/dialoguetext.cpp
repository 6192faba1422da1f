#include "dialoguetext.h"

#include <array>
#include <random>
#include <string_view>

std::string DialogueText(std::size_t size, unsigned seed) {
    static constexpr std::array<std::string_view, 48> Words{
        "the",     "a",     "you",     "I",          "we",       "must",      "find",   "the key",
        "harbour", "ship",  "captain", "island",     "guard",    "door",      "is",     "was",
        "never",   "again", "already", "tomorrow",   "ticket",   "museum",    "wizard", "tunic",
        "please",  "thank", "help",    "lighthouse", "sergeant", "ferry",     "north",  "south",
        "have",    "seen",  "my",      "your",       "old",      "strange",   "quiet",  "morning",
        "what",    "where", "why",     "how",        "perhaps",  "certainly", "not",    "to"};
    static constexpr std::array<std::string_view, 6> Ends{".", "!", "?", "...", ", ", " @ "};
    std::mt19937 random(seed);
    std::string text;
    text.reserve(size + 64);
    while (text.size() < size) {
        const int words = 3 + static_cast<int>(random() % 12);
        for (int w = 0; w < words; ++w) {
            if (w > 0)
                text += ' ';
            text += Words[random() % Words.size()];
        }
        text += Ends[random() % Ends.size()];
        if (random() % 6 == 0)
            text += '\0'; // an entry ends
        else
            text += ' ';
    }
    text.resize(size);
    return text;
}

std::vector<std::string> DialogueSentences(std::size_t size, unsigned seed) {
    std::vector<std::string> sentences;
    std::string sentence;
    for (const char c : DialogueText(size, seed)) {
        if (c != '\0')
            sentence += c;
        if ((c == '\0' || c == '.' || c == '!' || c == '?') && sentence.size() > 30) {
            sentences.push_back(sentence);
            sentence.clear();
        }
    }
    return sentences;
}
