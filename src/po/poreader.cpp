#include "po/poreader.h"

#include "characters/visibletext.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gettext-po.h>
#include <iostream>
#include <map>
#include <memory>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>

namespace zyn {

namespace {

// The parser reports through plain function pointers, so what it says is collected here for
// the one read in progress.
struct ParserReport {
    std::string name; // the file as the user named it; the parser reads a copy
    std::string errors;
    int count = 0;
};
ParserReport* currentReport = nullptr;

void record(int severity, const char* filename, std::size_t line, const char* text) {
    if (severity == PO_SEVERITY_WARNING || !currentReport)
        return;
    std::string where;
    if (filename) {
        where = currentReport->name;
        if (line != static_cast<std::size_t>(-1))
            where += ":" + std::to_string(line);
        where += ": ";
    }
    std::string message = text ? text : "";
    while (!message.empty() && message.back() == '\n')
        message.pop_back();
    if (currentReport->count++ < 5)
        currentReport->errors +=
            (currentReport->errors.empty() ? "" : "\n") + VisibleText(where + message);
    if (severity == PO_SEVERITY_FATAL_ERROR) {
        // The library's rule: this handler must not return on a fatal error, so the run ends
        // with the failure status. No file is half written: imports write only after the whole
        // file is read. The editor, which reads PO files for its memory, ends too; the next run
        // offers its unsaved changes as its recovery file last kept them.
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

std::string headerField(const char* header, const char* field) {
    if (!header)
        return {};
    std::unique_ptr<char, decltype(&std::free)> value(po_header_field(header, field), &std::free);
    return value ? value.get() : "";
}

bool isUtf8Header(const char* header) {
    std::string value = headerField(header, "Content-Type");
    for (char& c : value)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::size_t at = value.find("charset=");
    if (at == std::string::npos)
        return true;
    const std::string charset = value.substr(at + 8);
    return charset.rfind("utf-8", 0) == 0 || charset.rfind("charset", 0) == 0 ||
           charset.rfind("ascii", 0) == 0 || charset.rfind("us-ascii", 0) == 0;
}

// The parser keeps no line for a message, so the lines of each context are found in the file:
// those "msgctxt "..."" holding it, in order. Contexts this program writes need no escapes.
std::map<std::string, std::vector<std::size_t>> contextLines(std::string_view file) {
    std::map<std::string, std::vector<std::size_t>> lines;
    std::size_t number = 1;
    for (std::size_t start = 0; start < file.size(); ++number) {
        const std::size_t end = std::min(file.find('\n', start), file.size());
        const std::string_view line = file.substr(start, end - start);
        start = end + 1;
        if (!line.starts_with("msgctxt \""))
            continue;
        const std::size_t close = line.find('"', 9);
        if (close != std::string_view::npos)
            lines[std::string(line.substr(9, close - 9))].push_back(number);
    }
    return lines;
}

bool isOctal(char c) {
    return c >= '0' && c <= '7';
}

// Whether the strings of a line hold code 0: a raw NUL byte, or an escape whose value is 0 as
// a byte ("\0", "\000", "\x00", "\x100"). Comment lines are left to commentHoldsNul.
bool holdsNul(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t");
    if (first != std::string_view::npos && line[first] == '#')
        return false;
    if (line.find('\0') != std::string_view::npos)
        return true;
    bool inString = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') {
            inString = !inString;
            continue;
        }
        if (!inString || line[i] != '\\' || i + 1 == line.size())
            continue;
        const bool hex = line[i + 1] == 'x';
        std::size_t at = i + 1 + (hex ? 1 : 0), digits = 0;
        unsigned value = 0;
        for (; at < line.size() && (hex ? std::isxdigit(static_cast<unsigned char>(line[at]))
                                        : isOctal(line[at]) && digits < 3);
             ++at, ++digits) {
            const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(line[at])));
            value = (value * (hex ? 16 : 8) +
                     static_cast<unsigned>(c <= '9' ? c - '0' : c - 'a' + 10)) &
                    0xFF;
        }
        if (digits > 0 && value == 0)
            return true;
        i = digits > 0 ? at - 1 : i + 1; // past the escape
    }
    return false;
}

// Whether a comment line holds a raw NUL byte. The comments, references and flags of a message
// are read (its comments become an entry's note), and the parser would cut such a line short
// without a word. An escape in a comment is only its text; obsolete messages ("#~") are not read.
bool commentHoldsNul(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t");
    return first != std::string_view::npos && line[first] == '#' &&
           !line.substr(first).starts_with("#~") && line.find('\0') != std::string_view::npos;
}

// The first line (from 1) holding code 0 where it would cut off what follows, and whether it is
// a comment; line 0 for none.
struct NulLine {
    std::size_t line = 0;
    bool comment = false;
};
NulLine nulLine(std::string_view file) {
    std::size_t number = 1;
    for (std::size_t start = 0; start < file.size(); ++number) {
        const std::size_t end = std::min(file.find('\n', start), file.size());
        const std::string_view line = file.substr(start, end - start);
        if (holdsNul(line))
            return {number, false};
        if (commentHoldsNul(line))
            return {number, true};
        start = end + 1;
    }
    return {};
}

