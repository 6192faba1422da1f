#include "windows/typedcode.h"

#include "characters/glyphlayout.h"

#include <QByteArray>
#include <QStringDecoder>
#include <QStringEncoder>

namespace zyn {

namespace {

// Alef and tav in the Hebrew code page.
constexpr std::uint8_t HebrewLetterFirst = 224;
constexpr std::uint8_t HebrewLetterLast = 250;

} // namespace

std::optional<std::uint8_t> TypedCode(const QString& character, KeyboardGroup group) {
    const char* codecName = CodecNameForCodePage(TypingCodePageForGroup(group));
    if (!codecName || character.isEmpty())
        return std::nullopt;
    QStringEncoder encoder(codecName);
    if (!encoder.isValid())
        return std::nullopt;
    const QByteArray bytes = encoder.encode(character);
    if (encoder.hasError() || bytes.size() != 1)
        return std::nullopt;
    // Some encoders put a substitute byte where the code page lacks the character; only a byte
    // that decodes back to the same character is really its code.
    QStringDecoder decoder(codecName);
    const QString back = decoder.decode(bytes);
    if (decoder.hasError() || back != character)
        return std::nullopt;
    const auto code = static_cast<std::uint8_t>(bytes.front());
    if (group == KeyboardGroup::Hebrew) {
        // The Hebrew group expects the 27 letters, alef to tav, at 192 to 218: 32 below where
        // the code page has them. The vowel points that sit at 192 to 223 in the code page have
        // no place in the games' font.
        if (code >= HebrewLetterFirst && code <= HebrewLetterLast)
            return static_cast<std::uint8_t>(code - 32);
        if (code >= 192 && code < HebrewLetterFirst)
            return std::nullopt;
    }
    return code;
}

} // namespace zyn
