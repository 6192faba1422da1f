#include "document/entrytypes.h"

#include <algorithm>

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

std::string EntryTypeName(std::uint8_t code) {
    const EntryTypeInfo* info = findEntryType(code);
    if (!info)
        return {};
    std::string caption = info->caption;
    caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
    return caption.substr(caption.find(": ") + 2);
}

} // namespace zyn
