#include "session/memorybuilder.h"

#include "session/documentsession.h"

#include <QCoreApplication>
#include <cstdint>
#include <memory>

namespace zyn {

MemoryBuilder::MemoryBuilder(DocumentSession& session, PoFileReader readPo, QObject* parent)
    : QObject(parent), session_(session), readPo_(std::move(readPo)) {
    connect(&session, &DocumentSession::documentReplaced, this, &MemoryBuilder::rebuild);
    connect(&session, &DocumentSession::referenceReplaced, this, &MemoryBuilder::rebuild);
    connect(&session, &DocumentSession::memorySourcesChanged, this, &MemoryBuilder::rebuild);
    // PO texts are letters, read as codes through the character set and remapping table.
    connect(&session, &DocumentSession::displayChanged, this, &MemoryBuilder::rebuild);
}

MemoryBuilder::~MemoryBuilder() {
    for (std::future<void>& build : running_)
        build.wait();
}

void MemoryBuilder::waitForBuilds() {
    for (std::future<void>& build : running_)
        build.wait();
    running_.clear();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void MemoryBuilder::rebuild() {
    const ProgramState& state = session_.state();
    const OpenDocument& open = session_.openDocument();
    const DocumentOrigin& origin = open.Document.Origin;
    const DocumentOrigin& reference = open.Reference.Origin;
    MemoryRecipe recipe;
    recipe.others = session_.memorySources();
    recipe.tables = state.Characters;
    const int item = origin.FromArchive ? origin.ArchiveItem : -1;
    if (item >= 0)
        recipe.archive = origin.ArchivePath();
    const int referenceItem = reference.FromArchive && reference.ArchivePath() == recipe.archive
                                  ? reference.ArchiveItem
                                  : -1;
    recipe.item = item;
    recipe.referenceItem = referenceItem;
    // The same sources read alike: nothing to build again.
    std::string key =
        recipe.archive + '\n' + std::to_string(item) + '\n' + std::to_string(referenceItem) + '\n' +
        std::to_string(reinterpret_cast<std::uintptr_t>(recipe.tables.ShownCharacterSet)) +
        (recipe.tables.RemapLoaded ? "\nremapped" : "");
    for (const std::string& other : recipe.others)
        key += '\n' + other;
    if (key == lastKey_)
        return;
    lastKey_ = std::move(key);
    const int generation = ++generation_;
    newest_->store(generation);
    std::erase_if(running_, [](const std::future<void>& build) {
        return build.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    });
    FileSystem* fs = &session_.files();
    running_.push_back(
        std::async(std::launch::async, [this, fs, recipe = std::move(recipe), generation,
                                        readPo = readPo_, reading = reading_, newest = newest_] {
            auto result = std::make_shared<BuiltMemory>();
            {
                const std::lock_guard<std::mutex> one(*reading);
                if (newest->load() != generation)
                    return;
                *result = BuildTranslationMemory(*fs, recipe, readPo);
            }
            QMetaObject::invokeMethod(
                this,
                [this, result, generation] {
                    if (generation != generation_)
                        return;
                    session_.setTranslationMemory(
                        std::make_shared<const TranslationMemory>(std::move(result->memory)),
                        std::move(result->problems));
                    emit built();
                },
                Qt::QueuedConnection);
        }));
}

} // namespace zyn
