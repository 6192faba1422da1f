#include "document/programstate.h"
#include "document/textreader.h"
#include "document/textwriter.h"
#include "support/faultyfilesystem.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zyn {
namespace {

using test::TextFileBuilder;

class TextWriter : public ::testing::Test {
protected:
    // Reads bytes, written to name in the test's folder, into the state's document.
    void open(const std::string& name, const std::string& bytes, bool version2) {
        const std::string path = dir.write(name, bytes);
        auto read = ReadTextFile(state.files(), path, version2);
        ASSERT_TRUE(read) << read.message();
        AdoptText(state, std::move(*read));
        SetFileName(state, path);
    }

    std::vector<std::string> folderContents() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    test::TempDir dir;
    ProgramState state;
};

struct GameCase {
    int game;
    bool header;
};

class SaveBothGames : public TextWriter, public ::testing::WithParamInterface<GameCase> {};

TEST_P(SaveBothGames, SavingWritesTheSameBytesBack) {
    const auto [game, header] = GetParam();
    const std::string file = TextFileBuilder(game)
                                 .entry("First @ line", 1)
                                 .entry("", 35)
                                 .entry("ends in a break @", 129)
                                 .entry("mail@home", 3)
                                 .withHeader(header)
                                 .bytes();
    open(header ? "text.ztf" : "text.zyt", file, game == 2);
    state.Modified = true;

    const SaveResult saved = SaveDocument(state);
    ASSERT_EQ(saved.outcome, SaveOutcome::Saved) << saved.message;
    EXPECT_EQ(test::readBytes(state.FilePath), file);
    EXPECT_FALSE(state.Modified);
    EXPECT_EQ(state.EntryText[0], "First\r\nline");
    EXPECT_EQ(state.EntryText[2], "ends in a break\r\n");
    EXPECT_EQ(folderContents(), std::vector<std::string>{state.FileTitle});
}

INSTANTIATE_TEST_SUITE_P(Games, SaveBothGames,
                         ::testing::Values(GameCase{1, false}, GameCase{1, true},
                                           GameCase{2, false}, GameCase{2, true}));

TEST(BuildTextData, SingleSlotAndRemapping) {
    TextDocument doc;
    CharacterTables tables;
    doc.SlotCount = 1;
    EXPECT_EQ(*BuildTextData(doc, tables), std::string("\x02\x00", 2));

    doc.IsVersion2 = true;
    doc.EntryType[0] = 17;
    // Display codes go back to the lowest game code showing them; unknown ones become 0.
    for (int k = 0; k < 256; ++k)
        tables.RemapTable[k] = static_cast<std::uint8_t>(k);
    tables.RemapTable['A'] = 'x';
    tables.RemapTable['x'] = 'A';
    tables.RemapTable[200] = 201;
    tables.RemapLoaded = true;
    doc.SlotCount = 3;
    doc.EntryText[0] = "xA\xc8\xc9\r\n";
    doc.DisplayForm[0] = true;
    // An entry still holding the game codes read from the file is written as it is.
    doc.EntryText[1] = "xA";
    EXPECT_EQ(*BuildTextData(doc, tables), std::string("\x06\x00\x0e\x00\x12\x00"
                                                       "\x11"
                                                       "Ax\x00\xc8 @\x00"
                                                       "\x00xA\x00",
                                                       18));
}

TEST(BuildTextData, RefusesMoreThan32767Bytes) {
    TextDocument doc;
    CharacterTables tables;
    doc.SlotCount = 2;
    doc.EntryText[0] = std::string(32767 - 5, 'a'); // table 4, terminator 1
    const auto fits = BuildTextData(doc, tables);
    ASSERT_TRUE(fits) << fits.message();
    EXPECT_EQ(fits->size(), 32767u);

    doc.EntryText[0].push_back('a');
    const auto tooLong = BuildTextData(doc, tables);
    ASSERT_FALSE(tooLong);
    EXPECT_EQ(tooLong.kind(), ErrorKind::Damaged);
    EXPECT_NE(tooLong.message().find("32768 bytes"), std::string::npos) << tooLong.message();
}

TEST_F(TextWriter, SaveLeavesTextsAsTheyWouldReadBack) {
    open("breaks.zyt", TextFileBuilder(1).entry("").entry("").bytes(), false);
    state.EntryText[0] = "typed @";
    state.EntryText[1] = "a@b\r\n";
    state.Modified = true;
    ASSERT_EQ(SaveDocument(state).outcome, SaveOutcome::Saved);
    EXPECT_EQ(test::readBytes(state.FilePath),
              TextFileBuilder(1).entry("typed @").entry("a@b @").bytes());
    EXPECT_EQ(state.EntryText[0], "typed\r\n");
    EXPECT_EQ(state.EntryText[1], "a@b\r\n");
}

TEST_F(TextWriter, SaveAsWritesAHeaderOnlyWhereTheNameAllows) {
    struct Case {
        const char* name;
        bool readWithHeader;
        bool writesHeader;
    };
    const Case cases[] = {
        {"out.dat", false, false}, {"out.dat", true, true},  {"out.ztf", true, true},
        {"out.zyt", true, false},  {"OUT.DIA", true, false}, {"out.txt", true, true},
    };
    const std::string data = TextFileBuilder(1).entry("one").data();
    for (const auto& c : cases) {
        open("in.ztf", c.readWithHeader ? StoredItem(data) : data, false);
        state.ForceSave = false;
        PrepareSaveAs(state, dir.file(c.name));
        EXPECT_TRUE(state.ForceSave);
        EXPECT_EQ(state.FileTitle, c.name);
        ASSERT_EQ(SaveDocument(state).outcome, SaveOutcome::Saved) << c.name;
        EXPECT_EQ(test::readBytes(dir.file(c.name)), c.writesHeader ? StoredItem(data) : data)
            << c.name << (c.readWithHeader ? " read with header" : "");
        std::filesystem::remove(dir.file(c.name));
    }
}

TEST_F(TextWriter, UnchangedDocumentIsSavedOnlyAfterSaveAs) {
    const std::string original = TextFileBuilder(1).entry("same").bytes();
    open("same.zyt", original, false);
    dir.write("same.zyt", "changed on disk");
    EXPECT_EQ(SaveDocument(state).outcome, SaveOutcome::NothingToSave);
    EXPECT_EQ(test::readBytes(state.FilePath), "changed on disk");

    PrepareSaveAs(state, state.FilePath);
    EXPECT_EQ(SaveDocument(state).outcome, SaveOutcome::Saved);
    EXPECT_EQ(test::readBytes(state.FilePath), original);
    dir.write("same.zyt", "changed again");
    EXPECT_EQ(SaveDocument(state).outcome, SaveOutcome::Saved); // ForceSave stays on
    EXPECT_EQ(test::readBytes(state.FilePath), original);

    state.FileTitle.clear();
    EXPECT_EQ(SaveDocument(state).outcome, SaveOutcome::NothingToSave);
}

TEST_F(TextWriter, ReadOnlyOrFolderTargetAsksForAnotherName) {
    open("locked.zyt", TextFileBuilder(1).entry("x").bytes(), false);
    state.Modified = true;
    ASSERT_EQ(::chmod(state.FilePath.c_str(), 0444), 0);
    const std::string before = test::readBytes(state.FilePath);
    SaveResult result = SaveDocument(state);
    EXPECT_EQ(result.outcome, SaveOutcome::NeedsSaveAs);
    EXPECT_EQ(result.message, "The file " + state.FilePath +
                                  " is Read-Only, Hidden, or System. Please, specify a new file.");
    EXPECT_EQ(test::readBytes(state.FilePath), before);
    EXPECT_TRUE(state.Modified);

    std::filesystem::create_directory(dir.file("folder.zyt"));
    SetFileName(state, dir.file("folder.zyt"));
    EXPECT_EQ(SaveDocument(state).outcome, SaveOutcome::NeedsSaveAs);
}

TEST_F(TextWriter, UnwritableFolderFailsAndKeepsTheOldFile) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root; the injected faults below cover this";
    const std::string original = TextFileBuilder(1).entry("old").bytes();
    open("old.zyt", original, false);
    state.EntryText[0] = "new";
    state.Modified = true;
    ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
    const SaveResult result = SaveDocument(state);
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(result.outcome, SaveOutcome::Failed);
    EXPECT_FALSE(result.message.empty());
    EXPECT_EQ(test::readBytes(state.FilePath), original);
    EXPECT_TRUE(state.Modified);
}

