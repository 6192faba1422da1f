#include "flows/entryedit.h"

#include "characters/remapping.h"

namespace zyn {

std::string ShownText(const TextDocument& doc, const CharacterTables& tables, int i) {
    const auto slot = static_cast<std::size_t>(i);
    if (tables.RemapLoaded && !doc.DisplayForm[slot])
        return RemapText(tables, doc.EntryText[slot]);
    return doc.EntryText[slot];
}

bool CommitEditedText(TextDocument& doc, const CharacterTables& tables, int i,
                      const std::string& edited) {
    if (edited == ShownText(doc, tables, i))
        return false;
    const auto slot = static_cast<std::size_t>(i);
    doc.EntryText[slot] = edited;
    // With a table the editor worked on, and hands back, display codes.
    doc.DisplayForm[slot] = tables.RemapLoaded;
    return true;
}

} // namespace zyn
