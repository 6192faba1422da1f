#pragma once

// Text that looks like the games' dialogue: sentences of common words with line breaks, names,
// punctuation and an entry terminator now and then, so that it compresses as real text does.

#include <cstddef>
#include <string>
#include <vector>

std::string DialogueText(std::size_t size, unsigned seed);

// That text cut at its sentence ends into sentences of over 30 bytes, as entries.
std::vector<std::string> DialogueSentences(std::size_t size, unsigned seed);
