#pragma once

// A text file as the user names it to the command-line tool: a loose file, or item N of an
// archive written "ARCHIVE:N". Read and written with the editor's own steps, so every command
// that takes a text file takes an archive item alike.

#include "base/filesystem.h"
#include "base/result.h"

#include <optional>
#include <string>
#include <string_view>

namespace zyn {

struct OpenDocument;
struct ProgramState;
struct TextDocument;

// An item number as users write it, counted from 0 like the archive's table: plain decimal
// digits, below the most items an archive holds.
std::optional<int> ParseItemNumber(std::string_view text);

struct TextSource {
    std::string path; // the loose file, or the archive
    int item = -1;    // the archive's item, counted from 0; -1 for a loose file

    bool inArchive() const { return item >= 0; }
    // As the user wrote it: "text.hqr:3", or the path.
    std::string name() const;
};

// "ARCHIVE:N" names item N of ARCHIVE when everything after the last ':' is digits; a name that
// is itself an existing file is that file whatever it holds. Fails on a number beyond the
// items an archive can hold.
Result<TextSource> ParseTextSource(FileSystem& fs, const std::string& name);

// Reads the source into the document: a loose file as File Open reads it, expanding compressed
// data in memory only; an archive item as Open from HQR loads it, its archive named as the
// game's text archive. On failure the document is as it was.
Status LoadTextSource(FileSystem& fs, OpenDocument& open, const TextSource& source,
                      bool isVersion2);

// Writes the document to the target: a loose file as File Save writes it (a temporary file in
// the same folder, then renamed over the target; with the 10-byte item header when header is
// set), an archive item as Save to HQR does (the archive rebuilt, the old one kept as backup;
// waiting for its lock as program.ArchiveWait says). Nothing is written when the texts cannot be
// saved; a target that is read-only or not a file is refused with the reason in plain words.
Status SaveTextSource(ProgramState& program, TextDocument& doc, const TextSource& target,
                      bool header);

} // namespace zyn
