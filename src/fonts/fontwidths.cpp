#include "fonts/fontwidths.h"

#include "fonts/controlfont.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
#include FT_TRUETYPE_TABLES_H
#include FT_TRUETYPE_TAGS_H

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

namespace zyn {

namespace {

struct FontFile {
    std::string path;
    int index = 0;
    std::string family;
};

std::string lowered(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string stringOf(FcPattern* pattern, const char* object) {
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch || !value)
        return {};
    return reinterpret_cast<const char*>(value);
}

// A pattern asking for family as the editor's font asks Qt: regular, upright, at the display
// size, with the sans-serif fonts after it.
FcPattern* displayPattern(const std::string& family) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcValue sans;
    sans.type = FcTypeString;
    sans.u.s = reinterpret_cast<const FcChar8*>(FallbackFontFamily);
    FcPatternAddWeak(pattern, FC_FAMILY, sans, FcTrue);
    FcPatternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcPatternAddDouble(pattern, FC_PIXEL_SIZE, DisplayFontPixelSize);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    return pattern;
}

std::optional<FontFile> matchFamily(const std::string& family) {
    FcPattern* pattern = displayPattern(family);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match)
        return std::nullopt;
    FontFile found{stringOf(match, FC_FILE), 0, stringOf(match, FC_FAMILY)};
    FcPatternGetInteger(match, FC_INDEX, 0, &found.index);
    FcPatternDestroy(match);
    if (found.path.empty())
        return std::nullopt;
    return found;
}

// QFixed's division of units * pixels by the em square, rounded half away from zero: how Qt
// scales the font's line to the pixel size.
std::int32_t scaled(long units, int pixels, long unitsPerEm) {
    const long long value = static_cast<long long>(units) * pixels * 64;
    const long long em = static_cast<long long>(unitsPerEm) * 64;
    const long long magnitude = ((value < 0 ? -value : value) * 64 + em / 2) / em;
    return static_cast<std::int32_t>(value < 0 ? -magnitude : magnitude);
}

bool hasTable(FT_Face face, FT_ULong tag) {
    FT_ULong length = 0;
    return FT_Load_Sfnt_Table(face, tag, 0, nullptr, &length) == 0 && length > 0;
}

// The line as Qt takes it from the font: FreeType's scaled metrics, replaced by the horizontal
// header's and those by the OS/2 table's (its typographic values where the font asks for them,
// else its Windows values, the gap kept) unless the font holds bitmaps.
FontLines linesOf(FT_Face face) {
    const FT_Size_Metrics& size = face->size->metrics;
    FontLines lines{static_cast<std::int32_t>(size.ascender),
                    static_cast<std::int32_t>(-size.descender),
                    static_cast<std::int32_t>(size.height - size.ascender + size.descender)};
    if (!FT_IS_SFNT(face) || hasTable(face, FT_MAKE_TAG('E', 'B', 'L', 'C')) ||
        hasTable(face, FT_MAKE_TAG('C', 'B', 'L', 'C')) ||
        hasTable(face, FT_MAKE_TAG('b', 'd', 'a', 't')))
        return lines;
    const int pixels = DisplayFontPixelSize;
    const long em = face->units_per_EM;
    if (const auto* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
        hhea && (hhea->Ascender != 0 || hhea->Descender != 0))
        lines = {scaled(hhea->Ascender, pixels, em), -scaled(hhea->Descender, pixels, em),
                 scaled(hhea->Line_Gap, pixels, em)};
    if (const auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        os2 && os2->version != 0xFFFF) {
        constexpr FT_UShort UseTypoMetrics = 0x80;
        if (os2->fsSelection & UseTypoMetrics) {
            if (os2->sTypoAscender != 0 || os2->sTypoDescender != 0)
                lines = {scaled(os2->sTypoAscender, pixels, em),
                         -scaled(os2->sTypoDescender, pixels, em),
                         scaled(os2->sTypoLineGap, pixels, em)};
        } else if (os2->usWinAscent != 0 || os2->usWinDescent != 0) {
            lines.ascent = scaled(os2->usWinAscent, pixels, em);
            lines.descent = scaled(os2->usWinDescent, pixels, em);
        }
    }
    return lines;
}

} // namespace

struct FontWidths::Faces {
    FT_Library library = nullptr;
    // Every face opened, to be closed.
    std::vector<FT_Face> faces;
    FT_Face display = nullptr, control = nullptr;
    // fontconfig's fonts for the display font's family, best first; the first of each family
    // stands for it, as Qt falls back by family.
    FcFontSet* fallbacks = nullptr;
    std::vector<int> fallbackFonts;
    std::unordered_map<int, FT_Face> openedFallbacks;
    std::unordered_map<char32_t, std::int32_t> advances;
    bool gameFont = false;
    std::string family, file;
    FontLines lines;

    ~Faces() {
        for (FT_Face face : faces)
            FT_Done_Face(face);
        if (fallbacks)
            FcFontSetDestroy(fallbacks);
        if (library)
            FT_Done_FreeType(library);
    }

    FT_Face open(const std::string& path, int index) {
        FT_Face face = nullptr;
        if (FT_New_Face(library, path.c_str(), index, &face) != 0)
            return nullptr;
        prepare(face);
        return face;
    }

    void prepare(FT_Face face) {
        faces.push_back(face);
        if (FT_IS_SCALABLE(face)) {
            FT_Set_Pixel_Sizes(face, 0, DisplayFontPixelSize);
            return;
        }
        // A font of bitmaps alone: the size nearest the display size.
        int nearest = -1;
        for (int i = 0; i < face->num_fixed_sizes; ++i)
            if (nearest < 0 ||
                std::abs(face->available_sizes[i].y_ppem / 64 - DisplayFontPixelSize) <
                    std::abs(face->available_sizes[nearest].y_ppem / 64 - DisplayFontPixelSize))
                nearest = i;
        if (nearest >= 0)
            FT_Select_Size(face, nearest);
    }

