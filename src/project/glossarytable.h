#pragma once

// The glossary as a table with a header row, for spreadsheets: CSV (RFC 4180: commas, CR LF,
// a field with a comma, a quote or a line break in quotes, a quote doubled) or TSV (tabs; a
// tab, a line break and a backslash in a field written "\t", "\n", "\r" and "\\").
//
//   source,target,note,do not translate,case sensitive
//   Captain,Capitaine,"Rank, not a name",,
//   Vornak,,A made-up name,yes,yes
//
// Columns are found by their header, in any order and case; source and target must be there.
// A column this program does not know is named among the problems and passed over; a mark is
// "yes" or empty ("no", "x", "1", "0", "true" and "false" are read too).

#include "base/result.h"
#include "project/glossary.h"

#include <string>
#include <string_view>

namespace zyn {

enum class TableFormat { Csv, Tsv };

std::string WriteGlossaryTable(const Glossary& glossary, TableFormat format);
Result<ReadGlossary> ReadGlossaryTable(std::string_view text, TableFormat format);

} // namespace zyn
