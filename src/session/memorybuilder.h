#pragma once

// Builds the session's translation memory away from the window: when an archive item is
// opened, another reference chosen, or the user's memory sources change, a thread reads the
// archive's banks and the sources and hands the memory to the session on the GUI thread. A
// newer build supersedes one still running, whose result is then dropped.

#include "flows/memorysources.h"

#include <QObject>
#include <atomic>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace zyn {

class DocumentSession;

class MemoryBuilder final : public QObject {
    Q_OBJECT
public:
    MemoryBuilder(DocumentSession& session, PoFileReader readPo, QObject* parent = nullptr);
    // Waits for the builds still running: they read through the session's file system.
    ~MemoryBuilder() override;

    // Waits for every build started and hands the newest one's memory over.
    void waitForBuilds();

signals:
    void built();

private:
    void rebuild();

    DocumentSession& session_;
    PoFileReader readPo_;
    std::string lastKey_;
    int generation_ = 0;
    std::vector<std::future<void>> running_;
    // One build reads at a time: the PO parser reports through state of its own. A build still
    // waiting when a newer one starts does not read at all.
    std::shared_ptr<std::mutex> reading_ = std::make_shared<std::mutex>();
    std::shared_ptr<std::atomic<int>> newest_ = std::make_shared<std::atomic<int>>(0);
};

} // namespace zyn
