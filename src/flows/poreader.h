#pragma once

// Reading a PO file with gettext's own parser, libgettextpo, which reads whatever gettext's
// tools and translation editors write (wrapped and multi-line strings, escapes, comments,
// obsolete messages).

#include "base/result.h"
#include "flows/pocatalog.h"

#include <string>
#include <vector>

namespace zyn::cli {

// The messages of the PO file at path, header and obsolete messages left out. A file the parser
// finds errors in, or whose header names a charset other than UTF-8, is refused with the
// parser's messages (file and line).
Result<std::vector<PoEntry>> ReadPoFile(const std::string& path);

} // namespace zyn::cli
