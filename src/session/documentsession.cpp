#include "session/documentsession.h"

#include "characters/remapping.h"
#include "characters/wordletters.h"
#include "document/recentfiles.h"
#include "document/textwriter.h"
#include "document/untranslated.h"
#include "flows/entryedit.h"
#include "session/documentcommands.h"
#include "session/documentspelling.h"
#include "session/projectsession.h"

#include <QUndoStack>
#include <algorithm>
#include <utility>

namespace zyn {

DocumentSession::DocumentSession(ProgramState& state, QObject* parent)
    : QObject(parent), state_(state), undoStack_(new QUndoStack(this)),
      codec_(CharacterSets[WesternCharacterSetIndex], isGameFontInstalled()),
      fit_(displayFont(codec_.gameFont()), PreviewTextArea) {
    project_ = new ProjectSession([this]() -> FileSystem& { return state_.files(); }, this);
    state_.Characters.ShownCharacterSet = &codec_.characterSet();
    SelectKeyboardGroup(state_.Characters, keyboardGroup_);
    connect(undoStack_, &QUndoStack::cleanChanged, this, &DocumentSession::cleanChanged);
    spelling_ = new DocumentSpelling(state_.files(), this);
    // Asked for at each use: a test puts its own file system in the state after this.
    // The bank's language follows the document, wherever it was read from or saved to.
    const auto bankLanguage = [this] {
        spelling_->setBankLanguage(BankLanguage(origin(), open_.Document.IsVersion2));
    };
    connect(this, &DocumentSession::documentReplaced, this, bankLanguage);
    connect(this, &DocumentSession::originChanged, this, bankLanguage);
    followForStates();
    followForMemory();
}

DocumentSession::~DocumentSession() = default;

void DocumentSession::open(LoadedText&& loaded, DocumentOrigin origin) {
    AdoptText(open_.Document, std::move(loaded), std::move(origin));
    adopted();
}

void DocumentSession::openArchiveItem(LoadedText&& loaded, DocumentOrigin origin,
                                      ArchiveIndex&& index, const ArchiveFlow& flow) {
    AdoptText(open_.Document, std::move(loaded), std::move(origin));
    open_.Archive = std::move(index);
    // flow may be this document's own (the item dialog works on it): copied whole, then the
    // dialog's own values put back.
    ArchiveFlow taken = flow;
    taken.SaveMode = open_.Flow.SaveMode;
    taken.LastCheckedItem = open_.Flow.LastCheckedItem;
    open_.Flow = std::move(taken);
    adopted();
    // After the reference remembered for this bank, if any, was put back.
    referToSourceBank();
}

void DocumentSession::openRecovered(RecoveredDocument&& recovered, ArchiveIndex&& index) {
    TextDocument& doc = open_.Document;
    AdoptText(doc, std::move(recovered.text));
    doc.Origin = std::move(recovered.origin);
    doc.ForceSave = recovered.forceSave;
    open_.Archive = std::move(index);
    // A save compares the item on disk with what the document was read from, not with what
    // the archive holds now.
    if (recovered.itemAsRead)
        RememberItem(open_.Archive, doc.Origin.ArchiveItem, std::move(*recovered.itemAsRead));
    recovered.opened.resize(static_cast<std::size_t>(doc.entryCount()));
    adopted(std::move(recovered.opened), true);
    setCurrentEntry(recovered.currentEntry);
}

void DocumentSession::adopted(std::vector<std::string> opened, bool modified) {
    const TextDocument& doc = open_.Document;
    dropUnsavedRecords();
    undoStack_->clear();
    // Changed before this run, so not saved: only a save makes it clean.
    if (modified)
        undoStack_->resetClean();
    openedVersion2_ = doc.IsVersion2;
    if (opened.empty())
        opened.assign(doc.EntryText.begin(), doc.EntryText.begin() + doc.entryCount());
    opened_ = std::move(opened);
    currentEntry_ = 0;
    RememberRecentFile(state_.RecentFiles, doc.Origin);
    // A reference chosen for another document would mark the wrong entries as untranslated.
    const bool hadReference = open_.Reference.SlotCount != 0;
    open_.Reference = TextDocument{};
    automaticReference_ = false;
    emit documentReplaced();
    if (hadReference)
        emit referenceReplaced();
    emit cleanChanged(!modified);
    if (doc.hasEntries())
        emit currentEntryChanged(0);
}

void DocumentSession::setReference(LoadedText&& loaded, DocumentOrigin origin) {
    open_.Reference = TextDocument{};
    AdoptText(open_.Reference, std::move(loaded), std::move(origin));
    automaticReference_ = false;
    rememberSourceLanguage();
    emit referenceReplaced();
}

void DocumentSession::setCurrentEntry(int entry) {
    if (entry < 0 || entry >= entryCount())
        return;
    currentEntry_ = entry;
    emit currentEntryChanged(entry);
}

std::string DocumentSession::windowTitle() const {
    return WindowTitle(baseCaption_, document());
}

void DocumentSession::requestEdit() {
    if (currentEntry() < entryCount())
        emit editRequested();
}

std::string DocumentSession::entryAsShown(int i) const {
    if (i < 0 || i >= entryCount())
        return {};
    return ShownText(open_.Document, state_.Characters, i);
}

const std::string& DocumentSession::openedText(int i) const {
    static const std::string none;
    return i >= 0 && i < static_cast<int>(opened_.size()) ? opened_[static_cast<std::size_t>(i)]
                                                          : none;
}

const std::string* DocumentSession::referenceText(int i) const {
    if (i < 0 || i >= open_.Reference.entryCount())
        return nullptr;
    return &open_.Reference.EntryText[static_cast<std::size_t>(i)];
}

EntryStatus DocumentSession::status(int i) const {
    EntryStatus status;
    if (i < 0 || i >= entryCount())
        return status;
    status.untranslated = untranslated(i);
    status.changed = changed(i);
    status.linesCut = fit_.linesCut(codec_.toDisplay(entryAsShown(i)));
    status.misspelled =
        spelling_->misspelled(codec_.characterSet().letters, entryAsShown(i), referenceText(i));
    status.suggestion = suggested(i);
    status.state = entryState(i);
    status.hasNote = !note(i).empty();
    return status;
}

bool DocumentSession::untranslated(int i) const {
    return entryState(i) == EntryState::Untranslated;
}

bool DocumentSession::changed(int i) const {
    return open_.Document.EntryText[static_cast<std::size_t>(i)] != openedText(i);
}

void DocumentSession::setEntryFilter(const QString& text, StatusFilter status) {
    filterText_ = text;
    filterStatus_ = status;
}

bool DocumentSession::entryShown(int i) const {
    if (i < 0 || i >= entryCount())
        return false;
    // Only what the filter asks for is worked out: the fit takes a text layout.
    switch (filterStatus_) {
    case StatusFilter::All:
        break;
    case StatusFilter::Untranslated:
    case StatusFilter::NeedsReview:
    case StatusFilter::Translated:
    case StatusFilter::Reviewed:
        if (entryState(i) != FilteredState(filterStatus_))
            return false;
        break;
    case StatusFilter::WithNote:
        if (note(i).empty())
            return false;
        break;
    case StatusFilter::Changed:
        if (!changed(i))
            return false;
        break;
    case StatusFilter::DoesNotFit:
        if (status(i).fits())
            return false;
        break;
    case StatusFilter::Suggestion:
        if (!suggested(i))
            return false;
        break;
    case StatusFilter::Spelling:
        if (!status(i).misspelled)
            return false;
        break;
    }
    if (filterText_.isEmpty())
        return true;
    const LetterTable& letters = codec_.characterSet().letters;
    const auto holds = [&](const std::string& bytes) {
        return QString::fromStdU32String(ToLetters(letters, bytes))
            .contains(filterText_, Qt::CaseInsensitive);
    };
    const std::string* reference = referenceText(i);
    return holds(entryAsShown(i)) || (reference && holds(*reference));
}

int DocumentSession::keepAndGo(int entry, const std::string& edited, bool forward) {
    keep(entry, edited);
    const int step = forward ? 1 : -1;
    for (int i = entry + step; i >= 0 && i < entryCount(); i += step)
        if (entryShown(i)) {
            setCurrentEntry(i);
            return i;
        }
    if (forward)
        emit lastEntryKept();
    return -1;
}

bool DocumentSession::Modified() const {
    return !undoStack_->isClean();
}

void DocumentSession::push(DocumentCommand* command) {
    // Pushing runs the step's redo, which changes the document.
    undoStack_->push(command);
}

bool DocumentSession::editText(int entry, const std::string& edited) {
    // Compared with the text the editor was opened on, never with the stored codes: with a table
    // loaded the two are in different forms, and a table that shows two codes as one character
    // would make an unchanged text look changed.
    if (entry < 0 || entry >= entryCount() || edited == entryAsShown(entry))
        return false;
    auto* command = new EditTextCommand(*this, entry, edited, state_.Characters);
    if (command->changesNothing()) {
        delete command;
        return false;
    }
    pushWithRecords(command, ruleOf(entry, edited));
    return true;
}

bool DocumentSession::changeType(int entry, std::uint8_t type) {
    if (!open_.Document.IsVersion2 || entry < 0 || entry >= entryCount())
        return false;
    auto* command = new ChangeTypeCommand(*this, entry, type);
    if (command->changesNothing()) {
        delete command;
        return false;
    }
    push(command);
    return true;
}

bool DocumentSession::convertFile() {
    if (open_.Document.SlotCount == 0 || !convertible())
        return false;
    push(new ConvertCommand(*this));
    return true;
}

bool DocumentSession::convertible() const {
    return open_.Document.SlotCount != 0 && open_.Document.IsVersion2 == openedVersion2_;
}

bool DocumentSession::remapEntries() {
    if (!state_.Characters.RemapLoaded)
        return false;
    auto* command = new RemapCommand(*this, DisplayCodeMap(state_.Characters));
    if (command->changesNothing()) {
        delete command;
        return false;
    }
    push(command);
    return true;
}

void DocumentSession::restore(const std::vector<SlotChange>& changes, bool after, bool version2) {
    TextDocument& doc = open_.Document;
    for (const SlotChange& change : changes) {
        const SlotContent& content = after ? change.after : change.before;
        const auto slot = static_cast<std::size_t>(change.slot);
        doc.EntryText[slot] = content.text;
        doc.EntryType[slot] = content.type;
        doc.DisplayForm[slot] = content.displayForm;
    }
    const bool flipped = doc.IsVersion2 != version2;
    doc.IsVersion2 = version2;

    int shown = currentEntry_;
    for (const SlotChange& change : changes) {
        if (change.slot == currentEntry_) {
            shown = currentEntry_;
            break;
        }
        if (shown == currentEntry_ && change.slot < doc.entryCount())
            shown = change.slot;
    }
    currentEntry_ = shown;
    if (flipped)
        emit versionChanged();
    int first = doc.entryCount(), last = -1;
    for (const SlotChange& change : changes)
        if (change.slot < doc.entryCount()) {
            first = std::min(first, change.slot);
            last = std::max(last, change.slot);
        }
    if (first <= last)
        emit entriesChanged(first, last);
    emit currentEntryChanged(shown);
}

SaveResult DocumentSession::saved(SaveResult result) {
    const bool written = result.saved();
    if (written || result.outcome == SaveOutcome::NothingToSave)
        result = withProjectSaved(std::move(result));
    if (result.saved())
        undoStack_->setClean();
    if (written)
        emit originChanged();
    return result;
}

SaveResult DocumentSession::save(const OverwriteQuestion& askOverwrite) {
    return saved(SaveDocument(state_, open_, Modified(), askOverwrite));
}

SaveResult DocumentSession::saveAs(const std::string& path, const OverwriteQuestion& askOverwrite) {
    // Every later File Save writes, changed or not.
    open_.Document.ForceSave = true;
    return saved(WriteDocument(state_, open_.Document, SaveAsOrigin(origin(), path), open_.Archive,
                               askOverwrite));
}

SaveResult DocumentSession::saveToArchiveItem(const DocumentOrigin& target, ArchiveIndex& index,
                                              const OverwriteQuestion& askOverwrite) {
    SaveResult result = WriteDocument(state_, open_.Document, target, index, askOverwrite);
    // The document now is that item of that archive: File Save writes it there again.
    if (result.saved())
        open_.Archive = std::move(index);
    return saved(std::move(result));
}

void DocumentSession::setCharacterSet(int index) {
    if (index < 0 || index >= static_cast<int>(CharacterSets.size()))
        return;
    codec_ = DisplayCodec(CharacterSets[static_cast<std::size_t>(index)], codec_.gameFont());
    characterSetIndex_ = index;
    state_.Characters.ShownCharacterSet = &codec_.characterSet();
    emit displayChanged();
}

QFont DocumentSession::previewFont() const {
    return displayFont(codec_.gameFont());
}

Status DocumentSession::loadRemappingTable(const std::string& path) {
    // The name alone tells the format: anything not ending in "set" is read as a ".cmp" file.
    Status loaded = LoadRemapping(state_.Characters, files(), path, IsSetFileName(path));
    if (loaded)
        emit displayChanged();
    return loaded;
}

void DocumentSession::setKeyboardGroup(KeyboardGroup group) {
    SelectKeyboardGroup(state_.Characters, group);
    keyboardGroup_ = group;
    emit keyboardGroupChanged();
}

void DocumentSession::askingToSave() {
    emit saveQuestionAsked();
}

void DocumentSession::setSearch(const QString& text, const SearchOptions& options) {
    searchText_ = text;
    searchOptions_ = options;
}

LetterCodes DocumentSession::typedCodes(const QString& text) const {
    return ToCodes(codec_.characterSet().letters, text.toStdU32String(), &substitutions_);
}

void DocumentSession::setSubstitutions(Substitutions substitutions) {
    substitutions_ = std::move(substitutions);
    emit substitutionsChanged();
}

QString DocumentSession::noCodeFor(char32_t letter) const {
    return QStringLiteral("the %1 has no code for %2")
        .arg(QString::fromLatin1(codec_.characterSet().caption),
             QString::fromStdString(DescribeLetter(letter)));
}

SearchLetters DocumentSession::searchLetters() const {
    // Folded and cut into words as the glossary, spelling and the memory do, not as Qt would.
    const LetterTable& table = codec_.characterSet().letters;
    return {FoldedCodes(table), CodeClassesOf(table)};
}

bool DocumentSession::searchBytes(std::string& needle) const {
    LetterCodes codes = typedCodes(searchText_);
    needle = std::move(codes.codes);
    return !codes.missing && !needle.empty();
}

int DocumentSession::findNext(bool forward) const {
    std::string needle;
    if (!searchBytes(needle) || !open_.Document.hasEntries())
        return -1;
    const SearchLetters letters = searchLetters();
    return NextMatchingEntry(entryCount(), currentEntry(), forward, [&](int i) {
        return FindText(entryAsShown(i), needle, searchOptions_, letters) != std::string::npos;
    });
}

bool DocumentSession::replaceCurrent(const QString& replacement) {
    std::string needle;
    const int i = currentEntry();
    if (!searchBytes(needle) || i < 0 || i >= entryCount())
        return false;
    const LetterCodes bytes = typedCodes(replacement);
    if (bytes.missing)
        return false;
    const std::string shown = entryAsShown(i);
    int count = 0;
    const std::string replaced =
        ReplaceText(shown, needle, bytes.codes, searchOptions_, searchLetters(), count);
    if (count == 0)
        return false;
    if (replaced != shown)
        pushWithRecords(new ReplaceCommand(*this, QStringLiteral("Replace"), {{i, replaced}},
                                           state_.Characters.RemapLoaded),
                        TextRule::Edited);
    return true;
}

int DocumentSession::replaceAll(const QString& replacement) {
    std::string needle;
    const LetterCodes typed = typedCodes(replacement);
    if (!searchBytes(needle) || typed.missing)
        return 0;
    const std::string& bytes = typed.codes;
    const SearchLetters letters = searchLetters();
    std::vector<ReplaceCommand::Replaced> replaced;
    for (int i = 0; i < entryCount(); ++i) {
        int count = 0;
        const std::string shown = entryAsShown(i);
        std::string text = ReplaceText(shown, needle, bytes, searchOptions_, letters, count);
        // Replacing a text by itself changes nothing, and is not counted.
        if (count > 0 && text != shown)
            replaced.push_back({i, std::move(text)});
    }
    if (!replaced.empty())
        pushWithRecords(new ReplaceCommand(*this, QStringLiteral("Replace All"), replaced,
                                           state_.Characters.RemapLoaded),
                        TextRule::Edited);
    return static_cast<int>(replaced.size());
}

} // namespace zyn
