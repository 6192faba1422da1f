#pragma once

// The document session every window shares: the open document and where it came from, the
// reference document, the undo stack of every change, the current entry, the character set the
// entries are shown in and the keyboard group they are typed with. Windows change the document
// only through it and follow it through its signals; none goes through another window.

#include "characters/keyboardgroups.h"
#include "document/recoveryfile.h"
#include "document/textreader.h"
#include "document/textsearch.h"
#include "document/translationmemory.h"
#include "flows/filesave.h"
#include "flows/opendocument.h"
#include "flows/programstate.h"
#include "project/statetally.h"
#include "project/translationproject.h"
#include "session/displaycodec.h"
#include "session/previewfit.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QUndoStack;

namespace zyn {

class DocumentCommand;
class DocumentSpelling;
class ProjectSession;
struct RecordChange;
struct SlotChange;

// What the entry list says of an entry.
struct EntryStatus {
    bool untranslated = false; // its state: empty, or the same as the reference text, unless
                               // the project keeps it as translated
    bool changed = false;      // differs from the text it had when the document was opened
    int linesCut = 0;          // lines the preview cannot show
    bool misspelled = false;   // holds a word the dictionary does not know
    bool suggestion = false;   // untranslated, and its source has a translation in the memory
    EntryState state = EntryState::Untranslated;
    bool hasNote = false;

    bool fits() const { return linesCut == 0; }
};

// The entry list's status filter, in the order of its list.
enum class StatusFilter {
    All,
    Untranslated,
    Translated,
    Changed,
    DoesNotFit,
    Suggestion,
    Spelling,
    // The states a project adds (Untranslated and Translated are the states of those names),
    // and the entries with a note.
    NeedsReview,
    Reviewed,
    WithNote
};

// The state a filter of one state shows; Untranslated for the others.
EntryState FilteredState(StatusFilter filter);

// What Fill from memory did: the entries filled, and those left because their source has
// several different translations.
struct MemoryFill {
    int filled = 0;
    std::vector<int> left;
};

class DocumentSession final : public QObject {
    Q_OBJECT
public:
    explicit DocumentSession(ProgramState& state, QObject* parent = nullptr);
    ~DocumentSession() override;

    // What the program keeps whatever document is open, shared with every other session.
    ProgramState& state() { return state_; }
    // The document this session edits, its reference, its archive's index and flow values.
    OpenDocument& openDocument() { return open_; }
    FileSystem& files() { return state_.files(); }
    const TextDocument& document() const { return open_.Document; }
    const DocumentOrigin& origin() const { return open_.Document.Origin; }
    int entryCount() const { return open_.Document.entryCount(); }

    // Opening: text read from origin becomes the document (with the index of its archive, for
    // an archive item): entry 0 current, nothing to undo, this its saved state, no reference.
    void open(LoadedText&& loaded, DocumentOrigin origin);
    // flow's game and item names become the document's (what the list of items showed).
    void openArchiveItem(LoadedText&& loaded, DocumentOrigin origin, ArchiveIndex&& index,
                         const ArchiveFlow& flow);
    // A document kept by a run that ended without saving it, as it was then: not saved, its
    // origin the file or item it came from. index is its archive's as read now.
    void openRecovered(RecoveredDocument&& recovered, ArchiveIndex&& index);
    // The document shown beside this one, read-only; origin says where it was read.
    void setReference(LoadedText&& loaded, DocumentOrigin origin = {});

    // The reference a bank of an archive starts with (sourcereference.cpp): the same bank in
    // the source language, the project's, else the one compared with last, else EN.
    int sourceLanguage() const;
    int lastSourceLanguage() const { return lastSourceLanguage_; }
    void setLastSourceLanguage(int language);
    // A document of an archive without a reference takes the same bank of sourceLanguage()
    // from the archive's bytes in memory; true when it did. A bank that is blank, missing or
    // the document's own leaves none, and nothing is said.
    bool referToSourceBank();
    // The reference is the one referToSourceBank chose, not the user's.
    bool referenceIsAutomatic() const { return automaticReference_; }

