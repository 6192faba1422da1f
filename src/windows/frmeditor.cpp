#include "windows/frmeditor.h"

#include "characters/charactersets.h"
#include "characters/keyboardgroups.h"
#include "session/documentsession.h"
#include "session/projectsession.h"
#include "windows/editorglossary.h"
#include "windows/editorspelling.h"
#include "windows/entrytypes.h"
#include "windows/frmtable.h"
#include "windows/prompts.h"
#include "windows/typedcode.h"
#include "windows/windowplacement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <functional>

namespace zyn {

namespace {

constexpr std::uint8_t BackspaceCode = 8;

constexpr int ClientWidth = frmEditor::BoxWidth;
constexpr int ClientHeight = 344;
// Narrowed to share the screen with the main window, the editor keeps room for a few words.
constexpr QSize LeastClient(280, 200);
// Opened with a reference text, the window is made taller by this many lines of it.
constexpr int ReferenceLines = 3;
// Of the room above the line below the box, the reference text takes a third and the box the
// rest; the reference shows one line at least, the box two.
constexpr int ReferenceShare = 3;
constexpr int LeastBoxLines = 2;
// Between the map docked in the editor and the line above it.
constexpr int MapMargin = 4;
// The character map button sits out of sight below the text box at any window size; it exists
// for its access key alone.
constexpr QRect HiddenButton(963, 677, 5, 13);
constexpr int HiddenButtonDrop = 308;

// Text that comes in by pasting or dropping is handed to the editor, which puts it in as the
// bytes it will be stored as, so the box never holds a character that closing would hand back
// as something else. Copying keeps every character as shown (the document's plain text would
// turn no-break spaces into blanks).
class EditorTextBox final : public QPlainTextEdit {
public:
    EditorTextBox(std::function<void(const QString&)> paste, QWidget* parent)
        : QPlainTextEdit(parent), paste_(std::move(paste)) {}

protected:
    void insertFromMimeData(const QMimeData* source) override {
        if (source->hasText())
            paste_(source->text());
    }

