#pragma once

// The entry types of ZYN 2 texts as the windows show them: their pictures and colours in Qt's
// terms. The table of types itself is in the core.

#include "document/entrytypes.h"

#include <QColor>
#include <QString>
#include <cstdint>

namespace zyn {

// The picture shown before any document is loaded.
inline constexpr int TitlePicture = 0;
// Every entry of a ZYN 1 document is shown on this picture.
inline constexpr int Zyn1Picture = 2000;
// The front text colour the window starts with, also that of type 1.
inline constexpr std::uint32_t DefaultFrontColor = 13149284;

QColor colorFromValue(std::uint32_t value);

// The resource path of a background picture (TitlePicture or 1000 to 6000).
QString picturePath(int picture);

} // namespace zyn
