// Opening and saving the document: File Open, Save, Save As, Convert file, a dropped file, the
// recent files, and Open from HQR and Save to HQR up to the item dialog.

#include "archive/archiveindex.h"
#include "document/recentfiles.h"
#include "session/documentsession.h"
#include "windows/documentfiles.h"
#include "windows/frmselhqr.h"
#include "windows/frmtext.h"
#include "windows/pathtext.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
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
    const QString chosen = prompts_.openFileName(this, {QStringLiteral("Load ZYN text file"),
                                                        TextFileFilter,
                                                        QStringLiteral("zyt"),
                                                        {},
                                                        Prompts::FileKind::Text});
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
    const DocumentOrigin remembered = session_.origin();
    if (!askSaveChanges(session_, prompts_, this))
        return;
    const QString chosen =
        prompts_.openFileName(this, {QStringLiteral("Load text file from ZYN archive"),
                                     ArchiveFilter,
                                     QStringLiteral("hqr"),
                                     {},
                                     Prompts::FileKind::Archive});
    if (chosen.isEmpty())
        return;
    const std::string path = nativePath(chosen);
    // The loose file being edited is no archive. The archive the document came from is read
    // afresh like any other: the user wants another of its items, or this one as it is on disk.
    if (path == remembered.FilePath && !remembered.FromArchive)
        return;

    // Read afresh also for Save to HQR: what the chosen item holds now is what a save must find
    // there still, or ask before overwriting.
    ArchiveIndex index;
    if (!readChosenArchiveIndex(session_, prompts_, this, path, index))
        return;
    session_.openDocument().Flow.SaveMode = saveMode;
    itemDialog()->openFor(path, std::move(index));
}

frmSelHQR* frmText::itemDialog() {
    // The window keeps one item dialog.
    auto* dialog = findChild<frmSelHQR*>(QString(), Qt::FindDirectChildrenOnly);
    return dialog ? dialog : new frmSelHQR(session_, prompts_, this);
}

void frmText::showRecentFiles() {
    mnuFileRecent_->clear();
    const std::vector<DocumentOrigin>& recent = session_.state().RecentFiles;
    for (std::size_t i = 0; i < recent.size(); ++i) {
        QAction* action = mnuFileRecent_->addAction(fromNative(RecentFileLabel(recent[i])));
        action->setObjectName(QStringLiteral("mnuFileRecent%1").arg(i + 1));
        action->setToolTip(fromNative(recent[i].FilePath));
        connect(action, &QAction::triggered, this,
                [this, i] { openRecentFile(static_cast<int>(i)); });
    }
    showRecentProjects();
    mnuFileRecent_->menuAction()->setEnabled(!mnuFileRecent_->isEmpty());
}

void frmText::openRecentFile(int index) {
    std::vector<DocumentOrigin>& recent = session_.state().RecentFiles;
    if (index < 0 || index >= static_cast<int>(recent.size()))
        return;
    const DocumentOrigin chosen = recent[static_cast<std::size_t>(index)];
    // Nothing would be opened, so there is nothing to ask first.
    if (!session_.files().info(chosen.FilePath).exists) {
        // The menu is made again when it is next shown; this action goes with it.
        recent.erase(recent.begin() + index);
        prompts_.notify(this, caption(),
                        QStringLiteral("The file %1 is no longer there, so %2 was taken off the "
                                       "recent files.")
                            .arg(fromNative(chosen.FilePath), fromNative(RecentFileLabel(chosen))),
                        Prompts::Icon::Information);
        return;
    }
    if (!askSaveChanges(session_, prompts_, this))
        return;
    if (!chosen.FromArchive) {
        openChosenFile(fromNative(chosen.FilePath));
        return;
    }
    // As File Open does with the file loaded, the item loaded is not read again.
    const DocumentOrigin& current = session_.origin();
    if (current.FromArchive && current.FilePath == chosen.FilePath &&
        current.ArchiveItem == chosen.ArchiveItem)
        return;
    ArchiveIndex archive;
    if (readChosenArchiveIndex(session_, prompts_, this, chosen.FilePath, archive))
        itemDialog()->loadItem(chosen.FilePath, std::move(archive), chosen.ArchiveItem);
}

void frmText::mnuFileOpenFromHQR_Click() {
    chooseArchiveItem(false);
}

void frmText::mnuFileSaveToHQR_Click() {
    chooseArchiveItem(true);
}

} // namespace zyn
