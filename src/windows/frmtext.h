#pragma once

// The main window: menus, the button bar with the entry and character set selectors, and the
// preview of the current entry over a game picture. Opening it is the program's start, closing
// it the program's end. It is one view of the document session among the others: it changes
// the document through the session and shows what the session says changed.
//
// The member functions are spread over several files: frmtext.cpp (controls, states, start-up,
// shut-down, the View windows, what it follows of the session), frmtext_files.cpp (open, save,
// conversion, archives), frmtext_entries.cpp (preview, types, navigation, commit, character
// set), frmtext_edits.cpp (the Edit menu, find, keys), frmtext_characters.cpp (remapping,
// keyboard groups, ordinals, the string editor) and frmtext_memory.cpp (the translation memory).

#include "characters/keyboardgroups.h"
#include "windows/prompts.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>

class QAction;
class QComboBox;
class QDockWidget;
class QLabel;
class QMenu;
class QTimer;
class QToolButton;
class QDragEnterEvent;
class QDropEvent;

namespace zyn {

class DocumentSession;
class frmEditor;
class frmFind;
class frmEntries;
class frmProject;
class frmSelHQR;

class frmText : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int BarPositions = 15;

    frmText(DocumentSession& session, Prompts& prompts, QWidget* parent = nullptr);
    ~frmText() override;

    // The start-up sequence, run once before the window is first shown. fileArgument is the
    // file named on the command line, as one argument, or empty.
    void Form_Load(const QString& fileArgument);

    DocumentSession& session() { return session_; }

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
    std::uint32_t frontColor() const { return frontColor_; }
    int backgroundPicture() const { return picture_; }
    // The font character set number of the chosen character set.
    int characterSet() const;

    // The two recurring control states.
    void setNoDocumentState();
    void setDocumentLoadedState();

    // The string editor hands its text back here when it closes: Label1 carries it until
    // Timer1's tick commits it into the current entry.
    void receiveEditedText(const std::string& text);
    // The string editor while it is open, else null.
    frmEditor* editor() const;
    frmFind* findWindow() const;
    frmFind* replaceWindow() const;
    // The entry list, the content of the dock "dockEntries".
    frmEntries* entriesWindow() const;
    QDockWidget* entriesDock() const { return dockEntries_; }

    // A dock of this window (frmtext_docks.cpp): put in area until the remembered layout
    // places it, and given its remembered place when it comes later than the layout was read.
    // neededWidth, if given, is how wide the dock wants to be the first time it is shown (the
    // entry list's width if not given).
    void addDock(QDockWidget* dock, Qt::DockWidgetArea area, std::function<int()> neededWidth = {});
    // The dock shown (a tab of it raised), the window grown to hold it docked, within the
    // screen, at the size the dock had when it was last shown docked, or as wide as it needs;
    // the window shrinks again when its docks close.
    void showDock(QDockWidget* dock);
    // The project window, in the dock View > Project shows (frmtext_project.cpp).
    frmProject* projectWindow() const;

    // Show the session's current entry: captions, and for ZYN 2 the type colour and SetType.
    void ShowEntry();
    // Select item index of the entry selector, as the user would (runs Combo2_Click).
    void selectEntry(int index);
    // Background picture and Type menu check marks for entry i.
    void SetType(int i);

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
    void mnuExtraSubstitutions_Click();
    void mnuConvert_Click();
    void mnuHelpAbout_Click();
    // Help > Keyboard Shortcuts, listing the keys as they are when it opens.
    void mnuHelpShortcuts_Click();
    void mnuViewEntries_Click();
    void mnuEditFindInArchive_Click();
    void mnuEditGlossary_Click();
    // Every untranslated entry with one translation in the memory takes it; says how many.
    void mnuEditFillFromMemory_Click();
    void mnuEditMemorySources_Click();
    void mnuViewCompare_Click();
    // File > Recent files: the list made again from the files opened last, and one of them
    // opened as File Open or Open from HQR opens it; one that is gone is taken off the list.
    void showRecentFiles();
    void openRecentFile(int index);
    // File > New Translation Project... and Open Translation Project... (frmtext_projectfile.cpp).
    // New: for the open archive and the open bank's language, the source language asked, the
    // file chosen. Open: the project, its archive asked for when it moved, then its items
    // offered. Both are remembered first in Recent files.
    void mnuFileNewProject_Click();
    void mnuFileOpenProject_Click();
    bool openProject(const QString& path);
    // The bank before or after the open one in the project window's order.
    void mnuGoNextBank_Click();
    void mnuGoPreviousBank_Click();
    // The last entry to do was kept: the bank saved, and the next bank with work opened on its
    // first entry to do.
    void goToNextBankWithWork();

