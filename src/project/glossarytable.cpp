#include "project/glossarytable.h"

#include <array>
#include <optional>

namespace zyn {

namespace {

enum Column { Source, Target, Note, DoNotTranslate, CaseSensitive, Columns };
constexpr std::array<std::string_view, Columns> Headers{"source", "target", "note",
                                                        "do not translate", "case sensitive"};

std::string csvField(std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(field);
    std::string out = "\"";
    for (const char c : field)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

std::string tsvField(std::string_view field) {
    std::string out;
    for (const char c : field) {
        if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\\')
            out += "\\\\";
        else
            out += c;
    }
    return out;
}

std::string tsvValue(std::string_view field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            out += field[i];
            continue;
        }
        const char next = field[++i];
        out += next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return out;
}

using Row = std::vector<std::string>;

struct Rows {
    std::vector<Row> rows;
    std::vector<int> lines; // where each row starts
};

// RFC 4180 records, LF alone accepted as the end of one too.
Result<Rows> csvRows(std::string_view text) {
    Rows out;
    Row row;
    std::string field;
    bool quoted = false, fieldStarted = false;
    int line = 1, rowLine = 1;
    const auto endRow = [&] {
        row.push_back(std::move(field));
        field.clear();
        // A blank line holds no term.
        if (row.size() > 1 || !row.front().empty()) {
            out.rows.push_back(std::move(row));
            out.lines.push_back(rowLine);
        }
        row.clear();
        fieldStarted = false;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
                if (i + 1 < text.size() && text[i + 1] != ',' && text[i + 1] != '\r' &&
                    text[i + 1] != '\n')
                    return Result<Rows>::failure(ErrorKind::Damaged,
                                                 "Line " + std::to_string(line) +
                                                     " has text after a quoted field.");
            } else {
                line += c == '\n';
                field += c;
            }
            continue;
        }
        if (c == '"' && !fieldStarted) {
            quoted = fieldStarted = true;
        } else if (c == ',') {
            row.push_back(std::move(field));
            field.clear();
            fieldStarted = false;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            endRow();
            rowLine = ++line;
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (quoted)
        return Result<Rows>::failure(ErrorKind::Damaged, "Line " + std::to_string(rowLine) +
                                                             " opens a quote it never closes.");
    if (!field.empty() || !row.empty())
        endRow();
    return out;
}

Rows tsvRows(std::string_view text) {
    Rows out;
    int line = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view current = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        ++line;
        if (!current.empty() && current.back() == '\r')
            current.remove_suffix(1);
        if (current.empty())
            continue;
        Row row;
        for (std::size_t start = 0;;) {
            const std::size_t tab = current.find('\t', start);
            row.push_back(tsvValue(current.substr(start, tab - start)));
            if (tab == std::string_view::npos)
                break;
            start = tab + 1;
        }
        out.rows.push_back(std::move(row));
        out.lines.push_back(line);
    }
    return out;
}

} // namespace

std::string WriteGlossaryTable(const Glossary& glossary, TableFormat format) {
    const bool csv = format == TableFormat::Csv;
    const std::string_view separator = csv ? "," : "\t";
    const std::string_view lineEnd = csv ? "\r\n" : "\n";
    std::string out;
    for (std::size_t i = 0; i < Headers.size(); ++i)
        out.append(i ? separator : "").append(Headers[i]);
    out.append(lineEnd);
    for (const GlossaryTerm& term : glossary.terms) {
        const std::string_view fields[] = {term.source, term.target, term.note,
                                           term.doNotTranslate ? "yes" : "",
                                           term.caseSensitive ? "yes" : ""};
        for (std::size_t i = 0; i < Columns; ++i)
            out.append(i ? separator : "").append(csv ? csvField(fields[i]) : tsvField(fields[i]));
        out.append(lineEnd);
    }
    return out;
}

Result<ReadGlossary> ReadGlossaryTable(std::string_view text, TableFormat format) {
    // Spreadsheets write a byte order mark before UTF-8.
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    Result<Rows> table = format == TableFormat::Csv ? csvRows(text) : Result<Rows>(tsvRows(text));
    if (!table)
        return table.status();
    if (table->rows.empty())
        return Result<ReadGlossary>::failure(ErrorKind::Damaged, "The glossary has no header row.");
    ReadGlossary read;
    std::array<int, Columns> at;
    at.fill(-1);
    const Row& header = table->rows.front();
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string name = AsciiLowered(header[i]);
        bool known = false;
        for (std::size_t k = 0; k < Columns; ++k)
            if (name == Headers[k] && at[k] < 0) {
                at[k] = static_cast<int>(i);
                known = true;
            }
        if (!known)
            read.problems.push_back("The column \"" + header[i] +
                                    "\" is not one this program reads; passed over.");
    }
    if (at[Source] < 0 || at[Target] < 0)
        return Result<ReadGlossary>::failure(
            ErrorKind::Damaged, "The glossary's header row has no \"source\" and \"target\".");
    for (std::size_t r = 1; r < table->rows.size(); ++r) {
        const Row& row = table->rows[r];
        const std::string line = "Line " + std::to_string(table->lines[r]);
        const auto field = [&](Column column) -> std::string {
            const int i = at[column];
            return i >= 0 && static_cast<std::size_t>(i) < row.size()
                       ? row[static_cast<std::size_t>(i)]
                       : std::string();
        };
        GlossaryTerm term{field(Source), field(Target), field(Note)};
        if (term.source.empty()) {
            read.problems.push_back(line + " has no source term; passed over.");
            continue;
        }
        for (const Column column : {DoNotTranslate, CaseSensitive}) {
            const std::optional<bool> mark = ReadMark(field(column));
            if (!mark)
                read.problems.push_back(line + " has \"" + field(column) + "\" for \"" +
                                        std::string(Headers[column]) +
                                        "\", which is neither yes nor no; read as no.");
            (column == DoNotTranslate ? term.doNotTranslate : term.caseSensitive) =
                mark.value_or(false);
        }
        read.glossary.terms.push_back(std::move(term));
    }
    return read;
}

} // namespace zyn
