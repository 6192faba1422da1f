#include "cli/poreader.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <gettext-po.h>
#include <iostream>
#include <map>
#include <memory>

namespace zyn::cli {

namespace {

// The parser reports through plain function pointers, so what it says is collected here for
// the one read in progress.
struct ParserReport {
    std::string errors;
    int count = 0;
};
ParserReport* currentReport = nullptr;

void record(int severity, const char* filename, std::size_t line, const char* text) {
    if (severity == PO_SEVERITY_WARNING || !currentReport)
        return;
    std::string where;
    if (filename) {
        where = filename;
        if (line != static_cast<std::size_t>(-1))
            where += ":" + std::to_string(line);
        where += ": ";
    }
    std::string message = text ? text : "";
    while (!message.empty() && message.back() == '\n')
        message.pop_back();
    if (currentReport->count++ < 5)
        currentReport->errors += (currentReport->errors.empty() ? "" : "\n") + where + message;
    if (severity == PO_SEVERITY_FATAL_ERROR) {
        // The library's rule: this handler must not return on a fatal error. Nothing has been
        // written yet (imports write only after the whole file is read), so ending the run
        // with the failure status loses nothing.
        std::cerr << "zyntext: " << currentReport->errors << '\n';
        std::exit(1);
    }
}

void onError(int severity, po_message_t, const char* filename, std::size_t line, std::size_t, int,
             const char* text) {
    record(severity, filename, line, text);
}

void onError2(int severity, po_message_t, const char* filename1, std::size_t line1, std::size_t,
              int, const char* text1, po_message_t, const char*, std::size_t, std::size_t, int,
              const char* text2) {
    const std::string text = std::string(text1 ? text1 : "") + " " + (text2 ? text2 : "");
    record(severity, filename1, line1, text.c_str());
}

const po_xerror_handler Handler{onError, onError2};

struct PoFileCloser {
    void operator()(po_file* file) const { po_file_free(file); }
};
struct IteratorCloser {
    void operator()(po_message_iterator_t it) const { po_message_iterator_free(it); }
};

bool isUtf8Header(const char* header) {
    if (!header)
        return true;
    std::unique_ptr<char, decltype(&std::free)> type(po_header_field(header, "Content-Type"),
                                                     &std::free);
    if (!type)
        return true;
    std::string value = type.get();
    for (char& c : value)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::size_t at = value.find("charset=");
    if (at == std::string::npos)
        return true;
    const std::string charset = value.substr(at + 8);
    return charset.rfind("utf-8", 0) == 0 || charset.rfind("charset", 0) == 0 ||
           charset.rfind("ascii", 0) == 0 || charset.rfind("us-ascii", 0) == 0;
}

// The parser keeps no line for a message, so the line of each context is found in the file:
// the first line "msgctxt "..."" holding it. Contexts this program writes need no escapes.
std::map<std::string, std::size_t> contextLines(const std::string& path) {
    std::map<std::string, std::size_t> lines;
    std::ifstream in(path);
    std::string line;
    for (std::size_t number = 1; std::getline(in, line); ++number) {
        if (line.rfind("msgctxt \"", 0) != 0)
            continue;
        const std::size_t end = line.find('"', 9);
        if (end != std::string::npos)
            lines.emplace(line.substr(9, end - 9), number);
    }
    return lines;
}

} // namespace

Result<std::vector<PoEntry>> ReadPoFile(const std::string& path) {
    ParserReport report;
    currentReport = &report;
    errno = 0;
    std::unique_ptr<po_file, PoFileCloser> file(po_file_read(path.c_str(), &Handler));
    currentReport = nullptr;
    if (!file)
        return Result<std::vector<PoEntry>>::failure(
            ErrorKind::Io, "Cannot read " + path + ": " +
                               (report.errors.empty() ? std::strerror(errno) : report.errors) +
                               ".");
    if (report.count > 0)
        return Result<std::vector<PoEntry>>::failure(
            ErrorKind::Damaged, path + " is no valid PO file:\n" + report.errors);
    if (!isUtf8Header(po_file_domain_header(file.get(), nullptr)))
        return Result<std::vector<PoEntry>>::failure(
            ErrorKind::Unsupported,
            path + ": the PO file is not in UTF-8; convert it first (msgconv --to-code=UTF-8).");

    const auto lines = contextLines(path);
    std::vector<PoEntry> entries;
    std::unique_ptr<struct po_message_iterator, IteratorCloser> it(
        po_message_iterator(file.get(), nullptr));
    while (po_message_t message = po_next_message(it.get())) {
        if (po_message_is_obsolete(message))
            continue;
        const char* context = po_message_msgctxt(message);
        const char* id = po_message_msgid(message);
        if (!context && id && *id == '\0')
            continue; // the header
        PoEntry entry;
        entry.context = context ? context : "";
        entry.source = id ? id : "";
        entry.plural = po_message_msgid_plural(message) != nullptr;
        const char* str =
            entry.plural ? po_message_msgstr_plural(message, 0) : po_message_msgstr(message);
        entry.translation = str ? str : "";
        entry.fuzzy = po_message_is_fuzzy(message) != 0;
        if (const auto found = lines.find(entry.context); found != lines.end())
            entry.line = found->second;
        entries.push_back(std::move(entry));
    }
    return entries;
}

} // namespace zyn::cli
