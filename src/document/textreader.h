#pragma once

// Reading the games' text files: an optional 10-byte item header, a table of 16-bit offsets and
// the entries (ZYN 2 entries start with a type byte). Everything is parsed from bytes held in
// memory and checked against them; the document is changed only by AdoptText, after a read has
// succeeded.

#include "base/expanddata.h"
#include "base/filesystem.h"
#include "base/itemheader.h"
#include "base/result.h"
#include "document/textdocument.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zyn {

// No text file or item this program reads is anywhere near this; larger files are refused
// before they are read into memory.
constexpr std::uint64_t MaxTextFileSize = 64u * 1024 * 1024;

// Compressed text data is expanded no further than this: one byte past what a text file can
// address is enough to refuse it, whatever size its header claims.
constexpr std::size_t ExpandedTextLimit = TextDocument::MaxDataLength + 1;

// "LZSS/LZW compression (01)", "KWAJ/MSPAK compression (02)", "Maybe MSCF/MSZIP compression (03)".
std::string CompressionName(std::uint8_t mode);
// The refusal of an unsupported mode (3 or more) by File Open and the archive dialog.
std::string UnsupportedCompressionMessage();
// The refusal of any compressed file named on the command line.
std::string NoCompressionMessage(std::uint8_t mode);

// Line breaks: " @" at the end and " @ " inside an entry on disk, CR LF in memory.
std::string DecodeLineBreaks(std::string text);
std::string EncodeLineBreaks(std::string text);

// The offset table and entries, decoded.
struct TextData {
    int SlotCount = 0;
    std::vector<std::string> EntryText;  // SlotCount entries; the last (end slot) is empty
    std::vector<std::uint8_t> EntryType; // SlotCount - 1 type bytes (0 for ZYN 1)
};

// Parses text data (without header). name is used in messages only.
Result<TextData> ParseTextData(std::string_view data, bool isVersion2, const std::string& name);

enum class CompressedFiles {
    Expand, // File Open and archive items: modes 1 and 2 are expanded
    Refuse, // the command line: every compressed file is refused
};

struct ReadOptions {
    CompressedFiles compressed = CompressedFiles::Expand;
    ProgressFn progress;      // follows the expansion of a compressed file
    std::string expandedCopy; // where to leave the expanded data; "" for nowhere
};

struct LoadedText {
    TextData text;
    ItemHeader header;
    bool isVersion2 = false;
};

// Reads a file's bytes for ReadTextBytes (refusing missing, unreadable and oversized files).
Result<std::string> LoadTextFileBytes(FileSystem& fs, const std::string& path);

// Interprets the bytes of the text file at path: header test, the refusal of unsupported
// compression, expansion of modes 1 and 2 (only when a header was found), then ParseTextData.
Result<LoadedText> ReadTextBytes(FileSystem& fs, const std::string& path, std::string_view file,
                                 bool isVersion2, const ReadOptions& options = {});

// LoadTextFileBytes followed by ReadTextBytes.
Result<LoadedText> ReadTextFile(FileSystem& fs, const std::string& path, bool isVersion2,
                                const ReadOptions& options = {});

// Puts a successfully read text into the document: entries, types, SlotCount, IsVersion2,
// and origin as where it came from, with the header the text was read with.
void AdoptText(TextDocument& doc, LoadedText&& loaded, DocumentOrigin origin = {});

} // namespace zyn
