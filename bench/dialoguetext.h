#pragma once

// Text that looks like the games' dialogue: sentences of common words with line breaks, names,
// punctuation and an entry terminator now and then, so that it compresses as real text does.

#include <cstddef>
#include <string>

std::string DialogueText(std::size_t size, unsigned seed);
