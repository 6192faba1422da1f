#pragma once

// The string editor: the text of one entry of the session in a large box set in the display
// font. Every typed key goes through the keyboard group and the remapping table before it
// reaches the box. While the editor is open its owner (the main window) is disabled; closing the
// editor hands its text back to the owner, whose timer commits it into the entry. Ctrl+Enter
// keeps the text and goes on to the next entry the entry list shows (Ctrl+Shift+Enter to the
// one before); Escape closes without handing back, after asking when the text was changed.
// Below the box, until the next entry: what was typed or pasted as a stand-in (marked in the
// box too), what was not typed and why, and the lines the text takes in the preview. Under the
// reference text: the translation memory's suggestions, Ctrl+1 to Ctrl+5 putting one in place
// of the text, and the glossary's terms in the source (editorglossary.h). Between the text and
// the message line: the entry's state (and the old source when it changed) and its note, which
// a translation project keeps; Ctrl+R marks the text reviewed or takes the mark back, Ctrl+N
// goes to the note.

#include "document/translationmemory.h"
#include "session/displaycodec.h"

#include <QPointer>
#include <QStringList>
#include <QTextEdit>
#include <QWidget>
#include <cstdint>
#include <string>
#include <vector>

class QInputMethodEvent;
class QListWidget;
class QKeyEvent;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace zyn {

class DocumentSession;
class EditorGlossary;
class EditorSpelling;
class frmTable;
class Prompts;
struct CharacterTables;
struct LetterCodes;

class frmEditor : public QWidget {
    Q_OBJECT
public:
    // The text box's designed width, which the main window leaves room for beside it.
    static constexpr int BoxWidth = 505;

    // Loading the editor disables owner until the editor closes. prompts asks before Escape
    // throws a change away.
    frmEditor(DocumentSession& session, Prompts& prompts, QWidget& owner);

    // Shows entry i: its number in the caption, its text (selected while it is untranslated, so
    // that typing replaces it), its reference, its type's colour. Opened the first time, the
    // editor is placed beside its owner.
    void open(int i);
    int entry() const { return entry_; }
    ~frmEditor() override;

    QPlainTextEdit* Text1() const { return text1_; }
    // The reference text, read-only above the box; hidden while there is none.
    QPlainTextEdit* txtReference() const { return reference_; }
    void setReference(const std::string* bytes);
    // The memory's suggestions for the entry, each with its likeness and where it was found;
    // hidden while there are none.
    QListWidget* lstSuggestions() const { return suggestionList_; }
    // Ctrl+1 to Ctrl+5: suggestion index (from 0) in place of the whole text, one undo step of
    // the box; false when there is no such suggestion.
    bool takeSuggestion(int index);
    QPushButton* Command1() const { return command1_; }
    // What this entry was given as stand-ins, what was last refused in it and why; word
    // wrapped, kept until the next entry.
    QLabel* lblMessage() const { return message_; }
    // The lines the text takes in the preview against those it shows.
    QLabel* lblFit() const { return fit_; }
    // The entry's state, and what changed of its source.
    QLabel* lblState() const { return state_; }
    // The entry's note, several lines of plain text; read-only without a project to keep it.
    QPlainTextEdit* txtNote() const { return noteBox_; }
    // Ctrl+R (the main window's action, so that its keys are listed before an editor is
    // open): the text handed back and marked reviewed, or the mark taken back; without a
    // project keeping states, the question whether to start one.
    void toggleReviewed();
    // Ctrl+N: the keys to the note, or the same question.
    void editNote();
    // The note box's text kept as the entry's note (one undo step when it changed it).
    void keepNote();
    // The character map, once Alt+C has asked for it: a window beside the editor, or docked at
    // its bottom where the screen has no room beside it.
    frmTable* characterMap() const;
    bool characterMapDocked() const { return mapDocked_; }
    const DisplayCodec& displayCodec() const { return codec_; }
    // Underlines, suggestions and "Add to dictionary" in the text box.
    EditorSpelling& spelling() const { return *spelling_; }
    // The glossary's terms in the source under the reference, Alt+1 to Alt+9, Ctrl+G.
    EditorGlossary& glossary() const { return *glossary_; }
    QListWidget* lstTerms() const { return termList_; }

