#include "windows/frmfindarchive.h"

#include "archive/itemnames.h"
#include "characters/charactersets.h"
#include "flows/archiveitemflow.h"
#include "flows/pocatalog.h"
#include "session/documentsession.h"
#include "session/projectsession.h"
#include "windows/archiveitemopen.h"
#include "windows/documentfiles.h"
#include "windows/pathtext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace zyn {

namespace {

// A scope's languages in the list's data: one language block, or every one.
constexpr int AllLanguages = -1;

} // namespace

frmFindArchive::frmFindArchive(DocumentSession& session, Prompts& prompts, QWidget* parent)
    : QDialog(parent), session_(session), prompts_(prompts) {
    setObjectName(QStringLiteral("frmFindArchive"));
    setWindowTitle(QStringLiteral("Find in Archive"));
    setModal(false);
    resize(640, 360);

    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("lblArchive"));
    find_ = new QLineEdit(this);
    find_->setObjectName(QStringLiteral("txtFind"));
    auto* findButton = new QPushButton(QStringLiteral("&Find"), this);
    findButton->setObjectName(QStringLiteral("cmdFind"));
    findButton->setDefault(true);
    auto* archiveButton = new QPushButton(QStringLiteral("&Archive..."), this);
    archiveButton->setObjectName(QStringLiteral("cmdArchive"));
    archiveButton->setAutoDefault(false);
    results_ = new QTreeWidget(this);
    results_->setObjectName(QStringLiteral("lstResults"));
    results_->setRootIsDecorated(false);
    results_->setHeaderLabels({QStringLiteral("Item"), QStringLiteral("Entry"),
                               QStringLiteral("Source"), QStringLiteral("Translation")});
    results_->setColumnWidth(Item, 110);
    results_->setColumnWidth(Entry, 50);
    results_->setColumnWidth(Source, 220);
    // Enter on a result opens it rather than searching again.
    results_->installEventFilter(this);
    scope_ = new QComboBox(this);
    scope_->setObjectName(QStringLiteral("cboScope"));
    wholeWords_ = new QCheckBox(QStringLiteral("&Whole words"), this);
    wholeWords_->setObjectName(QStringLiteral("chkWholeWords"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(label_, 0, 0, 1, 3);
    layout->addWidget(find_, 1, 0);
    layout->addWidget(findButton, 1, 1);
    layout->addWidget(archiveButton, 1, 2);
    auto* options = new QHBoxLayout;
    auto* scopeLabel = new QLabel(QStringLiteral("&Search in:"), this);
    scopeLabel->setBuddy(scope_);
    options->addWidget(scopeLabel);
    options->addWidget(scope_);
    options->addWidget(wholeWords_);
    options->addStretch();
    layout->addLayout(options, 2, 0, 1, 3);
    layout->addWidget(results_, 3, 0, 1, 3);

    // Enter in the text box presses the default button: one search (the box's own
    // returnPressed would run it a second time).
    connect(findButton, &QPushButton::clicked, this, &frmFindArchive::cmdFind_Click);
    connect(archiveButton, &QPushButton::clicked, this, &frmFindArchive::cmdArchive_Click);
    // The pair follows the project, and without one the bank open.
    connect(&session_.project(), &ProjectSession::projectChanged, this,
            &frmFindArchive::showScopes);
    connect(&session_, &DocumentSession::documentReplaced, this, &frmFindArchive::showScopes);
    connect(results_, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { openResult(results_->indexOfTopLevelItem(item)); });
}

void frmFindArchive::start() {
    const DocumentOrigin& origin = session_.origin();
    if (archivePath_.empty() && origin.FromArchive &&
        session_.openDocument().Archive.itemCount() > 0)
        useArchive(origin.ArchivePath(), session_.openDocument().Archive);
    if (archivePath_.empty())
        label_->setText(QStringLiteral("Choose an archive."));
    showScopes();
    show();
    raise();
    activateWindow();
}

bool frmFindArchive::useArchive(const std::string& path, ArchiveIndex index) {
    ArchiveFlow flow;
    if (const Status named = NameArchiveItems(session_.files(), path, index, flow); !named) {
        prompts_.notify(this, windowTitle(), fromNative(named.message()), Prompts::Icon::Stop);
        return false;
    }
    archivePath_ = path;
    index_ = std::move(index);
    flow_ = flow;
    label_->setText(fromNative(path));
    return true;
}

void frmFindArchive::cmdArchive_Click() {
    const QString chosen = prompts_.openFileName(
        this, {QStringLiteral("Find in Archive"),
               QStringLiteral("ZYN Text Archive (*.hqr)|*.hqr|All files (*.*)|*.*"),
               QStringLiteral("hqr"),
               {},
               Prompts::FileKind::Archive});
    if (chosen.isEmpty())
        return;
    const std::string path = nativePath(chosen);
    if (ArchiveIndex index; readChosenArchiveIndex(session_, prompts_, this, path, index))
        useArchive(path, std::move(index));
}

void frmFindArchive::cmdFind_Click() {
    results_->clear();
    hits_.clear();
    if (archivePath_.empty() || find_->text().isEmpty())
        return;
    const LetterCodes needle = session_.typedCodes(find_->text());
    if (needle.missing) {
        prompts_.notify(this, windowTitle(),
                        QStringLiteral("Nothing to find: ") + session_.noCodeFor(*needle.missing) +
                            '.',
                        Prompts::Icon::Information);
        return;
    }
    // The document's own item as it is now, unsaved changes included.
    OpenItemText open;
    const DocumentOrigin& origin = session_.origin();
    if (origin.FromArchive && origin.ArchivePath() == archivePath_) {
        open.item = origin.ArchiveItem;
        for (int i = 0; i < session_.entryCount(); ++i)
            open.entries.push_back(session_.entryAsShown(i));
    }
    // The archive as it is on disk now, read once into memory: items another program changed
    // since it was chosen are searched as they are.
    ArchiveIndex now;
    if (!readChosenArchiveIndex(session_, prompts_, this, archivePath_, now))
        return;
    index_ = std::move(now);
    const DisplayCodec& codec = session_.codec();
    hits_ = FindInArchive(session_.files(), archivePath_, index_, flow_,
                          TextArchiveItemCount(flow_.ArchiveIsVersion2), needle.codes,
                          session_.searchLetters(), open, scope());
    for (const ArchiveHit& hit : hits_) {
        QString found = codec.toDisplay(hit.line);
        // One line each: the other entry's line breaks as " / ".
        const QString other = codec.toOneLine(hit.other, QStringLiteral(" / "));
        const bool inSource = ItemLanguage(flow_.ArchiveIsVersion2, hit.item) == source_;
        auto* row = new QTreeWidgetItem(
            {QString::fromLatin1(hit.name.data(), qsizetype(hit.name.size())),
             QString::number(hit.entry + 1), inSource ? found : other, inSource ? other : found});
        row->setToolTip(inSource ? Translation : Source, codec.toDisplay(hit.other));
        results_->addTopLevelItem(row);
    }
    if (!hits_.empty() && !results_->currentItem())
        results_->setCurrentItem(results_->topLevelItem(0));
}

void frmFindArchive::showScopes() {
    const ProjectSession& project = session_.project();
    const DocumentOrigin& origin = session_.origin();
    if (project.isOpen()) {
        source_ = project.project().sourceLanguage;
        target_ = project.project().targetLanguage;
    } else {
        source_ = 0;
        target_ = origin.FromArchive ? ItemLanguage(session_.openDocument().Flow.ArchiveIsVersion2,
                                                    origin.ArchiveItem)
                                     : -1;
    }
    if (target_ == source_)
        target_ = -1;
    // The choice made stays while it is offered; all, as before there was a choice, at first.
    const int chosen = scope_->count() ? scope_->currentData().toInt() : AllLanguages;
    scope_->clear();
    const auto language = [](int block) {
        return QString::fromStdString(PoLanguagePrefix(block));
    };
    if (source_ >= 0)
        scope_->addItem(QStringLiteral("Source language (%1)").arg(language(source_)), source_);
    if (target_ >= 0)
        scope_->addItem(QStringLiteral("Target language (%1)").arg(language(target_)), target_);
    scope_->addItem(QStringLiteral("All languages"), AllLanguages);
    const int at = scope_->findData(chosen);
    scope_->setCurrentIndex(at >= 0 ? at : scope_->count() - 1);
}

ArchiveSearchScope frmFindArchive::scope() const {
    ArchiveSearchScope scope;
    if (const int language = scope_->currentData().toInt(); language != AllLanguages)
        scope.languages.push_back(language);
    scope.wholeWords = wholeWords_->isChecked();
    scope.source = source_;
    scope.target = target_;
    return scope;
}

bool frmFindArchive::eventFilter(QObject* watched, QEvent* event) {
    if (watched == results_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            openResult(results_->indexOfTopLevelItem(results_->currentItem()));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmFindArchive::openResult(int row) {
    if (row < 0 || row >= static_cast<int>(hits_.size()))
        return;
    const ArchiveHit hit = hits_[static_cast<std::size_t>(row)];
    const DocumentOrigin& origin = session_.origin();
    const bool same = origin.FromArchive && origin.ArchivePath() == archivePath_ &&
                      origin.ArchiveItem == hit.item;
    if (!same) {
        if (!askSaveChanges(session_, prompts_, this))
            return;
        ArchiveIndex index = index_;
        if (const Status opened =
                OpenArchiveItem(session_, this, archivePath_, index, hit.item, flow_);
            !opened) {
            prompts_.notify(this, windowTitle(), fromNative(opened.message()), Prompts::Icon::Stop);
            return;
        }
    }
    session_.setCurrentEntry(hit.entry);
}

} // namespace zyn
