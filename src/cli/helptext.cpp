#include "cli/helptext.h"

#include "cli/command.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>

namespace zyn::cli {

namespace {

constexpr std::size_t Width = 79;
constexpr std::size_t TagColumn = 22; // where an option's text starts

enum class Kind { Plain, Verbatim, Item, Tagged };

Kind kindOf(const std::string& paragraph) {
    if (paragraph.starts_with("  "))
        return Kind::Verbatim;
    if (paragraph.starts_with("- "))
        return Kind::Item;
    return paragraph.find('\t') != std::string::npos ? Kind::Tagged : Kind::Plain;
}

// Characters, not bytes, so that a line with "é" is as wide as it looks.
std::size_t widthOf(const std::string& text) {
    std::size_t width = 0;
    for (const char c : text)
        width += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return width;
}

// text's words in lines of at most Width characters, the first after first (already on the
// line), the others after indent blanks; a break may also stand only where breakable says.
template <typename Breakable>
std::string wrapped(const std::string& text, const std::string& first, std::size_t indent,
                    Breakable breakable) {
    std::string out = first, line = first;
    std::size_t start = 0;
    bool lineHasWord = false;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        while (end != std::string::npos && !breakable(text, end))
            end = text.find(' ', end + 1);
        if (end == std::string::npos)
            end = text.size();
        const std::string word = text.substr(start, end - start);
        if (lineHasWord && widthOf(line) + 1 + widthOf(word) > Width) {
            out += '\n' + std::string(indent, ' ');
            line = std::string(indent, ' ');
            lineHasWord = false;
        }
        const std::string piece = (lineHasWord ? " " : "") + word;
        out += piece;
        line += piece;
        lineHasWord = true;
        start = end + 1;
    }
    return out + '\n';
}

std::string wrapped(const std::string& text, const std::string& first, std::size_t indent) {
    return wrapped(text, first, indent, [](const std::string&, std::size_t) { return true; });
}

// TEXT after TAG in its column, or on the next line when TAG reaches it.
std::string tagged(const std::string& tag, const std::string& text) {
    const std::string head = "  " + tag;
    if (widthOf(head) + 2 > TagColumn)
        return head + '\n' + wrapped(text, std::string(TagColumn, ' '), TagColumn);
    return wrapped(text, head + std::string(TagColumn - widthOf(head), ' '), TagColumn);
}

std::string paragraphText(const std::string& paragraph) {
    switch (kindOf(paragraph)) {
    case Kind::Verbatim:
        return paragraph + '\n';
    case Kind::Item:
        return wrapped(paragraph.substr(2), "  - ", 4);
    case Kind::Tagged: {
        const std::size_t tab = paragraph.find('\t');
        return tagged(paragraph.substr(0, tab), paragraph.substr(tab + 1));
    }
    case Kind::Plain:
        break;
    }
    return wrapped(paragraph, "", 0);
}

// A usage line breaks only between the parts of a form, not inside "[--from LANG]".
bool outsideBrackets(const std::string& text, std::size_t at) {
    int depth = 0;
    for (std::size_t i = 0; i < at; ++i)
        depth += text[i] == '[' ? 1 : text[i] == ']' ? -1 : 0;
    return depth == 0;
}

// Roff's escapes for running text: a backslash, a minus that is one (so that options can be
// copied), and every character beyond ASCII by its code point.
std::string roffEscaped(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\\') {
            out += "\\e";
        } else if (c == '-') {
            out += "\\-";
        } else if (c < 0x80) {
            out += char(c);
        } else {
            const int length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
            std::uint32_t code = c & (0x7F >> length);
            for (int k = 1; k < length && i + 1 < text.size(); ++k)
                code = (code << 6) | (static_cast<unsigned char>(text[++i]) & 0x3F);
            char buffer[16];
            std::snprintf(buffer, sizeof buffer, "\\[u%04X]", static_cast<unsigned>(code));
            out += buffer;
        }
    }
    return out;
}

// A line of text that roff must not take for a request.
std::string line(std::string text) {
    if (!text.empty() && (text[0] == '.' || text[0] == '\''))
        text.insert(0, "\\&");
    return text + '\n';
}

// What an option's name is made of: not a word of a text, which base/words.h cuts.
bool isOptionNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

// Running text with its option names in bold: "--from", "-o".
std::string roffText(const std::string& text) {
    std::string out;
    std::size_t plain = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool starts = text[i] == '-' && (i == 0 || std::string(" (\"'/").find(text[i - 1]) !=
                                                             std::string::npos);
        if (!starts || i + 1 >= text.size() || !(text[i + 1] == '-' || std::isalpha(text[i + 1])))
            continue;
        std::size_t end = i + 1;
        while (end < text.size() && isOptionNameChar(text[end]))
            ++end;
        if (end - i < 2 || text[end - 1] == '-')
            continue;
        out += roffEscaped(text.substr(plain, i - plain)) + "\\fB" +
               roffEscaped(text.substr(i, end - i)) + "\\fR";
        plain = i = end;
        --i;
    }
    return out + roffEscaped(text.substr(plain));
}

