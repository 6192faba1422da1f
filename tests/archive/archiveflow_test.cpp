#include "archive/archiverewrite.h"
#include "archive/itemcheck.h"
#include "archive/itemnames.h"
#include "base/itemheader.h"
#include "characters/wordletters.h"
#include "document/textreader.h"
#include "flows/archiveitemflow.h"
#include "flows/archivesave.h"
#include "flows/archivesearch.h"
#include "flows/opendocument.h"
#include "flows/textsource.h"
#include "support/archivebuilder.h"
#include "support/faultyfilesystem.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace zyn::test {
namespace {

// Every operation of fs that changes the disk, or takes a lock, so far.
int writesOf(const FaultyFileSystem& fs) {
    using Op = FaultyFileSystem::Op;
    int count = 0;
    for (const Op op :
         {Op::Create, Op::Write, Op::Flush, Op::Rename, Op::Link, Op::Remove, Op::Lock, Op::Copy})
        count += fs.count(op);
    return count;
}

const std::string Text =
    TextFileBuilder(2).entry("Welcome aboard! @ The sea is calm.", 1).entry("Second", 3).data();

// A ZYN 2 text archive: ordinals, the text stored, a blank item, the text compressed with each
// method, and an item of a compression the program does not know.
TEST(ArchiveItemFlow, RefusedItemsLeaveTheDocumentAsItWas) {
    TempDir dir;
    const std::string path = dir.write("text.hqr", ArchiveBuilder()
                                                       .stored("ordinals")
                                                       .stored(Text)
                                                       .blank()
                                                       .compressed(Text, 1)
                                                       .compressed(Text, 2)
                                                       .raw(itemHeader(4, 4, 3) + "MSCF")
                                                       .build());
    ArchiveFlow flow;
    NameTextArchiveItems(flow, true, false);
    ArchiveIndex index;
    ASSERT_TRUE(ReadArchiveIndex(realFileSystem(), path, index).ok());
    FaultyFileSystem fs; // counts what is written
    TextDocument doc;
    // Load as the item dialog does it: the document changes only when the item was read.
    const auto load = [&](int item) {
        auto loaded = LoadArchiveItem(fs, path, index, item, ArchiveItemName(flow, item), true);
        if (loaded)
            AdoptText(doc, std::move(*loaded), ArchiveItemOrigin(path, item, "item"));
        return loaded.message();
    };
    ASSERT_EQ(load(1), "");
    doc.EntryText[0] = "edited";
    doc.Origin.FromArchive = false;
    const TextDocument before = doc;
    const std::pair<int, std::string> refusals[] = {
        {2,
         "Item 2 (EN: <blank HQR item>) of the archive " + path + " is blank: it holds no text."},
        {0, "The file EN_SYS.ORD is damaged: its offset table has 14648 slots, more than 1023."},
        {5, UnsupportedCompressionMessage()},
        {6, "The archive " + path + " has no item 6 (it has 6 items)."},
        {-1, "The archive " + path + " has no item -1 (it has 6 items)."}};
    for (const auto& [item, message] : refusals) {
        EXPECT_EQ(load(item), message);
        EXPECT_EQ(doc.EntryText, before.EntryText) << item;
        EXPECT_EQ(doc.SlotCount, before.SlotCount) << item;
        EXPECT_FALSE(doc.Origin.FromArchive);
    }
    EXPECT_EQ(writesOf(fs), 0);
}

// Reading for a look writes nothing: Open from HQR and Compare with (an item as it is on
// disk), `check` and `po export` (items from the index), Find in Archive and `dump ARCHIVE:N`,
// over stored and compressed items. Not a file made, flushed, renamed or removed, through the
// file system or beside it (no working folder in TMPDIR).
TEST(ArchiveItemFlow, ReadOnlyWorkWritesNothing) {
    TempDir dir, temporary;
    ArchiveBuilder builder;
    for (int i = 0; i < 60; ++i)
        if (i % 2 == 0)
            builder.stored("ordinals");
        else if (i % 4 == 1)
            builder.stored(Text);
        else
            builder.compressed(Text, 1 + i / 2 % 2);
    const std::string path = dir.write("text.hqr", builder.build());
    ArchiveFlow flow;
    NameTextArchiveItems(flow, true, false);
    const char* const before = std::getenv("TMPDIR");
    const std::string kept = before ? before : "";
    ::setenv("TMPDIR", temporary.path().c_str(), 1);

    FaultyFileSystem fs;
    ArchiveIndex index;
    ASSERT_TRUE(ReadArchiveIndex(fs, path, index).ok());
    SearchLetters asTheyAre;
    for (int code = 0; code < 256; ++code)
        asTheyAre.folded[static_cast<std::size_t>(code)] = static_cast<std::uint8_t>(code);
    const std::function<bool()> reads[] = {
        [&] { return LoadArchiveItem(fs, path, index, 3, "item", true).ok(); },
        [&] { return ReadIndexedItem(fs, path, index, 5, "item", true).ok(); },
        [&] { return FindInArchive(fs, path, index, flow, 60, "sea", asTheyAre).size() == 30; },
        [&] {
            OpenDocument open;
            return LoadTextSource(fs, open, {path, 7}, true).ok() &&
                   open.Document.EntryText[1] == "Second";
        },
    };
    for (std::size_t r = 0; r < std::size(reads); ++r) {
        EXPECT_TRUE(reads[r]()) << r;
        EXPECT_EQ(writesOf(fs), 0) << r;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temporary.path()),
                                std::filesystem::directory_iterator()),
                  0)
            << r;
    }
    if (before)
        ::setenv("TMPDIR", kept.c_str(), 1);
    else
        ::unsetenv("TMPDIR");
}

