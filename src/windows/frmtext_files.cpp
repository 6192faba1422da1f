#include "document/textreader.h"
#include "document/textwriter.h"
#include "flows/filesave.h"
#include "flows/programstate.h"
#include "windows/entrytypes.h"
#include "windows/frmdecomp.h"
#include "windows/frmtext.h"
#include "windows/pathtext.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <memory>

namespace zyn {

namespace {

const QString TextFileFilter =
    QStringLiteral("ZYN DeCompiled text files (*.zyt)|*.zyt|ZYN text files with HQR header "
                   "(*.ztf;*.dat)|*.ztf;*.dat|ZYN Dialog files (*.dia)|*.dia|All files (*.*)|*.*");

Prompts::Icon iconFor(ErrorKind kind) {
    // The refusal of a compression mode is a notice; anything else kept the file from opening.
    return kind == ErrorKind::Unsupported ? Prompts::Icon::Information : Prompts::Icon::Stop;
}

} // namespace

// Reads the whole file first, so that a missing or unreadable file is reported before the
// version question, then parses it. The document is not touched: the caller adopts the result.
bool frmText::readTextFile(const QString& path, bool refuseCompressed, LoadedText& loaded) {
    const std::string native = nativePath(path);
    Result<std::string> bytes = LoadTextFileBytes(state_.files(), native);
    if (!bytes) {
        prompts_.notify(this, caption(), fromNative(bytes.message()), iconFor(bytes.kind()));
        return false;
    }
    const bool isVersion2 =
        prompts_.askYesNo(this, caption(), QStringLiteral("Is this an ZYN 2 text file?")) ==
        Prompts::Answer::Yes;

    ReadOptions options;
    options.compressed = refuseCompressed ? CompressedFiles::Refuse : CompressedFiles::Expand;
    // The expanded copy goes to the private working folder, never beside the user's file.
    if (!refuseCompressed && !state_.Work.path().empty())
        options.expandedCopy = state_.Work.fileFor(native.substr(folderOf(native).size())) + ".TMP";
    // A compressed file is expanded while the progress window shows which file it is.
    std::unique_ptr<frmDecomp> progress;
    const ItemHeader header = TestHeader(*bytes);
    if (!refuseCompressed && header.found && (header.mode == 1 || header.mode == 2)) {
        progress = std::make_unique<frmDecomp>(this);
        progress->start(native);
        options.progress = progress->progress();
    }
    Result<LoadedText> read = ReadTextBytes(state_.files(), native, *bytes, isVersion2, options);
    progress.reset();
    if (!read) {
        prompts_.notify(this, caption(), fromNative(read.message()), iconFor(read.kind()));
        return false;
    }
    loaded = std::move(*read);
    return true;
}

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
    if (!readTextFile(name, true, loaded))
        return false;
    AdoptText(state_.Document, std::move(loaded));
    SetFileName(state_.Document, nativePath(name));
    state_.Document.FromArchive = false;
    showLoadedDocument();
    return true;
}

void frmText::mnuFileOpen_Click() {
    if (!askSaveChanges(caption()))
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
    if (path != state_.Document.FilePath || state_.Document.FromArchive) {
        LoadedText loaded;
        if (!readTextFile(chosen, false, loaded))
            return;
        AdoptText(state_.Document, std::move(loaded));
        SetFileName(state_.Document, path);
        showLoadedDocument();
    }
    updateTitle();
    state_.Document.FromArchive = false;
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
    if (!isEnabled() || !askSaveChanges(caption()))
        return;
    openChosenFile(urls.front().toLocalFile());
}

void frmText::mnuFileSave_Click() {
    SaveResult result = SaveDocument(state_);
    // Asked again if the item changes once more while the question is up.
    while (result.outcome == SaveOutcome::ItemChanged) {
        if (prompts_.askYesNo(this, caption(), fromNative(result.message)) != Prompts::Answer::Yes)
            return;
        const std::string found = std::move(result.found);
        result = SaveDocument(state_, &found);
    }
    switch (result.outcome) {
    case SaveOutcome::Saved:
        documentSaved();
        break;
    case SaveOutcome::NothingToSave:
    case SaveOutcome::ItemChanged:
        break;
    case SaveOutcome::NeedsSaveAs:
        prompts_.notify(this, caption(), fromNative(ReadOnlyMessage(state_.Document)),
                        Prompts::Icon::Stop);
        mnuFileSaveAs_Click();
        break;
    case SaveOutcome::Failed:
        prompts_.notify(this, caption(), fromNative(result.message), Prompts::Icon::Stop);
        break;
    }
}

void frmText::mnuFileSaveAs_Click() {
    const QString chosen =
        prompts_.saveFileName(this, {QStringLiteral("Save ZYN text file as"), TextFileFilter,
                                     QStringLiteral("zyt"), fromNative(state_.Document.FilePath)});
    if (chosen.isEmpty())
        return;
    PrepareSaveAs(state_.Document, nativePath(chosen));
    // From here on saves go to the new file; the title says which.
    updateTitle();
    mnuFileSave_Click();
}

void frmText::mnuFileConvertFile_Click() {
    if (state_.Document.SlotCount == 0)
        return;
    applyEdit(QStringLiteral("Conversion"), ConvertVersion);
}

} // namespace zyn
