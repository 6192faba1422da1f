#pragma once

// How the bytes of entry texts become characters on screen, and back.
//
// The games' font puts its own letters at the games' codes. When it is installed, a byte is
// shown as the character it stands for in the code page of the chosen character set and the
// font draws the game's glyph for it. Without it, the Western character set shows the games'
// letters themselves (é for 130, ü for 129 ...), the other sets their code page's letters.
//
// The mapping is one to one for a given character set and font, so that text edited on screen
// turns back into exactly the bytes it came from: control codes and bytes a code page leaves
// undefined get visible stand-ins of their own, and CR LF, the line break of entry texts, is the
// only pair of bytes shown as one character ('\n').

#include <QChar>
#include <QFont>
#include <QHash>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zyn {

inline constexpr const char* GameFontFamily = "The ZYN Font";
inline constexpr double GameFontPointSize = 28.5;
// Our own font of the symbols control codes are shown as (resources/fonts), which no installed
// font has.
inline constexpr const char* ControlFontFamily = "ZYN Control Codes";

bool isGameFontInstalled();
// The games' font at its size, or a legible stand-in of the same size when it is missing; the
// font of control codes follows it, for the symbols it lacks.
QFont displayFont(bool gameFontInstalled);

// The entries of the character set selector: name and font character set number.
struct CharacterSetChoice {
    const char* name;
    int charset;
};
extern const std::array<CharacterSetChoice, 14> CharacterSets;
inline constexpr int WesternCharacterSetIndex = 13;
inline constexpr int WesternCharset = 0;

class DisplayCodec {
public:
    DisplayCodec() : DisplayCodec(WesternCharset, false) {}
    DisplayCodec(int charset, bool gameFont);

    int charset() const { return charset_; }
    bool gameFont() const { return gameFont_; }

    QChar charFor(std::uint8_t byte) const { return chars_[byte]; }
    // The byte a character shows, or nullopt for characters this mapping never produces.
    std::optional<std::uint8_t> byteFor(QChar c) const;

    QString toDisplay(std::string_view bytes) const;
    // Line breaks ('\n', "\r\n", a lone '\r', and the paragraph and line separators of rich
    // text widgets) become CR LF; characters no byte shows become unknown.
    std::string fromDisplay(const QString& text, char unknown = '?') const;

private:
    int charset_;
    bool gameFont_;
    std::array<QChar, 256> chars_{};
    QHash<char16_t, std::uint8_t> bytes_;
};

} // namespace zyn
