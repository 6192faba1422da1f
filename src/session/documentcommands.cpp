#include "session/documentcommands.h"

#include "characters/remapping.h"
#include "document/textwriter.h"
#include "session/documentsession.h"
#include "session/projectsession.h"

#include <algorithm>
#include <memory>

namespace zyn {

namespace {

SlotContent contentOf(const TextDocument& doc, int slot) {
    const auto i = static_cast<std::size_t>(slot);
    return {doc.EntryText[i], doc.EntryType[i], doc.DisplayForm[i]};
}

} // namespace

DocumentCommand::DocumentCommand(DocumentSession& session, const QString& name)
    : QUndoCommand(name), session_(session), versionBefore_(session.document().IsVersion2),
      versionAfter_(versionBefore_) {}

SlotContent& DocumentCommand::change(int slot) {
    const auto found = std::find_if(changes_.begin(), changes_.end(),
                                    [slot](const SlotChange& c) { return c.slot == slot; });
    if (found != changes_.end())
        return found->after;
    const SlotContent now = contentOf(session_.document(), slot);
    changes_.push_back({slot, now, now});
    return changes_.back().after;
}

void DocumentCommand::record(const TextDocument& after) {
    const TextDocument& now = session_.document();
    for (int slot = 0; slot < TextDocument::Capacity; ++slot)
        if (!(contentOf(now, slot) == contentOf(after, slot)))
            change(slot) = contentOf(after, slot);
    versionAfter_ = after.IsVersion2;
}

void DocumentCommand::finish() {
    std::erase_if(changes_, [](const SlotChange& c) { return c.before == c.after; });
}

void DocumentCommand::changeRecords(std::string bank, std::vector<RecordChange> records) {
    std::erase_if(records, [](const RecordChange& r) { return r.before == r.after; });
    bank_ = std::move(bank);
    project_ = session_.project().generation();
    records_ = std::move(records);
}

void DocumentCommand::applyRecords(bool after) const {
    if (project_ == session_.project().generation())
        session_.restoreRecords(bank_, records_, after, false);
}

void DocumentCommand::apply(bool after) {
    // The records first: the views the slots' signal reaches read them.
    if (project_ == session_.project().generation())
        session_.restoreRecords(bank_, records_, after, changes_.empty());
    session_.restore(changes_, after, after ? versionAfter_ : versionBefore_);
}

EditTextCommand::EditTextCommand(DocumentSession& session, int entry, const std::string& text,
                                 const CharacterTables& tables)
    : DocumentCommand(session, QStringLiteral("Edit")) {
    SlotContent& slot = change(entry);
    slot.text = text;
    // With a table the editor worked on, and hands back, display codes.
    slot.displayForm = tables.RemapLoaded;
    finish();
}

ChangeTypeCommand::ChangeTypeCommand(DocumentSession& session, int entry, std::uint8_t type)
    : DocumentCommand(session, QStringLiteral("Type")) {
    change(entry).type = type;
    finish();
}

bool ChangeTypeCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const ChangeTypeCommand*>(other);
    if (changes_.size() != 1 || next->changes_.size() != 1 ||
        next->changes_.front().slot != changes_.front().slot)
        return false;
    changes_.front().after = next->changes_.front().after;
    // Back to the type it had: the two steps together are none.
    setObsolete(changes_.front().before == changes_.front().after);
    return true;
}

ReplaceCommand::ReplaceCommand(DocumentSession& session, const QString& name,
                               const std::vector<Replaced>& replaced, bool displayForm)
    : DocumentCommand(session, name) {
    for (const Replaced& r : replaced) {
        SlotContent& slot = change(r.entry);
        slot.text = r.text;
        slot.displayForm = displayForm;
    }
    finish();
}

RecordCommand::RecordCommand(DocumentSession& session, const QString& name, std::string bank,
                             RecordChange change)
    : DocumentCommand(session, name) {
    changeRecords(std::move(bank), {std::move(change)});
}

ConvertCommand::ConvertCommand(DocumentSession& session)
    : DocumentCommand(session, QStringLiteral("Conversion")) {
    auto after = std::make_unique<TextDocument>(session.document());
    ConvertVersion(*after);
    record(*after);
}

RemapCommand::RemapCommand(DocumentSession& session, const ByteMap& toDisplay)
    : DocumentCommand(session, QStringLiteral("Remapping")) {
    auto after = std::make_unique<TextDocument>(session.document());
    ConvertToDisplayForm(*after, toDisplay);
    record(*after);
}

} // namespace zyn
