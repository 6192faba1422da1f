#include "windows/entrytypes.h"

namespace zyn {

const EntryTypeInfo* findEntryType(std::uint8_t code) {
    for (const EntryTypeInfo& type : EntryTypes)
        if (type.code == code)
            return &type;
    return nullptr;
}

std::uint32_t GetForeColorA(std::uint8_t type) {
    const EntryTypeInfo* info = findEntryType(type);
    return info ? info->color : UnknownTypeColor;
}

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
