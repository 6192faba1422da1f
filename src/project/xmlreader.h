#pragma once

// A small, strict XML reader for the glossary's TBX files, so that the core keeps to the
// standard library. It reads what well-formed UTF-8 XML holds: elements, attributes, the five
// predefined entities and character references, CDATA sections, comments, processing
// instructions and a document type without an internal subset. Anything else (another
// encoding, an entity a document type would define, broken nesting) is refused with the line it
// stands on, never guessed at.

#include "base/result.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zyn {

struct XmlElement {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;
    std::vector<XmlElement> children;
    std::string text; // the character data directly inside it, in order
    int line = 0;     // where its start tag begins

    // The attribute's value, or nullptr.
    const std::string* attribute(std::string_view key) const;
    // The children of that name, in order.
    std::vector<const XmlElement*> childrenNamed(std::string_view child) const;
    const XmlElement* firstChild(std::string_view child) const;
};

// Elements deeper than this are refused: no input can make the reader use the stack without
// bound.
inline constexpr int MostXmlDepth = 64;

// The root element of text, or what is wrong and on which line.
Result<XmlElement> ReadXml(std::string_view text);

// Text escaped for XML character data and attribute values.
std::string EscapeXml(std::string_view text);

} // namespace zyn
