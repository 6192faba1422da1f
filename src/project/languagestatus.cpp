#include "project/languagestatus.h"

#include "flows/archiveitemflow.h"
#include "flows/bankpairs.h"
#include "project/languagechecks.h"
#include "project/projectfile.h"

namespace zyn {

Status ForEachBankStatus(FileSystem& files, const std::string& path, const ArchiveIndex& index,
                         const ArchiveFlow& names, bool isVersion2, int from, int to,
                         const TranslationProject* project, const CodeClasses& classes,
                         const BankChecks& checks, const BankRowSink& row,
                         std::vector<ConsistencyEntry>* translated) {
    for (const BankPair& pair : DialogueBanks(index, isVersion2, from, to)) {
        auto banks = LoadBankPair(files, path, index, names, pair, isVersion2);
        if (!banks)
            return banks.status();
        const BankRecords* records = nullptr;
        if (project)
            if (const auto found = project->banks.find(ProjectBankName(isVersion2, pair.target));
                found != project->banks.end())
                records = &found->second;
        if (translated)
            AddTranslatedEntries(ConsistencyBank(pair.target), EntryTexts(*banks->source),
                                 EntryTexts(*banks->target), records, *translated);
        if (!row(pair.target, BankStatus(ArchiveItemName(names, pair.target), *banks->source,
                                         *banks->target, records, classes, checks)))
            break;
    }
    return {};
}

void SetConsistency(std::vector<BankCounts>& rows, const std::vector<int>& items,
                    const std::vector<ConsistencyEntry>& entries) {
    const std::map<int, int> counts = ConsistencyCountsByItem(entries);
    for (std::size_t i = 0; i < rows.size() && i < items.size(); ++i) {
        const auto found = counts.find(items[i]);
        rows[i].consistency = found == counts.end() ? 0 : found->second;
    }
}

} // namespace zyn
