#pragma once

// Keeps the document's unsaved changes where a run that ends without saving them (a crash, a
// kill, a power cut, a logout) leaves them for the next one: a recovery file in this run's own
// folder under the recovery folder, written through the safe writer a while after the last
// change and whenever the user is asked whether to save. A save, undoing back to the saved
// state, another document and the run's normal end remove it. The run holds its folder for as
// long as it lives (base/lockedfolder.h), so no other run is offered a file still being kept.

#include "base/lockedfolder.h"
#include "document/recoveryfile.h"

#include <QObject>
#include <chrono>
#include <string>
#include <vector>

class QTimer;

namespace zyn {

class DocumentSession;

class DocumentRecovery final : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds Delay{30000};
    // The name of the recovery file inside a run's folder.
    static constexpr const char* FileName = "document";

    // folder: where every run keeps its own recovery folder. delay: how long after the last
    // change the file is written.
    DocumentRecovery(DocumentSession& session, std::string folder,
                     std::chrono::milliseconds delay = Delay, QObject* parent = nullptr);
    // The run ends normally: nothing is left to recover.
    ~DocumentRecovery() override;

    // The folders of runs that ended without removing them and that hold a recovery file, held
    // by this run until restored, discarded or let go (a later run is offered those let go).
    // Such folders without a file are removed.
    std::vector<LockedFolder> takeAbandoned();
    // The recovery file in folder.
    Result<RecoveredDocument> read(const LockedFolder& folder);
    // The recovered document becomes the session's, and folder this run's recovery folder.
    void restore(LockedFolder&& folder, RecoveredDocument&& recovered);
    // Removes folder with its recovery file.
    static void discard(LockedFolder& folder) { folder.remove(); }

    // Writes the recovery file now if the document has unsaved changes.
    void writeNow();
    // This run's recovery file; "" until its folder is made.
    std::string file() const;

signals:
    void written();

private:
    void removeFile();

    DocumentSession& session_;
    std::string folder_;
    LockedFolder own_;
    QTimer* timer_ = nullptr;
};

} // namespace zyn
