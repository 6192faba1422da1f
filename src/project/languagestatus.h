#pragma once

// The rows of a whole language: every dialogue bank of the language translated into against the
// same bank of the source language, as BankStatus counts it. `zyntext status` prints them; the
// project window shows them as they come.

#include "archive/archiveflow.h"
#include "archive/archiveindex.h"
#include "base/filesystem.h"
#include "base/result.h"
#include "project/bankstatus.h"
#include "project/consistency.h"
#include "project/translationproject.h"

#include <functional>
#include <string>
#include <vector>

namespace zyn {

// Takes the row of bank item; false stops the walk.
using BankRowSink = std::function<bool(int item, BankCounts row)>;

// The banks of language `to` in item order, each against its bank in `from`, read from the bytes
// index holds (the archive at path); the states from project's records when it is given. A
// bank that cannot be read ends the walk with its message. translated, when given, gathers the
// translated entries of every bank walked (named by ConsistencyBank) for the consistency column,
// which needs them all: ConsistencyCountsByItem once the walk is done.
Status ForEachBankStatus(FileSystem& files, const std::string& path, const ArchiveIndex& index,
                         const ArchiveFlow& names, bool isVersion2, int from, int to,
                         const TranslationProject* project, const CodeClasses& classes,
                         const BankChecks& checks, const BankRowSink& row,
                         std::vector<ConsistencyEntry>* translated = nullptr);

// Each row of items (in the same order) given its consistency count from entries: 0 for a bank
// no finding names.
void SetConsistency(std::vector<BankCounts>& rows, const std::vector<int>& items,
                    const std::vector<ConsistencyEntry>& entries);

} // namespace zyn
