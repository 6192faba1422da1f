#include "windows/frmmemorysources.h"

#include "session/documentsession.h"
#include "windows/pathtext.h"
#include "windows/prompts.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zyn {

frmMemorySources::frmMemorySources(DocumentSession& session, Prompts& prompts, QWidget* parent)
    : QDialog(parent), session_(session), prompts_(prompts) {
    setObjectName(QStringLiteral("frmMemorySources"));
    setWindowTitle(QStringLiteral("Translation memory sources"));
    auto* label = new QLabel(
        QStringLiteral("Besides the document's archive, the memory holds the translations of "
                       "these archives (in the languages of the document and its reference) and "
                       "PO files:"),
        this);
    label->setWordWrap(true);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("lstSources"));
    for (const std::string& source : session.memorySources())
        list_->addItem(fromNative(source));
    add_ = new QPushButton(QStringLiteral("&Add..."), this);
    add_->setObjectName(QStringLiteral("cmdAdd"));
    remove_ = new QPushButton(QStringLiteral("&Remove"), this);
    remove_->setObjectName(QStringLiteral("cmdRemove"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(add_, &QPushButton::clicked, this, &frmMemorySources::cmdAdd_Click);
    connect(remove_, &QPushButton::clicked, this, &frmMemorySources::cmdRemove_Click);
    connect(buttons, &QDialogButtonBox::accepted, this, &frmMemorySources::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* side = new QVBoxLayout;
    side->addWidget(add_);
    side->addWidget(remove_);
    side->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addWidget(list_, 1);
    middle->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(middle, 1);
    if (!session.memoryProblems().empty()) {
        QStringList lines;
        for (const std::string& problem : session.memoryProblems())
            lines << fromNative(problem);
        auto* problems = new QLabel(
            QStringLiteral("Not read into the memory:\n") + lines.join(QLatin1Char('\n')), this);
        problems->setObjectName(QStringLiteral("lblProblems"));
        problems->setWordWrap(true);
        layout->addWidget(problems);
    }
    layout->addWidget(buttons);
    resize(520, 300);
}

void frmMemorySources::cmdAdd_Click() {
    const QString chosen = prompts_.openFileName(
        this, {QStringLiteral("Add to the translation memory"),
               QStringLiteral("Archives and PO files (*.hqr *.HQR *.po *.PO);;All files (*)"),
               QStringLiteral("hqr"),
               {},
               Prompts::FileKind::MemorySource});
    if (chosen.isEmpty() || !list_->findItems(chosen, Qt::MatchExactly).isEmpty())
        return;
    list_->addItem(chosen);
    list_->setCurrentRow(list_->count() - 1);
}

void frmMemorySources::cmdRemove_Click() {
    delete list_->takeItem(list_->currentRow());
}

void frmMemorySources::accept() {
    std::vector<std::string> sources;
    for (int row = 0; row < list_->count(); ++row)
        sources.push_back(nativePath(list_->item(row)->text()));
    session_.setMemorySources(std::move(sources));
    QDialog::accept();
}

} // namespace zyn
