#include "project/glossaryfile.h"

#include "base/safewriter.h"
#include "project/glossarytable.h"
#include "project/glossarytbx.h"

namespace zyn {

std::optional<GlossaryFormat> GlossaryFormatOf(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos)
        return std::nullopt;
    const std::string ending = AsciiLowered(path.substr(dot + 1));
    if (ending == "tbx")
        return GlossaryFormat::Tbx;
    if (ending == "csv")
        return GlossaryFormat::Csv;
    if (ending == "tsv")
        return GlossaryFormat::Tsv;
    return std::nullopt;
}

namespace {

Status unknownFormat(const std::string& path) {
    return Status::failure(ErrorKind::Unsupported,
                           "The glossary " + path +
                               " is named neither .tbx, .csv nor .tsv, so its format is not "
                               "known.");
}

} // namespace

Result<ReadGlossary> ReadGlossaryFile(FileSystem& fs, const std::string& path,
                                      const std::string& sourceLanguage,
                                      const std::string& targetLanguage) {
    const std::optional<GlossaryFormat> format = GlossaryFormatOf(path);
    if (!format)
        return unknownFormat(path);
    Result<std::string> text = fs.readFile(path, MostGlossaryBytes);
    if (!text)
        return text.status();
    Result<ReadGlossary> read =
        *format == GlossaryFormat::Tbx
            ? ReadTbx(*text, sourceLanguage, targetLanguage)
            : ReadGlossaryTable(*text, *format == GlossaryFormat::Csv ? TableFormat::Csv
                                                                      : TableFormat::Tsv);
    if (!read)
        return Result<ReadGlossary>::failure(read.kind(),
                                             "The glossary " + path + ": " + read.message());
    if (read->glossary.sourceLanguage.empty())
        read->glossary.sourceLanguage = sourceLanguage;
    if (read->glossary.targetLanguage.empty())
        read->glossary.targetLanguage = targetLanguage;
    return read;
}

Status WriteGlossaryFile(FileSystem& fs, const std::string& path, const Glossary& glossary) {
    const std::optional<GlossaryFormat> format = GlossaryFormatOf(path);
    if (!format)
        return unknownFormat(path);
    const std::string text =
        *format == GlossaryFormat::Tbx
            ? WriteTbx(glossary)
            : WriteGlossaryTable(glossary, *format == GlossaryFormat::Csv ? TableFormat::Csv
                                                                          : TableFormat::Tsv);
    return WriteFileSafely(fs, path, text);
}

} // namespace zyn
