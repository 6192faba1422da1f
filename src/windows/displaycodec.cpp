#include "windows/displaycodec.h"

#include "characters/glyphlayout.h"

#include <QByteArrayView>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringDecoder>

namespace zyn {

const std::array<CharacterSetChoice, 14> CharacterSets{{
    {"Arabic CharSet", 178},
    {"Armenian CharSet", 214},
    {"Cyrillic CharSet", 204},
    {"Czech/Slovenian CharSet", 238},
    {"Esperanto CharSet", 255},
    {"Greek CharSet", 161},
    {"Hebrew CharSet", 177},
    {"Nordic/Bopomofo CharSet", 130},
    {"Nordic/Portuguese CharSet", 77},
    {"Polish/Romanian CharSet", 236},
    {"Thai CharSet", 222},
    {"Turkish/Hungarian CharSet", 162},
    {"Vietnamese CharSet", 210},
    {"Western European CharSet", 0},
}};

bool isGameFontInstalled() {
    return QFontDatabase::families().contains(QString::fromLatin1(GameFontFamily),
                                              Qt::CaseInsensitive);
}

QFont displayFont(bool gameFontInstalled) {
    // Registered once for the whole run, from the program's resources.
    static const bool controlFont =
        QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/controlcodes")) >= 0;
    QFont font;
    if (gameFontInstalled) {
        font.setFamily(QString::fromLatin1(GameFontFamily));
    } else {
        font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        font.setStyleHint(QFont::SansSerif);
    }
    // The family found for the request, not a generic name such as "Sans Serif", which the
    // list of families would skip for the next one, making the font of control codes the
    // display font.
    if (controlFont)
        font.setFamilies({QFontInfo(font).family(), QString::fromLatin1(ControlFontFamily)});
    font.setPointSizeF(GameFontPointSize);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    return font;
}

namespace {

bool isVisible(QChar c) {
    if (c.isNull() || c == QChar::ReplacementCharacter)
        return false;
    switch (c.category()) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return false;
    default:
        return true;
    }
}

// The one character a byte decodes to on its own, or a null QChar (undefined bytes, lead bytes
// of multi-byte code pages, unknown code page names).
QChar decodeByte(const char* codecName, std::uint8_t byte) {
    if (!codecName)
        return {};
    QStringDecoder decoder(codecName);
    if (!decoder.isValid())
        return {};
    const char c = static_cast<char>(byte);
    const QString text = decoder.decode(QByteArrayView(&c, 1));
    if (decoder.hasError() || text.size() != 1)
        return {};
    return text.front();
}

// Control codes as the symbols made for showing them (␀ ... ␟, ␡).
QChar controlPicture(std::uint8_t byte) {
    if (byte < 32)
        return QChar(static_cast<char16_t>(0x2400 + byte));
    if (byte == 127)
        return QChar(static_cast<char16_t>(0x2421));
    return {};
}

} // namespace

DisplayCodec::DisplayCodec(int charset, bool gameFont) : charset_(charset), gameFont_(gameFont) {
    const bool gameLetters = charset == WesternCharset && !gameFont;
    const std::array<int, 256> western = gameLetters ? WesternGlyphCodes() : std::array<int, 256>{};
    const char* codecName = CodecNameForCodePage(CodePageForCharset(charset));
    if (!codecName || !QStringDecoder(codecName).isValid())
        codecName = "windows-1252";

    std::array<bool, 256> assigned{};
    auto take = [&](int byte, QChar c) {
        if (assigned[byte] || !isVisible(c) || bytes_.contains(c.unicode()))
            return;
        chars_[byte] = c;
        bytes_.insert(c.unicode(), static_cast<std::uint8_t>(byte));
        assigned[byte] = true;
    };

    for (int byte = 0; byte < 256; ++byte) {
        const auto b = static_cast<std::uint8_t>(byte);
        if (byte < 32 || byte == 127)
            take(byte, controlPicture(b));
        else if (gameLetters)
            take(byte, western[byte] >= 0
                           ? decodeByte("windows-1252", static_cast<std::uint8_t>(western[byte]))
                           : QChar());
        else
            take(byte, decodeByte(codecName, b));
    }

    // Bytes without a character of their own: the old PC code pages' characters for them, which
    // is also how the games' font lays out most of its letters; where those are taken already,
    // distinct shapes from the box-drawing and geometric blocks.
    char16_t spare = 0x2500;
    for (int byte = 0; byte < 256; ++byte) {
        const auto b = static_cast<std::uint8_t>(byte);
        take(byte, decodeByte("IBM850", b));
        take(byte, decodeByte("IBM437", b));
        while (!assigned[byte])
            take(byte, QChar(spare++));
    }
}

std::optional<std::uint8_t> DisplayCodec::byteFor(QChar c) const {
    const auto found = bytes_.constFind(c.unicode());
    if (found == bytes_.cend())
        return std::nullopt;
    return *found;
}

QString DisplayCodec::toDisplay(std::string_view bytes) const {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            text += QLatin1Char('\n');
            ++i;
        } else {
            text += chars_[static_cast<std::uint8_t>(bytes[i])];
        }
    }
    return text;
}

std::string DisplayCodec::fromDisplay(const QString& text, char unknown) const {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar::ParagraphSeparator ||
            c == QChar::LineSeparator) {
            bytes += "\r\n";
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            continue;
        }
        const std::optional<std::uint8_t> byte = byteFor(c);
        bytes.push_back(byte ? static_cast<char>(*byte) : unknown);
    }
    return bytes;
}

} // namespace zyn