    void mnuTypeNormal_Click();
    void mnuTypeBigFrame_Click();
    void mnuTypeNoBig_Click();
    void mnuTypeNoFrame_Click();
    void mnuTypeHolomap_Click();
    void mnuTypeRadio_Click();
    void mnuTypeRadioBig_Click();
    void mnuTypeInventory_Click();
    void mnuTypeDemo_Click();

    void mnuKeybLetters_Click();
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
    void followSession();
    void buildMenus();
    // Undo, Redo, Find and Replace at the head of the E&dit menu.
    void buildEditMenu(QMenu* edit);
    // Fill from memory and the memory's sources (frmtext_memory.cpp).
    void buildMemoryItems(QMenu* edit);
    // The project items of the File menu, and its recent projects (frmtext_projectfile.cpp).
    void buildProjectFileItems(QMenu* file);
    void showRecentProjects();
    // The string editor's Ctrl+R and Ctrl+N: actions of this window, listed with its keys,
    // given to each editor as it is made.
    void buildStateKeys();
    void addStateKeys(frmEditor& editor);
    // The project's archive moved: asked for, recorded and saved; false when it was not found.
    bool findMovedArchive();
    void addKeys();
    void buildPreview(QWidget* client);
    void buildButtonBar(QWidget* client);
    QAction* addItem(QMenu* menu, const char* name, const char* caption, void (frmText::*slot)());
    QAction* addCheckItem(QMenu* menu, const char* name, const char* caption,
                          void (frmText::*slot)());
    void setSaveEnabled(bool enabled);
    void setTypeMenuEnabled(bool enabled);
    void setNavigationEnabled(bool enabled);
    void placeWindow();
    // The entry list's dock, beside the preview where the screen has room for it and the
    // string editor as well, else below it (frmtext_docks.cpp).
    void buildDocks();
    Qt::DockWidgetArea roomyArea() const;
    // The window as large as its docked docks need and no larger, wholly on the screen.
    void fitToDocks();
    // The window, before of size before, grown to hold dock.
    void growFor(QDockWidget* dock, QSize before);
    // How wide the project window's table is with every column as wide as its title or its
    // content needs (frmtext_project.cpp).
    int projectNeededWidth() const;
    void fillCharacterSets();
    void Form_Unload(bool& cancel);

    // What the window shows of a document just opened: the entry selector, the document-loaded
    // state, the picture and the title.
    void showLoadedDocument();
    // The parts of the window that follow the document's version: Type menu, conversion item,
    // picture and colour.
    void showVersion();
    // The title rule: the window's own caption, the file (and the item) and the game, once a file
    // is loaded.
    void updateTitle();
    bool commandLineOpen(const QString& argument);
    // File Open's work once a file was chosen and the save question answered.
    void openChosenFile(const QString& chosen);
    // Open from HQR and Save to HQR: the save question, the archive, its index, the dialog.
    void chooseArchiveItem(bool saveMode);
    void setCaptions(const std::string& label1, const std::string& label2);
    void refreshCaptions();
    void setFrontColor(std::uint32_t color);
    void setBackground(int picture);
    void updateCutMark();
    void chooseType(std::uint8_t code);
    void chooseKeyboardGroup(KeyboardGroup group, const char* itemName);
    // Checks the item of the session's keyboard group.
    void showKeyboardGroup();
    // The project window's dock and View > Project, Next bank and Previous bank.
    void buildProjectItems(QMenu* view);
    // Opens item of the archive at path as Recent files does (no save question); true when
    // it is open.
    bool openArchiveBank(const std::string& path, int item);
    void goToBank(bool forward);
    // The item dialog of Open from HQR and Save to HQR, made when first needed.
    frmSelHQR* itemDialog();
    frmFind* showFindWindow(bool replace);
    void findNext(bool forward);

    QString caption() const { return windowTitle(); }

    DocumentSession& session_;
    Prompts& prompts_;

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
    QMenu* mnuFileRecent_ = nullptr;

    std::string caption1_;
    std::string caption2_;
    std::uint32_t frontColor_;
    int picture_;
    // The designed caption of mnuFileConvertFile, put back after a conversion.
    QString ConvertCaption;

    QPointer<frmEditor> editor_;
    QAction* editorReviewed_ = nullptr;
    QAction* editorNote_ = nullptr;
    QPointer<frmFind> find_;
    QPointer<frmFind> replace_;
    QPointer<frmEntries> entries_;
    QDockWidget* dockEntries_ = nullptr;
    // What each dock wants when it is shown: its needed width, and the size it had when last
    // shown docked (empty until then).
    struct DockRoom {
        std::function<int()> neededWidth;
        struct {
            QSize size;
            Qt::DockWidgetArea area = Qt::NoDockWidgetArea;
        } kept;
    };
    std::map<const QDockWidget*, DockRoom> dockRooms_;
    frmProject* project_ = nullptr;
    // Next bank with work was asked for while the banks were still being counted.
    bool nextBankWanted_ = false;
};

} // namespace zyn
