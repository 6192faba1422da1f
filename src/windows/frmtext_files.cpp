// Opening and saving the document: File Open, Save, Save As, Convert file, a dropped file, and
// Open from HQR and Save to HQR up to the item dialog.

#include "archive/archiveindex.h"
#include "session/documentsession.h"
#include "windows/documentfiles.h"
#include "windows/frmselhqr.h"
#include "windows/frmtext.h"
#include "windows/pathtext.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace zyn {

namespace {

const QString ArchiveFilter =
    QStringLiteral("ZYN Text Archive (text.hqr)|text.hqr|All files (*.*)|*.*");

} // namespace

bool frmText::commandLineOpen(const QString& argument) {
    QString name = argument;
    if (name.size() >= 2 && name.startsWith(QLatin1Char('"')) && name.endsWith(QLatin1Char('"')))
        name = name.mid(1, name.size() - 2);
    if (name.isEmpty())
        return false;
    // A bare or relative name is taken from the current folder; the document needs a folder
    // and a file name of its own to be saved again.
    if (QDir::isRelativePath(name))
        name = QDir::current().absoluteFilePath(name);

    LoadedText loaded;
    if (!readChosenTextFile(session_, prompts_, this, name, true, loaded))
        return false;
    session_.open(std::move(loaded), LooseFileOrigin(nativePath(name)));
    return true;
}

void frmText::mnuFileOpen_Click() {
    if (!askSaveChanges(session_, prompts_, this))
        return;
    const QString chosen = prompts_.openFileName(
        this, {QStringLiteral("Load ZYN text file"), TextFileFilter, QStringLiteral("zyt"), {}});
    if (!chosen.isEmpty())
        openChosenFile(chosen);
}

void frmText::openChosenFile(const QString& chosen) {
    const std::string path = nativePath(chosen);
    // The file already loaded is not read again, so edits in memory survive choosing it. A
    // document taken from an archive carries the archive's path: choosing the archive is not
    // choosing the document, and must not turn it into a loose file written over the archive.
    if (path == session_.origin().FilePath && !session_.origin().FromArchive) {
        updateTitle();
        return;
    }
    LoadedText loaded;
    if (readChosenTextFile(session_, prompts_, this, chosen, false, loaded))
        session_.open(std::move(loaded), LooseFileOrigin(path));
}

void frmText::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.front().isLocalFile())
        event->acceptProposedAction();
}

void frmText::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return;
    event->acceptProposedAction();
    // A disabled window (the string editor is open) takes nothing; the question comes first,
    // as in File Open.
    if (!isEnabled() || !askSaveChanges(session_, prompts_, this))
        return;
    openChosenFile(urls.front().toLocalFile());
}

void frmText::mnuFileSave_Click() {
    runFileSave(session_, prompts_, this);
}

void frmText::mnuFileSaveAs_Click() {
    runFileSaveAs(session_, prompts_, this);
}

void frmText::mnuFileConvertFile_Click() {
    session_.convertFile();
}

void frmText::chooseArchiveItem(bool saveMode) {
    const std::string remembered = session_.origin().FilePath;
    if (!askSaveChanges(session_, prompts_, this))
        return;
    const QString chosen =
        prompts_.openFileName(this, {QStringLiteral("Load text file from ZYN archive"),
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
    if (!readChosenArchiveIndex(session_, prompts_, this, path, index))
        return;
    session_.state().Flow.SaveMode = saveMode;
    // The window keeps one item dialog, made when it is first needed.
    auto* dialog = findChild<frmSelHQR*>(QString(), Qt::FindDirectChildrenOnly);
    if (!dialog)
        dialog = new frmSelHQR(session_, prompts_, this);
    dialog->openFor(path, std::move(index));
}

void frmText::mnuFileOpenFromHQR_Click() {
    chooseArchiveItem(false);
}

void frmText::mnuFileSaveToHQR_Click() {
    chooseArchiveItem(true);
}

} // namespace zyn
