#pragma once

// The editor's display font (base/textfit.h) read without Qt, so that the tool judges a text's
// fit by the same numbers as the editor: the font file fontconfig finds for the family the
// editor asks for, as Qt finds it on this platform, read with FreeType as Qt reads it for a
// font without hinting. The advances are the font's design advances at the display font's
// pixel size, and its line is the one Qt takes from the font's tables, in 64ths of a pixel.
// Characters the font lacks are measured in the program's font of control codes, then in the
// fonts fontconfig offers in its place, as Qt falls back.

#include "base/result.h"
#include "base/textfit.h"

#include <cstdint>
#include <memory>
#include <string>

namespace zyn {

class FontWidths {
public:
    // The games' font when fontconfig has it, else fontconfig's sans-serif font; a message when
    // neither can be read.
    static Result<std::unique_ptr<FontWidths>> openDisplayFont();
    ~FontWidths();
    FontWidths(const FontWidths&) = delete;
    FontWidths& operator=(const FontWidths&) = delete;

    bool gameFont() const;
    // The family and the file fontconfig chose.
    const std::string& family() const;
    const std::string& file() const;
    FontLines lines() const;
    std::int32_t advance(char32_t c) const;
    // The rule over these widths, which must outlive it.
    TextFit fit(TextBox box = GameTextBox) const;

private:
    struct Faces;
    explicit FontWidths(std::unique_ptr<Faces> faces);

    std::unique_ptr<Faces> faces_;
};

} // namespace zyn