TEST_F(TextWriter, AnyWriteFailureKeepsTheOldFileAndLeavesNoTemporaryFile) {
    using Op = test::FaultyFileSystem::Op;
    const Op faults[] = {Op::Create, Op::Write, Op::Flush, Op::Rename};
    const std::string original = TextFileBuilder(2).entry("old @ text", 9).withHeader().bytes();
    for (const Op fault : faults) {
        open("old.ztf", original, true);
        test::FaultyFileSystem faulty;
        faulty.failOn(fault, 1, "No space left on device");
        state.Files = &faulty;
        state.EntryText[0] = "new\r\ntext ending in @";
        state.Modified = true;

        const SaveResult result = SaveDocument(state);
        state.Files = &realFileSystem();
        EXPECT_EQ(result.outcome, SaveOutcome::Failed);
        EXPECT_NE(result.message.find("No space left on device"), std::string::npos)
            << result.message;
        EXPECT_EQ(test::readBytes(state.FilePath), original);
        EXPECT_TRUE(state.Modified);
        EXPECT_EQ(state.EntryText[0], "new\r\ntext ending in @"); // not normalised either
        EXPECT_EQ(folderContents(), std::vector<std::string>{"old.ztf"});
    }
}

TEST_F(TextWriter, DocumentNamedLikeTheTemporaryFileSurvivesAFailedSave) {
    const std::string original = TextFileBuilder(1).entry("old").bytes();
    open(SaveTempName, original, false);
    state.Modified = true;
    test::FaultyFileSystem faulty;
    faulty.failOn(test::FaultyFileSystem::Op::Write);
    state.Files = &faulty;
    EXPECT_EQ(SaveDocument(state).outcome, SaveOutcome::Failed);
    EXPECT_EQ(test::readBytes(state.FilePath), original);
    state.Files = &realFileSystem();
    state.EntryText[0] = "new";
    EXPECT_EQ(SaveDocument(state).outcome, SaveOutcome::Saved);
    EXPECT_EQ(folderContents(), std::vector<std::string>{SaveTempName});
}