    // The entry the windows show; entry is ignored unless it is one of the document's.
    int currentEntry() const { return currentEntry_; }
    void setCurrentEntry(int entry);
    // Asks the windows for the string editor on the current entry.
    void requestEdit();
    // The main window's title: its own caption (taken before any document gives it another),
    // then where the document came from and its game (WindowTitle).
    void setBaseCaption(std::string caption) { baseCaption_ = std::move(caption); }
    std::string windowTitle() const;

    // Entry i as it is shown and edited: through the remapping table unless it is in display
    // form already.
    std::string entryAsShown(int i) const;
    // Entry i's text when the document was opened; empty past the entries opened.
    const std::string& openedText(int i) const;
    // Entry i of the reference document, or null when it has none.
    const std::string* referenceText(int i) const;
    EntryStatus status(int i) const;
    // The dictionary the entries are checked with.
    DocumentSpelling& spelling() const { return *spelling_; }
    // The translation project of the language being translated, for the whole run: open or
    // not, it outlives every document opened in it.
    ProjectSession& project() const { return *project_; }

    // What the entry list shows while it is open (every entry while it is closed): entries
    // whose text or reference holds text, case folded over the set's letters, with the status.
    void setEntryFilter(const QString& text, StatusFilter status);
    bool entryShown(int i) const;
    // The translation loop: edited handed back into entry (one step when it changes it), then
    // the next (previous) entry the list shows made current. That entry, or -1 for none.
    int keepAndGo(int entry, const std::string& edited, bool forward);

    // Every change is one step of this stack; its clean state is the saved one.
    QUndoStack* undoStack() const { return undoStack_; }
    bool Modified() const;
    // Each makes one step, and only when it changes something; true when it did.
    bool editText(int entry, const std::string& edited);
    bool changeType(int entry, std::uint8_t type);
    bool convertFile();
    bool remapEntries();
    // The conversion is offered in the version the document was opened in; converted, until
    // that is undone, it is not.
    bool convertible() const;

    // File Save, Save As and Save to HQR; askOverwrite is asked before an item changed on disk
    // is replaced. A save that succeeds is the saved state.
    SaveResult save(const OverwriteQuestion& askOverwrite);
    SaveResult saveAs(const std::string& path, const OverwriteQuestion& askOverwrite);
    // index is the archive's as the item dialog read it; it becomes the program's once saved.
    SaveResult saveToArchiveItem(const DocumentOrigin& target, ArchiveIndex& index,
                                 const OverwriteQuestion& askOverwrite);

    // How entries are shown: the character set (its position in CharacterSets) and the font.
    const DisplayCodec& codec() const { return codec_; }
    void setCharacterSet(int index);
    int characterSetIndex() const { return characterSetIndex_; }
    QFont previewFont() const;
    const PreviewFit& previewFit() const { return fit_; }
    // The remapping table, read from path, for the rest of the run.
    Status loadRemappingTable(const std::string& path);
    KeyboardGroup keyboardGroup() const { return keyboardGroup_; }
    void setKeyboardGroup(KeyboardGroup group);
    // Text the user typed, pasted or searched for as the codes the character set shows it as:
    // what you type is what you see. A character the set lacks is written as its stand-in
    // where the set has one (replaced says which); missing is the first that has neither.
    LetterCodes typedCodes(const QString& text) const;
    // The stand-ins typed text takes: the program's pairs, the user's, and whether letters
    // with marks become their base letters. The settings remember them.
    const Substitutions& substitutions() const { return substitutions_; }
    void setSubstitutions(Substitutions substitutions);
    // Why a character cannot be typed: "the Western European CharSet has no code for "’"
    // (U+2019)".
    QString noCodeFor(char32_t letter) const;

