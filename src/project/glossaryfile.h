#pragma once

// A glossary file read and written in the format its name ends in: ".tbx", ".csv", ".tsv" (any
// case); written through the safe writer.

#include "base/filesystem.h"
#include "base/result.h"
#include "project/glossary.h"

#include <optional>
#include <string>

namespace zyn {

enum class GlossaryFormat { Tbx, Csv, Tsv };

std::optional<GlossaryFormat> GlossaryFormatOf(const std::string& path);

inline constexpr std::uint64_t MostGlossaryBytes = 64u << 20;

// The languages are those the project names, as TBX codes ("en", "fr"), for a TBX file of
// several languages.
Result<ReadGlossary> ReadGlossaryFile(FileSystem& fs, const std::string& path,
                                      const std::string& sourceLanguage = {},
                                      const std::string& targetLanguage = {});
Status WriteGlossaryFile(FileSystem& fs, const std::string& path, const Glossary& glossary);

} // namespace zyn
