#include "session/displaycodec.h"

#include "base/textlines.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace zyn {

bool isGameFontInstalled() {
    return QFontDatabase::families().contains(QString::fromLatin1(GameFontFamily),
                                              Qt::CaseInsensitive);
}

QFont displayFont(bool gameFontInstalled) {
    // Registered once for the whole run, from the program's resources.
    static const bool controlFont =
        QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/controlcodes")) >= 0;
    // The stand-in is fontconfig's sans-serif font, not the desktop's font, which the tool
    // could not know of.
    QFont font(QString::fromLatin1(gameFontInstalled ? GameFontFamily : FallbackFontFamily));
    font.setStyleHint(QFont::SansSerif);
    // The family found for the request, not a generic name such as "Sans Serif", which the
    // list of families would skip for the next one, making the font of control codes the
    // display font.
    if (controlFont)
        font.setFamilies({QFontInfo(font).family(), QString::fromLatin1(ControlFontFamily)});
    // In the game's pixels, with the font's own advances and no kerning: the widths the fit
    // rule adds up, here and in the tool, and the preview draws by.
    font.setPixelSize(DisplayFontPixelSize);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    return font;
}

DisplayCodec::DisplayCodec(const CharacterSet& set, bool gameFont)
    : set_(&set), gameFont_(gameFont), letters_(&DisplayLetters(set, gameFont)) {}

QChar DisplayCodec::charFor(std::uint8_t byte) const {
    // Every letter of the tables lies in the basic plane.
    return QChar(static_cast<char16_t>(letters_->letter(byte)));
}

std::optional<std::uint8_t> DisplayCodec::byteFor(QChar c) const {
    return letters_->code(c.unicode());
}

QString DisplayCodec::toDisplay(std::string_view bytes) const {
    return QString::fromStdU32String(ToLetters(*letters_, bytes));
}

QString DisplayCodec::toOneLine(std::string_view bytes, const QString& between) const {
    QStringList lines;
    for (const std::string_view line : TextLines(bytes))
        lines << toDisplay(line);
    return lines.join(between);
}

std::string DisplayCodec::fromDisplay(const QString& text, char unknown) const {
    return ToCodes(*letters_, text.toStdU32String(), static_cast<std::uint8_t>(unknown));
}

LetterCodes DisplayCodec::bytesOf(const QString& text, const Substitutions* substitutions) const {
    return ToCodes(*letters_, text.toStdU32String(), substitutions);
}

} // namespace zyn
