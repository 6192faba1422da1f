#include "windows/editorglossary.h"

#include "characters/charactersets.h"
#include "session/displaycodec.h"
#include "session/documentsession.h"
#include "session/projectsession.h"
#include "windows/frmaddterm.h"
#include "windows/prompts.h"

#include <QAction>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

namespace zyn {

namespace {

constexpr int TermKeys = 9;
// Under a missing term: the amber of the editor's other marks, which reads on light and dark.
const QColor MissingMark(0xd0, 0x80, 0x00);

// A position in characters of text (as the core counts them) as Qt's, which counts a character
// past U+FFFF twice.
int qtPosition(const QString& text, std::size_t characters) {
    int at = 0;
    for (std::size_t i = 0; i < characters && at < text.size(); ++i)
        at += text[at].isHighSurrogate() && at + 1 < text.size() ? 2 : 1;
    return at;
}

QString letters(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

} // namespace

EditorGlossary::EditorGlossary(DocumentSession& session, Prompts& prompts,
                               const DisplayCodec& codec, QPlainTextEdit& source,
                               QPlainTextEdit& box, QListWidget& list, QWidget& window,
                               std::function<void(const QString&)> type)
    : QObject(&window), session_(session), prompts_(prompts), codec_(codec), source_(source),
      box_(box), list_(list), window_(window), type_(std::move(type)) {
    for (int i = 0; i < TermKeys; ++i) {
        auto* key = new QAction(QStringLiteral("Glossary term %1 at the cursor").arg(i + 1), this);
        key->setObjectName(QStringLiteral("actGlossaryTerm%1").arg(i + 1));
        key->setShortcut(QKeySequence(Qt::ALT | Qt::Key(Qt::Key_1 + i)));
        key->setShortcutContext(Qt::WindowShortcut);
        connect(key, &QAction::triggered, this, [this, i] { takeTerm(i); });
        window.addAction(key);
        termKeys_.push_back(key);
    }
    addKey_ = new QAction(QStringLiteral("Add the selected words to the glossary"), this);
    addKey_->setObjectName(QStringLiteral("actAddGlossaryTerm"));
    addKey_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    addKey_->setShortcutContext(Qt::WindowShortcut);
    connect(addKey_, &QAction::triggered, this, &EditorGlossary::addTerm);
    window.addAction(addKey_);

    connect(&list_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { takeTerm(list_.row(item)); });
    // A term added here or in the glossary window shows at once.
    connect(&session.project(), &ProjectSession::glossaryChanged, this, [this] {
        if (entry_ >= 0)
            refresh();
    });
}

void EditorGlossary::show(int entry, const std::string& text) {
    entry_ = entry;
    text_ = text;
    refresh();
}

void EditorGlossary::textChanged(const std::string& text) {
    if (entry_ < 0)
        return;
    text_ = text;
    const int before = MissingCount(terms_);
    terms_ = EntryTermsOf(session_, entry_, text_);
    showList();
    markSource();
    if (MissingCount(terms_) != before)
        emit findingChanged();
}

void EditorGlossary::refresh() {
    terms_ = EntryTermsOf(session_, entry_, text_);
    showList();
    markSource();
    emit findingChanged();
}

QString EditorGlossary::finding() const {
    const int missing = MissingCount(terms_);
    if (missing == 0)
        return {};
    return missing == 1 ? QStringLiteral("1 glossary term missing")
                        : QStringLiteral("%1 glossary terms missing").arg(missing);
}

void EditorGlossary::showList() {
    const Glossary& glossary = session_.project().glossary();
    list_.clear();
    for (std::size_t i = 0; i < terms_.size(); ++i) {
        const GlossaryTerm& term = glossary.terms[terms_[i].term];
        const QString key =
            i < TermKeys ? QStringLiteral("Alt+%1").arg(i + 1) : QStringLiteral("%1").arg(i + 1);
        QString text = key + QStringLiteral("  ") + letters(term.source) + QStringLiteral(" → ") +
                       letters(TermTranslation(term));
        if (term.doNotTranslate)
            text += QStringLiteral(" (do not translate)");
        if (terms_[i].missing)
            text += QStringLiteral("  missing from the translation");
        auto* row = new QListWidgetItem(text, &list_);
        if (!term.note.empty())
            row->setToolTip(letters(term.note));
        if (terms_[i].missing)
            row->setForeground(MissingMark);
    }
    list_.setHidden(terms_.empty());
}

void EditorGlossary::markSource() {
    QList<QTextEdit::ExtraSelection> marks;
    const QString shown = source_.document()->toPlainText();
    for (const EntryTerm& term : terms_) {
        if (!term.missing)
            continue;
        for (const TermHit& place : term.places) {
            QTextEdit::ExtraSelection mark;
            mark.cursor = QTextCursor(source_.document());
            mark.cursor.setPosition(qtPosition(shown, place.start));
            mark.cursor.setPosition(qtPosition(shown, place.start + place.length),
                                    QTextCursor::KeepAnchor);
            mark.format.setFontUnderline(true);
            mark.format.setUnderlineStyle(QTextCharFormat::SingleUnderline);
            mark.format.setUnderlineColor(MissingMark);
            marks << mark;
        }
    }
    source_.setExtraSelections(marks);
}

bool EditorGlossary::takeTerm(int index) {
    if (index < 0 || index >= static_cast<int>(terms_.size()))
        return false;
    const GlossaryTerm& term =
        session_.project().glossary().terms[terms_[static_cast<std::size_t>(index)].term];
    box_.setFocus();
    type_(letters(TermTranslation(term)));
    return true;
}

std::string EditorGlossary::selectedLetters(const QPlainTextEdit& box) const {
    const QString selected = box.textCursor().selectedText();
    // What the box shows is the display font's; the glossary has the set's letters.
    return CodesToUtf8(codec_.fromDisplay(selected), &codec_.characterSet());
}

void EditorGlossary::addTerm() {
    if (!session_.project().isOpen()) {
        prompts_.notify(&window_, QStringLiteral("Add to Glossary"), frmAddTerm::NoProjectText(),
                        Prompts::Icon::Information);
        return;
    }
    GlossaryTerm term;
    term.source = selectedLetters(source_);
    term.target = selectedLetters(box_);
    auto* dialog = new frmAddTerm(session_.project(), prompts_, term, &window_);
    dialog->open();
}

bool EditorGlossary::handleKey(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers == Qt::AltModifier && key >= Qt::Key_1 && key < Qt::Key_1 + TermKeys) {
        termKeys_[static_cast<std::size_t>(key - Qt::Key_1)]->trigger();
        return true;
    }
    if (modifiers == Qt::ControlModifier && key == Qt::Key_G) {
        addKey_->trigger();
        return true;
    }
    return false;
}

} // namespace zyn
