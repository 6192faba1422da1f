#include "windows/frmfind.h"

#include "session/documentsession.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zyn {

bool findNextEntry(DocumentSession& session, Prompts& prompts, QWidget* asking, bool forward) {
    const int found = session.findNext(forward);
    if (found < 0) {
        prompts.notify(asking, asking->windowTitle(),
                       QStringLiteral("No entry holds \"%1\".").arg(session.searchText()),
                       Prompts::Icon::Information);
        return false;
    }
    session.setCurrentEntry(found);
    return true;
}

frmFind::frmFind(DocumentSession& session, Prompts& prompts, bool replace, QWidget* parent)
    : QWidget(parent, Qt::Tool), session_(session), prompts_(prompts) {
    setObjectName(replace ? QStringLiteral("frmReplace") : QStringLiteral("frmFind"));
    setWindowTitle(replace ? QStringLiteral("Replace") : QStringLiteral("Find"));

    auto* grid = new QGridLayout(this);
    auto addField = [&](int row, const char* name, const char* caption) {
        auto* field = new QLineEdit(this);
        field->setObjectName(QString::fromLatin1(name));
        field->setMinimumWidth(220);
        auto* label = new QLabel(QString::fromUtf8(caption), this);
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        // Enter in a field finds, as in the Find window, whichever field has the focus.
        connect(field, &QLineEdit::returnPressed, this, &frmFind::findNext);
        return field;
    };
    text1_ = addField(0, "Text1", "Fi&nd what:");
    if (replace) {
        text2_ = addField(1, "Text2", "Re&place with:");
        standIns_ = new QLabel(this);
        standIns_->setObjectName(QStringLiteral("lblStandIns"));
        standIns_->setWordWrap(true);
        standIns_->hide();
        grid->addWidget(standIns_, 4, 0, 1, 2);
        connect(text2_, &QLineEdit::textChanged, this, [this](const QString& text) {
            const std::string pairs = DescribeReplacements(session_.typedCodes(text).replaced);
            standIns_->setText(QStringLiteral("Written as: ") + QString::fromStdString(pairs));
            standIns_->setHidden(pairs.empty());
        });
    }

    auto addCheck = [&](int row, const char* name, const char* caption) {
        auto* check = new QCheckBox(QString::fromUtf8(caption), this);
        check->setObjectName(QString::fromLatin1(name));
        grid->addWidget(check, row, 1);
        return check;
    };
    check1_ = addCheck(2, "Check1", "Match &case");
    check2_ = addCheck(3, "Check2", "&Whole words");

    auto* buttons = new QVBoxLayout;
    auto addButton = [&](const char* name, const char* caption, void (frmFind::*slot)()) {
        auto* button = new QPushButton(QString::fromUtf8(caption), this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, slot);
        buttons->addWidget(button);
    };
    addButton("Command1", "&Find Next", &frmFind::findNext);
    addButton("Command2", "Find Pre&vious", &frmFind::findPrevious);
    if (replace) {
        addButton("Command3", "&Replace", &frmFind::replace);
        addButton("Command4", "Replace &All", &frmFind::replaceAll);
    }
    buttons->addStretch();
    grid->addLayout(buttons, 0, 2, 4, 1);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

void frmFind::open() {
    if (!session_.searchText().isEmpty())
        text1_->setText(session_.searchText());
    show();
    raise();
    activateWindow();
    text1_->setFocus();
    text1_->selectAll();
}

void frmFind::takeSearch() {
    session_.setSearch(text1_->text(), {check1_->isChecked(), check2_->isChecked()});
}

void frmFind::findNext() {
    takeSearch();
    if (!session_.searchText().isEmpty())
        findNextEntry(session_, prompts_, this, true);
}

void frmFind::findPrevious() {
    takeSearch();
    if (!session_.searchText().isEmpty())
        findNextEntry(session_, prompts_, this, false);
}

bool frmFind::replacementTyped() {
    const LetterCodes codes = session_.typedCodes(text2_->text());
    if (codes.missing)
        prompts_.notify(this, windowTitle(),
                        QStringLiteral("Nothing was replaced: ") +
                            session_.noCodeFor(*codes.missing) + '.',
                        Prompts::Icon::Stop);
    return !codes.missing;
}

void frmFind::replace() {
    takeSearch();
    if (!replacementTyped())
        return;
    session_.replaceCurrent(text2_->text());
    findNext();
}

void frmFind::replaceAll() {
    takeSearch();
    if (!replacementTyped())
        return;
    const int entries = session_.replaceAll(text2_->text());
    prompts_.notify(this, windowTitle(),
                    entries == 1 ? QStringLiteral("1 entry changed.")
                                 : QStringLiteral("%1 entries changed.").arg(entries),
                    Prompts::Icon::Information);
}

bool frmFind::event(QEvent* event) {
    // The main window's keys stay on in its tool windows, but Enter and Escape are this
    // window's own.
    if (event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

void frmFind::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace zyn
