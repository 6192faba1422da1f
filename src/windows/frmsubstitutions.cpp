#include "windows/frmsubstitutions.h"

#include "characters/charactersets.h"
#include "characters/normalization.h"
#include "session/documentsession.h"
#include "windows/prompts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace zyn {

namespace {

// Curly quotes around it: the stand-ins are plain characters, the straight quote among them.
QString quoted(const std::u32string& text) {
    return QChar(0x201C) + QString::fromStdU32String(text) + QChar(0x201D);
}

void addRow(QTableWidget& table, const Substitution& pair, const QString& whose) {
    const int row = table.rowCount();
    table.insertRow(row);
    const QString cells[] = {QString::fromStdString(DescribeLetter(pair.letter)),
                             quoted(pair.standIn), whose};
    for (int column = 0; column < 3; ++column)
        table.setItem(row, column, new QTableWidgetItem(cells[column]));
}

bool isLineBreakOrControl(char32_t c) {
    return c < 0x20 || c == 0x7F || c == 0x2028 || c == 0x2029;
}

} // namespace

frmSubstitutions::frmSubstitutions(DocumentSession& session, Prompts& prompts, QWidget* parent)
    : QDialog(parent), session_(session), prompts_(prompts), own_(session.substitutions().own) {
    setObjectName(QStringLiteral("frmSubstitutions"));
    setWindowTitle(QStringLiteral("Substitutions"));
    auto* label = new QLabel(
        QStringLiteral("A character the character set has no code for is typed, pasted and "
                       "replaced as its stand-in, where the set has codes for that; the string "
                       "editor marks it and says so. Your own pairs come first."),
        this);
    label->setWordWrap(true);

    table_ = new QTableWidget(0, 3, this);
    table_->setObjectName(QStringLiteral("tblSubstitutions"));
    table_->setHorizontalHeaderLabels(
        {QStringLiteral("Character"), QStringLiteral("Stand-in"), QStringLiteral("Whose")});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);

    letter_ = new QLineEdit(this);
    letter_->setObjectName(QStringLiteral("txtLetter"));
    standIn_ = new QLineEdit(this);
    standIn_->setObjectName(QStringLiteral("txtStandIn"));
    add_ = new QPushButton(QStringLiteral("&Add"), this);
    add_->setObjectName(QStringLiteral("cmdAdd"));
    remove_ = new QPushButton(QStringLiteral("&Remove"), this);
    remove_->setObjectName(QStringLiteral("cmdRemove"));
    baseLetters_ = new QCheckBox(
        QString::fromUtf8("Letters with marks the set lacks become their &base letters "
                          "(\u01D8 \u2192 \u00FC or u, \u0141 \u2192 L)"),
        this);
    baseLetters_->setObjectName(QStringLiteral("chkBaseLetters"));
    baseLetters_->setChecked(session.substitutions().baseLetters);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(add_, &QPushButton::clicked, this, &frmSubstitutions::cmdAdd_Click);
    connect(remove_, &QPushButton::clicked, this, &frmSubstitutions::cmdRemove_Click);
    // Only the user's own pairs can be taken away.
    connect(table_, &QTableWidget::itemSelectionChanged, this, [this] {
        remove_->setEnabled(table_->currentRow() >= 0 &&
                            table_->currentRow() < static_cast<int>(own_.size()));
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &frmSubstitutions::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* fields = new QGridLayout;
    auto* letterLabel = new QLabel(QStringLiteral("C&haracter:"), this);
    letterLabel->setBuddy(letter_);
    auto* standInLabel = new QLabel(QStringLiteral("&Stand-in:"), this);
    standInLabel->setBuddy(standIn_);
    fields->addWidget(letterLabel, 0, 0);
    fields->addWidget(letter_, 0, 1);
    fields->addWidget(standInLabel, 0, 2);
    fields->addWidget(standIn_, 0, 3);
    fields->addWidget(add_, 0, 4);
    fields->addWidget(remove_, 0, 5);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(table_, 1);
    layout->addLayout(fields);
    layout->addWidget(baseLetters_);
    layout->addWidget(buttons);
    resize(520, 420);
    showPairs();
}

void frmSubstitutions::showPairs() {
    table_->setRowCount(0);
    for (const Substitution& pair : own_)
        addRow(*table_, pair, QStringLiteral("yours"));
    for (const Substitution& pair : BuiltInSubstitutions())
        addRow(*table_, pair, QStringLiteral("the program's"));
    for (const Substitution& pair : BaseLetterSubstitutions())
        addRow(*table_, pair, QStringLiteral("the program's, as a base letter"));
    remove_->setEnabled(false);
}

void frmSubstitutions::cmdAdd_Click() {
    const std::u32string letter = ToNfc(letter_->text().toStdU32String());
    const std::u32string standIn = ToNfc(standIn_->text().toStdU32String());
    QString problem;
    if (letter.size() != 1 || isLineBreakOrControl(letter.front()))
        problem = QStringLiteral("Type one character to replace.");
    else if (standIn.empty() || std::any_of(standIn.begin(), standIn.end(), isLineBreakOrControl))
        problem = QStringLiteral("Type its stand-in: one or more characters, on one line.");
    else if (standIn == letter)
        problem = QStringLiteral("A character cannot stand in for itself.");
    if (!problem.isEmpty()) {
        prompts_.notify(this, windowTitle(), problem, Prompts::Icon::Information);
        return;
    }
    std::erase_if(own_, [&](const Substitution& s) { return s.letter == letter.front(); });
    own_.push_back({letter.front(), standIn});
    showPairs();
    table_->selectRow(static_cast<int>(own_.size()) - 1);
    letter_->clear();
    standIn_->clear();
    letter_->setFocus();
}

void frmSubstitutions::cmdRemove_Click() {
    const int row = table_->currentRow();
    if (row < 0 || row >= static_cast<int>(own_.size()))
        return;
    own_.erase(own_.begin() + row);
    showPairs();
}

void frmSubstitutions::accept() {
    session_.setSubstitutions({own_, baseLetters_->isChecked()});
    QDialog::accept();
}

} // namespace zyn