TEST(RecogniseTextArchive, ByItsFirstSlotAndLength) {
    const struct {
        std::int32_t slot;
        std::uint64_t length;
        bool recognised, v2, demo;
    } cases[] = {{564, 199999, true, false, true},
                 {564, 200000, true, false, false},
                 {604, 5000000, true, true, true},
                 {724, 100, true, true, false},
                 {728, 100, false, true, true}};
    for (const auto& c : cases) {
        ArchiveFlow flow;
        flow.ArchiveIsVersion2 = flow.ArchiveIsDemo = true;
        EXPECT_EQ(RecogniseTextArchive(flow, c.slot, c.length), c.recognised) << c.slot;
        EXPECT_EQ(flow.ArchiveIsVersion2, c.v2) << c.slot;
        EXPECT_EQ(flow.ArchiveIsDemo, c.demo) << c.slot << ", " << c.length << " bytes";
    }
}

// The concordance: only the languages chosen are searched, whole words by the glossary's word
// edges, and each hit has the same entry of the same bank in the other language of the pair
// beside it (a hit outside the pair the source's); a bank or entry the other language lacks
// leaves that side empty. The open item is read as it is now on both sides.
TEST(FindInArchive, AConcordanceOfALanguagePair) {
    TempDir dir;
    // ZYN 2: EN_000.DIA is item 7, FR_000.DIA 37, DE_000.DIA 67; FR_001.DIA (39) has no EN.
    const std::map<int, std::string> texts = {
        {7, TextFileBuilder(2).entry("The Captain waits.").entry("Captains all").data()},
        {37, TextFileBuilder(2).entry("Le Capitaine attend.").entry("Tous les capitaines").data()},
        {39, TextFileBuilder(2).entry("Capitaine ici").data()},
        {67, TextFileBuilder(2).entry("Der Kapitan wartet.").data()}};
    const std::string path = dir.write("text.hqr", ItemsArchive(texts));
    ArchiveFlow flow;
    flow.ArchiveIsVersion2 = true;
    NameTextArchiveItems(flow, true, false);
    ArchiveIndex index;
    ASSERT_TRUE(ReadArchiveIndex(realFileSystem(), path, index).ok());
    const LetterTable& western = CharacterSets[WesternCharacterSetIndex].letters;
    const SearchLetters letters{FoldedCodes(western), CodeClassesOf(western)};

    struct Case {
        const char* needle;
        std::vector<int> languages;
        bool wholeWords;
        // item:entry=other side, each hit
        std::vector<std::string> hits;
    };
    const auto describe = [](const std::vector<ArchiveHit>& hits) {
        std::vector<std::string> said;
        for (const ArchiveHit& hit : hits)
            said.push_back(std::to_string(hit.item) + ":" + std::to_string(hit.entry) + "=" +
                           std::to_string(hit.otherItem) + ":" + hit.other);
        return said;
    };
    for (const Case& c : std::vector<Case>{
             {"captain", {0}, false, {"7:0=37:Le Capitaine attend.", "7:1=37:Tous les capitaines"}},
             {"captain", {0}, true, {"7:0=37:Le Capitaine attend."}},
             {"capitaine", {1}, true, {"37:0=7:The Captain waits.", "39:0=9:"}},
             {"capitaine", {0}, false, {}},
             {"kapitan", {}, false, {"67:0=7:The Captain waits."}},
         }) {
        const ArchiveSearchScope scope{c.languages, c.wholeWords, 0, 1};
        EXPECT_EQ(describe(FindInArchive(realFileSystem(), path, index, flow, 180, c.needle,
                                         letters, {}, scope)),
                  c.hits)
            << c.needle << (c.wholeWords ? " whole" : "");
    }
    const OpenItemText open{37, {"Le Capitaine a dit", "Tous"}};
    EXPECT_EQ(describe(FindInArchive(realFileSystem(), path, index, flow, 180, "waits", letters,
                                     open, {{0}, true, 0, 1})),
              std::vector<std::string>{"7:0=37:Le Capitaine a dit"});
}

} // namespace
} // namespace zyn::test
