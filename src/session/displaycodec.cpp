#include "session/displaycodec.h"

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

DisplayCodec::DisplayCodec(const CharacterSet& set, bool gameFont)
    : set_(&set), gameFont_(gameFont),
      letters_(gameFont && &set == &CharacterSets[WesternCharacterSetIndex] ? &Windows1252Letters
                                                                            : &set.letters) {}

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

std::string DisplayCodec::fromDisplay(const QString& text, char unknown) const {
    return ToCodes(*letters_, text.toStdU32String(), static_cast<std::uint8_t>(unknown));
}

LetterCodes DisplayCodec::bytesOf(const QString& text, const Substitutions* substitutions) const {
    return ToCodes(*letters_, text.toStdU32String(), substitutions);
}

} // namespace zyn
