#include "project/languagestatus.h"

#include "flows/archiveitemflow.h"
#include "flows/bankpairs.h"
#include "project/projectfile.h"

namespace zyn {

Status ForEachBankStatus(FileSystem& files, const std::string& path, const ArchiveIndex& index,
                         const ArchiveFlow& names, bool isVersion2, int from, int to,
                         const TranslationProject* project, const CodeClasses& classes,
                         const BankChecks& checks, const BankRowSink& row) {
    for (const BankPair& pair : DialogueBanks(index, isVersion2, from, to)) {
        auto banks = LoadBankPair(files, path, index, names, pair, isVersion2);
        if (!banks)
            return banks.status();
        const BankRecords* records = nullptr;
        if (project)
            if (const auto found = project->banks.find(ProjectBankName(isVersion2, pair.target));
                found != project->banks.end())
                records = &found->second;
        if (!row(pair.target, BankStatus(ArchiveItemName(names, pair.target), *banks->source,
                                         *banks->target, records, classes, checks)))
            break;
    }
    return {};
}

} // namespace zyn