// A file descriptor that closes itself.
struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

// The parser reads only named files: it is given a file in memory holding bytes, so that it
// reads what was checked here, without the byte-order mark it would take for a syntax error.
// The path itself where no such file can be made.
std::string parserFile(const std::string& path, std::string_view bytes, Descriptor& memory) {
    memory.fd = ::memfd_create("po", MFD_CLOEXEC);
    for (std::size_t done = 0; memory.fd >= 0 && done < bytes.size();) {
        const ssize_t n = ::write(memory.fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return path;
        done += static_cast<std::size_t>(n);
    }
    return memory.fd >= 0 ? "/proc/self/fd/" + std::to_string(memory.fd) : path;
}

// The message's references as written. The parser splits them at blanks, so the pieces of a
// name holding blanks, which have no line number of their own, are joined to the piece that
// follows.
std::vector<std::string> references(po_message_t message) {
    std::vector<std::string> found;
    std::string pending;
    for (int i = 0; po_filepos_t pos = po_message_filepos(message, i); ++i) {
        pending += (pending.empty() ? "" : " ") + std::string(po_filepos_file(pos));
        if (const std::size_t line = po_filepos_start_line(pos);
            line != static_cast<std::size_t>(-1)) {
            found.push_back(std::move(pending) + ":" + std::to_string(line));
            pending.clear();
        }
    }
    if (!pending.empty())
        found.push_back(std::move(pending));
    return found;
}

// The file with LF line ends. msgfmt reads CR LF as LF (a "#, fuzzy" line so ended is still
// fuzzy). It takes a lone CR for a blank, so a file whose lines all end with CR alone would be
// one line to it, its first comment hiding every message after it; each such CR is taken for
// the line end it is meant as instead. A lone CR in a file of LF lines is left to the parser.
std::string withLineFeeds(std::string_view bytes) {
    std::string text(bytes);
    if (text.find('\n') == std::string::npos) {
        std::replace(text.begin(), text.end(), '\r', '\n');
        return text;
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            text[kept++] = text[i];
    text.resize(kept);
    return text;
}

} // namespace

Result<PoCatalogue> ReadPoFile(FileSystem& fs, const std::string& path) {
    // Read here first: a FIFO or a device is refused at once instead of read without end.
    auto read = fs.readFile(path, MaxPoFileSize);
    if (!read)
        return read.status();
    std::string_view marked = *read;
    if (marked.starts_with("\xEF\xBB\xBF"))
        marked.remove_prefix(3);
    const std::string text = withLineFeeds(marked);
    const std::string_view bytes = text;
    if (const NulLine nul = nulLine(bytes); nul.line > 0)
        return Result<PoCatalogue>::failure(
            ErrorKind::Damaged,
            path + ":" + std::to_string(nul.line) +
                (nul.comment ? ": a comment holds code 0 (a NUL byte), which would cut off the "
                               "rest of the comment; nothing was written."
                             : ": a string holds code 0 (a NUL byte), which would end the entry "
                               "in the game and cut off the rest; nothing was written."));
    ParserReport report{path, {}, 0};
    Descriptor memory;
    const std::string parsed = parserFile(path, bytes, memory);
    currentReport = &report;
    errno = 0;
    std::unique_ptr<po_file, PoFileCloser> file(po_file_read(parsed.c_str(), &Handler));
    currentReport = nullptr;
    if (!file)
        return Result<PoCatalogue>::failure(
            ErrorKind::Io, "Cannot read " + path + ": " +
                               (report.errors.empty() ? std::strerror(errno) : report.errors) +
                               ".");
    if (report.count > 0)
        return Result<PoCatalogue>::failure(ErrorKind::Damaged,
                                            path + " is no valid PO file:\n" + report.errors);
    const char* header = po_file_domain_header(file.get(), nullptr);
    if (!isUtf8Header(header))
        return Result<PoCatalogue>::failure(
            ErrorKind::Unsupported,
            path + ": the PO file is not in UTF-8; convert it first (msgconv --to-code=UTF-8).");

    PoCatalogue catalogue;
    catalogue.source = headerField(header, "X-Source");
    catalogue.target = headerField(header, "X-Target");
    catalogue.project = headerField(header, "X-Project");
    const auto lines = contextLines(bytes);
    std::map<std::string, std::size_t> taken; // messages met so far, by context
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
        entry.references = references(message);
        entry.comments = po_message_comments(message);
        entry.extractedComments = po_message_extracted_comments(message);
        if (const auto found = lines.find(entry.context); found != lines.end()) {
            const std::size_t seen = taken[entry.context]++;
            entry.line = seen < found->second.size() ? found->second[seen] : 0;
        }
        catalogue.entries.push_back(std::move(entry));
    }
    return catalogue;
}

} // namespace zyn
