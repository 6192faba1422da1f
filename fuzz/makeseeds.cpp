// Writes the seed corpus of the fuzz targets into the folder named on the command line, one
// sub-folder per target: small well-formed files of each kind, made by the test builders.

#include "base/bytes.h"
#include "document/recoveryfile.h"
#include "support/archivebuilder.h"
#include "support/lzssencoder.h"
#include "support/textfilebuilder.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using zyn::test::TextFileBuilder;

fs::path root;

void seed(const std::string& target, const std::string& name, const std::string& bytes) {
    const fs::path folder = root / target;
    fs::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary) << bytes;
}

std::string flagged(char flags, const std::string& bytes) {
    return std::string(1, flags) + bytes;
}

const std::vector<std::string> Dialogue = {"Hello there.", "Two @ lines @", "", "A @ B @ C",
                                           "Last one."};

void textSeeds() {
    const std::string game1 = TextFileBuilder(1).entries(Dialogue).data();
    const std::string game2 = TextFileBuilder(2).entries(Dialogue, 33).data();
    seed("fuzz_textreader", "game1", flagged(0, game1));
    seed("fuzz_textreader", "game2", flagged(1, game2));
    seed("fuzz_textreader", "game2-header",
         flagged(1, TextFileBuilder(2).entries(Dialogue, 3).withHeader().bytes()));
    seed("fuzz_textreader", "game1-mode1", flagged(0, zyn::test::CompressedItem(game1, 1)));
    seed("fuzz_textreader", "game2-mode2", flagged(1, zyn::test::CompressedItem(game2, 2)));
    seed("fuzz_textreader", "game2-refused", flagged(3, zyn::test::CompressedItem(game2, 2)));
    seed("fuzz_textreader", "mode3",
         flagged(1, zyn::test::itemHeader(static_cast<std::uint32_t>(game2.size()),
                                          static_cast<std::uint32_t>(game2.size()), 3) +
                        game2));
    seed("fuzz_textreader", "one-slot", flagged(0, std::string("\x02\x00", 2)));
}

void archiveSeeds() {
    const std::string text = TextFileBuilder(2).entries(Dialogue).data();
    zyn::test::ArchiveBuilder mixed;
    mixed.stored(text)
        .compressed(text, 1)
        .blank()
        .compressed(text + text, 2)
        .sharedWith(0)
        .blank(-1);
    seed("fuzz_archive", "mixed", mixed.build());
    zyn::test::ArchiveBuilder blankFirst;
    blankFirst.blank().stored("ordinals").sharedWith(1);
    seed("fuzz_archive", "blank-first", blankFirst.build());
    seed("fuzz_archive", "text-archive", zyn::test::TextArchive(12));
    seed("fuzz_archive", "empty", std::string("\x04\x00\x00\x00\x04\x00\x00\x00", 8));
}

void expandSeeds() {
    const std::string data = "aaaaaaaaaaaaaaaabcabcabcabcabc The quick text, the quick text again.";
    for (const int method : {1, 2}) {
        std::string input(1, static_cast<char>(method == 1 ? 1 : 0));
        zyn::appendU32(input, static_cast<std::uint32_t>(data.size()));
        input += zyn::test::EncodeLzss(data, method);
        seed("fuzz_expanddata", "method" + std::to_string(method), input);
    }
    std::string huge(1, '\0');
    zyn::appendU32(huge, 0xFFFFFFFFu);
    huge += std::string("\x01\x41\x00\x00\x00\x00", 6);
    seed("fuzz_expanddata", "claims-4gb", huge);
}

void remappingSeeds() {
    std::string cmp;
    for (int k = 0; k < 256; ++k)
        cmp.push_back(static_cast<char>(k < 128 ? k : 255 - (k - 128)));
    seed("fuzz_remapping", "cmp", flagged(0, cmp));
    seed("fuzz_remapping", "set", flagged(1, cmp.substr(1)));
    seed("fuzz_remapping", "short", flagged(0, cmp.substr(0, 40)));
}

void ordinalSeeds() {
    std::string groups;
    for (int i = 0; i < 40; ++i)
        zyn::appendU16(groups, static_cast<std::uint16_t>(i * 7));
    seed("fuzz_ordinals", "plain", groups);
    seed("fuzz_ordinals", "header",
         zyn::test::itemHeader(static_cast<std::uint32_t>(groups.size()),
                               static_cast<std::uint32_t>(groups.size()), 0) +
             groups);
    seed("fuzz_ordinals", "mode1", zyn::test::CompressedItem(groups, 1));
    seed("fuzz_ordinals", "mode2", zyn::test::CompressedItem(groups, 2));
}

void jsonSeeds() {
    seed("fuzz_jsonbuild", "game2",
         R"({"game": 2, "header": true, "mode": 0, "slots": 4, "entries": [)"
         R"({"type": 1, "text": "First line\r\nsecond line"}, {"type": 33, "text": ""},)"
         R"({"text": "caf\u00e9 \u00ff"}]})");
    seed("fuzz_jsonbuild", "game1", R"({"game": 1, "entries": [{"text": "a @ b\r\n"}]})");
    seed("fuzz_jsonbuild", "refused", R"({"game": 2, "entries": [{"text": "\u0100"}]})");
}

void recoverySeeds() {
    zyn::TextDocument doc;
    doc.SlotCount = 4;
    doc.EntryText[0] = "Changed @ text";
    doc.EntryText[1] = "Two\r\nlines";
    doc.EntryType = {1, 33, 129};
    doc.IsVersion2 = true;
    doc.Origin = zyn::ArchiveItemOrigin("/games/text.hqr", 37, "FR_000.DIA");
    seed("fuzz_recovery", "item",
         zyn::RecoveryData(doc, 0, {}, {"Text", "Two\r\nlines", ""}, "item bytes", 1700000000));
    doc.Origin = zyn::LooseFileOrigin("/games/FILE01.ZYT");
    doc.IsVersion2 = false;
    seed("fuzz_recovery", "loose", zyn::RecoveryData(doc, 0, {}, {}, std::nullopt, 0));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: zynfuzzseeds FOLDER\n";
        return 2;
    }
    root = argv[1];
    textSeeds();
    archiveSeeds();
    expandSeeds();
    remappingSeeds();
    ordinalSeeds();
    jsonSeeds();
    recoverySeeds();
    return 0;
}