TEST_F(TextWriter, SuccessfulSaveClearsWorkingTextFiles) {
    const std::string work = state.Work.path();
    ASSERT_FALSE(work.empty());
    for (const char* name : {"TEXTTMP", "TEXTTMP.1", "OTHER"})
        std::ofstream(work + name) << "x";
    open("t.zyt", TextFileBuilder(1).entry("t").bytes(), false);
    state.Modified = true;
    ASSERT_EQ(SaveDocument(state).outcome, SaveOutcome::Saved);
    EXPECT_FALSE(test::fileExists(work + "TEXTTMP"));
    EXPECT_FALSE(test::fileExists(work + "TEXTTMP.1"));
    EXPECT_TRUE(test::fileExists(work + "OTHER"));
}

TEST_F(TextWriter, VersionConversionAddsOrDropsTypeBytes) {
    const std::vector<std::string> texts = {"one @ two", "", "three @"};
    const std::string zyn1 = TextFileBuilder(1).entries(texts).bytes();
    const std::string zyn2 = TextFileBuilder(2).entries(texts, 1).bytes();
    ASSERT_EQ(zyn2.size(), zyn1.size() + texts.size());

    open("convert.zyt", zyn1, false);
    ConvertVersion(state);
    EXPECT_TRUE(state.IsVersion2);
    EXPECT_TRUE(state.Modified);
    ASSERT_EQ(SaveDocument(state).outcome, SaveOutcome::Saved);
    EXPECT_EQ(test::readBytes(state.FilePath), zyn2);

    open("convert.zyt",
         TextFileBuilder(2).entry("one @ two", 33).entry("", 65).entry("three @", 129).bytes(),
         true);
    ConvertVersion(state);
    EXPECT_FALSE(state.IsVersion2);
    EXPECT_EQ(state.EntryType[2], 0);
    ASSERT_EQ(SaveDocument(state).outcome, SaveOutcome::Saved);
    EXPECT_EQ(test::readBytes(state.FilePath), zyn1);
}

} // namespace
} // namespace zyn
