#pragma once

// How the bytes of entry texts become characters on screen, and back.
//
// Without the games' font, each byte is shown as its letter in the chosen character set (the
// core's tables: the games' own letters for the Western set, the code page's letters for the
// others). The games' font puts its own glyphs at the games' codes and is addressed through the
// code page of the character set, so with it the Western set is shown through windows-1252,
// whose characters the font draws as the games' letters.

#include "base/textfit.h"
#include "characters/charactersets.h"

#include <QChar>
#include <QFont>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zyn {

bool isGameFontInstalled();
// The games' font at its size, or a legible stand-in of the same size when it is missing; the
// font of control codes (resources/fonts, our own: no installed font has its symbols) follows
// it, for the symbols it lacks. Families and size are those of base/textfit.h.
QFont displayFont(bool gameFontInstalled);

class DisplayCodec {
public:
    DisplayCodec() : DisplayCodec(CharacterSets[WesternCharacterSetIndex], false) {}
    DisplayCodec(const CharacterSet& set, bool gameFont);

    const CharacterSet& characterSet() const { return *set_; }
    bool gameFont() const { return gameFont_; }

    QChar charFor(std::uint8_t byte) const;
    // The byte a character shows, or nullopt for characters this mapping never produces.
    std::optional<std::uint8_t> byteFor(QChar c) const;

    QString toDisplay(std::string_view bytes) const;
    // The lines of bytes (base/textlines.h) shown on one line, between them between.
    QString toOneLine(std::string_view bytes, const QString& between) const;
    // Line breaks ('\n', "\r\n", a lone '\r', and the paragraph and line separators of rich
    // text widgets) become CR LF; characters no byte shows become unknown.
    std::string fromDisplay(const QString& text, char unknown = '?') const;
    // Text from outside (pasted) as bytes, as ToCodes writes it: composed, with the stand-ins
    // of substitutions, stopping at the first character no byte shows.
    LetterCodes bytesOf(const QString& text, const Substitutions* substitutions = nullptr) const;

private:
    const CharacterSet* set_;
    bool gameFont_;
    const LetterTable* letters_;
};

} // namespace zyn
