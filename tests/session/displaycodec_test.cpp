// The byte <-> character mapping of the preview and the string editor.

#include "characters/glyphlayout.h"
#include "session/displaycodec.h"
#include "support/qtapplication.h"

#include <QGuiApplication>
#include <QStringDecoder>
#include <gtest/gtest.h>
#include <string>

namespace zyn::test {
namespace {

// The code page each set's letters were taken from; the Western set shows the games' letters.
constexpr int CodePages[] = {1256, 1252,  1251, 1250, 850,  1253, 1255,
                             1252, 10000, 1250, 874,  1254, 1258, 0};

TEST(DisplayCodec, ShowsEveryByteAsTheCoreTableDoesAndGivesItBack) {
    ensureApplicationOf<QGuiApplication>();
    std::string text;
    for (int b = 0; b < 256; ++b)
        text.push_back(static_cast<char>(b));
    text += "\r\n\n\rx\r";
    for (std::size_t s = 0; s < CharacterSets.size(); ++s) {
        const CharacterSet& set = CharacterSets[s];
        const DisplayCodec codec(set, false);
        const DisplayCodec withFont(set, true);
        const bool western = s == WesternCharacterSetIndex;
        const char* page = CodecNameForCodePage(western ? 1252 : CodePages[s]);
        ASSERT_NE(page, nullptr) << set.name;
        QStringDecoder decoder(page);
        for (int b = 0; b < 256; ++b) {
            const auto byte = static_cast<std::uint8_t>(b);
            // Where the code page has a printable character, it is the one the table holds.
            const char c = static_cast<char>(b);
            const QString decoded = decoder.decode(QByteArrayView(&c, 1));
            if (b >= 32 && b != 127 && !decoder.hasError() && decoded.size() == 1 &&
                decoded.front().isPrint() && decoded.front() != QChar::ReplacementCharacter) {
                EXPECT_EQ(withFont.charFor(byte), decoded.front()) << set.name << " " << b;
            }
        }
        EXPECT_EQ(codec.fromDisplay(codec.toDisplay(text)), text) << set.name;
        EXPECT_EQ(withFont.fromDisplay(withFont.toDisplay(text)), text) << set.name;
    }
}

} // namespace
} // namespace zyn::test
