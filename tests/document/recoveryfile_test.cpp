#include "document/recentfiles.h"
#include "document/recoveryfile.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

using namespace std::string_literals;

TEST(RecoveryFile, KeepsTheDocumentAsItWasAndRefusesEveryDamagedCopy) {
    // A ZYN 2 archive item saved once with Save As, one entry edited in display form.
    TextDocument doc;
    doc.SlotCount = 4;
    doc.EntryText[0] = "line\r\nnext\0 @"s;
    doc.EntryText[1] = "\xff\x01";
    doc.EntryText[2] = "ab";
    doc.DisplayForm[2] = true;
    doc.EntryType = {1, 17, 129};
    doc.IsVersion2 = true;
    doc.ForceSave = true;
    doc.Origin = ArchiveItemOrigin("/games/text.hqr", 41, "FR_020.DIA");
    doc.Origin.HeaderFound = true;
    doc.Origin.HeaderMode = 2;
    const TextMapper upper = [](int, std::string_view text) -> Result<std::string> {
        return std::string(text == "ab" ? "AB" : text);
    };
    const std::string data =
        RecoveryData(doc, 2, upper, {"old", "", "ab"}, "item bytes"s, 1700000000);
    const auto read = ParseRecoveryData(data, "r");
    ASSERT_TRUE(read) << read.message();
    const std::vector<std::string> texts{"line\r\nnext\0 @"s, "\xff\x01", "AB", ""};
    EXPECT_EQ(read->text.text.EntryText, texts);
    EXPECT_EQ(read->text.text.EntryType, (std::vector<std::uint8_t>{1, 17, 129}));
    EXPECT_EQ(read->opened, (std::vector<std::string>{"old", "", "ab"}));
    EXPECT_TRUE(read->text.isVersion2);
    EXPECT_EQ(DocumentName(read->origin), "FR_020.DIA in /games/text.hqr");
    EXPECT_EQ(read->origin.ArchiveItem, 41);
    EXPECT_TRUE(read->origin.HeaderFound && !read->origin.KeepHeader && read->forceSave);
    EXPECT_EQ(read->origin.HeaderMode, 2);
    EXPECT_EQ(read->currentEntry, 2);
    EXPECT_EQ(read->itemAsRead, "item bytes");
    EXPECT_EQ(read->writtenAt, 1700000000);

    // Cut anywhere, or any byte changed: refused with a message naming the file.
    for (std::size_t size = 0; size < data.size(); ++size)
        EXPECT_FALSE(ParseRecoveryData(data.substr(0, size), "r")) << size;
    for (std::size_t at = 0; at < data.size(); ++at) {
        std::string damaged = data;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x40);
        const auto refused = ParseRecoveryData(damaged, "/data/r");
        ASSERT_FALSE(refused) << at;
        EXPECT_EQ(refused.message().rfind("The recovery file /data/r is damaged: ", 0), 0u);
    }
}

TEST(RecentFiles, NewestFirstEachFileOrItemOnceAndEightAtMost) {
    std::vector<DocumentOrigin> recent;
    for (int item = 1; item <= 10; ++item)
        RememberRecentFile(recent,
                           ArchiveItemOrigin("/g/text.hqr", item, "FR_00" + std::to_string(item)));
    RememberRecentFile(recent, LooseFileOrigin("/g/text.hqr"));
    RememberRecentFile(recent, ArchiveItemOrigin("/g/text.hqr", 5, "FR_005"));
    ASSERT_EQ(recent.size(), MaxRecentFiles);
    EXPECT_EQ(RecentFileLabel(recent[0]), "FR_005 in text.hqr");
    EXPECT_EQ(RecentFileLabel(recent[1]), "text.hqr");
    EXPECT_EQ(RecentFileLabel(recent[2]), "FR_0010 in text.hqr");
    EXPECT_EQ(RecentFileLabel(recent[7]), "FR_004 in text.hqr");
}

} // namespace
} // namespace zyn
