#include "truetype.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <stdexcept>

namespace zyn::art {

namespace {

// Big-endian numbers into a growing table.
class Table {
public:
    void u8(int v) { bytes_.push_back(static_cast<char>(v & 0xff)); }
    void u16(int v) {
        u8(v >> 8);
        u8(v);
    }
    void u32(std::uint32_t v) {
        u16(static_cast<int>(v >> 16));
        u16(static_cast<int>(v & 0xffff));
    }
    void tag(const char* t) { bytes_.append(t, 4); }
    void text(const std::string& t) { bytes_ += t; }
    void padTo4() {
        while (bytes_.size() % 4 != 0)
            u8(0);
    }
    std::size_t size() const { return bytes_.size(); }
    const std::string& bytes() const { return bytes_; }
    void putU32(std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes_[at + static_cast<std::size_t>(i)] = static_cast<char>(v >> (24 - 8 * i));
    }

private:
    std::string bytes_;
};

std::uint32_t checksum(const std::string& bytes) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < bytes.size(); i += 4) {
        std::uint32_t word = 0;
        for (std::size_t j = 0; j < 4; ++j)
            word =
                (word << 8) | (i + j < bytes.size() ? static_cast<std::uint8_t>(bytes[i + j]) : 0);
        sum += word;
    }
    return sum;
}

struct Box {
    int xMin = INT_MAX, yMin = INT_MAX, xMax = INT_MIN, yMax = INT_MIN;
    void add(const FontPoint& p) {
        xMin = std::min(xMin, p.x);
        yMin = std::min(yMin, p.y);
        xMax = std::max(xMax, p.x);
        yMax = std::max(yMax, p.y);
    }
    bool empty() const { return xMin > xMax; }
};

Box boxOf(const FontGlyph& glyph) {
    Box box;
    for (const auto& contour : glyph.contours)
        for (const FontPoint& p : contour)
            box.add(p);
    return box;
}

// Every point on the curve, each coordinate as a 16-bit step from the one before.
std::string glyphData(const FontGlyph& glyph) {
    Table t;
    if (glyph.contours.empty())
        return {};
    const Box box = boxOf(glyph);
    t.u16(static_cast<int>(glyph.contours.size()));
    t.u16(box.xMin);
    t.u16(box.yMin);
    t.u16(box.xMax);
    t.u16(box.yMax);
    int points = 0;
    for (const auto& contour : glyph.contours) {
        points += static_cast<int>(contour.size());
        t.u16(points - 1);
    }
    t.u16(0); // no instructions
    for (int i = 0; i < points; ++i)
        t.u8(0x01); // on the curve
    FontPoint last{0, 0};
    for (const auto& contour : glyph.contours)
        for (const FontPoint& p : contour) {
            t.u16(p.x - last.x);
            last.x = p.x;
        }
    for (const auto& contour : glyph.contours)
        for (const FontPoint& p : contour) {
            t.u16(p.y - last.y);
            last.y = p.y;
        }
    t.padTo4();
    return t.bytes();
}

// Format 4: one segment per run of consecutive characters on consecutive glyphs.
std::string characterMap(const std::vector<FontGlyph>& glyphs) {
    struct Segment {
        int first, last, glyph;
    };
    std::vector<std::pair<int, int>> codes; // character, glyph
    for (std::size_t g = 1; g < glyphs.size(); ++g) {
        if (glyphs[g].character == 0 || glyphs[g].character > 0xfffe)
            throw std::invalid_argument("font characters must lie in the Basic Multilingual Plane");
        codes.emplace_back(static_cast<int>(glyphs[g].character), static_cast<int>(g));
    }
    std::sort(codes.begin(), codes.end());
    std::vector<Segment> segments;
    for (const auto& [code, glyph] : codes) {
        if (!segments.empty() && segments.back().last == code)
            throw std::invalid_argument("two glyphs for one character");
        if (!segments.empty() && segments.back().last + 1 == code &&
            segments.back().glyph + (code - segments.back().first) == glyph)
            segments.back().last = code;
        else
            segments.push_back({code, code, glyph});
    }
    segments.push_back({0xffff, 0xffff, 0}); // the closing segment every table has

    const int count = static_cast<int>(segments.size());
    const int searchRange = 2 * static_cast<int>(std::bit_floor(static_cast<unsigned>(count)));
    Table sub;
    sub.u16(4);
    sub.u16(16 + 8 * count);
    sub.u16(0);
    sub.u16(2 * count);
    sub.u16(searchRange);
    sub.u16(std::countr_zero(static_cast<unsigned>(searchRange / 2)));
    sub.u16(2 * count - searchRange);
    for (const Segment& s : segments)
        sub.u16(s.last);
    sub.u16(0);
    for (const Segment& s : segments)
        sub.u16(s.first);
    for (const Segment& s : segments)
        sub.u16((s.glyph - s.first) & 0xffff);
    for (std::size_t i = 0; i < segments.size(); ++i)
        sub.u16(0);

    Table t;
    t.u16(0);
    t.u16(1);
    t.u16(3); // Windows
    t.u16(1); // Unicode, Basic Multilingual Plane
    t.u32(12);
    t.text(sub.bytes());
    return t.bytes();
}

