#include "windows/entrytypes.h"

namespace zyn {

QColor colorFromValue(std::uint32_t value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

QString picturePath(int picture) {
    if (picture == TitlePicture)
        return QStringLiteral(":/pictures/title");
    return QStringLiteral(":/pictures/%1").arg(picture);
}

} // namespace zyn
