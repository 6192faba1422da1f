// Every write path of the core with each of its file operations failing in turn: File Save of a
// loose file, Save As over another file and to a new one, File Save of an archive item (the
// rebuild) and Save to HQR. Whatever fails, the old file or archive is byte for byte as it was,
// the failure says why, Modified stays set and no temporary file is left; once no fault is
// reached the save succeeds.

#include "archive/archiveindex.h"
#include "archive/archiveitemflow.h"
#include "archive/archiverewrite.h"
#include "document/programstate.h"
#include "document/textreader.h"
#include "document/textwriter.h"
#include "robustness/faultpoints.h"
#include "support/archivebuilder.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"

#include <gtest/gtest.h>
#include <memory>

namespace zyn::test {
namespace {

const std::string OldText =
    TextFileBuilder(2).entry("Old @ text", 3).entry("Radio", 33).withHeader().bytes();
const std::string NewFirstEntry = "New\r\ntext";

// A document on disk in a folder of its own, with an unsaved change, saved through a file
// system that fails where the test says.
class SaveScenario {
public:
    explicit SaveScenario(const FaultPoint& point) {
        faulty.failOn(point.op, point.nth, point.reason);
    }

    void openLoose(const std::string& name, const std::string& bytes) {
        const std::string path = dir.write(name, bytes);
        adopt(path, bytes);
        SetFileName(*state, path);
    }

    // Loads item of the archive as Open from HQR does.
    void openItem(const std::string& archive, int item) {
        state->ArchivePath = archive;
        state->ArchiveIsVersion2 = true;
        state->ArchiveItem = static_cast<std::int16_t>(item);
        ASSERT_TRUE(ReadArchiveIndex(state->files(), archive, *state).ok());
        ASSERT_TRUE(LoadArchiveItem(*state).ok());
        SetFileName(*state, archive); // as the item dialog's Load does
        edit();
    }

    void adopt(const std::string& path, const std::string& bytes) {
        auto read = ReadTextBytes(state->files(), path, bytes, true, {});
        ASSERT_TRUE(read.ok()) << read.message();
        AdoptText(*state, std::move(*read));
        edit();
    }

    void edit() {
        state->EntryText[0] = NewFirstEntry;
        state->Modified = true;
    }

    // Switches to the failing file system; everything before was set up on the real one.
    void arm() {
        before = filesIn(dir.path());
        state->Files = &faulty;
    }
    bool reached(const FaultPoint& point) const { return faulty.count(point.op) >= point.nth; }