    QMimeData* createMimeDataFromSelection() const override {
        QString text = textCursor().selectedText();
        text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        auto* data = new QMimeData;
        data->setText(text);
        return data;
    }

private:
    std::function<void(const QString&)> paste_;
};

bool isControl(QChar c) {
    return c.unicode() < 0x20 || c.unicode() == 0x7f;
}

// Behind the letters written as stand-ins: amber, which the text's light blue stands out on.
const QColor ReplacedBackground(0x80, 0x50, 0x00);
// The line below the box takes at most this part of the window; its tool tip has it whole.
constexpr int MessageShare = 4;
// The note box shows this many lines before it scrolls.
constexpr int NoteLines = 3;

} // namespace

// A window of its own, tied to the main window: transient for it, so the window manager keeps
// it above the main window, also when the disabled main window is clicked. Window systems keep
// only dialog and tool windows above their parents, so it is a dialog window, resizable.
frmEditor::frmEditor(DocumentSession& session, Prompts& prompts, QWidget& owner)
    : QWidget(&owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      session_(session), prompts_(prompts), owner_(&owner), tables_(session.state().Characters),
      codec_(session.codec()), startedIn_(QApplication::focusWidget()) {
    setObjectName(QStringLiteral("frmEditor"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("String no. "));
    setWindowIcon(owner.windowIcon());
    resize(ClientWidth, ClientHeight);

    text1_ = new EditorTextBox([this](const QString& text) { pasteLetters(text); }, this);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setGeometry(0, 0, ClientWidth, ClientHeight);
    text1_->setFont(session.previewFont());
    text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text1_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // A tab is no character of the games' texts.
    text1_->setTabChangesFocus(true);
    QPalette palette = text1_->palette();
    // The game's light blue on the dark of the window frame, as the text stands on screen.
    palette.setColor(QPalette::Base, Qt::black);
    text1_->setPalette(palette);
    setForeColor(DefaultFrontColor);
    text1_->installEventFilter(this);
    connect(text1_, &QPlainTextEdit::textChanged, this, &frmEditor::Text1_Change);

    reference_ = new QPlainTextEdit(this);
    reference_->setObjectName(QStringLiteral("txtReference"));
    reference_->setReadOnly(true);
    reference_->setFont(session.previewFont());
    reference_->setFocusPolicy(Qt::NoFocus);
    reference_->hide();
    // The window grows by this much while it shows a reference text.
    referenceHeight_ =
        QFontMetrics(reference_->font()).lineSpacing() * ReferenceLines +
        2 * (reference_->frameWidth() + static_cast<int>(reference_->document()->documentMargin()));

    suggestionList_ = new QListWidget(this);
    suggestionList_->setObjectName(QStringLiteral("lstSuggestions"));
    suggestionList_->setFocusPolicy(Qt::NoFocus);
    // The display font's letters at the size of the window's own text: five lines in the
    // box's large size would leave little room for the text.
    QFont listFont = session.previewFont();
    if (listFont.pixelSize() > 0)
        listFont.setPixelSize(QFontMetrics(QApplication::font()).height());
    else
        listFont.setPointSizeF(QApplication::font().pointSizeF());
    suggestionList_->setFont(listFont);
    suggestionList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    suggestionList_->hide();
    connect(suggestionList_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { takeSuggestion(suggestionList_->row(item)); });
    // A memory built while the editor is open offers its suggestions at once.
    connect(&session, &DocumentSession::memoryReplaced, this, [this] {
        if (entry_ >= 0)
            showSuggestions();
    });

    buildGlossary(listFont);

    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("lblMessage"));
    // Read whatever the window's width: a long line wraps and the box gives it room.
    message_->setWordWrap(true);
    message_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    fit_ = new QLabel(this);
    fit_->setObjectName(QStringLiteral("lblFit"));
    fit_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The box keeps its designed size; the line below it comes on top.
    statusHeight_ = fit_->fontMetrics().height() + 6;
    spelling_ =
        new EditorSpelling(session, codec_, *text1_, *message_, [this](const QString& word) {
            typeLetters(word, QStringLiteral("not put in"));
        });
    state_ = new QLabel(this);
    state_->setObjectName(QStringLiteral("lblState"));
    state_->setTextFormat(Qt::PlainText);
    noteBox_ = new QPlainTextEdit(this);
    noteBox_->setObjectName(QStringLiteral("txtNote"));
    noteBox_->setPlaceholderText(QStringLiteral("Note (Ctrl+N)"));
    noteBox_->setTabChangesFocus(true);
    noteBox_->installEventFilter(this);
    noteHeight_ =
        QFontMetrics(noteBox_->font()).lineSpacing() * NoteLines +
        2 * (noteBox_->frameWidth() + static_cast<int>(noteBox_->document()->documentMargin()));
    resize(ClientWidth, ClientHeight + 2 * statusHeight_ + noteHeight_);

    command1_ = new QPushButton(QStringLiteral("&Character map"), this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setGeometry(HiddenButton);
    command1_->setFocusPolicy(Qt::NoFocus);
    connect(command1_, &QPushButton::clicked, this, &frmEditor::Command1_Click);

    // The main window, disabled under the editor, must not close while the text it is to take
    // back is still being edited.
    owner.installEventFilter(this);
    Form_Load();
}

frmEditor::~frmEditor() = default;

void frmEditor::Form_Load() {
    owner_->setEnabled(false);
    // Disabling the main window disabled its child windows too; the editor is the one window
    // that works meanwhile.
    setEnabled(true);
}

void frmEditor::open(int i) {
    if (entry_ >= 0 && entry_ != i)
        keepNote();
    entry_ = i;
    message_->clear();
    message_->setToolTip(QString());
    replacements_.clear();
    refusal_.clear();
    note_.clear();
    // The terms of the entry before are gone until this one's source is shown.
    glossary_->show(-1, {});
    marks_.clear();
    text1_->setExtraSelections(marks_);
    setWindowTitle(QStringLiteral("String no. ") + QString::number(i + 1));
    showBytes(session_.entryAsShown(i));
    openedText_ = editedText_;
    if (session_.status(i).untranslated)
        text1_->selectAll();
    setReference(session_.referenceText(i));
    spelling_->setSource(session_.referenceText(i));
    spelling_->showProblem();
    note_ = message_->text();
    showSuggestions();
    glossary_->show(i, editedText_);
    noteBox_->setPlainText(QString::fromStdString(session_.note(i)));
    noteBox_->setReadOnly(!session_.keepsStates());
    showState();
    const TextDocument& doc = session_.document();
    if (doc.IsVersion2)
        setForeColor(GetForeColorA(doc.EntryType[static_cast<std::size_t>(i)]));
    if (!placed_ && owner_) {
        placeBeside(*owner_);
        placed_ = true;
    }
}

void frmEditor::placeBeside(const QWidget& main) {
    const QScreen* screen = main.screen();
    if (!screen)
        return;
    // The editor has no frame yet; the main window's tells how large it will be.
    const QRect mainFrame = main.frameGeometry();
    const QSize frame = mainFrame.size() - main.size();
    // Where it can, the editor leaves the main window's other windows (the entry list) in view.
    std::vector<QRect> others;
    for (const QWidget* window : main.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (window != this && window->isWindow() && window->isVisible())
            others.push_back(window->frameGeometry());
    const QRect placed = PlaceBeside(screen->availableGeometry(), mainFrame, size() + frame,
                                     LeastClient + QSize(0, statusHeight_) + frame, others);
    resize(placed.size() - frame);
    move(placed.topLeft());
}

void frmEditor::keepAndGo(bool forward) {
    keepNote();
    const int next = session_.keepAndGo(entry_, editedText_, forward);
    if (next >= 0) {
        open(next);
    } else if (forward) {
        handBack_ = false;
        close();
    } else {
        // No entry before it: the editor stays, its text now the entry's, so that Escape has
        // no change to throw away.
        openedText_ = editedText_;
    }
}

bool frmEditor::closeUnchanged() {
    if (changed() &&
        prompts_.askYesNo(this, windowTitle(),
                          QStringLiteral("The text of string no. %1 was changed. Throw the "
                                         "change away?")
                              .arg(entry_ + 1),
                          Prompts::Answer::No) != Prompts::Answer::Yes)
        return false;
    handBack_ = false;
    close();
    return true;
}

void frmEditor::refuse(char32_t letter, const QString& what, const QString& lacking) {
    // The letter first: which letter it was matters most.
    refusal_ = QStringLiteral("%1 %2: the %3 has no code for it.")
                   .arg(QString::fromStdString(DescribeLetter(letter)), what, lacking);
    showMessage();
}

void frmEditor::refuse(char32_t letter, const QString& what) {
    refuse(letter, what, QString::fromLatin1(codec_.characterSet().caption));
}

void frmEditor::showMessage() {
    QStringList parts;
    if (!replacements_.isEmpty())
        parts << QStringLiteral("Replaced: ") + replacements_.join(QStringLiteral(", ")) + '.';
    if (!refusal_.isEmpty())
        parts << refusal_;
    if (!note_.isEmpty())
        parts << note_;
    if (const QString missing = glossary_->finding(); !missing.isEmpty())
        parts << missing + '.';
    const QString text = parts.join(QLatin1Char(' '));
    message_->setText(text);
    message_->setToolTip(text);
    layOut();
}

void frmEditor::insertCodes(const LetterCodes& codes, bool remap) {
    QTextCursor cursor = text1_->textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    // Where each code's character went, for the marks.
    std::vector<int> at(codes.codes.size() + 1, cursor.position());
    for (std::size_t i = 0; i < codes.codes.size(); ++i) {
        at[i] = cursor.position();
        const auto code = static_cast<std::uint8_t>(codes.codes[i]);
        if (code == '\r' && i + 1 < codes.codes.size() && codes.codes[i + 1] == '\n') {
            cursor.insertText(QStringLiteral("\n"));
            at[++i] = cursor.position();
            continue;
        }
        // The codes of the typed letters are the letters' already: a keyboard group's table
        // would make other letters of them, and only a remapping table turns them into the
        // codes the box holds.
        const std::uint8_t shown = remap && tables_.RemapLoaded && tables_.RemapTable[code]
                                       ? *tables_.RemapTable[code]
                                       : code;
        if (shown != 0)
            cursor.insertText(QString(codec_.charFor(shown)));
    }
    at.back() = cursor.position();
    cursor.endEditBlock();
    text1_->setTextCursor(cursor);
    if (codes.replaced.empty())
        return;
    for (const Replacement& r : codes.replaced) {
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(text1_->document());
        mark.cursor.setPosition(at[r.at]);
        mark.cursor.setPosition(at[r.at + r.length], QTextCursor::KeepAnchor);
        // What is typed after it is not part of it.
        mark.cursor.setKeepPositionOnInsert(true);
        mark.format.setBackground(ReplacedBackground);
        marks_ << mark;
        // One pair is never split over two lines of the wrapped message.
        const QString pair = QString::fromStdU32String(DescribeSubstitution(r.letters, r.standIn))
                                 .replace(QLatin1Char(' '), QChar(0x00A0));
        if (!replacements_.contains(pair))
            replacements_ << pair;
    }
    text1_->setExtraSelections(marks_);
    showMessage();
}

void frmEditor::pasteLetters(const QString& text) {
    const LetterCodes bytes = codec_.bytesOf(text, &session_.substitutions());
    if (bytes.missing)
        refuse(*bytes.missing, QStringLiteral("not pasted"));
    else
        insertCodes(bytes, false);
}

frmTable* frmEditor::characterMap() const {
    return table_.data();
}

void frmEditor::showBytes(const std::string& bytes) {
    text1_->setPlainText(codec_.toDisplay(bytes));
}

void frmEditor::setForeColor(std::uint32_t color) {
    QPalette palette = text1_->palette();
    palette.setColor(QPalette::Text, colorFromValue(color));
    text1_->setPalette(palette);
}

void frmEditor::Text1_Change() {
    // The raw text: the plain text would turn no-break spaces, which some bytes show as, into
    // blanks.
    editedText_ = codec_.fromDisplay(text1_->document()->toRawText());
    // Measured as the preview's cut mark measures.
    const PreviewFit& fit = session_.previewFit();
    const QString shown = codec_.toDisplay(editedText_);
    const int lines = fit.linesOf(shown);
    fit_->setText(QStringLiteral("%1 of %2 lines").arg(lines).arg(fit.linesShown()) +
                  (fit.linesCut(shown) > 0 ? QStringLiteral(": does not fit") : QString()));
    layOut(); // the message line has what the fit leaves
    glossary_->textChanged(editedText_);
    emit edited(editedText_);
}

void frmEditor::insertCode(std::uint8_t code) {
    text1_->insertPlainText(QString(codec_.charFor(code)));
}

void frmEditor::insertTranslated(std::uint8_t typed) {
    const std::uint8_t code = TranslateKey(tables_, typed);
    if (code != 0)
        insertCode(code);
}

void frmEditor::typeLetters(const QString& text, const QString& what) {
    // Never "?" nor another letter for a character the set lacks: its stand-in, said so, or
    // nothing at all, and why.
    const LetterCodes codes = session_.typedCodes(text);
    if (codes.missing)
        refuse(*codes.missing, what);
    else
        insertCodes(codes, true);
}

void frmEditor::typeCharacters(const QString& text) {
    const KeyboardGroup group = session_.keyboardGroup();
    if (group == KeyboardGroup::Letters) {
        typeLetters(text, QStringLiteral("not typed"));
        return;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        QString character(text[i]);
        if (text[i].isHighSurrogate() && i + 1 < text.size())
            character += text[++i];
        if (isControl(character.front()))
            continue;
        // A character the group's code page does not have cannot be typed with that group.
        if (const std::optional<std::uint8_t> typed = TypedCode(character, group))
            insertTranslated(*typed);
        else
            refuse(character.toStdU32String().front(), QStringLiteral("not typed"),
                   QStringLiteral("keyboard group's code page"));
    }
}

bool frmEditor::Text1_KeyPress(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && (modifiers & Qt::ControlModifier)) {
        keepAndGo(!(modifiers & Qt::ShiftModifier));
        return true;
    }
    if (key == Qt::Key_Escape) {
        closeUnchanged();
        return true;
    }
    if (glossary_->handleKey(key, modifiers))
        return true;
    if (modifiers == Qt::ControlModifier && key >= Qt::Key_1 && key <= Qt::Key_5) {
        takeSuggestion(key - Qt::Key_1);
        return true;
    }
    // The close box's key: closing hands the text back.
    if (key == Qt::Key_W && modifiers == Qt::ControlModifier) {
        close();
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // A line break, whatever a remapping table does with code 13: the table maps
        // characters, and a line break is none.
        text1_->insertPlainText(QStringLiteral("\n"));
        return true;
    }
    if (key == Qt::Key_Backspace) {
        const std::uint8_t code = TranslateKey(tables_, BackspaceCode);
        if (code == BackspaceCode)
            return false;
        if (code != 0)
            insertCode(code);
        return true;
    }

    const QString text = event->text();
    // Moving, deleting and the like.
    if (text.isEmpty() || std::any_of(text.begin(), text.end(), isControl))
        return false;
    const bool command = modifiers & (Qt::ControlModifier | Qt::MetaModifier);
    const bool alt = modifiers & Qt::AltModifier;
    // Copy, paste, undo ...
    if (command && !alt)
        return false;
    // An access key that nothing took is no text either.
    if (alt && !command)
        return true;
    typeCharacters(text);
    return true;
}

bool frmEditor::Text1_InputMethod(QInputMethodEvent* event) {
    if (event->commitString().isEmpty())
        return false;
    // Composed characters (dead keys, input methods) are typed like single keys; what is still
    // being composed is left to the box.
    const QString committed = event->commitString();
    QInputMethodEvent composing(event->preeditString(), event->attributes());
    typeCharacters(committed);
    QCoreApplication::sendEvent(text1_, &composing);
    return true;
}

bool frmEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == owner_ && event->type() == QEvent::Close) {
        event->ignore();
        return true;
    }
    if (watched == noteBox_) {
        // The note box's keys are its own, but for leaving it and the editor's steps.
        if (event->type() == QEvent::FocusOut)
            keepNote();
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Escape) {
                text1_->setFocus(Qt::OtherFocusReason);
                return true;
            }
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                (key->modifiers() & Qt::ControlModifier)) {
                keepAndGo(!(key->modifiers() & Qt::ShiftModifier));
                return true;
            }
        }
        if (event->type() == QEvent::MouseButtonPress && noteBox_->isReadOnly() &&
            !session_.project().isOpen())
            editNote();
    }
    if (watched == text1_) {
        if (event->type() == QEvent::KeyPress)
            return Text1_KeyPress(static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::InputMethod)
            return Text1_InputMethod(static_cast<QInputMethodEvent*>(event));
    }
    return QWidget::eventFilter(watched, event);
}

