#include "windows/editorspelling.h"

#include "session/documentsession.h"
#include "session/documentspelling.h"

#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <functional>

namespace zyn {

namespace {

// The box shows one character per code, so positions in a line are the codes'.
using UnknownWords = std::function<std::vector<MisspelledWord>(const QString& line)>;

class SpellingHighlighter final : public QSyntaxHighlighter {
public:
    SpellingHighlighter(QTextDocument* document, UnknownWords unknown)
        : QSyntaxHighlighter(document), unknown_(std::move(unknown)) {
        format_.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
        format_.setUnderlineColor(Qt::red);
    }

protected:
    void highlightBlock(const QString& text) override {
        for (const MisspelledWord& word : unknown_(text))
            setFormat(static_cast<int>(word.start), static_cast<int>(word.length), format_);
    }

private:
    UnknownWords unknown_;
    QTextCharFormat format_;
};

// At most this many suggestions: the first ones are the likeliest.
constexpr std::size_t ShownSuggestions = 8;

} // namespace

EditorSpelling::EditorSpelling(DocumentSession& session, const DisplayCodec& codec,
                               QPlainTextEdit& box, QLabel& message,
                               std::function<void(const QString&)> replace)
    : QObject(&box), session_(session), codec_(codec), box_(box), message_(message),
      replace_(std::move(replace)) {
    highlighter_ = new SpellingHighlighter(box.document(), [this](const QString& line) {
        return session_.spelling().unknownWords(codec_.characterSet().letters,
                                                codec_.fromDisplay(line), source_);
    });
    box.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&box, &QWidget::customContextMenuRequested, this, &EditorSpelling::showMenu);
    connect(&session.spelling(), &DocumentSpelling::changed, this, &EditorSpelling::recheck);
}

void EditorSpelling::setSource(const std::string* source) {
    const std::string now = source ? *source : std::string();
    if (now == source_)
        return;
    source_ = now;
    highlighter_->rehighlight();
}

void EditorSpelling::showProblem() {
    const QString problem = session_.spelling().problem();
    if (problem.isEmpty())
        return;
    message_.setText(problem);
    message_.setToolTip(problem);
}

void EditorSpelling::recheck() {
    highlighter_->rehighlight();
    showProblem();
}

QTextCursor EditorSpelling::unknownWordAt(int position) const {
    const QTextBlock block = box_.document()->findBlock(position);
    if (!block.isValid())
        return {};
    const std::size_t inLine = static_cast<std::size_t>(position - block.position());
    for (const MisspelledWord& word : session_.spelling().unknownWords(
             codec_.characterSet().letters, codec_.fromDisplay(block.text()), source_))
        if (inLine >= word.start && inLine <= word.start + word.length) {
            QTextCursor cursor(box_.document());
            cursor.setPosition(block.position() + static_cast<int>(word.start));
            cursor.setPosition(block.position() + static_cast<int>(word.start + word.length),
                               QTextCursor::KeepAnchor);
            return cursor;
        }
    return {};
}

QMenu* EditorSpelling::contextMenu(int position) {
    QMenu* menu = box_.createStandardContextMenu();
    menu->setObjectName(QStringLiteral("mnuTextContext"));
    const QTextCursor word = unknownWordAt(position);
    SpellChecker* checker = session_.spelling().checker();
    if (word.isNull() || !checker)
        return menu;
    QAction* first = menu->actions().value(0);
    // The word as letters, as the dictionary reads it.
    const QString letters = QString::fromStdU32String(
        ToLetters(codec_.characterSet().letters, codec_.fromDisplay(word.selectedText())));
    const std::vector<std::string> found = checker->suggestions(letters.toStdU32String());
    for (std::size_t i = 0; i < std::min(found.size(), ShownSuggestions); ++i) {
        const QString suggestion = QString::fromStdString(found[i]);
        QAction* action = new QAction(suggestion, menu);
        connect(action, &QAction::triggered, this, [this, word, suggestion] {
            box_.setTextCursor(word);
            replace_(suggestion);
        });
        menu->insertAction(first, action);
    }
    if (found.empty()) {
        QAction* none = new QAction(QStringLiteral("(no suggestions)"), menu);
        none->setEnabled(false);
        menu->insertAction(first, none);
    }
    menu->insertSeparator(first);
    QAction* add = new QAction(QStringLiteral("Add to dictionary"), menu);
    add->setObjectName(QStringLiteral("mnuAddToDictionary"));
    connect(add, &QAction::triggered, this, [this, letters] {
        const Status added = session_.spelling().addWord(letters);
        const QString failure = added ? QString() : QString::fromStdString(added.message());
        // A word kept takes back what an earlier failure said, and nothing else.
        if (!failure.isEmpty() || (!shownFailure_.isEmpty() && message_.text() == shownFailure_)) {
            message_.setText(failure);
            message_.setToolTip(failure);
        }
        shownFailure_ = failure;
    });
    menu->insertAction(first, add);
    menu->insertSeparator(first);
    return menu;
}

void EditorSpelling::showMenu(const QPoint& at) {
    QMenu* menu = contextMenu(box_.cursorForPosition(at).position());
    menu->exec(box_.viewport()->mapToGlobal(at));
    delete menu;
}

QMenu* MakeSpellingMenu(DocumentSession& session, QWidget* parent) {
    auto* menu = new QMenu(QStringLiteral("&Spelling"), parent);
    menu->setObjectName(QStringLiteral("mnuSpelling"));
    menu->menuAction()->setObjectName(QStringLiteral("mnuSpelling"));
    auto* group = new QActionGroup(menu);
    DocumentSpelling& spelling = session.spelling();
    const auto addChoice = [&](const QString& name, const QString& caption, int choice) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        action->setCheckable(true);
        action->setData(choice);
        group->addAction(action);
        QObject::connect(action, &QAction::triggered, &spelling,
                         [&spelling, choice] { spelling.setChoice(choice); });
    };
    addChoice(QStringLiteral("mnuSpellingBank"), QStringLiteral("From the &bank"),
              DocumentSpelling::FromBank);
    menu->addSeparator();
    for (std::size_t i = 0; i < SpellingLanguages.size(); ++i)
        addChoice(QStringLiteral("mnuSpelling") + QString::fromLatin1(SpellingLanguages[i].code),
                  QString::fromLatin1(SpellingLanguages[i].name), static_cast<int>(i));
    menu->addSeparator();
    addChoice(QStringLiteral("mnuSpellingNone"), QStringLiteral("&None"), DocumentSpelling::Off);
    // The check follows the choice, also when the settings make it.
    const auto follow = [menu, &spelling] {
        for (QAction* action : menu->actions())
            if (action->isCheckable())
                action->setChecked(action->data().toInt() == spelling.choice());
    };
    QObject::connect(&spelling, &DocumentSpelling::changed, menu, follow);
    follow();
    return menu;
}

} // namespace zyn