// A form of a command or an option's tag in the manual's fonts: what is typed as it stands in
// bold, what stands for a value (FILE, ARCHIVE:N) in italics, brackets and bars in roman.
std::string roffForm(const std::string& form) {
    std::string out;
    std::size_t i = 0;
    while (i < form.size()) {
        const char c = form[i];
        std::size_t end = i + 1;
        if (std::isupper(static_cast<unsigned char>(c))) {
            while (end < form.size() &&
                   (std::isupper(static_cast<unsigned char>(form[end])) ||
                    std::isdigit(static_cast<unsigned char>(form[end])) || form[end] == '_'))
                ++end;
            out += "\\fI" + roffEscaped(form.substr(i, end - i)) + "\\fR";
        } else if (c == '-' || std::isalnum(static_cast<unsigned char>(c))) {
            while (end < form.size() && (isOptionNameChar(form[end]) || form[end] == '.'))
                ++end;
            out += "\\fB" + roffEscaped(form.substr(i, end - i)) + "\\fR";
        } else {
            out += roffEscaped(std::string(1, c));
        }
        i = end;
    }
    return out;
}

std::string paragraphRoff(const std::string& paragraph) {
    switch (kindOf(paragraph)) {
    case Kind::Verbatim: {
        std::string out = ".PP\n.EX\n";
        std::size_t start = 0;
        while (start <= paragraph.size()) {
            const std::size_t end = std::min(paragraph.find('\n', start), paragraph.size());
            out += line(roffEscaped(paragraph.substr(start, end - start)));
            start = end + 1;
        }
        return out + ".EE\n";
    }
    case Kind::Item:
        return ".IP \\(bu 2\n" + line(roffText(paragraph.substr(2)));
    case Kind::Tagged: {
        const std::size_t tab = paragraph.find('\t');
        return ".TP\n" + line(roffForm(paragraph.substr(0, tab))) +
               line(roffText(paragraph.substr(tab + 1)));
    }
    case Kind::Plain:
        break;
    }
    return ".PP\n" + line(roffText(paragraph));
}

// Paragraphs after a blank line each, save the items of one list.
void paragraphs(const std::vector<std::string>& text, std::string& out) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Kind kind = kindOf(text[i]);
        const bool listed = kind == Kind::Item || kind == Kind::Tagged;
        if (!(i > 0 && listed && kindOf(text[i - 1]) == kind))
            out += '\n';
        out += paragraphText(text[i]);
    }
}

} // namespace

std::string HelpText(const CommandHelp& help) {
    std::string out;
    for (const std::string& form : help.usage) {
        const std::string first = out.empty() ? "Usage: " : "       ";
        // Continued under the command's operands: after "zyntext NAME ".
        const std::size_t name = form.find(' ', form.find(' ') + 1);
        out += wrapped(form, first, first.size() + (name == std::string::npos ? 0 : name + 1),
                       outsideBrackets);
    }
    paragraphs(help.text, out);
    if (!help.options.empty()) {
        out += "\nOptions:\n";
        for (const HelpItem& option : help.options)
            out += tagged(option.tag, option.text);
    }
    paragraphs(help.after, out);
    return out;
}

std::string ManSection(const std::string& name, const CommandHelp& help) {
    std::string out = ".SS " + name + '\n';
    for (const std::string& form : help.usage)
        out += (&form == &help.usage.front() ? "" : ".br\n") + line(roffForm(form));
    for (const std::string& paragraph : help.text)
        out += paragraphRoff(paragraph);
    for (const HelpItem& option : help.options)
        out += ".TP\n" + line(roffForm(option.tag)) + line(roffText(option.text));
    for (const std::string& paragraph : help.after)
        out += paragraphRoff(paragraph);
    return out;
}

std::string UpdatedManPage(const std::string& page, const std::vector<const Command*>& commands) {
    const std::string begin = ".\\\" BEGIN COMMANDS\n", end = ".\\\" END COMMANDS\n";
    const std::size_t from = page.find(begin), to = page.find(end);
    if (from == std::string::npos || to == std::string::npos || to < from)
        return page;
    std::string made;
    for (const Command* command : commands)
        made += ManSection(command->name, command->help);
    return page.substr(0, from + begin.size()) + made + page.substr(to);
}

} // namespace zyn::cli
