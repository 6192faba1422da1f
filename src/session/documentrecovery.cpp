#include "session/documentrecovery.h"

#include "base/safewriter.h"
#include "characters/remapping.h"
#include "session/documentsession.h"

#include <QTimer>
#include <QUndoStack>
#include <QtGlobal>

namespace zyn {

namespace {

constexpr const char* FolderPrefix = "editor-";

} // namespace

DocumentRecovery::DocumentRecovery(DocumentSession& session, std::string folder,
                                   std::chrono::milliseconds delay, QObject* parent)
    : QObject(parent), session_(session), folder_(std::move(folder)), timer_(new QTimer(this)) {
    timer_->setSingleShot(true);
    timer_->setInterval(delay);
    connect(timer_, &QTimer::timeout, this, &DocumentRecovery::writeNow);
    // Every step, undone or redone, counts as a change: the time runs from the last one.
    connect(session.undoStack(), &QUndoStack::indexChanged, this, [this] {
        if (session_.Modified())
            timer_->start();
    });
    connect(&session, &DocumentSession::cleanChanged, this, [this](bool clean) {
        if (clean)
            removeFile();
        else
            timer_->start();
    });
    connect(&session, &DocumentSession::saveQuestionAsked, this, &DocumentRecovery::writeNow);
}

DocumentRecovery::~DocumentRecovery() {
    own_.remove();
}

std::string DocumentRecovery::file() const {
    return own_.held() ? own_.path() + FileName : std::string();
}

std::vector<LockedFolder> DocumentRecovery::takeAbandoned() {
    std::vector<LockedFolder> found;
    for (LockedFolder& folder : TakeAbandonedFolders(folder_, FolderPrefix)) {
        if (session_.files().info(folder.path() + FileName).exists)
            found.push_back(std::move(folder));
        else
            folder.remove();
    }
    return found;
}

Result<RecoveredDocument> DocumentRecovery::read(const LockedFolder& folder) {
    const std::string path = folder.path() + FileName;
    Result<std::string> bytes = session_.files().readFile(path, MaxTextFileSize);
    if (!bytes)
        return bytes.status();
    return ParseRecoveryData(*bytes, path);
}

void DocumentRecovery::restore(LockedFolder&& folder, RecoveredDocument&& recovered) {
    // This run's own file holds a document that is being replaced.
    own_.remove();
    ArchiveIndex index;
    // A save needs the archive's index; one that cannot be read now fails that save, which
    // says why.
    if (recovered.origin.FromArchive)
        (void)ReadArchiveIndex(session_.files(), recovered.origin.ArchivePath(), index);
    session_.openRecovered(std::move(recovered), std::move(index));
    own_ = std::move(folder);
}

void DocumentRecovery::writeNow() {
    timer_->stop();
    if (!session_.Modified())
        return;
    if (!own_.held()) {
        if (const Status folder = session_.files().makeFolders(folder_); !folder) {
            qWarning("The changes cannot be kept for recovery: %s", folder.message().c_str());
            return;
        }
        Result<LockedFolder> made = LockedFolder::make(folder_, FolderPrefix);
        if (!made) {
            qWarning("The changes cannot be kept for recovery: %s", made.message().c_str());
            return;
        }
        own_ = std::move(*made);
    }
    ProgramState& state = session_.state();
    const OpenDocument& open = session_.openDocument();
    const TextDocument& doc = open.Document;
    std::vector<std::string> opened;
    for (int i = 0; i < doc.entryCount(); ++i)
        opened.push_back(session_.openedText(i));
    const std::optional<std::string> item =
        doc.Origin.FromArchive ? ItemAsKnown(open.Archive, doc.Origin.ArchiveItem) : std::nullopt;
    const auto now = std::chrono::duration_cast<std::chrono::seconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
    const std::string data = RecoveryData(doc, session_.currentEntry(),
                                          GameCodeMap(state.Characters), opened, item, now);
    if (const Status status = WriteFileSafely(state.files(), file(), data); !status) {
        qWarning("The changes cannot be kept for recovery: %s", status.message().c_str());
        return;
    }
    emit written();
}

void DocumentRecovery::removeFile() {
    timer_->stop();
    if (own_.held())
        (void)session_.files().remove(file());
}

} // namespace zyn