    TempDir dir;
    std::unique_ptr<ProgramState> state = std::make_unique<ProgramState>();
    FaultyFileSystem faulty;
    std::set<std::string> before;
};

void expectFailedSave(const SaveScenario& s, const FaultPoint& point, bool failed,
                      const std::string& message) {
    EXPECT_TRUE(failed) << point.describe();
    EXPECT_NE(message.find(point.reason), std::string::npos) << point.describe() << ": " << message;
    EXPECT_TRUE(s.state->Modified) << point.describe();
    EXPECT_EQ(s.state->EntryText[0], NewFirstEntry) << point.describe();
}

TEST(SaveFaults, FileSaveOfALooseFile) {
    int successes = 0;
    const auto reached = forEachFaultPoint([&](const FaultPoint& point) {
        SaveScenario s(point);
        s.openLoose("EN_000.DAT", OldText);
        s.dir.write("neighbour.zyt", "other file");
        s.arm();
        const SaveResult result = SaveDocument(*s.state);
        const std::string path = s.dir.file("EN_000.DAT");
        if (s.reached(point)) {
            expectFailedSave(s, point, result.outcome == SaveOutcome::Failed, result.message);
            EXPECT_EQ(readBytes(path), OldText) << point.describe();
        } else {
            ++successes;
            EXPECT_EQ(result.outcome, SaveOutcome::Saved) << point.describe();
            EXPECT_FALSE(s.state->Modified);
            EXPECT_EQ(
                readBytes(path),
                TextFileBuilder(2).entry("New @ text", 3).entry("Radio", 33).withHeader().bytes());
        }
        EXPECT_EQ(filesIn(s.dir.path()), s.before) << point.describe();
        EXPECT_EQ(readBytes(s.dir.file("neighbour.zyt")), "other file");
        return s.faulty.count(point.op);
    });
    // Create, write, flush of the temporary file and its rename; nothing is copied or deleted.
    EXPECT_EQ(reached.size(), 4u);
    EXPECT_EQ(successes, 6);
}

TEST(SaveFaults, SaveAsOverAnotherFileAndToANewOne) {
    for (const bool targetExists : {true, false}) {
        const std::string targetBytes = TextFileBuilder(1).entry("Someone else's").bytes();
        const auto reached = forEachFaultPoint([&](const FaultPoint& point) {
            SaveScenario s(point);
            s.openLoose("EN_000.DAT", OldText);
            if (targetExists)
                s.dir.write("copy.ztf", targetBytes);
            s.arm();
            PrepareSaveAs(*s.state, s.dir.file("copy.ztf"));
            const SaveResult result = SaveDocument(*s.state);
            std::set<std::string> expected = s.before;
            if (s.reached(point)) {
                expectFailedSave(s, point, result.outcome == SaveOutcome::Failed, result.message);
                if (targetExists) {
                    EXPECT_EQ(readBytes(s.dir.file("copy.ztf")), targetBytes);
                }
            } else {
                EXPECT_EQ(result.outcome, SaveOutcome::Saved) << point.describe();
                EXPECT_FALSE(s.state->Modified);
                expected.insert("copy.ztf");
                EXPECT_EQ(readBytes(s.dir.file("copy.ztf")), TextFileBuilder(2)
                                                                 .entry("New @ text", 3)
                                                                 .entry("Radio", 33)
                                                                 .withHeader()
                                                                 .bytes());
            }
            EXPECT_EQ(readBytes(s.dir.file("EN_000.DAT")), OldText) << point.describe();
            EXPECT_EQ(filesIn(s.dir.path()), expected) << point.describe();
            return s.faulty.count(point.op);
        });
        EXPECT_EQ(reached.size(), 4u) << targetExists;
    }
}

// A ZYN 2 archive whose item 1 is the text; item 2 shares item 0's bytes, item 3 is compressed.
std::string archiveBytes() {
    ArchiveBuilder builder;
    builder.stored("ordinals")
        .stored(TextFileBuilder(2).entry("Old @ text", 3).entry("Radio", 33).data())
        .sharedWith(0)
        .compressed(std::string(300, 'z'), 2);
    return builder.build();
}

void expectArchiveKept(const SaveScenario& s, const FaultPoint& point, const std::string& archive,
                       const std::string& old) {
    EXPECT_EQ(readBytes(archive), old) << point.describe();
    // The backup is the one file a failed rebuild may add. Once its copy has succeeded it holds
    // the archive as it was; a failed copy leaves an earlier backup alone.
    const std::string backup = std::filesystem::path(BackupName(archive)).filename().string();
    const bool copied = point.op != FaultyFileSystem::Op::Copy;
    std::set<std::string> expected = s.before;
    if (copied)
        expected.insert(backup);
    EXPECT_EQ(filesIn(s.dir.path()), expected) << point.describe();
    if (copied) {
        EXPECT_EQ(readBytes(BackupName(archive)), old) << point.describe();
    } else if (s.before.count(backup) == 1) {
        EXPECT_EQ(readBytes(BackupName(archive)), "an older backup") << point.describe();
    }
}

TEST(SaveFaults, FileSaveOfAnArchiveItemRebuildsTheArchive) {
    const std::string old = archiveBytes();
    const auto reached = forEachFaultPoint([&](const FaultPoint& point) {
        SaveScenario s(point);
        const std::string archive = s.dir.write("text.hqr", old);
        s.openItem(archive, 1);
        const std::vector<std::string> indexBefore = s.state->ItemData;
        s.arm();
        const SaveResult result = SaveDocument(*s.state);
        if (s.reached(point)) {
            expectFailedSave(s, point, result.outcome == SaveOutcome::Failed, result.message);
            EXPECT_NE(result.message.find(archive), std::string::npos) << result.message;
            expectArchiveKept(s, point, archive, old);
            EXPECT_EQ(s.state->ItemData, indexBefore) << "a failed save changes the index";
        } else {
            EXPECT_EQ(result.outcome, SaveOutcome::Saved) << point.describe();
            EXPECT_FALSE(s.state->Modified);
            EXPECT_EQ(readBytes(BackupName(archive)), old);
            ArchiveIndex rebuilt;
            EXPECT_TRUE(ReadArchiveIndex(realFileSystem(), archive, rebuilt).ok());
            if (rebuilt.itemCount() == 4) {
                EXPECT_EQ(rebuilt.ItemData[1].substr(10),
                          TextFileBuilder(2).entry("New @ text", 3).entry("Radio", 33).data());
                EXPECT_EQ(rebuilt.ItemData[3], s.state->ItemData[3]) << "compressed item kept";
            }
        }
        return s.faulty.count(point.op);
    });
    // The copy to the backup, and create, write, flush and rename of the new archive.
    EXPECT_EQ(reached.size(), 5u);
}

TEST(SaveFaults, SaveToHqrOfALooseDocument) {
    const std::string old = archiveBytes();
    for (const bool backupExists : {false, true}) {
        const auto reached = forEachFaultPoint([&](const FaultPoint& point) {
            SaveScenario s(point);
            s.openLoose("EN_000.DAT", OldText);
            const std::string archive = s.dir.write("text.hqr", old);
            if (backupExists)
                s.dir.write("text.~$R", "an older backup");
            s.state->ArchivePath = archive;
            s.state->ArchiveItem = 1;
            EXPECT_TRUE(ReadArchiveIndex(s.state->files(), archive, *s.state).ok());
            s.arm();
            const Status status = SaveToArchiveItem(*s.state);
            if (s.reached(point)) {
                expectFailedSave(s, point, !status.ok(), status.message());
                EXPECT_FALSE(s.state->FromArchive);
                expectArchiveKept(s, point, archive, old);
            } else {
                EXPECT_TRUE(status.ok()) << point.describe() << ": " << status.message();
                EXPECT_FALSE(s.state->Modified);
                EXPECT_TRUE(s.state->FromArchive);
                EXPECT_NE(readBytes(archive), old);
                EXPECT_EQ(readBytes(s.dir.file("EN_000.DAT")), OldText);
            }
            return s.faulty.count(point.op);
        });
        EXPECT_EQ(reached.size(), 5u) << backupExists;
    }
}

} // namespace
} // namespace zyn::test