    // Find and Replace: the text searched for (in the character set's letters) and its options,
    // shared by both windows and the main window's keys.
    void setSearch(const QString& text, const SearchOptions& options);
    const QString& searchText() const { return searchText_; }
    SearchLetters searchLetters() const;
    // The next (previous) entry after the current one holding the text, wrapping; -1 for none.
    int findNext(bool forward) const;
    // Replaces the text in the current entry (one step); true when it held it. A replacement
    // with a character the set has no code for (noCodeFor) replaces nothing.
    bool replaceCurrent(const QString& replacement);
    // Replaces the text in every entry as one step; the number of entries changed.
    int replaceAll(const QString& replacement);

    // Says that the user is about to be asked whether to save the changes.
    void askingToSave();

    // The translation memory (sessionmemory.cpp). An entry's source is its reference text; its
    // suggestions come from the document's own translated entries and from the memory built
    // beside the session from the archive and the sources the user added.
    const std::vector<std::string>& memorySources() const { return memorySources_; }
    void setMemorySources(std::vector<std::string> sources);
    // The memory built, with a line for each source that could not be read.
    void setTranslationMemory(std::shared_ptr<const TranslationMemory> memory,
                              std::vector<std::string> problems = {});
    const std::vector<std::string>& memoryProblems() const { return memoryProblems_; }
    std::shared_ptr<const TranslationMemory> translationMemory() const { return memory_; }
    // Untranslated, and its source has a translation: what the entry list says "suggestion" of.
    bool suggested(int entry) const;
    // At most five, best first; their texts are game codes, as the memory holds them.
    std::vector<Suggestion> suggestions(int entry) const;
    // A suggestion's text as the string editor shows it.
    std::string suggestionAsShown(const Suggestion& suggestion) const;
    // Every untranslated entry whose source has exactly one translation takes it, as one step.
    MemoryFill fillFromMemory();

