#pragma once

// Reading a PO file with gettext's own parser, libgettextpo, which reads whatever gettext's
// tools and translation editors write (wrapped and multi-line strings, escapes, comments,
// obsolete messages).

#include "base/filesystem.h"
#include "base/result.h"
#include "flows/pocatalog.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zyn {

// Far more than the catalogue of a whole archive takes.
constexpr std::uint64_t MaxPoFileSize = 64u * 1024 * 1024;

// The PO file at path: the source, target and project its header records, and its messages,
// header and obsolete messages left out, each with its "#:" references, its fuzzy flag, its
// translator comments and its extracted comments. A byte-order mark at its start is skipped;
// CR LF line ends are read as msgfmt reads them, and lines that all end with CR alone as lines.
// Refused with a message naming the file: anything but a plain file (a FIFO or a device, at
// once) and a file larger than MaxPoFileSize; a string holding a NUL byte, raw or escaped
// ("\0", "\000", "\x00"), or a comment holding a raw one, which the parser would take as its
// end (the line is named); a file the parser finds errors in (its messages, with file and
// line); a header naming a charset other than UTF-8.
Result<PoCatalogue> ReadPoFile(FileSystem& fs, const std::string& path);

} // namespace zyn
