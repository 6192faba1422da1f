// The JSON input of "zyntext build": any text is either refused with a message and the document
// untouched, or becomes a document whose saved file reads back with the same entries. Read in
// letters (the Vietnamese set, which composes and decomposes), the accepted texts are codes
// whose letters turn back into the same codes.

#include "characters/charactersets.h"
#include "cli/jsontext.h"
#include "document/textreader.h"
#include "document/textwriter.h"
#include "fuzz/fuzzcheck.h"

#include <memory>
#include <string_view>

namespace {

void checkLetters(std::string_view json) {
    const zyn::CharacterSet* set = zyn::FindCharacterSet("vietnamese");
    auto doc = std::make_unique<zyn::TextDocument>();
    const zyn::Status status = zyn::cli::JsonToDocument(json, "in.json", *doc, set);
    ZYN_FUZZ_CHECK(status || !status.message().empty());
    for (int i = 0; status && i + 1 < doc->SlotCount; ++i) {
        const std::string& codes = doc->EntryText[i];
        const zyn::LetterCodes back = zyn::Utf8ToCodes(zyn::CodesToUtf8(codes, set), set);
        ZYN_FUZZ_CHECK(!back.missing && back.codes == codes);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view json(reinterpret_cast<const char*>(data), size);
    checkLetters(json);
    auto doc = std::make_unique<zyn::TextDocument>();
    doc->SlotCount = 3;
    doc->EntryText[0] = "kept";

    const zyn::Status status = zyn::cli::JsonToDocument(json, "in.json", *doc);
    if (!status) {
        ZYN_FUZZ_CHECK(!status.message().empty());
        ZYN_FUZZ_CHECK(doc->SlotCount == 3 && doc->EntryText[0] == "kept");
        return 0;
    }
    ZYN_FUZZ_CHECK(doc->SlotCount >= 1 && doc->SlotCount <= zyn::TextDocument::MaxSlots);

    auto saved = zyn::BuildTextData(*doc);
    if (!saved)
        return 0; // too long for a text file, refused with a message
    auto read = zyn::ParseTextData(*saved, doc->IsVersion2, "out");
    ZYN_FUZZ_CHECK(read.ok());
    ZYN_FUZZ_CHECK(read->SlotCount == doc->SlotCount);
    for (int i = 0; i + 1 < doc->SlotCount; ++i) {
        ZYN_FUZZ_CHECK(read->EntryType[i] == doc->EntryType[i]);
        ZYN_FUZZ_CHECK(read->EntryText[i] ==
                       zyn::DecodeLineBreaks(zyn::EncodeLineBreaks(doc->EntryText[i])));
    }
    return 0;
}