void frmEditor::Command1_Click() {
    if (!table_) {
        table_ = new frmTable(*this, tables_, codec_, text1_->font());
        connect(table_, &frmTable::codeChosen, this, &frmEditor::insertCode);
        connect(table_, &frmTable::dismissed, this, [this] {
            activateWindow();
            text1_->setFocus();
        });
        placeCharacterMap();
    }
    if (mapDocked_) {
        // Docked, Alt+C shows and puts away the map; the keys stay in the box.
        table_->setHidden(!table_->isHidden());
        layOut();
        return;
    }
    table_->show();
    table_->raise();
    table_->activateWindow();
}

void frmEditor::placeCharacterMap() {
    const QScreen* screen = this->screen();
    if (!screen)
        return;
    // Beside the editor where that covers neither it nor the main window; the map has no frame
    // yet, the editor's tells how large it will be.
    const QRect room = screen->availableGeometry(), mine = frameGeometry();
    const QSize frame = mine.size() - size();
    std::vector<QRect> others;
    if (owner_)
        others.push_back(owner_->window()->frameGeometry());
    const QSize wanted = table_->size() + frame;
    const QRect placed = PlaceBeside(room, mine, wanted, wanted, others);
    const bool free = room.contains(placed) && !placed.intersects(mine) &&
                      std::none_of(others.begin(), others.end(),
                                   [&](const QRect& other) { return placed.intersects(other); });
    if (free) {
        table_->move(placed.topLeft());
        return;
    }
    // Else docked at the bottom of the editor, which grows by the map as far as the screen
    // lets it and otherwise gives the map the room of its text.
    mapDocked_ = true;
    table_->setWindowFlags(Qt::Widget);
    table_->hide();
    const int mapHeight = table_->height() + MapMargin;
    setMinimumSize(std::max(LeastClient.width(), table_->width()),
                   LeastClient.height() + statusHeight_ + mapHeight);
    const int most = room.bottom() + 1 - mine.top() - frame.height();
    resize(std::max(width(), table_->width()),
           std::max(minimumHeight(), std::min(height() + mapHeight, most)));
    if (frameGeometry().bottom() > room.bottom())
        move(x(), std::max(room.top(), room.bottom() + 1 - frameGeometry().height()));
}