    // States and notes (sessionstates.cpp). The bank the project keeps this document's records
    // under: its archive item's name, or a loose file's when that is a bank's name; "" while no
    // project is open or the document is none of its banks.
    const std::string& projectBank() const { return projectBank_; }
    // A project is open and keeps this document's records.
    bool keepsStates() const { return !projectBank().empty(); }
    // The entry's record, or nullptr.
    const EntryRecord* record(int entry) const;
    // The state shown: the record's through the rules, or derived from the texts without one.
    EntryState entryState(int entry) const;
    std::string note(int entry) const;
    // The counts of entryState over every entry.
    StateTally stateCounts() const;
    // The record was given for another source than the entry's reference text now.
    bool sourceChanged(int entry) const;
    // That source, when a text of its hash is at hand among the memory's sources.
    std::optional<std::string> oldSource(int entry) const;
    // Ctrl+R: edited handed back and the entry marked reviewed, or back to translated when it
    // was; one step. False without a project keeping states.
    bool toggleReviewed(int entry, const std::string& edited);
    // The note set ("" removes it), one step; false when nothing changed or nothing keeps it.
    bool setNote(int entry, const std::string& note);
    // The string editor put a memory's text (as shown) into entry: handed back as it is, it
    // is needs review.
    void tookFromMemory(int entry, const std::string& shown);

signals:
    // The texts or types of entries first to last changed (an edit, or its undo); one signal for
    // each step, however many entries it changed.
    void entriesChanged(int first, int last);
    void currentEntryChanged(int entry);
    // Another document was opened.
    void documentReplaced();
    // The document became ZYN 1 or ZYN 2 (a conversion, or its undo).
    void versionChanged();
    void referenceReplaced();
    // Another character set or a remapping table: every text reads differently.
    void displayChanged();
    // A save moved the document to another file or item.
    void originChanged();
    void cleanChanged(bool clean);
    void editRequested();
    void keyboardGroupChanged();
    void substitutionsChanged();
    void saveQuestionAsked();
    void memorySourcesChanged();
    void lastSourceLanguageChanged();
    // keepAndGo went forward from the last entry the list shows: the bank has no entry left to
    // go to.
    void lastEntryKept();
    // Another memory was built: the suggestions and the entry list's statuses change.
    void memoryReplaced();
    // A project was opened, created or closed: every entry's state and note may read anew.
    void statesReplaced();

private:
    friend class DocumentCommand;
    void push(DocumentCommand* command);
    // A command's redo (after) or undo: slots and version as it says. The current entry moves to
    // the first entry changed, unless it is one of them, so the change is seen.
    void restore(const std::vector<SlotChange>& changes, bool after, bool version2);
    // The records of bank as a step leaves them (after) or found them; alone: the step
    // changed no slot, so this says which entries changed.
    void restoreRecords(const std::string& bank, const std::vector<RecordChange>& records,
                        bool after, bool alone);
    // How a text put into entries changes their records.
    enum class TextRule { Edited, FromMemory, Kept };
    // The records' changes of a step that puts these texts (as stored) in; none without a
    // project keeping states.
    std::vector<RecordChange> recordsAfter(const std::vector<SlotChange>& changes,
                                           TextRule rule) const;
    std::optional<RecordChange> recordAfter(int entry, const std::string& target,
                                            TextRule rule) const;
    // Ctrl+Enter's text handed back: translated, even when it is its source.
    void keep(int entry, const std::string& edited);
    void followForStates();
    void pushWithRecords(DocumentCommand* command, TextRule rule);
    // An edit's rule: from memory when it is the text the editor took from it.
    TextRule ruleOf(int entry, const std::string& edited) const;
    // The record changes after the clean state undone, for a document thrown away.
    void dropUnsavedRecords();
    void updateProjectBank();
    // The source of entry as the records hash it: the reference text, "" without one.
    std::string_view sourceOf(int entry) const;
    std::string entryCodes(int entry) const;
    // opened is each entry's text as opened, or empty for the texts the document holds now.
    void adopted(std::vector<std::string> opened = {}, bool modified = false);
    bool untranslated(int i) const;
    bool changed(int i) const;
    // The search text as bytes of the character set; false when it holds a character the set
    // cannot show, which no entry can then hold.
    bool searchBytes(std::string& needle) const;
    SaveResult saved(SaveResult result);
    // A save's result with the project written when it was modified: a project that cannot be
    // written makes it a failure, the document left modified so that the next save tries again.
    SaveResult withProjectSaved(SaveResult result);
    // The document's own pairs, made when first asked for after a change.
    const TranslationMemory& ownMemory() const;
    std::vector<Suggestion> exactTranslations(int entry) const;
    void followForMemory();
    // A reference of the document's own archive names the language compared with last.
    void rememberSourceLanguage();

    ProgramState& state_;
    OpenDocument open_;
    QUndoStack* undoStack_ = nullptr;
    DocumentSpelling* spelling_ = nullptr;
    ProjectSession* project_ = nullptr;
    DisplayCodec codec_;
    PreviewFit fit_;
    // Typing what the set shows is the default: a code page's codes would be other letters.
    KeyboardGroup keyboardGroup_ = KeyboardGroup::Letters;
    Substitutions substitutions_;
    int characterSetIndex_ = WesternCharacterSetIndex;
    std::vector<std::string> opened_;
    int currentEntry_ = 0;
    std::string baseCaption_;
    // The version the document was opened in.
    bool openedVersion2_ = false;
    QString searchText_;
    SearchOptions searchOptions_;
    QString filterText_;
    StatusFilter filterStatus_ = StatusFilter::All;
    std::vector<std::string> memorySources_;
    std::shared_ptr<const TranslationMemory> memory_;
    std::vector<std::string> memoryProblems_;
    mutable std::unique_ptr<TranslationMemory> ownMemory_;
    // The text the string editor last took from the memory, and for which entry.
    int fromMemoryEntry_ = -1;
    std::string projectBank_;
    std::string fromMemoryText_;
    int lastSourceLanguage_ = 0;
    bool automaticReference_ = false;
};

} // namespace zyn
