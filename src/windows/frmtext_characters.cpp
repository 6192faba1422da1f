// Character remapping, keyboard groups, ordinal files and the string editor: the handlers the
// main window's menus and Edit button are wired to.

#include "windows/frmtext.h"

namespace zyn {

void frmText::mnuExtraLoadChr_Click() {}
void frmText::mnuConvert_Click() {}
void frmText::mnuExtraOrdinal_Click() {}

void frmText::mnuKeybNone_Click() {}
void frmText::mnuKeybWest_Click() {}
void frmText::mnuKeybSloCze_Click() {}
void frmText::mnuKeybGreek_Click() {}
void frmText::mnuKeybHeb_Click() {}
void frmText::mnuKeybRusUkr_Click() {}
void frmText::mnuKeybSweNor_Click() {}

void frmText::editEntry() {}

} // namespace zyn