void frmEditor::setReference(const std::string* bytes) {
    const bool wasShown = !reference_->isHidden();
    if (bytes)
        reference_->setPlainText(codec_.toDisplay(*bytes));
    reference_->setHidden(!bytes);
    // Before the editor is placed it takes the reference's room; once placed it keeps its size
    // and the reference its share of it.
    if (wasShown != bool(bytes) && !placed_)
        resize(width(), height() + (bytes ? referenceHeight_ : -referenceHeight_));
    else
        layOut();
}

void frmEditor::showSuggestions() {
    suggestions_ = session_.suggestions(entry_);
    suggestionList_->clear();
    for (std::size_t i = 0; i < suggestions_.size(); ++i) {
        const Suggestion& s = suggestions_[i];
        // One line each: the text's line breaks as " / ".
        QString text = codec_.toDisplay(session_.suggestionAsShown(s));
        text.replace(QLatin1Char('\n'), QStringLiteral(" / "));
        const QString where =
            QString::fromLatin1(s.where.bank.data(), qsizetype(s.where.bank.size())) +
            (s.where.entry >= 0 ? QStringLiteral(" %1").arg(s.where.entry + 1) : QString());
        // One pass: a text holding "%1" is shown as it is.
        auto* row = new QListWidgetItem(
            QStringLiteral("Ctrl+%1  %2  (%3%, %4)")
                .arg(QString::number(i + 1), text, QString::number(s.likeness), where),
            suggestionList_);
        row->setToolTip(codec_.toDisplay(session_.suggestionAsShown(s)));
    }
    suggestionList_->setHidden(suggestions_.empty());
    layOut();
}

