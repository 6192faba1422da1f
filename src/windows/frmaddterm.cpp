#include "windows/frmaddterm.h"

#include "session/projectsession.h"
#include "session/sessionglossary.h"
#include "windows/pathtext.h"
#include "windows/prompts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

namespace zyn {

namespace {

std::string utf8Of(const QLineEdit* box) {
    return box->text().trimmed().toStdString();
}

} // namespace

frmAddTerm::frmAddTerm(ProjectSession& project, Prompts& prompts, const GlossaryTerm& term,
                       QWidget* parent)
    : QDialog(parent), project_(project), prompts_(prompts) {
    setObjectName(QStringLiteral("frmAddTerm"));
    setWindowTitle(QStringLiteral("Add to Glossary"));
    setAttribute(Qt::WA_DeleteOnClose);

    source_ = new QLineEdit(QString::fromStdString(term.source), this);
    source_->setObjectName(QStringLiteral("txtSource"));
    target_ = new QLineEdit(QString::fromStdString(term.target), this);
    target_->setObjectName(QStringLiteral("txtTarget"));
    note_ = new QLineEdit(QString::fromStdString(term.note), this);
    note_->setObjectName(QStringLiteral("txtNote"));
    doNotTranslate_ = new QCheckBox(QStringLiteral("&Do not translate"), this);
    doNotTranslate_->setObjectName(QStringLiteral("chkDoNotTranslate"));
    doNotTranslate_->setChecked(term.doNotTranslate);
    caseSensitive_ = new QCheckBox(QStringLiteral("&Case-sensitive"), this);
    caseSensitive_->setObjectName(QStringLiteral("chkCaseSensitive"));
    caseSensitive_->setChecked(term.caseSensitive);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("&Source term:"), source_);
    form->addRow(QStringLiteral("&Target term:"), target_);
    form->addRow(QStringLiteral("&Note:"), note_);
    form->addRow(doNotTranslate_);
    form->addRow(caseSensitive_);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &frmAddTerm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &frmAddTerm::reject);
    // The word selected is most often the source; its translation is what is typed.
    (term.source.empty() ? source_ : target_)->setFocus();
}

QString frmAddTerm::NoProjectText() {
    return QStringLiteral("A glossary belongs to a translation project. Open or create a "
                          "translation project first.");
}

void frmAddTerm::accept() {
    GlossaryTerm term;
    term.source = utf8Of(source_);
    term.target = utf8Of(target_);
    term.note = utf8Of(note_);
    term.doNotTranslate = doNotTranslate_->isChecked();
    term.caseSensitive = caseSensitive_->isChecked();
    if (term.source.empty()) {
        prompts_.notify(this, windowTitle(), QStringLiteral("A term needs its source words."),
                        Prompts::Icon::Information);
        return;
    }
    if (Status added = AddGlossaryTerm(project_, std::move(term)); !added) {
        prompts_.notify(this, windowTitle(),
                        QStringLiteral("The term was not added: ") + fromNative(added.message()),
                        Prompts::Icon::Stop);
        return;
    }
    QDialog::accept();
}

} // namespace zyn
