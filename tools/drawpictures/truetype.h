#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zyn::art {

// A scalable font of straight-edged outlines, written as a TrueType file: enough for a small font
// of symbols that other fonts lack, used as a fallback beside them.
struct FontPoint {
    int x, y; // font units, y up from the baseline
};

struct FontGlyph {
    char32_t character = 0; // 0 for the glyph shown for characters the font lacks
    int advance = 0;
    // Closed polygons: outer ones clockwise, holes counter-clockwise.
    std::vector<std::vector<FontPoint>> contours;
};

struct FontInfo {
    std::string family;         // as fonts are chosen by
    std::string postScriptName; // without blanks
    int unitsPerEm = 1000;
    int ascent = 800;
    int descent = 200; // below the baseline, positive
};

// The file's bytes. glyphs.front() must be the one for missing characters; the others are
// mapped from their characters, which must be distinct and from the Basic Multilingual Plane.
std::string writeTrueTypeFont(const FontInfo& info, const std::vector<FontGlyph>& glyphs);

// An axis-aligned rectangle as a clockwise contour, or a counter-clockwise one for a hole.
std::vector<FontPoint> rectangleContour(int left, int bottom, int right, int top, bool hole);

} // namespace zyn::art
