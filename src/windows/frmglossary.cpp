#include "windows/frmglossary.h"

#include "flows/pocatalog.h"
#include "project/glossaryfile.h"
#include "session/projectsession.h"
#include "windows/frmaddterm.h"
#include "windows/pathtext.h"
#include "windows/prompts.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <algorithm>

namespace zyn {

namespace {

const QString Filter = QStringLiteral("Glossary (*.tbx;*.csv;*.tsv)|*.tbx;*.csv;*.tsv|"
                                      "TBX (*.tbx)|*.tbx|CSV (*.csv)|*.csv|TSV (*.tsv)|*.tsv");

QString textOf(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

QTableWidgetItem* markItem(bool checked) {
    auto* item = new QTableWidgetItem;
    item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    return item;
}

} // namespace

frmGlossary::frmGlossary(ProjectSession& project, Prompts& prompts, QWidget* parent)
    : QDialog(parent), project_(project), prompts_(prompts) {
    setObjectName(QStringLiteral("frmGlossary"));
    setWindowTitle(QStringLiteral("Glossary"));
    setModal(false);
    resize(640, 400);

    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("lblProject"));
    label_->setWordWrap(true);
    table_ = new QTableWidget(0, Columns, this);
    table_->setObjectName(QStringLiteral("tblTerms"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Source"), QStringLiteral("Target"),
                                       QStringLiteral("Note"), QStringLiteral("Do not translate"),
                                       QStringLiteral("Case-sensitive")});
    table_->horizontalHeader()->setSectionResizeMode(Note, QHeaderView::Stretch);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();

    auto* layout = new QGridLayout(this);
    layout->addWidget(label_, 0, 0, 1, 6);
    layout->addWidget(table_, 1, 0, 1, 6);
    const auto button = [&](const char* name, const char* caption, void (frmGlossary::*slot)(),
                            int column) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        layout->addWidget(b, 2, column);
        buttons_.push_back(b);
    };
    button("cmdAdd", "&Add", &frmGlossary::cmdAdd_Click, 0);
    button("cmdRemove", "&Remove", &frmGlossary::cmdRemove_Click, 1);
    button("cmdImport", "&Import...", &frmGlossary::cmdImport_Click, 2);
    button("cmdExport", "&Export...", &frmGlossary::cmdExport_Click, 3);
    auto* save = new QPushButton(QStringLiteral("&Save"), this);
    save->setObjectName(QStringLiteral("cmdSave"));
    save->setAutoDefault(false);
    connect(save, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    layout->addWidget(save, 2, 4);
    buttons_.push_back(save);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    layout->addWidget(close, 2, 5);

    // Another project, or a term added in the string editor: shown unless the table has work
    // of its own.
    connect(&project_, &ProjectSession::projectChanged, this, [this] {
        if (!changed() || !project_.isOpen())
            reload();
        else
            showProject();
    });
    connect(&project_, &ProjectSession::glossaryChanged, this, [this] {
        if (!changed())
            reload();
    });
}

void frmGlossary::start() {
    reload();
    show();
    raise();
    activateWindow();
}

void frmGlossary::reload() {
    fill(project_.isOpen() ? project_.glossary() : Glossary{});
    showProject();
}

void frmGlossary::showProject() {
    const bool open = project_.isOpen();
    if (!open)
        label_->setText(frmAddTerm::NoProjectText());
    else if (const std::string file = project_.glossaryPath(); file.empty())
        label_->setText(QStringLiteral("No glossary yet: Save writes it beside the project."));
    else
        label_->setText(fromNative(file));
    table_->setEnabled(open);
    for (QPushButton* b : buttons_)
        b->setEnabled(open);
}

void frmGlossary::addRow(const GlossaryTerm& term) {
    const int row = table_->rowCount();
    table_->insertRow(row);
    table_->setItem(row, Source, new QTableWidgetItem(textOf(term.source)));
    table_->setItem(row, Target, new QTableWidgetItem(textOf(term.target)));
    table_->setItem(row, Note, new QTableWidgetItem(textOf(term.note)));
    table_->setItem(row, DoNotTranslate, markItem(term.doNotTranslate));
    table_->setItem(row, CaseSensitive, markItem(term.caseSensitive));
}

void frmGlossary::fill(const Glossary& glossary) {
    shown_ = glossary.terms;
    table_->setRowCount(0);
    for (const GlossaryTerm& term : glossary.terms)
        addRow(term);
}

Glossary frmGlossary::edited() const {
    Glossary glossary = project_.glossary();
    if (project_.isOpen()) {
        // A glossary written from here names the project's languages.
        if (glossary.sourceLanguage.empty())
            glossary.sourceLanguage = PoLanguageCode(project_.project().sourceLanguage);
        if (glossary.targetLanguage.empty())
            glossary.targetLanguage = PoLanguageCode(project_.project().targetLanguage);
    }
    glossary.terms.clear();
    const auto text = [this](int row, int column) {
        const QTableWidgetItem* item = table_->item(row, column);
        return item ? item->text().trimmed().toStdString() : std::string();
    };
    const auto mark = [this](int row, int column) {
        const QTableWidgetItem* item = table_->item(row, column);
        return item && item->checkState() == Qt::Checked;
    };
    for (int row = 0; row < table_->rowCount(); ++row) {
        GlossaryTerm term{text(row, Source), text(row, Target), text(row, Note),
                          mark(row, DoNotTranslate), mark(row, CaseSensitive)};
        // A row left empty is no term.
        if (!term.source.empty() || !term.target.empty())
            glossary.terms.push_back(std::move(term));
    }
    return glossary;
}

bool frmGlossary::changed() const {
    return project_.isOpen() && edited().terms != shown_;
}

void frmGlossary::cmdAdd_Click() {
    addRow({});
    const int row = table_->rowCount() - 1;
    table_->setCurrentCell(row, Source);
    table_->editItem(table_->item(row, Source));
}

void frmGlossary::cmdRemove_Click() {
    std::vector<int> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows())
        rows.push_back(index.row());
    if (rows.empty() && table_->currentRow() >= 0)
        rows.push_back(table_->currentRow());
    std::sort(rows.rbegin(), rows.rend());
    for (const int row : rows)
        table_->removeRow(row);
}

