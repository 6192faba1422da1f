#pragma once

// Every change to the document is one of these steps on the session's undo stack: a command
// keeps the slots it changed, before and after, and the version when it flips it, so a long
// history of small edits stays small.

#include "base/bytes.h"
#include "characters/charactertables.h"
#include "document/textdocument.h"
#include "project/translationproject.h"

#include <QUndoCommand>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zyn {

class DocumentSession;

// What a change can change in one slot.
struct SlotContent {
    std::string text;
    std::uint8_t type = 0;
    bool displayForm = false;

    bool operator==(const SlotContent&) const = default;
};

struct SlotChange {
    int slot = 0;
    SlotContent before;
    SlotContent after;
};

// An entry's record in the translation project, before and after a step (none: no record).
struct RecordChange {
    int entry = 0;
    std::optional<EntryRecord> before;
    std::optional<EntryRecord> after;
};

class DocumentCommand : public QUndoCommand {
public:
    void undo() override { apply(false); }
    void redo() override { apply(true); }
    // Nothing to do: not worth a step.
    bool changesNothing() const {
        return changes_.empty() && records_.empty() && versionBefore_ == versionAfter_;
    }
    // The records of bank that change with the step; those that stay as they were are dropped.
    void changeRecords(std::string bank, std::vector<RecordChange> records);
    const std::vector<SlotChange>& slotChanges() const { return changes_; }
    // The records alone as the step leaves them (after) or found them: a document thrown away
    // takes its records' changes with it.
    void applyRecords(bool after) const;

protected:
    DocumentCommand(DocumentSession& session, const QString& name);
    // Slot as it is now, to be changed through the result's after; slots left unchanged are
    // dropped by finish().
    SlotContent& change(int slot);
    // Every slot and the version as after holds them.
    void record(const TextDocument& after);
    void finish();

    DocumentSession& session_;
    std::vector<SlotChange> changes_;

private:
    void apply(bool after);

    bool versionBefore_;
    bool versionAfter_;
    std::string bank_;
    int project_ = 0; // the project's generation the records are of
    std::vector<RecordChange> records_;
};

// The string editor's text handed back into one entry.
class EditTextCommand final : public DocumentCommand {
public:
    EditTextCommand(DocumentSession& session, int entry, const std::string& text,
                    const CharacterTables& tables);
};

// A type chosen in the Type menu. Types chosen for one entry in a row are one step.
class ChangeTypeCommand final : public DocumentCommand {
public:
    ChangeTypeCommand(DocumentSession& session, int entry, std::uint8_t type);
    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand* other) override;
};

// Replace, in the current entry or in all of them: the entries and their new texts.
class ReplaceCommand final : public DocumentCommand {
public:
    struct Replaced {
        int entry;
        std::string text;
    };
    ReplaceCommand(DocumentSession& session, const QString& name,
                   const std::vector<Replaced>& replaced, bool displayForm);
};

// "Convert file": ZYN 1 to ZYN 2 or back.
class ConvertCommand final : public DocumentCommand {
public:
    explicit ConvertCommand(DocumentSession& session);
};

// A state or a note of one entry, its text left as it is.
class RecordCommand final : public DocumentCommand {
public:
    RecordCommand(DocumentSession& session, const QString& name, std::string bank,
                  RecordChange change);
};

// "&Convert...": every entry in game codes rewritten in its display form.
class RemapCommand final : public DocumentCommand {
public:
    RemapCommand(DocumentSession& session, const ByteMap& toDisplay);
};

} // namespace zyn
