#include "windows/typedcode.h"

#include "characters/glyphlayout.h"

#include <QByteArray>
#include <QStringDecoder>
#include <QStringEncoder>

namespace zyn {

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
    return static_cast<std::uint8_t>(bytes.front());
}

} // namespace zyn
