#pragma once

// The main window: menus, the button bar with the entry and character set selectors, and the
// preview of the current entry over a game picture. Opening it is the program's start, closing
// it the program's end.
//
// The member functions are spread over several files: frmtext.cpp (controls, states, start-up,
// shut-down), frmtext_files.cpp (open, save, conversion), frmtext_entries.cpp (preview, types,
// navigation, commit, character set), frmtext_characters.cpp (remapping, keyboard groups,
// ordinals, the string editor) and frmtext_archive.cpp (the archive commands).

#include "base/expanddata.h"
#include "characters/keyboardgroups.h"
#include "document/textsearch.h"
#include "windows/displaycodec.h"
#include "windows/prompts.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QTimer;
class QToolButton;
class QUndoStack;
class QDragEnterEvent;
class QDropEvent;

namespace zyn {

struct ProgramState;
struct ArchiveIndex;
struct LoadedText;
struct TextDocument;
class frmEditor;
class frmFind;
class frmEntries;

// The tool tip of an entry that does not fit: "1 line cut off", "3 lines cut off".
QString linesCutOffText(int lines);

class frmText : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int BarPositions = 15;

    frmText(ProgramState& state, Prompts& prompts, QWidget* parent = nullptr);
    ~frmText() override;

    // The start-up sequence, run once before the window is first shown. fileArgument is the
    // file named on the command line, as one argument, or empty.
    void Form_Load(const QString& fileArgument);

    ProgramState& state() { return state_; }
    Prompts& prompts() { return prompts_; }

    // Controls by their names. barButton is null for the separators' positions.
    QToolButton* barButton(int index) const;
    QComboBox* Combo1() const { return combo1_; }
    QComboBox* Combo2() const { return combo2_; }
    QLabel* Label1() const { return label1_; }
    QLabel* Label2() const { return label2_; }
    QLabel* Image1() const { return image1_; }
    // The mark where the preview cuts the text off; shown only then, its tool tip says how much.
    QLabel* CutMark() const { return cutMark_; }
    QTimer* Timer1() const { return timer1_; }
    QAction* menuItem(const char* name) const;

    // The preview: the bytes both text layers carry, the front colour, the picture behind them.
    const std::string& caption1() const { return caption1_; }
    const std::string& caption2() const { return caption2_; }
    void setCaptions(const std::string& label1, const std::string& label2);
    std::uint32_t frontColor() const { return frontColor_; }
    void setFrontColor(std::uint32_t color);
    int backgroundPicture() const { return picture_; }
    void setBackground(int picture);

    // How bytes are shown in the preview (and in the string editor) for the chosen character
    // set; characterSet() is its font character set number.
    const DisplayCodec& displayCodec() const { return codec_; }
    int characterSet() const { return codec_.characterSet().fontCharset; }
    QFont previewFont() const;

    // The two recurring control states, and the whole window side of a successful open:
    // entry selector filled, entry 0 shown and selected, document-loaded state, background.
    void setNoDocumentState();
    void setDocumentLoadedState();
    void showLoadedDocument();
    // The end of a Load from an archive: the text read from item `item` (listed as name) of
    // archivePath becomes the document, index the archive's, and the window shows it.
    void showArchiveItem(LoadedText&& loaded, const std::string& archivePath, int item,
                         ArchiveIndex&& index, const std::string& name);
    // File Save and its button, one action.
    void setSaveEnabled(bool enabled);
    // The title rule: BaseCaption, the file and the game, once a file is loaded.
    void updateTitle();

    // The save question before the document is replaced or the window closes. Returns false
    // when the user cancels, or when the answer was Yes and the document could not be saved.
    bool askSaveChanges(const QString& title);

    // The string editor hands its text back here when it closes: Label1 carries it until
    // Timer1's tick commits it into the current entry.
    void commitEditedText(const std::string& text);
    // The string editor while it is open, else null.
    frmEditor* editor() const;
    // The group checked in the "&KeybGroups" menu; its code page is the one keys are typed in.
    KeyboardGroup keyboardGroup() const { return keyboardGroup_; }

    // Every change to the document's entries or types is one step of this stack; its clean
    // state is the saved one. Opening a document empties it.
    QUndoStack* undoStack() const { return undoStack_; }
    // Makes change to the document one undoable step named name; a change that changes nothing
    // is no step. Returns whether it changed anything.
    bool applyEdit(const QString& name, const std::function<void(TextDocument&)>& change);
    // After an undo, a redo or an edit: the window shown again for the document as it is now,
    // on entry when the current entry is not one of those changed (-1: stay).
    void showEdited(int entry);
    // The document was written where it belongs: this state of the stack is the saved one.
    void documentSaved();

    // Find and replace. The last text searched for and its options, shared by both windows and
    // by F3 / Shift+F3.
    void setSearch(const QString& text, const SearchOptions& options);
    const QString& searchText() const { return searchText_; }
    // Makes the next (or previous) entry holding the text current, wrapping; says so when none
    // does. Without a text, opens the Find window.
    bool findNext(bool forward = true);
    // Replaces the text in the current entry, when it holds it, then finds the next.
    void replaceCurrent(const QString& replacement);
    // Replaces the text in every entry as one step and says in how many entries. Returns that.
    int replaceAll(const QString& replacement);
    frmFind* findWindow() const;
    frmFind* replaceWindow() const;

    // Show entry CurrentEntry: captions, and for ZYN 2 the type colour and SetType.
    void ShowEntry();
    // Select item index of the entry selector, as the user would (runs Combo2_Click).
    void selectEntry(int index);
    // Background picture and Type menu check marks for entry i.
    void SetType(int i);