void frmGlossary::say(const QString& text) {
    prompts_.notify(this, windowTitle(), text, Prompts::Icon::Stop);
}

void frmGlossary::cmdImport_Click() {
    const QString chosen = prompts_.openFileName(this, {QStringLiteral("Import Glossary"),
                                                        Filter,
                                                        QStringLiteral("tbx"),
                                                        {},
                                                        Prompts::FileKind::Glossary});
    if (chosen.isEmpty())
        return;
    const Glossary now = edited();
    auto read = ReadGlossaryFile(project_.files(), nativePath(chosen), now.sourceLanguage,
                                 now.targetLanguage);
    if (!read) {
        say(fromNative(read.message()));
        return;
    }
    int added = 0;
    for (const GlossaryTerm& term : read->glossary.terms)
        if (std::find(now.terms.begin(), now.terms.end(), term) == now.terms.end()) {
            addRow(term);
            ++added;
        }
    QString report = QStringLiteral("%1 of %2 terms added; Save keeps them.")
                         .arg(added)
                         .arg(read->glossary.terms.size());
    for (const std::string& problem : read->problems)
        report += QLatin1Char('\n') + fromNative(problem);
    prompts_.notify(this, windowTitle(), report,
                    read->problems.empty() ? Prompts::Icon::Information : Prompts::Icon::Stop);
}

void frmGlossary::cmdExport_Click() {
    const QString chosen = prompts_.saveFileName(
        this, {QStringLiteral("Export Glossary"), Filter, QStringLiteral("tbx"),
               QStringLiteral("glossary.tbx"), Prompts::FileKind::Glossary});
    if (chosen.isEmpty())
        return;
    const std::string path = nativePath(chosen);
    if (!GlossaryFormatOf(path)) {
        say(QStringLiteral("A glossary is written as TBX, CSV or TSV: the file's name ends in "
                           ".tbx, .csv or .tsv."));
        return;
    }
    if (Status written = WriteGlossaryFile(project_.files(), path, edited()); !written)
        say(fromNative(written.message()));
}

bool frmGlossary::cmdSave_Click() {
    if (Status stored = project_.storeGlossary(edited()); !stored) {
        say(fromNative(stored.message()));
        return false;
    }
    reload();
    return true;
}

void frmGlossary::reject() {
    // Escape and the close box both come here.
    if (changed()) {
        switch (prompts_.askYesNoCancel(this, windowTitle(),
                                        QStringLiteral("The glossary was changed. Save the "
                                                       "changes?"))) {
        case Prompts::Answer::Yes:
            if (!cmdSave_Click())
                return;
            break;
        case Prompts::Answer::No:
            reload();
            break;
        case Prompts::Answer::Cancel:
            return;
        }
    }
    QDialog::reject();
}

} // namespace zyn
