#include "project/xmlreader.h"

#include "characters/utf8.h"

#include <charconv>

namespace zyn {

const std::string* XmlElement::attribute(std::string_view key) const {
    for (const auto& [name, value] : attributes)
        if (name == key)
            return &value;
    return nullptr;
}

std::vector<const XmlElement*> XmlElement::childrenNamed(std::string_view child) const {
    std::vector<const XmlElement*> found;
    for (const XmlElement& element : children)
        if (element.name == child)
            found.push_back(&element);
    return found;
}

const XmlElement* XmlElement::firstChild(std::string_view child) const {
    for (const XmlElement& element : children)
        if (element.name == child)
            return &element;
    return nullptr;
}

std::string EscapeXml(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&apos;";
            break;
        case '\r':
            out += "&#13;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

namespace {

bool isXmlCharacter(char32_t code) {
    return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
           (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

// Whether text is well-formed UTF-8 holding only characters XML allows.
std::size_t firstBadCharacter(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t length = c < 0x80         ? 1
                             : (c >> 5) == 6  ? 2
                             : (c >> 4) == 14 ? 3
                             : (c >> 3) == 30 ? 4
                                              : 0;
        if (length == 0 || i + length > text.size())
            return i;
        char32_t code = length == 1 ? c : c & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return i;
            code = code << 6 | (next & 0x3F);
        }
        static constexpr char32_t Least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < Least[length] || !isXmlCharacter(code))
            return i;
        i += length;
    }
    return std::string_view::npos;
}

bool isNameStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' ||
           static_cast<unsigned char>(c) >= 0x80;
}

bool isNameChar(char c) {
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    Result<XmlElement> document() {
        if (text_.starts_with("\xEF\xBB\xBF"))
            at_ = 3;
        if (const std::size_t bad = firstBadCharacter(text_); bad != std::string_view::npos) {
            at_ = bad;
            return fail("holds a byte that is no UTF-8 character XML allows");
        }
        if (text_.substr(at_).starts_with("<?xml")) {
            const std::size_t end = text_.find("?>", at_);
            if (end == std::string_view::npos)
                return fail("has an XML declaration without its end");
            const std::string_view declaration = text_.substr(at_, end - at_);
            const std::size_t encoding = declaration.find("encoding");
            if (encoding != std::string_view::npos) {
                std::string_view value = declaration.substr(encoding + 8);
                const std::size_t open = value.find_first_of("\"'");
                const std::size_t close = open == std::string_view::npos
                                              ? std::string_view::npos
                                              : value.find(value[open], open + 1);
                if (close == std::string_view::npos)
                    return fail("has an XML declaration this program cannot read");
                std::string name(value.substr(open + 1, close - open - 1));
                for (char& c : name)
                    c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
                if (name != "UTF-8")
                    return fail("is in the encoding " + name + "; this program reads UTF-8");
            }
            at_ = end + 2;
        }
        if (Status skipped = misc(true); !skipped)
            return skipped;
        if (at_ >= text_.size() || text_[at_] != '<')
            return fail("has no root element");
        Result<XmlElement> root = element();
        if (!root)
            return root;
        if (Status skipped = misc(false); !skipped)
            return skipped;
        if (at_ < text_.size())
            return fail("has more after its root element");
        return root;
    }

private:
    // Counted on from the last place asked about, so that a long file is counted once.
    int lineAt(std::size_t at) const {
        if (at < countedTo_) {
            countedTo_ = 0;
            countedLine_ = 1;
        }
        for (; countedTo_ < at && countedTo_ < text_.size(); ++countedTo_)
            countedLine_ += text_[countedTo_] == '\n';
        return countedLine_;
    }

    Status fail(const std::string& message) const {
        return Status::failure(ErrorKind::Damaged,
                               "Line " + std::to_string(lineAt(at_)) + " " + message + ".");
    }

    bool startsWith(std::string_view prefix) const { return text_.substr(at_).starts_with(prefix); }

    void skipSpace() {
        while (at_ < text_.size() && isSpace(text_[at_]))
            ++at_;
    }

    // Comments, processing instructions and blanks outside the root; before it, a document
    // type too.
    Status misc(bool beforeRoot) {
        for (;;) {
            skipSpace();
            if (startsWith("<!--")) {
                if (Status skipped = comment(); !skipped)
                    return skipped;
            } else if (startsWith("<?")) {
                if (Status skipped = instruction(); !skipped)
                    return skipped;
            } else if (beforeRoot && startsWith("<!DOCTYPE")) {
                const std::size_t end = text_.find_first_of("[>", at_);
                if (end == std::string_view::npos)
                    return fail("has a document type without its end");
                if (text_[end] == '[')
                    return fail("has a document type with declarations of its own, which this "
                                "program does not read");
                at_ = end + 1;
                beforeRoot = false;
            } else {
                return {};
            }
        }
    }

    Status comment() {
        const std::size_t end = text_.find("-->", at_ + 4);
        if (end == std::string_view::npos)
            return fail("has a comment without its end");
        at_ = end + 3;
        return {};
    }

    Status instruction() {
        const std::size_t end = text_.find("?>", at_ + 2);
        if (end == std::string_view::npos)
            return fail("has a processing instruction without its end");
        at_ = end + 2;
        return {};
    }

    Result<std::string> name() {
        const std::size_t start = at_;
        if (at_ >= text_.size() || !isNameStart(text_[at_]))
            return fail("has a name that is not one");
        while (at_ < text_.size() && isNameChar(text_[at_]))
            ++at_;
        return std::string(text_.substr(start, at_ - start));
    }

    // A reference after its "&", appended to out.
    Status reference(std::string& out) {
        const std::size_t end = text_.find(';', at_);
        if (end == std::string_view::npos || end - at_ > 12)
            return fail("has an & that starts no reference");
        const std::string_view ref = text_.substr(at_ + 1, end - at_ - 1);
        static constexpr std::pair<std::string_view, char> Named[] = {
            {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}, {"apos", '\''}};
        for (const auto& [entity, c] : Named)
            if (ref == entity) {
                out += c;
                at_ = end + 1;
                return {};
            }
        if (!ref.starts_with('#'))
            return fail("refers to the entity &" + std::string(ref) +
                        "; which this program does not know");
        const bool hex = ref.size() > 1 && ref[1] == 'x';
        const std::string_view digits = ref.substr(hex ? 2 : 1);
        std::uint32_t code = 0;
        const auto [stop, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
        if (digits.empty() || error != std::errc{} || stop != digits.data() + digits.size() ||
            !isXmlCharacter(code))
            return fail("has a character reference to no character");
        AppendUtf8(out, static_cast<char32_t>(code));
        at_ = end + 1;
        return {};
    }

    Status attributes(XmlElement& element) {
        for (;;) {
            const std::size_t before = at_;
            skipSpace();
            if (at_ >= text_.size())
                return fail("ends inside the start tag of <" + element.name + ">");
            if (text_[at_] == '>' || text_[at_] == '/')
                return {};
            if (at_ == before)
                return fail("has no blank before an attribute of <" + element.name + ">");
            Result<std::string> key = name();
            if (!key)
                return key.status();
            skipSpace();
            if (at_ >= text_.size() || text_[at_] != '=')
                return fail("has an attribute without a value");
            ++at_;
            skipSpace();
            if (at_ >= text_.size() || (text_[at_] != '"' && text_[at_] != '\''))
                return fail("has an attribute value without quotes");
            const char quote = text_[at_++];
            std::string value;
            while (at_ < text_.size() && text_[at_] != quote) {
                if (text_[at_] == '<')
                    return fail("has a < inside an attribute value");
                if (text_[at_] == '&') {
                    if (Status read = reference(value); !read)
                        return read;
                } else {
                    // Blanks in a value are read as spaces, as XML has it.
                    value += isSpace(text_[at_]) ? ' ' : text_[at_];
                    ++at_;
                }
            }
            if (at_ >= text_.size())
                return fail("ends inside an attribute value");
            ++at_;
            if (element.attribute(*key))
                return fail("repeats the attribute " + *key);
            element.attributes.emplace_back(std::move(*key), std::move(value));
        }
    }

    // An element with everything inside it, read without recursion.
    Result<XmlElement> element() {
        std::vector<XmlElement> open;
        for (;;) {
            if (at_ >= text_.size())
                return fail("ends inside <" + open.back().name + ">");
            if (text_[at_] != '<' || startsWith("<![CDATA[")) {
                if (open.empty())
                    return fail("has text outside its root element");
                if (Status read = characterData(open.back().text); !read)
                    return read;
                continue;
            }
            if (startsWith("<!--")) {
                if (Status skipped = comment(); !skipped)
                    return skipped;
                continue;
            }
            if (startsWith("<?")) {
                if (Status skipped = instruction(); !skipped)
                    return skipped;
                continue;
            }
            if (startsWith("</")) {
                at_ += 2;
                Result<std::string> closing = name();
                if (!closing)
                    return closing.status();
                skipSpace();
                if (at_ >= text_.size() || text_[at_] != '>')
                    return fail("has an end tag without its >");
                ++at_;
                if (open.empty() || *closing != open.back().name)
                    return fail(
                        "ends <" + *closing + "> where " +
                        (open.empty() ? std::string("nothing") : "<" + open.back().name + ">") +
                        " is open");
                XmlElement done = std::move(open.back());
                open.pop_back();
                if (open.empty())
                    return done;
                open.back().children.push_back(std::move(done));
                continue;
            }
            if (startsWith("<!"))
                return fail("has markup this program does not read");
            XmlElement started;
            started.line = lineAt(at_);
            ++at_;
            Result<std::string> tag = name();
            if (!tag)
                return tag.status();
            started.name = std::move(*tag);
            if (Status read = attributes(started); !read)
                return read;
            if (text_[at_] == '/') {
                if (at_ + 1 >= text_.size() || text_[at_ + 1] != '>')
                    return fail("has a / in a start tag");
                at_ += 2;
                if (open.empty())
                    return started;
                open.back().children.push_back(std::move(started));
                continue;
            }
            ++at_;
            if (open.size() >= static_cast<std::size_t>(MostXmlDepth))
                return fail("nests elements deeper than " + std::to_string(MostXmlDepth));
            open.push_back(std::move(started));
        }
    }

    Status characterData(std::string& out) {
        while (at_ < text_.size() && (text_[at_] != '<' || startsWith("<![CDATA["))) {
            if (startsWith("<![CDATA[")) {
                const std::size_t end = text_.find("]]>", at_ + 9);
                if (end == std::string_view::npos)
                    return fail("has a CDATA section without its end");
                out.append(text_.substr(at_ + 9, end - at_ - 9));
                at_ = end + 3;
            } else if (text_[at_] == '&') {
                if (Status read = reference(out); !read)
                    return read;
            } else if (startsWith("]]>")) {
                return fail("has ]]> outside a CDATA section");
            } else if (text_[at_] == '\r') {
                // Line breaks are read as LF, as XML has it.
                out += '\n';
                at_ += at_ + 1 < text_.size() && text_[at_ + 1] == '\n' ? 2 : 1;
            } else {
                out += text_[at_++];
            }
        }
        return {};
    }

    std::string_view text_;
    std::size_t at_ = 0;
    mutable std::size_t countedTo_ = 0;
    mutable int countedLine_ = 1;
};

} // namespace

Result<XmlElement> ReadXml(std::string_view text) {
    return Parser(text).document();
}

} // namespace zyn
