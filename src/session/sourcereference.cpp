// The session's side of the reference a bank starts with: the same bank of the source language,
// so that the untranslated entries are counted right from the first look.

#include "archive/itemnames.h"
#include "flows/archiveitemflow.h"
#include "session/documentsession.h"
#include "session/projectsession.h"

namespace zyn {

int DocumentSession::sourceLanguage() const {
    return project_->isOpen() ? project_->project().sourceLanguage : lastSourceLanguage_;
}

void DocumentSession::setLastSourceLanguage(int language) {
    if (language < 0 || language == lastSourceLanguage_)
        return;
    lastSourceLanguage_ = language;
    emit lastSourceLanguageChanged();
}

void DocumentSession::rememberSourceLanguage() {
    const DocumentOrigin& document = state_.Document.Origin;
    const DocumentOrigin& reference = state_.Reference.Origin;
    if (!document.FromArchive || !reference.FromArchive || document.FilePath != reference.FilePath)
        return;
    const int language = ItemLanguage(state_.Document.IsVersion2, reference.ArchiveItem);
    if (language != ItemLanguage(state_.Document.IsVersion2, document.ArchiveItem))
        setLastSourceLanguage(language);
}

bool DocumentSession::referToSourceBank() {
    const TextDocument& doc = state_.Document;
    const ArchiveIndex& index = state_.Archive;
    if (!doc.Origin.FromArchive || state_.Reference.SlotCount != 0)
        return false;
    const int item = SameBankInLanguage(doc.IsVersion2, doc.Origin.ArchiveItem, sourceLanguage());
    if (item < 0 || item == doc.Origin.ArchiveItem || item >= index.itemCount() ||
        index.ItemData[std::size_t(item)].empty())
        return false;
    const std::string name = ArchiveItemName(state_.Flow, item);
    auto loaded = ReadIndexedItem(files(), doc.Origin.FilePath, index, item, name, doc.IsVersion2);
    // A bank that cannot be read is no worse than none: the user can still choose one.
    if (!loaded)
        return false;
    state_.Reference = TextDocument{};
    AdoptText(state_.Reference, std::move(*loaded),
              ArchiveItemOrigin(doc.Origin.FilePath, item, name));
    automaticReference_ = true;
    emit referenceReplaced();
    return true;
}

} // namespace zyn
