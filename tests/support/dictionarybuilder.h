#pragma once

// Small Hunspell dictionaries written by the tests themselves, so that what they find does not
// depend on a dictionary's edition.

#include "support/tempdir.h"

#include <string>
#include <vector>

namespace zyn::test {

// name.aff and name.dic in dir, holding words (UTF-8). With latin1 the files are in ISO8859-1,
// as older dictionaries are.
inline void writeDictionary(const TempDir& dir, const std::string& name,
                            const std::vector<std::string>& words, bool latin1 = false) {
    std::string dic = std::to_string(words.size()) + "\n";
    for (const std::string& word : words)
        dic += word + "\n";
    if (latin1) {
        std::string narrow;
        for (std::size_t i = 0; i < dic.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(dic[i]);
            if (c >= 0xC2 && c <= 0xC3 && i + 1 < dic.size())
                narrow += static_cast<char>(((c & 0x03) << 6) | (dic[++i] & 0x3F));
            else
                narrow += dic[i];
        }
        dic = narrow;
    }
    dir.write(name + ".aff", std::string("SET ") + (latin1 ? "ISO8859-1" : "UTF-8") +
                                 "\nTRY esianrtolcdugmphbyfvkwzESIANRTOLCDUGMPHBYFVKWZ'\n");
    dir.write(name + ".dic", dic);
}

} // namespace zyn::test
