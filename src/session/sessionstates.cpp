// The document session's side of the translation project: each entry's state and note read
// from the project's records of the open bank, and every change of them one step of the undo
// stack, alone or with the text that changes them.

#include "archive/itemnames.h"
#include "project/entrystate.h"
#include "project/projectfile.h"
#include "session/documentcommands.h"
#include "session/documentsession.h"
#include "session/projectsession.h"

#include <QUndoStack>
#include <algorithm>
#include <cctype>

namespace zyn {

EntryState FilteredState(StatusFilter filter) {
    switch (filter) {
    case StatusFilter::NeedsReview:
        return EntryState::NeedsReview;
    case StatusFilter::Translated:
        return EntryState::Translated;
    case StatusFilter::Reviewed:
        return EntryState::Reviewed;
    default:
        return EntryState::Untranslated;
    }
}

void DocumentSession::followForStates() {
    // The bank is named again whenever the document, its place or the project changes; this
    // runs before the windows hear of it.
    connect(this, &DocumentSession::documentReplaced, this, &DocumentSession::updateProjectBank);
    connect(this, &DocumentSession::originChanged, this, &DocumentSession::updateProjectBank);
    connect(this, &DocumentSession::versionChanged, this, &DocumentSession::updateProjectBank);
    connect(project_, &ProjectSession::projectChanged, this, [this] {
        const std::string before = projectBank_;
        updateProjectBank();
        if (before != projectBank_ || !projectBank_.empty())
            emit statesReplaced();
    });
    connect(this, &DocumentSession::documentReplaced, this, [this] {
        fromMemoryEntry_ = -1;
        fromMemoryText_.clear();
    });
}

void DocumentSession::updateProjectBank() {
    projectBank_.clear();
    if (!project_->isOpen() || !open_.Document.hasEntries())
        return;
    const DocumentOrigin& origin = open_.Document.Origin;
    const bool version2 = open_.Document.IsVersion2;
    if (origin.FromArchive) {
        projectBank_ = ProjectBankName(version2, origin.ArchiveItem);
        return;
    }
    // A bank written out as a loose file keeps its name, in either case.
    std::string title = origin.FileTitle;
    std::transform(title.begin(), title.end(), title.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    for (int item = 0; item < TextArchiveItemCount(version2); ++item)
        if (ProjectBankName(version2, item) == title) {
            projectBank_ = std::move(title);
            return;
        }
}

const EntryRecord* DocumentSession::record(int entry) const {
    if (projectBank_.empty() || entry < 0 || entry >= entryCount())
        return nullptr;
    return project_->record(projectBank_, entry);
}

std::string_view DocumentSession::sourceOf(int entry) const {
    const std::string* reference = referenceText(entry);
    return reference ? std::string_view(*reference) : std::string_view();
}

std::string DocumentSession::entryCodes(int entry) const {
    return open_.Document.EntryText[static_cast<std::size_t>(entry)];
}

EntryState DocumentSession::entryState(int entry) const {
    if (entry < 0 || entry >= entryCount())
        return EntryState::Untranslated;
    const std::string& target = open_.Document.EntryText[static_cast<std::size_t>(entry)];
    const EntryRecord* kept = record(entry);
    // Without the source at hand nothing says it changed: the record speaks as it is.
    if (kept && !referenceText(entry)) {
        EntryRecord unjudged = *kept;
        unjudged.sourceHash = HashSource({});
        return StateOf({}, target, &unjudged);
    }
    return StateOf(sourceOf(entry), target, kept);
}

std::string DocumentSession::note(int entry) const {
    const EntryRecord* kept = record(entry);
    return kept ? kept->note : std::string();
}

StateTally DocumentSession::stateCounts() const {
    StateTally counts;
    for (int i = 0; i < entryCount(); ++i)
        counts.add(entryState(i));
    return counts;
}

bool DocumentSession::sourceChanged(int entry) const {
    const EntryRecord* kept = record(entry);
    return kept && referenceText(entry) && kept->state != EntryState::Untranslated &&
           SourceChanged(*kept, sourceOf(entry));
}

std::optional<std::string> DocumentSession::oldSource(int entry) const {
    if (!sourceChanged(entry) || !memory_)
        return std::nullopt;
    const std::optional<std::string_view> found =
        FindSourceByHash(record(entry)->sourceHash, memory_->sources());
    return found ? std::optional<std::string>(*found) : std::nullopt;
}

std::optional<RecordChange> DocumentSession::recordAfter(int entry, const std::string& target,
                                                         TextRule rule) const {
    if (projectBank_.empty() || entry < 0 || entry >= entryCount())
        return std::nullopt;
    const EntryRecord* kept = record(entry);
    const std::string_view source = sourceOf(entry);
    std::optional<EntryRecord> after;
    if (target.empty() || rule == TextRule::Edited)
        after = AfterEdit(kept, source, target);
    else if (rule == TextRule::FromMemory)
        after = PutFromMemory(kept, source);
    else
        after = KeptAsTranslated(kept, source);
    // Taken without its source at hand, the record keeps the hash it had.
    if (after && !referenceText(entry))
        after->sourceHash = kept ? kept->sourceHash : 0;
    return RecordChange{entry, kept ? std::optional<EntryRecord>(*kept) : std::nullopt,
                        std::move(after)};
}

std::vector<RecordChange> DocumentSession::recordsAfter(const std::vector<SlotChange>& changes,
                                                        TextRule rule) const {
    std::vector<RecordChange> records;
    for (const SlotChange& slot : changes)
        if (std::optional<RecordChange> change = recordAfter(slot.slot, slot.after.text, rule))
            records.push_back(std::move(*change));
    return records;
}

void DocumentSession::keep(int entry, const std::string& edited) {
    if (projectBank_.empty()) {
        editText(entry, edited);
        return;
    }
    auto* command = new EditTextCommand(*this, entry, edited, state_.Characters);
    // Kept as it is, a reviewed text stays reviewed.
    if (command->slotChanges().empty() && entryState(entry) == EntryState::Reviewed) {
        delete command;
        return;
    }
    command->setText(QStringLiteral("Keep"));
    const TextRule rule =
        ruleOf(entry, edited) == TextRule::FromMemory ? TextRule::FromMemory : TextRule::Kept;
    const std::string target = command->slotChanges().empty()
                                   ? entryCodes(entry)
                                   : command->slotChanges().front().after.text;
    std::vector<RecordChange> records;
    if (std::optional<RecordChange> change = recordAfter(entry, target, rule))
        records.push_back(std::move(*change));
    command->changeRecords(projectBank_, std::move(records));
    if (command->changesNothing()) {
        delete command;
        return;
    }
    push(command);
}

void DocumentSession::pushWithRecords(DocumentCommand* command, TextRule rule) {
    command->changeRecords(projectBank_, recordsAfter(command->slotChanges(), rule));
    if (command->changesNothing()) {
        delete command;
        return;
    }
    push(command);
}

DocumentSession::TextRule DocumentSession::ruleOf(int entry, const std::string& edited) const {
    return entry == fromMemoryEntry_ && edited == fromMemoryText_ ? TextRule::FromMemory
                                                                  : TextRule::Edited;
}

void DocumentSession::tookFromMemory(int entry, const std::string& shown) {
    fromMemoryEntry_ = entry;
    fromMemoryText_ = shown;
}

void DocumentSession::restoreRecords(const std::string& bank,
                                     const std::vector<RecordChange>& records, bool after,
                                     bool alone) {
    if (records.empty())
        return;
    int first = entryCount(), last = -1;
    for (const RecordChange& change : records) {
        project_->setRecord(bank, change.entry, after ? change.after : change.before);
        first = std::min(first, change.entry);
        last = std::max(last, change.entry);
    }
    if (alone && bank == projectBank_ && first <= last && last < entryCount())
        emit entriesChanged(first, last);
}

void DocumentSession::dropUnsavedRecords() {
    // Between the saved state and now, in the order that takes each step back.
    const int clean = undoStack_->cleanIndex();
    const int now = undoStack_->index();
    if (clean < 0)
        return;
    for (int i = now - 1; i >= clean; --i)
        static_cast<const DocumentCommand*>(undoStack_->command(i))->applyRecords(false);
    for (int i = now; i < clean; ++i)
        static_cast<const DocumentCommand*>(undoStack_->command(i))->applyRecords(true);
}

bool DocumentSession::toggleReviewed(int entry, const std::string& edited) {
    if (projectBank_.empty() || entry < 0 || entry >= entryCount())
        return false;
    auto* command = new EditTextCommand(*this, entry, edited, state_.Characters);
    command->setText(QStringLiteral("Reviewed"));
    const std::vector<RecordChange> edit =
        recordsAfter(command->slotChanges(), ruleOf(entry, edited));
    const EntryRecord* kept = record(entry);
    const std::optional<EntryRecord> before =
        kept ? std::optional<EntryRecord>(*kept) : std::nullopt;
    std::optional<EntryRecord> after = edit.empty() ? before : edit.front().after;
    const std::string target = command->slotChanges().empty()
                                   ? entryCodes(entry)
                                   : command->slotChanges().front().after.text;
    // An empty text is untranslated whatever it is marked.
    if (!target.empty()) {
        if (referenceText(entry)) {
            after = ToggledReviewed(after ? &*after : nullptr, sourceOf(entry), target);
        } else {
            // Without the source the mark is judged as it stands, and keeps its hash.
            const std::uint32_t hash = after ? after->sourceHash : 0;
            if (after)
                after->sourceHash = HashSource({});
            after = ToggledReviewed(after ? &*after : nullptr, {}, target);
            after->sourceHash = hash;
        }
    }
    command->changeRecords(projectBank_, {{entry, before, after}});
    if (command->changesNothing()) {
        delete command;
        return false;
    }
    push(command);
    return true;
}

bool DocumentSession::setNote(int entry, const std::string& note) {
    if (projectBank_.empty() || entry < 0 || entry >= entryCount() || note == this->note(entry))
        return false;
    const EntryRecord* kept = record(entry);
    std::optional<EntryRecord> after = WithNote(kept, sourceOf(entry), entryCodes(entry), note);
    if (after && !kept && !referenceText(entry))
        after->sourceHash = 0;
    auto* command = new RecordCommand(
        *this, QStringLiteral("Note"), projectBank_,
        {entry, kept ? std::optional<EntryRecord>(*kept) : std::nullopt, std::move(after)});
    if (command->changesNothing()) {
        delete command;
        return false;
    }
    push(command);
    return true;
}

SaveResult DocumentSession::withProjectSaved(SaveResult result) {
    if (!project_->isOpen() || !project_->isModified())
        return result;
    const Status written = project_->save();
    if (written) {
        // Nothing of the text needed saving, yet the project did: that is a save.
        if (result.outcome == SaveOutcome::NothingToSave)
            result.outcome = SaveOutcome::Saved;
        return result;
    }
    const bool textSaved = result.saved();
    result.outcome = SaveOutcome::Failed;
    result.kind = ErrorKind::Io;
    result.message = "The translation project " + project_->path() +
                     " could not be written: " + written.message() +
                     (textSaved ? "\r\nThe text was saved; its states and notes are not until "
                                  "the project is. Save again to write it."
                                : "");
    return result;
}

} // namespace zyn
