#include "characters/glyphlayout.h"

#include <cstddef>

namespace zyn {

const char* CodecNameForCodePage(int codePage) {
    switch (codePage) {
    case 437:
        return "IBM437";
    case 850:
        return "IBM850";
    case 874:
        return "windows-874";
    case 1250:
        return "windows-1250";
    case 1251:
        return "windows-1251";
    case 1252:
        return "windows-1252";
    case 1253:
        return "windows-1253";
    case 1254:
        return "windows-1254";
    case 1255:
        return "windows-1255";
    case 1256:
        return "windows-1256";
    case 1257:
        return "windows-1257";
    case 1258:
        return "windows-1258";
    case 10000:
        return "macintosh";
    default:
        return nullptr;
    }
}

int TypingCodePageForGroup(KeyboardGroup group) {
    switch (group) {
    case KeyboardGroup::SloCze:
        return 1250;
    case KeyboardGroup::Greek:
        return 1253;
    case KeyboardGroup::Hebrew:
        return 1255;
    case KeyboardGroup::RusUkr:
        return 1251;
    case KeyboardGroup::None:
    case KeyboardGroup::Letters:
    case KeyboardGroup::West:
    case KeyboardGroup::SweNor:
        return 1252;
    }
    return 1252;
}

} // namespace zyn
