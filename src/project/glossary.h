#pragma once

// A project's glossary: the terms that must read the same across the whole language.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zyn {

struct GlossaryTerm {
    std::string source, target; // UTF-8
    std::string note;           // plain text, lines joined by '\n'
    // The source term stands unchanged in a translation ("Vornak", a made-up name).
    bool doNotTranslate = false;
    // Matched with its letters' case as written ("Ring" the name, not "ring").
    bool caseSensitive = false;

    friend bool operator==(const GlossaryTerm&, const GlossaryTerm&) = default;
};

struct Glossary {
    // Language codes as TBX writes them ("en", "fr"); "" when a file named none.
    std::string sourceLanguage, targetLanguage;
    std::vector<GlossaryTerm> terms;

    friend bool operator==(const Glossary&, const Glossary&) = default;
};

// What a glossary file gave, and the lines or entries it passed over, each said in a line.
// A-Z as a-z: names of columns, languages, marks and file endings, which are ASCII.
std::string AsciiLowered(std::string_view text);
// A mark as the files write it: "yes" or empty, and "no", "x", "1", "0", "true", "false" in any
// case; nothing for anything else.
std::optional<bool> ReadMark(std::string_view text);

struct ReadGlossary {
    Glossary glossary;
    std::vector<std::string> problems;
};

} // namespace zyn