bool frmEditor::takeSuggestion(int index) {
    if (index < 0 || index >= static_cast<int>(suggestions_.size()))
        return false;
    QTextCursor cursor(text1_->document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(codec_.toDisplay(
        session_.suggestionAsShown(suggestions_[static_cast<std::size_t>(index)])));
    cursor.endEditBlock();
    text1_->setTextCursor(cursor);
    text1_->setFocus();
    session_.tookFromMemory(entry_, editedText_);
    return true;
}

void frmEditor::showState() {
    if (entry_ < 0)
        return;
    const std::string_view caption = StateCaption(session_.entryState(entry_));
    QString text =
        QStringLiteral("State: ") + QString::fromLatin1(caption.data(), qsizetype(caption.size()));
    if (session_.sourceChanged(entry_)) {
        // The old source on one line, as the entry list shows texts.
        if (const std::optional<std::string> old = session_.oldSource(entry_)) {
            text += QStringLiteral(". The source changed; it was: ") +
                    codec_.toOneLine(*old, QStringLiteral(" / "));
        } else {
            text += QStringLiteral(". The source changed since it was translated.");
        }
    }
    state_->setText(text);
    state_->setToolTip(text);
}

bool frmEditor::offerProject(const QString& what) {
    if (session_.keepsStates())
        return false;
    const QString question =
        session_.project().isOpen()
            ? QStringLiteral("The translation project keeps no bank of this name, so %1. Open "
                             "another project?")
                  .arg(what)
            : QStringLiteral("States and notes are kept in a translation project, so %1 "
                             "without one. Start a translation project?")
                  .arg(what);
    if (prompts_.askYesNo(this, windowTitle(), question) != Prompts::Answer::Yes)
        return false;
    emit projectWanted();
    return true;
}

void frmEditor::toggleReviewed() {
    if (entry_ < 0)
        return;
    if (!session_.keepsStates()) {
        offerProject(QStringLiteral("no text can be marked reviewed"));
        return;
    }
    session_.toggleReviewed(entry_, editedText_);
    // The text is the entry's now: closing has nothing more to hand back.
    openedText_ = editedText_;
    showState();
}

void frmEditor::editNote() {
    if (!session_.keepsStates() && !offerProject(QStringLiteral("no note can be kept")))
        return;
    noteBox_->setReadOnly(!session_.keepsStates());
    noteBox_->setFocus(Qt::ShortcutFocusReason);
    noteBox_->moveCursor(QTextCursor::End);
}

void frmEditor::keepNote() {
    if (entry_ < 0 || !session_.keepsStates())
        return;
    if (session_.setNote(entry_, noteBox_->toPlainText().toStdString()))
        showState();
}

void frmEditor::layOut() {
    const int margin = 4;
    // The character map docked at the bottom, when the screen had no room for it beside.
    const bool mapInside = table_ && mapDocked_ && !table_->isHidden();
    const int mapHeight = mapInside ? table_->height() + MapMargin : 0;
    if (mapInside)
        table_->move((width() - table_->width()) / 2, height() - table_->height());
    const int fitWidth =
        std::min(fit_->fontMetrics().horizontalAdvance(fit_->text()) + 2 * margin, width() / 2);
    const int messageWidth = std::max(1, width() - fitWidth - 3 * margin);
    const int messageHeight =
        message_->text().isEmpty()
            ? statusHeight_
            : std::clamp(message_->heightForWidth(messageWidth) + 6, statusHeight_,
                         std::max(statusHeight_, height() / MessageShare));
    const int notesBottom = height() - mapHeight - messageHeight;
    // The note and its state line keep their size; the reference and the text box share the
    // rest.
    const int textArea = std::max(0, notesBottom - noteHeight_ - statusHeight_);
    const int line = QFontMetrics(text1_->font()).lineSpacing();
    const int boxFrame = 2 * (text1_->frameWidth() + 4);
    const int leastReference = std::min(line + boxFrame, textArea / 2);
    const int referenceBottom =
        reference_->isHidden()
            ? 0
            : std::clamp(textArea / ReferenceShare, leastReference,
                         std::max(leastReference, textArea - LeastBoxLines * line - boxFrame));
    const int noteTop = std::max(referenceBottom, notesBottom - noteHeight_);
    const int bottom = std::max(referenceBottom, noteTop - statusHeight_);
    state_->setGeometry(margin, bottom, width() - 2 * margin, statusHeight_);
    noteBox_->setGeometry(0, noteTop, width(), notesBottom - noteTop);
    reference_->setGeometry(0, 0, width(), referenceBottom);
    // The suggestions take a line each from the text box, which keeps at least half.
    int listHeight = 0;
    if (!suggestionList_->isHidden()) {
        const int lines = suggestionList_->count();
        listHeight =
            std::min(suggestionList_->sizeHintForRow(0) * lines + 2 * suggestionList_->frameWidth(),
                     (bottom - referenceBottom) / 2);
    }
    suggestionList_->setGeometry(0, referenceBottom, width(), listHeight);
    const int termsTop = referenceBottom + listHeight;
    int termsHeight = 0;
    if (!termList_->isHidden())
        termsHeight = std::min(termList_->sizeHintForRow(0) * termList_->count() +
                                   2 * termList_->frameWidth(),
                               (bottom - termsTop) / 3);
    termList_->setGeometry(0, termsTop, width(), termsHeight);
    const int top = termsTop + termsHeight;
    text1_->setGeometry(0, top, width(), bottom - top);
    fit_->setGeometry(width() - fitWidth - margin, notesBottom, fitWidth, statusHeight_);
    message_->setGeometry(margin, notesBottom + 3, messageWidth, messageHeight - 3);
}

void frmEditor::resizeEvent(QResizeEvent* event) {
    layOut();
    command1_->move(command1_->x(), height() + HiddenButtonDrop);
    QWidget::resizeEvent(event);
}

void frmEditor::hideEvent(QHideEvent* event) {
    // Minimising is no reason to put the map away.
    if (!event->spontaneous() && table_)
        table_->hide();
    QWidget::hideEvent(event);
}

void frmEditor::closeEvent(QCloseEvent* event) {
    keepNote();
    if (owner_) {
        owner_->removeEventFilter(this);
        owner_->setEnabled(true);
    }
    if (handBack_)
        emit handedBack(editedText_);
    if (table_)
        table_->hide();
    // Back to the window the edit started from: the entry list, or the main window.
    QWidget* back = startedIn_ && startedIn_->isVisible() ? startedIn_.data() : owner_.data();
    if (back) {
        back->activateWindow();
        back->setFocus(Qt::OtherFocusReason);
    }
    event->accept();
    emit closed();
}

void frmEditor::buildGlossary(const QFont& listFont) {
    termList_ = new QListWidget(this);
    termList_->setObjectName(QStringLiteral("lstTerms"));
    termList_->setFocusPolicy(Qt::NoFocus);
    termList_->setFont(listFont);
    termList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    termList_->hide();
    glossary_ = new EditorGlossary(
        session_, prompts_, codec_, *reference_, *text1_, *termList_, *this,
        [this](const QString& letters) { typeLetters(letters, QStringLiteral("not put in")); });
    connect(glossary_, &EditorGlossary::findingChanged, this, [this] {
        if (message_)
            showMessage();
        else
            layOut();
    });
}

} // namespace zyn