    // The glyph of c in face, 0 for none; a missing no-break space or tab is a blank, as Qt
    // draws it.
    static FT_UInt glyphOf(FT_Face face, char32_t c) {
        FT_UInt glyph = FT_Get_Char_Index(face, c);
        if (glyph == 0 && (c == 0xA0 || c == U'\t'))
            glyph = FT_Get_Char_Index(face, U' ');
        return glyph;
    }

    // The design advance, as Qt gives it for a font without hinting; a font of bitmaps alone
    // has whole pixels.
    static std::int32_t advanceOf(FT_Face face, FT_UInt glyph) {
        if (FT_IS_SCALABLE(face)) {
            FT_Fixed advance = 0;
            if (FT_Get_Advance(face, glyph, FT_LOAD_NO_HINTING, &advance) != 0)
                return 0;
            return static_cast<std::int32_t>(advance >> 10);
        }
        if (FT_Load_Glyph(face, glyph, FT_LOAD_DEFAULT) != 0)
            return 0;
        return static_cast<std::int32_t>((face->glyph->metrics.horiAdvance + 32) & ~63);
    }

    FT_Face fallbackFor(char32_t c) {
        for (const int font : fallbackFonts) {
            FcCharSet* characters = nullptr;
            if (FcPatternGetCharSet(fallbacks->fonts[font], FC_CHARSET, 0, &characters) !=
                    FcResultMatch ||
                !FcCharSetHasChar(characters, c))
                continue;
            auto opened = openedFallbacks.find(font);
            if (opened == openedFallbacks.end()) {
                int index = 0;
                FcPatternGetInteger(fallbacks->fonts[font], FC_INDEX, 0, &index);
                opened = openedFallbacks
                             .emplace(font, open(stringOf(fallbacks->fonts[font], FC_FILE), index))
                             .first;
            }
            if (opened->second && glyphOf(opened->second, c) != 0)
                return opened->second;
        }
        return nullptr;
    }

    std::int32_t measure(char32_t c) {
        for (FT_Face face : {display, control})
            if (const FT_UInt glyph = face ? glyphOf(face, c) : 0; glyph != 0)
                return advanceOf(face, glyph);
        if (FT_Face face = fallbackFor(c))
            return advanceOf(face, glyphOf(face, c));
        // Nothing has it: the display font's box for a missing letter.
        return advanceOf(display, 0);
    }
};

FontWidths::FontWidths(std::unique_ptr<Faces> faces) : faces_(std::move(faces)) {}

FontWidths::~FontWidths() = default;

Result<std::unique_ptr<FontWidths>> FontWidths::openDisplayFont() {
    if (!FcInit())
        return Result<std::unique_ptr<FontWidths>>::failure(
            ErrorKind::Unsupported, "The fonts cannot be listed: fontconfig cannot start.");
    auto faces = std::make_unique<Faces>();
    if (FT_Init_FreeType(&faces->library) != 0)
        return Result<std::unique_ptr<FontWidths>>::failure(ErrorKind::Unsupported,
                                                            "FreeType cannot start.");
    // The games' font only by its own name: fontconfig offers some font for any name.
    std::optional<FontFile> display = matchFamily(GameFontFamily);
    faces->gameFont = display && lowered(display->family) == lowered(GameFontFamily);
    if (!faces->gameFont)
        display = matchFamily(FallbackFontFamily);
    faces->display = display ? faces->open(display->path, display->index) : nullptr;
    if (!faces->display)
        return Result<std::unique_ptr<FontWidths>>::failure(
            ErrorKind::Io, "No font to measure texts in: fontconfig finds no sans-serif font "
                           "(install the package fonts-dejavu-core).");
    faces->family = display->family;
    faces->file = display->path;
    faces->lines = linesOf(faces->display);

    const std::span<const unsigned char> control = ControlFontBytes();
    if (FT_New_Memory_Face(faces->library, control.data(), static_cast<FT_Long>(control.size()), 0,
                           &faces->control) == 0)
        faces->prepare(faces->control);

    FcPattern* pattern = displayPattern(faces->family);
    FcResult result = FcResultNoMatch;
    faces->fallbacks = FcFontSort(nullptr, pattern, FcFalse, nullptr, &result);
    FcPatternDestroy(pattern);
    if (faces->fallbacks) {
        std::vector<std::string> seen{lowered(faces->family)};
        for (int i = 0; i < faces->fallbacks->nfont; ++i) {
            const std::string family = lowered(stringOf(faces->fallbacks->fonts[i], FC_FAMILY));
            if (family.empty() || std::find(seen.begin(), seen.end(), family) != seen.end())
                continue;
            seen.push_back(family);
            faces->fallbackFonts.push_back(i);
        }
    }
    return std::unique_ptr<FontWidths>(new FontWidths(std::move(faces)));
}

bool FontWidths::gameFont() const {
    return faces_->gameFont;
}

const std::string& FontWidths::family() const {
    return faces_->family;
}

const std::string& FontWidths::file() const {
    return faces_->file;
}

FontLines FontWidths::lines() const {
    return faces_->lines;
}

std::int32_t FontWidths::advance(char32_t c) const {
    auto& cache = faces_->advances;
    if (const auto found = cache.find(c); found != cache.end())
        return found->second;
    return cache.emplace(c, faces_->measure(c)).first->second;
}

TextFit FontWidths::fit(TextBox box) const {
    return TextFit(
        lines(), [this](char32_t c) { return advance(c); }, box);
}

} // namespace zyn
