// Opening a document from an item of the text archive, and saving it into one.

#include "archive/archiveindex.h"
#include "flows/archiveitemflow.h"
#include "flows/programstate.h"
#include "windows/frmselhqr.h"
#include "windows/frmtext.h"
#include "windows/pathtext.h"

namespace zyn {

namespace {

const QString ArchiveFilter =
    QStringLiteral("ZYN Text Archive (text.hqr)|text.hqr|All files (*.*)|*.*");

} // namespace

bool frmText::readArchiveIndex(QWidget* asking, const std::string& path, ArchiveIndex& index) {
    if (const Status read = ReadArchiveIndex(state_.files(), path, index); !read) {
        prompts_.notify(asking, asking->windowTitle(), fromNative(read.message()),
                        Prompts::Icon::Stop);
        return false;
    }
    return true;
}

void frmText::showArchiveItem(LoadedText&& loaded, const std::string& archivePath, int item,
                              ArchiveIndex&& index, const std::string& name) {
    AdoptArchiveItem(state_.Document, std::move(loaded), archivePath, item);
    state_.Archive = std::move(index);
    showLoadedDocument();
    setWindowTitle(fromNative(ArchiveWindowTitle(state_.Document, name)));
}

namespace {

// The window keeps one item dialog, made when it is first needed.
frmSelHQR& itemDialog(frmText& window) {
    if (auto* dialog = window.findChild<frmSelHQR*>(QString(), Qt::FindDirectChildrenOnly))
        return *dialog;
    return *new frmSelHQR(window);
}

// Both commands: the save question, the choice of the archive, its index, then the dialog.
void chooseArchiveItem(frmText& window, bool saveMode) {
    ProgramState& state = window.state();
    const std::string remembered = state.Document.FilePath;
    if (!window.askSaveChanges(window.windowTitle()))
        return;
    const QString chosen =
        window.prompts().openFileName(&window, {QStringLiteral("Load text file from ZYN archive"),
                                                ArchiveFilter,
                                                QStringLiteral("hqr"),
                                                {}});
    if (chosen.isEmpty())
        return;
    const std::string path = nativePath(chosen);
    // The document's own file, or the archive it came from, is not offered again; every other
    // archive is read afresh.
    if (path == remembered)
        return;

    // Read afresh also for Save to HQR: what the chosen item holds now is what a save must find
    // there still, or ask before overwriting.
    ArchiveIndex index;
    if (!window.readArchiveIndex(&window, path, index))
        return;
    state.Flow.SaveMode = saveMode;
    itemDialog(window).openFor(path, std::move(index));
}

} // namespace

void frmText::mnuFileOpenFromHQR_Click() {
    chooseArchiveItem(*this, false);
}

void frmText::mnuFileSaveToHQR_Click() {
    chooseArchiveItem(*this, true);
}

} // namespace zyn