std::string nameTable(const FontInfo& info) {
    const std::pair<int, std::string> names[] = {
        {1, info.family}, {2, "Regular"},     {3, info.postScriptName},
        {4, info.family}, {5, "Version 1.0"}, {6, info.postScriptName},
    };
    std::string strings;
    Table records;
    for (const auto& [id, text] : names) {
        std::string utf16;
        for (const char c : text) {
            utf16.push_back('\0');
            utf16.push_back(c); // the names are ASCII
        }
        records.u16(3);
        records.u16(1);
        records.u16(0x409);
        records.u16(id);
        records.u16(static_cast<int>(utf16.size()));
        records.u16(static_cast<int>(strings.size()));
        strings += utf16;
    }
    Table t;
    t.u16(0);
    t.u16(static_cast<int>(std::size(names)));
    t.u16(6 + static_cast<int>(records.size()));
    t.text(records.bytes());
    t.text(strings);
    return t.bytes();
}

} // namespace

std::vector<FontPoint> rectangleContour(int left, int bottom, int right, int top, bool hole) {
    if (hole)
        return {{left, bottom}, {right, bottom}, {right, top}, {left, top}};
    return {{left, bottom}, {left, top}, {right, top}, {right, bottom}};
}

std::string writeTrueTypeFont(const FontInfo& info, const std::vector<FontGlyph>& glyphs) {
    if (glyphs.empty())
        throw std::invalid_argument("a font needs the glyph for missing characters");
    const int numGlyphs = static_cast<int>(glyphs.size());

    Table glyf, loca, hmtx;
    Box all;
    int maxPoints = 0, maxContours = 0, maxAdvance = 0;
    int minLeft = INT_MAX, minRight = INT_MAX, maxExtent = INT_MIN;
    for (const FontGlyph& glyph : glyphs) {
        loca.u32(static_cast<std::uint32_t>(glyf.size()));
        glyf.text(glyphData(glyph));
        const Box box = boxOf(glyph);
        int points = 0;
        for (const auto& contour : glyph.contours)
            points += static_cast<int>(contour.size());
        maxPoints = std::max(maxPoints, points);
        maxContours = std::max(maxContours, static_cast<int>(glyph.contours.size()));
        maxAdvance = std::max(maxAdvance, glyph.advance);
        hmtx.u16(glyph.advance);
        hmtx.u16(box.empty() ? 0 : box.xMin);
        if (box.empty())
            continue;
        all.add({box.xMin, box.yMin});
        all.add({box.xMax, box.yMax});
        minLeft = std::min(minLeft, box.xMin);
        minRight = std::min(minRight, glyph.advance - box.xMax);
        maxExtent = std::max(maxExtent, box.xMax);
    }
    loca.u32(static_cast<std::uint32_t>(glyf.size()));
    if (all.empty())
        all = Box{0, 0, 0, 0};

    Table head;
    head.u32(0x00010000);
    head.u32(0x00010000);
    head.u32(0); // checkSumAdjustment, filled in last
    head.u32(0x5F0F3CF5);
    head.u16(0x000B); // baseline at 0, left side bearing at 0, integer scaling
    head.u16(info.unitsPerEm);
    for (int i = 0; i < 4; ++i)
        head.u32(0); // created and modified: none, so the same glyphs give the same file
    head.u16(all.xMin);
    head.u16(all.yMin);
    head.u16(all.xMax);
    head.u16(all.yMax);
    head.u16(0);
    head.u16(8);
    head.u16(2);
    head.u16(1); // long offsets in loca
    head.u16(0);

    Table hhea;
    hhea.u32(0x00010000);
    hhea.u16(info.ascent);
    hhea.u16(-info.descent);
    hhea.u16(0);
    hhea.u16(maxAdvance);
    hhea.u16(minLeft == INT_MAX ? 0 : minLeft);
    hhea.u16(minRight == INT_MAX ? 0 : minRight);
    hhea.u16(maxExtent == INT_MIN ? 0 : maxExtent);
    hhea.u16(1);
    hhea.u16(0);
    hhea.u16(0);
    for (int i = 0; i < 5; ++i)
        hhea.u16(0);
    hhea.u16(numGlyphs);

    Table maxp;
    maxp.u32(0x00010000);
    maxp.u16(numGlyphs);
    maxp.u16(maxPoints);
    maxp.u16(maxContours);
    maxp.u16(0);
    maxp.u16(0);
    maxp.u16(2);
    for (int i = 0; i < 8; ++i)
        maxp.u16(0);

    int first = 0xffff, last = 0;
    for (std::size_t g = 1; g < glyphs.size(); ++g) {
        first = std::min(first, static_cast<int>(glyphs[g].character));
        last = std::max(last, static_cast<int>(glyphs[g].character));
    }
    Table os2;
    os2.u16(4);
    os2.u16(maxAdvance);
    os2.u16(400);
    os2.u16(5);
    os2.u16(0); // installable
    for (const int v : {650, 600, 0, 75, 650, 600, 0, 350, 50, 250})
        os2.u16(v); // sub- and superscript sizes and offsets, strikeout
    os2.u16(0);
    for (int i = 0; i < 10; ++i)
        os2.u8(0);
    // No Unicode ranges: a fallback font is chosen by its name and only asked for characters
    // the fonts before it lack.
    for (int i = 0; i < 4; ++i)
        os2.u32(0);
    os2.text("NONE");
    os2.u16(0x0040); // regular
    os2.u16(first);
    os2.u16(last);
    os2.u16(info.ascent);
    os2.u16(-info.descent);
    os2.u16(0);
    os2.u16(info.ascent);
    os2.u16(info.descent);
    os2.u32(0);
    os2.u32(0);
    os2.u16(all.yMax / 2);
    os2.u16(all.yMax);
    os2.u16(0);
    os2.u16(0x20);
    os2.u16(0);

    Table post;
    post.u32(0x00030000);
    post.u32(0);
    post.u16(-info.descent / 2);
    post.u16(50);
    for (int i = 0; i < 5; ++i)
        post.u32(0);

    // Tables in the order of their tags.
    const std::pair<const char*, std::string> tables[] = {
        {"OS/2", os2.bytes()},  {"cmap", characterMap(glyphs)}, {"glyf", glyf.bytes()},
        {"head", head.bytes()}, {"hhea", hhea.bytes()},         {"hmtx", hmtx.bytes()},
        {"loca", loca.bytes()}, {"maxp", maxp.bytes()},         {"name", nameTable(info)},
        {"post", post.bytes()},
    };
    const int count = static_cast<int>(std::size(tables));
    const int searchRange = 16 * static_cast<int>(std::bit_floor(static_cast<unsigned>(count)));
    Table file;
    file.u32(0x00010000);
    file.u16(count);
    file.u16(searchRange);
    file.u16(std::countr_zero(static_cast<unsigned>(searchRange / 16)));
    file.u16(16 * count - searchRange);
    std::size_t offset = 12 + 16 * static_cast<std::size_t>(count);
    std::size_t headOffset = 0;
    for (const auto& [tag, bytes] : tables) {
        file.tag(tag);
        file.u32(checksum(bytes));
        file.u32(static_cast<std::uint32_t>(offset));
        file.u32(static_cast<std::uint32_t>(bytes.size()));
        if (std::string(tag) == "head")
            headOffset = offset;
        offset += (bytes.size() + 3) / 4 * 4;
    }
    for (const auto& [tag, bytes] : tables) {
        file.text(bytes);
        file.padTo4();
    }
    file.putU32(headOffset + 8, 0xB1B0AFBAu - checksum(file.bytes()));
    return file.bytes();
}

} // namespace zyn::art
