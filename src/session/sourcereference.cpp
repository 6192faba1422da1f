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
    const DocumentOrigin& document = open_.Document.Origin;
    const DocumentOrigin& reference = open_.Reference.Origin;
    if (!document.FromArchive || !reference.FromArchive || document.FilePath != reference.FilePath)
        return;
    const int language = ItemLanguage(open_.Document.IsVersion2, reference.ArchiveItem);
    if (language != ItemLanguage(open_.Document.IsVersion2, document.ArchiveItem))
        setLastSourceLanguage(language);
}

bool DocumentSession::referToSourceBank() {
    const TextDocument& doc = open_.Document;
    const ArchiveIndex& index = open_.Archive;
    if (!doc.Origin.FromArchive || open_.Reference.SlotCount != 0)
        return false;
    const int item = SameBankInLanguage(doc.IsVersion2, doc.Origin.ArchiveItem, sourceLanguage());
    if (item < 0 || item == doc.Origin.ArchiveItem || item >= index.itemCount() ||
        index.ItemData[std::size_t(item)].empty())
        return false;
    const std::string name = ArchiveItemName(open_.Flow, item);
    auto loaded = ReadIndexedItem(files(), doc.Origin.FilePath, index, item, name, doc.IsVersion2);
    // A bank that cannot be read is no worse than none: the user can still choose one.
    if (!loaded)
        return false;
    open_.Reference = TextDocument{};
    AdoptText(open_.Reference, std::move(*loaded),
              ArchiveItemOrigin(doc.Origin.FilePath, item, name));
    automaticReference_ = true;
    emit referenceReplaced();
    return true;
}

} // namespace zyn
