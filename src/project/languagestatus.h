#pragma once

// The rows of a whole language: every dialogue bank of the language translated into against the
// same bank of the source language, as BankStatus counts it. `zyntext status` prints them; the
// project window shows them as they come.

#include "archive/archiveflow.h"
#include "archive/archiveindex.h"
#include "base/filesystem.h"
#include "base/result.h"
#include "project/bankstatus.h"
#include "project/translationproject.h"

#include <functional>
#include <string>

namespace zyn {

// Takes the row of bank item; false stops the walk.
using BankRowSink = std::function<bool(int item, BankCounts row)>;

// The banks of language `to` in item order, each against its bank in `from`, read from the bytes
// index holds (the archive at path); the states from project's records when it is given. A
// bank that cannot be read ends the walk with its message.
Status ForEachBankStatus(FileSystem& files, const std::string& path, const ArchiveIndex& index,
                         const ArchiveFlow& names, bool isVersion2, int from, int to,
                         const TranslationProject* project, const CodeClasses& classes,
                         const BankChecks& checks, const BankRowSink& row);

} // namespace zyn
