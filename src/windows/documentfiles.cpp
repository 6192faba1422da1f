#include "windows/documentfiles.h"

#include "archive/archiveindex.h"
#include "document/textreader.h"
#include "session/documentrecovery.h"
#include "session/documentsession.h"
#include "windows/frmdecomp.h"
#include "windows/pathtext.h"

#include <QDateTime>
#include <QLocale>
#include <QWidget>
#include <memory>

namespace zyn {

const QString TextFileFilter =
    QStringLiteral("ZYN DeCompiled text files (*.zyt)|*.zyt|ZYN text files with HQR header "
                   "(*.ztf;*.dat)|*.ztf;*.dat|ZYN Dialog files (*.dia)|*.dia|All files (*.*)|*.*");

namespace {

Prompts::Icon iconFor(ErrorKind kind) {
    // The refusal of a compression mode is a notice; anything else kept the file from opening.
    return kind == ErrorKind::Unsupported ? Prompts::Icon::Information : Prompts::Icon::Stop;
}

// What a save came to, told to the user; true when it saved.
bool told(DocumentSession& session, Prompts& prompts, QWidget* asking, const SaveResult& result) {
    switch (result.outcome) {
    case SaveOutcome::Saved:
        return true;
    case SaveOutcome::NothingToSave:
    case SaveOutcome::Declined:
        return false;
    case SaveOutcome::NeedsSaveAs:
        prompts.notify(asking, asking->windowTitle(), fromNative(result.message),
                       Prompts::Icon::Stop);
        return runFileSaveAs(session, prompts, asking);
    case SaveOutcome::Failed:
        break;
    }
    std::string message = result.message;
    if (result.kind == ErrorKind::Busy)
        message += "\r\nNothing was saved; save again when the other program has finished.";
    prompts.notify(asking, asking->windowTitle(), fromNative(message), Prompts::Icon::Stop);
    return false;
}

} // namespace

bool askSaveChanges(DocumentSession& session, Prompts& prompts, QWidget* asking) {
    if (!session.Modified())
        return true;
    // The changes are kept safe before the user decides what becomes of them.
    session.askingToSave();
    const QString question = QStringLiteral("Do you want to save the changes to ") +
                             fromNative(session.origin().FileTitle) + QLatin1Char('?');
    switch (prompts.askYesNoCancel(asking, asking->windowTitle(), question)) {
    case Prompts::Answer::Cancel:
        return false;
    case Prompts::Answer::No:
        return true;
    case Prompts::Answer::Yes:
        break;
    }
    runFileSave(session, prompts, asking);
    // Going on after a failed or abandoned save would throw the changes away.
    return !session.Modified();
}

OverwriteQuestion askBeforeOverwriting(Prompts& prompts, QWidget* asking) {
    return [&prompts, asking](const std::string& question) {
        return prompts.askYesNo(asking, asking->windowTitle(), fromNative(question)) ==
               Prompts::Answer::Yes;
    };
}

bool runFileSave(DocumentSession& session, Prompts& prompts, QWidget* asking) {
    return told(session, prompts, asking, session.save(askBeforeOverwriting(prompts, asking)));
}

bool runFileSaveAs(DocumentSession& session, Prompts& prompts, QWidget* asking) {
    const QString chosen = prompts.saveFileName(
        asking, {QStringLiteral("Save ZYN text file as"), TextFileFilter, QStringLiteral("zyt"),
                 fromNative(session.origin().FilePath), Prompts::FileKind::Text});
    if (chosen.isEmpty())
        return false;
    return told(session, prompts, asking,
                session.saveAs(nativePath(chosen), askBeforeOverwriting(prompts, asking)));
}

// Reads the whole file first, so that a missing or unreadable file is reported before the
// version question, then parses it.
bool readChosenTextFile(DocumentSession& session, Prompts& prompts, QWidget* asking,
                        const QString& path, bool refuseCompressed, LoadedText& loaded) {
    ProgramState& state = session.state();
    const QString title = asking->windowTitle();
    const std::string native = nativePath(path);
    Result<std::string> bytes = LoadTextFileBytes(state.files(), native);
    if (!bytes) {
        prompts.notify(asking, title, fromNative(bytes.message()), iconFor(bytes.kind()));
        return false;
    }
    const bool isVersion2 =
        prompts.askYesNo(asking, title, QStringLiteral("Is this an ZYN 2 text file?")) ==
        Prompts::Answer::Yes;

    ReadOptions options;
    options.compressed = refuseCompressed ? CompressedFiles::Refuse : CompressedFiles::Expand;
    // The expanded copy goes to the private working folder, never beside the user's file.
    if (!refuseCompressed && !state.Work.path().empty())
        options.expandedCopy = state.Work.fileFor(native.substr(folderOf(native).size())) + ".TMP";
    // A compressed file is expanded while the progress window shows which file it is.
    std::unique_ptr<frmDecomp> progress;
    const ItemHeader header = TestHeader(*bytes);
    if (!refuseCompressed && header.found && (header.mode == 1 || header.mode == 2)) {
        progress = std::make_unique<frmDecomp>(asking);
        progress->start(native);
        options.progress = progress->progress();
    }
    Result<LoadedText> read = ReadTextBytes(state.files(), native, *bytes, isVersion2, options);
    progress.reset();
    if (!read) {
        prompts.notify(asking, title, fromNative(read.message()), iconFor(read.kind()));
        return false;
    }
    loaded = std::move(*read);
    return true;
}

bool readChosenArchiveIndex(DocumentSession& session, Prompts& prompts, QWidget* asking,
                            const std::string& path, ArchiveIndex& index) {
    if (const Status read = ReadArchiveIndex(session.files(), path, index); !read) {
        prompts.notify(asking, asking->windowTitle(), fromNative(read.message()),
                       Prompts::Icon::Stop);
        return false;
    }
    return true;
}

void offerRecovery(DocumentRecovery& recovery, Prompts& prompts, QWidget* asking) {
    const QString title = asking->windowTitle();
    // Those not taken here are let go when the list goes, for a later start.
    std::vector<LockedFolder> found = recovery.takeAbandoned();
    for (LockedFolder& folder : found) {
        Result<RecoveredDocument> recovered = recovery.read(folder);
        if (!recovered) {
            prompts.notify(asking, title,
                           fromNative(recovered.message()) +
                               QStringLiteral("\r\nIt was removed; nothing was restored from it."),
                           Prompts::Icon::Stop);
            DocumentRecovery::discard(folder);
            continue;
        }
        const QString written = QLocale().toString(
            QDateTime::fromSecsSinceEpoch(recovered->writtenAt), QLocale::ShortFormat);
        const QString question =
            QStringLiteral("The changes to %1 were not saved when the editor ended; they were "
                           "kept at %2. Do you want to restore them?\r\nYes opens them, not yet "
                           "saved. No throws them away. Cancel keeps them for the next start.")
                .arg(fromNative(DocumentName(recovered->origin)), written);
        switch (prompts.askYesNoCancel(asking, title, question)) {
        case Prompts::Answer::Yes:
            recovery.restore(std::move(folder), std::move(*recovered));
            return;
        case Prompts::Answer::No:
            DocumentRecovery::discard(folder);
            break;
        case Prompts::Answer::Cancel:
            break;
        }
    }
}

} // namespace zyn
