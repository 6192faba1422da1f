#include "flows/textsource.h"

#include "archive/archiveindex.h"
#include "archive/archiverewrite.h"
#include "archive/itemnames.h"
#include "base/itemheader.h"
#include "characters/remapping.h"
#include "document/textreader.h"
#include "document/textwriter.h"
#include "flows/archiveitemflow.h"
#include "flows/filesave.h"
#include "flows/opendocument.h"
#include "flows/programstate.h"

#include <filesystem>
#include <system_error>

namespace zyn {

namespace {

// Refuses, in a terminal's words, a target the editor would ask another name for: not a file
// (a FIFO, a device, a folder) or read-only.
Status checkTarget(FileSystem& fs, const std::string& path) {
    const FileInfo info = fs.info(path);
    if (info.exists && !info.isRegular) {
        std::error_code error;
        const auto type = std::filesystem::status(path, error).type();
        using std::filesystem::file_type;
        const std::string kind = type == file_type::directory ? "a folder"
                                 : type == file_type::fifo    ? "a FIFO"
                                 : type == file_type::block || type == file_type::character
                                     ? "a device"
                                     : "something else";
        return Status::failure(ErrorKind::Io,
                               "Cannot write " + path + ": it is " + kind + ", not a file.");
    }
    if (info.exists && info.readOnly)
        return Status::failure(ErrorKind::Io, "Cannot write " + path + ": it is read-only.");
    return {};
}

} // namespace

std::optional<int> ParseItemNumber(std::string_view text) {
    if (text.empty() || text.size() > 5)
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value >= ArchiveIndex::MaxItems)
        return std::nullopt;
    return value;
}

std::string TextSource::name() const {
    return inArchive() ? path + ":" + std::to_string(item) : path;
}

Result<TextSource> ParseTextSource(FileSystem& fs, const std::string& name) {
    const std::size_t colon = name.rfind(':');
    const std::string_view digits =
        colon == std::string::npos ? std::string_view() : std::string_view(name).substr(colon + 1);
    const bool looksLikeItem =
        !digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos;
    if (!looksLikeItem || fs.info(name).exists)
        return TextSource{name, -1};
    const std::optional<int> item = ParseItemNumber(digits);
    if (!item)
        return Result<TextSource>::failure(ErrorKind::Damaged,
                                           "In " + name + ", " + std::string(digits) +
                                               " is no item number: an archive has items 0 to " +
                                               std::to_string(ArchiveIndex::MaxItems - 1) + ".");
    return TextSource{name.substr(0, colon), *item};
}

Status LoadTextSource(FileSystem& fs, OpenDocument& open, const TextSource& source,
                      bool isVersion2) {
    if (source.inArchive()) {
        // Only the item is read (the table checked first), however large the archive.
        open.Flow.ArchiveIsVersion2 = isVersion2;
        NameTextArchiveItems(open.Flow, isVersion2, false);
        const std::string name = ArchiveItemName(open.Flow, source.item);
        auto loaded = LoadArchiveItem(fs, source.path, open.Archive, source.item, name, isVersion2);
        if (!loaded)
            return loaded.status();
        AdoptText(open.Document, std::move(*loaded),
                  ArchiveItemOrigin(source.path, source.item, name));
        return {};
    }
    // Compressed files are expanded in memory; the tool leaves no ".TMP" copy behind.
    auto read = ReadTextFile(fs, source.path, isVersion2);
    if (!read)
        return read.status();
    AdoptText(open.Document, std::move(*read), LooseFileOrigin(source.path));
    return {};
}

Status SaveTextSource(ProgramState& program, TextDocument& doc, const TextSource& target,
                      bool header) {
    DocumentOrigin origin;
    if (target.inArchive()) {
        // The rebuild reads the archive under its lock: there is nothing read ahead to check.
        origin = ArchiveItemOrigin(target.path, target.item, std::to_string(target.item));
    } else {
        if (Status writable = checkTarget(program.files(), target.path); !writable)
            return writable;
        std::error_code error;
        const auto absolute = std::filesystem::absolute(target.path, error);
        if (error)
            return Status::failure(ErrorKind::Io,
                                   "Cannot use " + target.path + ": " + error.message() + ".");
        origin = LooseFileOrigin(absolute.string());
        if (origin.FileTitle.empty())
            return Status::failure(ErrorKind::Io, target.path + " names a folder, not a file.");
        origin.KeepHeader = header;
    }
    ArchiveIndex unread;
    const SaveResult saved = WriteDocument(program, doc, origin, unread, {});
    if (saved.saved())
        return {};
    return Status::failure(saved.kind, saved.message);
}

} // namespace zyn