    // The box's content as bytes: what closing hands back.
    const std::string& EditedText() const { return editedText_; }
    // Puts bytes in the box as the letters they show.
    void showBytes(const std::string& bytes);
    void setForeColor(std::uint32_t color);

    // Puts the character that shows code at the caret, replacing the selection.
    void insertCode(std::uint8_t code);
    // Ctrl+Enter and Ctrl+Shift+Enter: the text kept, the next (previous) entry the list shows
    // opened; after the last one the editor closes, before the first one it stays.
    void keepAndGo(bool forward);
    // Escape: closed, the entry left as it is; when the text was changed, only after Yes to
    // throwing the change away (No the default). True when it closed.
    bool closeUnchanged();
    // The text differs from the entry's as it was opened.
    bool changed() const { return editedText_ != openedText_; }

signals:
    // Closing hands the text back.
    void handedBack(const std::string& text);
    // The text in the box, at every change, for the preview.
    void edited(const std::string& text);
    // The text has been handed back; the window goes away once control returns to the loop.
    void closed();
    // Yes to starting a translation project, asked for by Ctrl+R or a note without one.
    void projectWanted();

public slots:
    // Alt+C: the character map of this editor, made on first use.
    void Command1_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void layOut();
    void Text1_Change();
    // True when the key was dealt with here; false leaves it to the box's own handling.
    bool Text1_KeyPress(QKeyEvent* event);
    bool Text1_InputMethod(QInputMethodEvent* event);
    void typeCharacters(const QString& text);
    // Text in the letters of the character set put in as typed; what says how it came.
    void typeLetters(const QString& text, const QString& what);
    void insertTranslated(std::uint8_t typed);
    // Says below the text box that letter was not put in (what: "not typed"), and that lacking
    // has no code for it.
    void refuse(char32_t letter, const QString& what, const QString& lacking);
    void refuse(char32_t letter, const QString& what);
    // Codes put in place of the selection as one undo step (through the remapping table when
    // remap), their stand-ins marked and named below the box.
    void insertCodes(const LetterCodes& codes, bool remap);
    void pasteLetters(const QString& text);
    void showMessage();
    void placeBeside(const QWidget& main);
    void placeCharacterMap();
    void showSuggestions();
    void buildGlossary(const QFont& listFont);
    void showState();
    // Without a project: the question; true when the user wants one (projectWanted is said).
    bool offerProject(const QString& what);

    DocumentSession& session_;
    Prompts& prompts_;
    QPointer<QWidget> owner_;
    const CharacterTables& tables_;
    DisplayCodec codec_;
    std::string editedText_;
    // editedText_ when the entry was opened.
    std::string openedText_;
    int entry_ = -1;
    // This entry's stand-ins ("œ → oe"), its last refusal, and the spelling's word on it.
    QStringList replacements_;
    QString refusal_;
    QString note_;
    QList<QTextEdit::ExtraSelection> marks_;
    QPlainTextEdit* text1_ = nullptr;
    QPlainTextEdit* reference_ = nullptr;
    int referenceHeight_ = 0;
    QListWidget* suggestionList_ = nullptr;
    std::vector<Suggestion> suggestions_;
    QLabel* message_ = nullptr;
    QLabel* fit_ = nullptr;
    int statusHeight_ = 0;
    QLabel* state_ = nullptr;
    QPlainTextEdit* noteBox_ = nullptr;
    int noteHeight_ = 0;
    QPushButton* command1_ = nullptr;
    EditorSpelling* spelling_ = nullptr;
    QListWidget* termList_ = nullptr;
    EditorGlossary* glossary_ = nullptr;
    QPointer<frmTable> table_;
    // Where the keys were when the edit started: they go back there when the editor closes.
    QPointer<QWidget> startedIn_;
    bool placed_ = false;
    bool mapDocked_ = false;
    // False once the text was kept by the loop, or the editor closed with Escape.
    bool handBack_ = true;
};

} // namespace zyn
