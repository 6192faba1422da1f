#include "project/projectformat.h"

#include "flows/pocatalog.h"

#include <charconv>

namespace zyn {

namespace {

constexpr int MostEntries = 100000;

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::optional<int> numberIn(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// The fields of an entry line before its note: split at single spaces.
std::string_view nextField(std::string_view& rest) {
    const std::size_t space = rest.find(' ');
    const std::string_view field = rest.substr(0, space);
    rest = space == std::string_view::npos ? std::string_view{} : rest.substr(space + 1);
    return field;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// "key:" with a key of small letters and hyphens: a header line wherever it stands, so that a
// merge that lost the blank line after the header loses no entry.
bool isHeaderLine(std::string_view line) {
    const std::size_t colon = line.find(':');
    if (colon == 0 || colon == std::string_view::npos)
        return false;
    for (const char c : line.substr(0, colon))
        if (!((c >= 'a' && c <= 'z') || c == '-'))
            return false;
    return true;
}

} // namespace

bool IsProjectBankName(std::string_view name) {
    if (name.empty())
        return false;
    for (const char c : name)
        if (static_cast<unsigned char>(c) <= ' ' || c == 0x7F || c == ':')
            return false;
    return true;
}

namespace {

class Reader {
public:
    explicit Reader(ParsedProject& out) : out_(out) {}

    void header(int line, std::string_view text) {
        const std::size_t colon = text.find(':');
        const std::string_view key = text.substr(0, colon);
        const std::string_view value = trimmed(text.substr(colon + 1));
        TranslationProject& project = out_.project;
        if (key == "archive") {
            project.archive = value;
        } else if (key == "game") {
            const auto game = numberIn(value);
            if (game && (*game == 1 || *game == 2))
                project.game = *game;
            else
                problem(line, "names no game (1 or 2)");
        } else if (key == "source" || key == "target") {
            const int language = PoLanguageBlock(std::string(value));
            if (language < 0)
                problem(line, "names no language (EN, FR, DE, SP, IT or PO)");
            else
                (key == "source" ? project.sourceLanguage : project.targetLanguage) = language;
        } else if (key == "memory") {
            if (!value.empty())
                project.memorySources.emplace_back(value);
        } else if (key == "glossary") {
            project.glossary = value;
        } else {
            // A later version's key: kept, so that this version writes it back.
            project.otherHeaders.emplace_back(text);
        }
    }

    void entry(int line, std::string_view text) {
        std::string_view rest = text;
        const std::string_view bank = nextField(rest);
        const std::string_view number = nextField(rest);
        const std::string_view state = nextField(rest);
        const std::string_view hash = nextField(rest);
        const auto entry = numberIn(number);
        const auto named = StateNamed(state);
        const auto sourceHash = HashFromText(hash);
        const auto note = UnescapeNote(rest);
        if (!IsProjectBankName(bank))
            return problem(line, "names no bank");
        if (!entry || *entry < 1 || *entry > MostEntries)
            return problem(line, "names no entry (a number from 1)");
        if (!named)
            return problem(line, "names no state (untranslated, needs-review, translated or "
                                 "reviewed)");
        if (!sourceHash)
            return problem(line, "has no source hash (8 hex digits)");
        if (!note)
            return problem(line, "has a note with an unknown escape");
        BankRecords& records = out_.project.banks[std::string(bank)];
        if (records.count(*entry - 1))
            problem(line, "repeats an entry; this line is taken");
        records[*entry - 1] = {*named, *note, *sourceHash};
    }

private:
    void problem(int line, std::string message) {
        out_.problems.push_back({line, "Line " + std::to_string(line) + " " + message + "."});
    }

    ParsedProject& out_;
};

} // namespace

std::string EscapeNote(std::string_view note) {
    static constexpr char Hex[] = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < note.size(); ++i) {
        const auto c = static_cast<unsigned char>(note[i]);
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\t')
            out += "\\t";
        else if (c < 0x20 || c == 0x7F)
            out += {'\\', 'x', Hex[c >> 4], Hex[c & 0xF]};
        else if (c == ' ' && i + 1 == note.size())
            out += "\\s";
        else
            out += static_cast<char>(c);
    }
    return out;
}

std::optional<std::string> UnescapeNote(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        switch (text[i]) {
        case '\\':
            out += '\\';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        case 's':
            out += ' ';
            break;
        case 'x': {
            const int high = i + 2 < text.size() ? hexDigit(text[i + 1]) : -1;
            const int low = i + 2 < text.size() ? hexDigit(text[i + 2]) : -1;
            if (high < 0 || low < 0)
                return std::nullopt;
            out += static_cast<char>(high << 4 | low);
            i += 2;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    return out;
}

std::string FormatProject(const TranslationProject& project) {
    std::string out(ProjectFormatLine);
    out += '\n';
    const auto header = [&](std::string_view key, const std::string& value) {
        out.append(key).append(": ").append(value) += '\n';
    };
    header("archive", project.archive);
    if (project.game != 0)
        header("game", std::to_string(project.game));
    if (project.sourceLanguage >= 0)
        header("source", PoLanguagePrefix(project.sourceLanguage));
    if (project.targetLanguage >= 0)
        header("target", PoLanguagePrefix(project.targetLanguage));
    for (const std::string& source : project.memorySources)
        header("memory", source);
    if (!project.glossary.empty())
        header("glossary", project.glossary);
    for (const std::string& line : project.otherHeaders)
        out.append(line) += '\n';
    out += '\n';
    for (const auto& [bank, records] : project.banks)
        for (const auto& [entry, record] : records) {
            out.append(bank) += ' ';
            out.append(std::to_string(entry + 1)) += ' ';
            out.append(StateName(record.state)) += ' ';
            out.append(HashText(record.sourceHash));
            if (!record.note.empty())
                out.append(" ").append(EscapeNote(record.note));
            out += '\n';
        }
    return out;
}

Result<ParsedProject> ParseProject(std::string_view text) {
    ParsedProject parsed;
    Reader reader(parsed);
    int line = 0;
    while (!text.empty() || line == 0) {
        const std::size_t end = text.find('\n');
        std::string_view current = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        // A checkout that turned line breaks into CR LF is read the same.
        if (!current.empty() && current.back() == '\r')
            current.remove_suffix(1);
        ++line;
        if (line == 1) {
            if (current == ProjectFormatLine)
                continue;
            if (current.starts_with("zyntext translation project "))
                return Result<ParsedProject>::failure(
                    ErrorKind::Unsupported,
                    "is a translation project of a later version of this program (\"" +
                        std::string(current) + "\").");
            return Result<ParsedProject>::failure(ErrorKind::Damaged,
                                                  "is no translation project: its first line "
                                                  "is not \"" +
                                                      std::string(ProjectFormatLine) + "\".");
        }
        if (current.empty())
            continue;
        if (isHeaderLine(current))
            reader.header(line, current);
        else
            reader.entry(line, current);
    }
    const TranslationProject& project = parsed.project;
    const auto missing = [&](bool lacks, std::string_view what) {
        if (lacks)
            parsed.problems.push_back({0, "The project names no " + std::string(what) + "."});
    };
    missing(project.archive.empty(), "archive");
    missing(project.game == 0, "game");
    missing(project.sourceLanguage < 0, "source language");
    missing(project.targetLanguage < 0, "target language");
    return parsed;
}

} // namespace zyn