    // Entry i as the preview shows it: through the remapping table unless it is in display
    // form already.
    std::string shownText(int i) const;
    // Entry i's text when the document was opened; empty past the entries opened.
    const std::string& openedText(int i) const;
    // How many lines of entry i the preview's area cannot show (0 when it fits).
    int linesCutOff(int i) const;
    // The entry list window, once View > Entries has made it.
    frmEntries* entriesWindow() const;
    // Makes loaded the reference document.
    void setReference(LoadedText&& loaded);
    // Entry i of the reference document, or null when it has none.
    const std::string* referenceText(int i) const;

    // Reads the text file at path after asking its version; the document is not touched.
    bool readTextFile(const QString& path, bool refuseCompressed, LoadedText& loaded);
    // Reads the index of the archive at path; a failure is told over asking, under its title.
    bool readArchiveIndex(QWidget* asking, const std::string& path, ArchiveIndex& index);

signals:
    // After every change to the document's entries or types, and after every open or load.
    void documentChanged();
    // Whenever the shown entry changes.
    void currentEntryChanged(int entry);
    // After another reference document was chosen.
    void referenceChanged();

public slots:
    void mnuFileOpen_Click();
    void mnuFileOpenFromHQR_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuFileSaveToHQR_Click();
    void mnuFileConvertFile_Click();
    void mnuFileExit_Click();
    void mnuExtraLoadChr_Click();
    void mnuExtraOrdinal_Click();
    void mnuConvert_Click();
    void mnuHelpAbout_Click();
    void mnuViewEntries_Click();
    void mnuEditFindInArchive_Click();
    void mnuViewCompare_Click();

    void mnuTypeNormal_Click();
    void mnuTypeBigFrame_Click();
    void mnuTypeNoBig_Click();
    void mnuTypeNoFrame_Click();
    void mnuTypeHolomap_Click();
    void mnuTypeRadio_Click();
    void mnuTypeRadioBig_Click();
    void mnuTypeInventory_Click();
    void mnuTypeDemo_Click();

    void mnuKeybNone_Click();
    void mnuKeybWest_Click();
    void mnuKeybSloCze_Click();
    void mnuKeybGreek_Click();
    void mnuKeybHeb_Click();
    void mnuKeybRusUkr_Click();
    void mnuKeybSweNor_Click();

    void Toolbar1_ButtonClick(int index);
    void Combo1_Click();
    void Combo2_Click();
    void Timer1_Timer();
    // Bar button 12: the string editor on the current entry.
    void editEntry();

    void mnuEditFind_Click();
    void mnuEditFindNext_Click();
    void mnuEditFindPrevious_Click();
    void mnuEditReplace_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // A text file dropped on the window opens as File Open opens it.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenus();
    // Undo, Redo, Find and Replace at the head of the E&dit menu.
    void buildEditMenu(QMenu* edit);
    void addKeys();
    void syncModified();
    // The parts of the window that follow the document's version: Type menu, conversion item,
    // picture and colour, and the current entry.
    void refreshDocumentView();
    // The letters of the character set, for searches.
    SearchLetters letterTable() const;
    bool searchBytes(std::string& needle) const;
    frmFind* showFindWindow(bool replace);
    void buildPreview(QWidget* client);
    void buildButtonBar(QWidget* client);
    QAction* addItem(QMenu* menu, const char* name, const char* caption, void (frmText::*slot)());
    QAction* addCheckItem(QMenu* menu, const char* name, const char* caption,
                          void (frmText::*slot)());
    void setTypeMenuEnabled(bool enabled);
    void setNavigationEnabled(bool enabled);
    void placeWindow();
    void fillCharacterSets();
    void Form_Unload(bool& cancel);

    bool commandLineOpen(const QString& argument);
    // File Open's work once a file was chosen and the save question answered.
    void openChosenFile(const QString& chosen);
    // ShowEntry and the entry selection: entry i's captions, through the remapping table when
    // throughTable and the entry is not in display form already.
    void showEntry(int i, bool throughTable);
    void chooseType(std::uint8_t code);
    void refreshCaptions();
    void updateCutMark();
    void chooseKeyboardGroup(KeyboardGroup group, const char* itemName);

    QString caption() const { return windowTitle(); }

    ProgramState& state_;
    Prompts& prompts_;
    DisplayCodec codec_;
    bool gameFont_ = false;

    QLabel* image1_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* cutMark_ = nullptr;
    QComboBox* combo1_ = nullptr;
    QComboBox* combo2_ = nullptr;
    QTimer* timer1_ = nullptr;
    std::array<QToolButton*, BarPositions + 1> bar_{};
    QMenu* mnuType_ = nullptr;
    QMenu* mnuKeybGroups_ = nullptr;

    std::string caption1_;
    std::string caption2_;
    std::uint32_t frontColor_;
    int picture_;
    // The designed caption of mnuFileConvertFile, put back after a conversion.
    QString ConvertCaption;

    std::vector<std::string> opened_;
    QPointer<frmEditor> editor_;
    QUndoStack* undoStack_ = nullptr;
    // The version the document was opened in: converting it back is a conversion again.
    bool loadedVersion2_ = false;
    QString searchText_;
    SearchOptions searchOptions_;
    QPointer<frmFind> find_;
    QPointer<frmFind> replace_;
    QPointer<frmEntries> entries_;
    KeyboardGroup keyboardGroup_ = KeyboardGroup::None;
};

} // namespace zyn
