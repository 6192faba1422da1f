#include "flows/entryedit.h"

#include "characters/remapping.h"

namespace zyn {

std::string ShownText(const TextDocument& doc, const CharacterTables& tables, int i) {
    const auto slot = static_cast<std::size_t>(i);
    if (tables.RemapLoaded && !doc.DisplayForm[slot])
        return RemapText(tables, doc.EntryText[slot]);
    return doc.EntryText[slot];
}

} // namespace zyn
