#include "archive/itemnames.h"

#include <array>
#include <initializer_list>
#include <string_view>

namespace zyn {

namespace {

constexpr int Version1BlockLength = 28;
constexpr int Version2BlockLength = 30;
constexpr std::array<std::string_view, 6> Prefixes{"EN", "FR", "DE", "SP", "IT", "PO"};

constexpr std::array<std::string_view, Version1BlockLength> Version1BaseNames{
    "_SYS.ORD", "_SYS.DIA", "_CRE.ORD", "_CRE.DIA", "_GAM.ORD", "_GAM.DIA", "_000.ORD",
    "_000.DIA", "_001.ORD", "_001.DIA", "_002.ORD", "_002.DIA", "_003.ORD", "_003.DIA",
    "_004.ORD", "_004.DIA", "_005.ORD", "_005.DIA", "_006.ORD", "_006.DIA", "_007.ORD",
    "_007.DIA", "_008.ORD", "_008.DIA", "_009.ORD", "_009.DIA", "_010.ORD", "_010.DIA"};

constexpr std::array<std::string_view, Version2BlockLength> Version2BaseNames{
    "_SYS.ORD", "_SYS.DIA", ": <blank HQR item>", ": <blank HQR item>", "_GAM.ORD", "_GAM.DIA",
    "_000.ORD", "_000.DIA", "_001.ORD",           "_001.DIA",           "_002.ORD", "_002.DIA",
    "_003.ORD", "_003.DIA", "_004.ORD",           "_004.DIA",           "_005.ORD", "_005.DIA",
    "_006.ORD", "_006.DIA", "_007.ORD",           "_007.DIA",           "_008.ORD", "_008.DIA",
    "_009.ORD", "_009.DIA", "_010.ORD",           "_010.DIA",           "_011.ORD", "_011.DIA"};

// "\xE9" is e acute, "\xF3" o acute and "\xE3" a tilde in the Western code page.
const std::array<std::string, 6> DemoSentences{"EN: Unused in demo version",
                                               "FR: Pas utiliz\xE9 dans le version demo",
                                               "DE: In Demo-version nicht anwendet",
                                               "SP: No utilizado en la versi\xF3n demo",
                                               "IT: Non utilizzato nella versione demo",
                                               "PO: N\xE3o utlizado na vers\xE3o demo"};

// Positions (1-based, inside a block) of the banks a demo lacks.
bool missingInDemo(bool isVersion2, int p) {
    if (!isVersion2)
        return p >= 9 && p <= 28;
    return p == 9 || p == 10 || (p >= 13 && p <= 18) || (p >= 21 && p <= 30);
}

} // namespace

int TextArchiveItemCount(bool isVersion2) {
    return isVersion2 ? 6 * Version2BlockLength : 5 * Version1BlockLength;
}

void NameTextArchiveItems(ArchiveFlow& flow, bool isVersion2, bool isDemo) {
    const int blockLength = isVersion2 ? Version2BlockLength : Version1BlockLength;
    const int blocks = isVersion2 ? 6 : 5;
    for (int b = 0; b < blocks; ++b) {
        for (int p = 1; p <= blockLength; ++p) {
            std::string& name = flow.ItemNames[static_cast<std::size_t>(b * blockLength + p)];
            if (isDemo && missingInDemo(isVersion2, p)) {
                name = DemoSentences[static_cast<std::size_t>(b)];
                continue;
            }
            const auto base = isVersion2 ? Version2BaseNames[static_cast<std::size_t>(p - 1)]
                                         : Version1BaseNames[static_cast<std::size_t>(p - 1)];
            name = std::string(Prefixes[static_cast<std::size_t>(b)]) + std::string(base);
        }
    }
}

bool RecogniseTextArchive(ArchiveFlow& flow, std::int32_t firstSlot, std::uint64_t archiveLength) {
    switch (firstSlot) {
    case 564:
        flow.ArchiveIsVersion2 = false;
        flow.ArchiveIsDemo = archiveLength < 200000;
        return true;
    case 604:
        flow.ArchiveIsVersion2 = true;
        flow.ArchiveIsDemo = true;
        return true;
    case 724:
        flow.ArchiveIsVersion2 = true;
        flow.ArchiveIsDemo = false;
        return true;
    default:
        return false;
    }
}

int TextArchiveLanguages(bool isVersion2) {
    return isVersion2 ? 6 : 5;
}

int ItemLanguage(bool isVersion2, int item) {
    const int blockLength = isVersion2 ? Version2BlockLength : Version1BlockLength;
    if (item < 0 || item >= TextArchiveItemCount(isVersion2))
        return -1;
    return item / blockLength;
}

int SameBankInLanguage(bool isVersion2, int item, int language) {
    const int blockLength = isVersion2 ? Version2BlockLength : Version1BlockLength;
    if (ItemLanguage(isVersion2, item) < 0 || language < 0 ||
        language >= TextArchiveLanguages(isVersion2))
        return -1;
    return language * blockLength + item % blockLength;
}

} // namespace zyn
