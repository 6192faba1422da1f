// Opening a document from an item of the text archive, and saving it into one.

#include "windows/frmtext.h"

namespace zyn {

void frmText::mnuFileOpenFromHQR_Click() {}
void frmText::mnuFileSaveToHQR_Click() {}

} // namespace zyn
