#include "windows/frmfindarchive.h"

#include "archive/itemnames.h"
#include "flows/archiveitemflow.h"
#include "flows/programstate.h"
#include "windows/frmtext.h"
#include "windows/pathtext.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace zyn {

frmFindArchive::frmFindArchive(frmText& main) : QDialog(&main), main_(main) {
    setObjectName(QStringLiteral("frmFindArchive"));
    setWindowTitle(QStringLiteral("Find in Archive"));
    setModal(false);
    resize(480, 360);

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
    results_->setHeaderLabels(
        {QStringLiteral("Item"), QStringLiteral("Entry"), QStringLiteral("Line found")});
    results_->setColumnWidth(0, 110);
    results_->setColumnWidth(1, 50);

    auto* layout = new QGridLayout(this);
    layout->addWidget(label_, 0, 0, 1, 3);
    layout->addWidget(find_, 1, 0);
    layout->addWidget(findButton, 1, 1);
    layout->addWidget(archiveButton, 1, 2);
    layout->addWidget(results_, 2, 0, 1, 3);

    connect(findButton, &QPushButton::clicked, this, &frmFindArchive::cmdFind_Click);
    connect(find_, &QLineEdit::returnPressed, this, &frmFindArchive::cmdFind_Click);
    connect(archiveButton, &QPushButton::clicked, this, &frmFindArchive::cmdArchive_Click);
    connect(results_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { openResult(results_->indexOfTopLevelItem(item)); });
}

void frmFindArchive::start() {
    const ProgramState& state = main_.state();
    if (archivePath_.empty() && state.Document.FromArchive && state.Archive.itemCount() > 0)
        useArchive(state.Document.ArchivePath, state.Archive);
    if (archivePath_.empty())
        label_->setText(QStringLiteral("Choose an archive."));
    show();
    raise();
    activateWindow();
}

bool frmFindArchive::useArchive(const std::string& path, ArchiveIndex index) {
    ArchiveFlow flow;
    if (const Status named = NameArchiveItems(main_.state().files(), path, index, flow); !named) {
        main_.prompts().notify(this, windowTitle(), fromNative(named.message()),
                               Prompts::Icon::Stop);
        return false;
    }
    archivePath_ = path;
    index_ = std::move(index);
    flow_ = flow;
    label_->setText(fromNative(path));
    return true;
}

void frmFindArchive::cmdArchive_Click() {
    const QString chosen = main_.prompts().openFileName(
        this, {QStringLiteral("Find in Archive"),
               QStringLiteral("ZYN Text Archive (*.hqr)|*.hqr|All files (*.*)|*.*"),
               QStringLiteral("hqr"),
               {}});
    if (chosen.isEmpty())
        return;
    const std::string path = nativePath(chosen);
    if (ArchiveIndex index; main_.readArchiveIndex(this, path, index))
        useArchive(path, std::move(index));
}

void frmFindArchive::cmdFind_Click() {
    results_->clear();
    hits_.clear();
    if (archivePath_.empty() || find_->text().isEmpty())
        return;
    ProgramState& state = main_.state();
    const DisplayCodec& codec = main_.displayCodec();
    hits_ = FindInArchive(state.files(), state.Work, archivePath_, index_, flow_,
                          TextArchiveItemCount(flow_.ArchiveIsVersion2),
                          codec.fromDisplay(find_->text()));
    for (const ArchiveHit& hit : hits_)
        results_->addTopLevelItem(
            new QTreeWidgetItem({QString::fromLatin1(hit.name.data(), qsizetype(hit.name.size())),
                                 QString::number(hit.entry + 1), codec.toDisplay(hit.line)}));
}

void frmFindArchive::openResult(int row) {
    if (row < 0 || row >= static_cast<int>(hits_.size()))
        return;
    const ArchiveHit hit = hits_[static_cast<std::size_t>(row)];
    ProgramState& state = main_.state();
    const bool same = state.Document.FromArchive && state.Document.ArchivePath == archivePath_ &&
                      state.Document.ArchiveItem == hit.item;
    if (!same) {
        if (!main_.askSaveChanges(windowTitle()))
            return;
        ArchiveIndex index = index_;
        auto loaded = LoadArchiveItem(state.files(), state.Work, archivePath_, index, hit.item,
                                      hit.name, flow_.ArchiveIsVersion2);
        if (!loaded) {
            main_.prompts().notify(this, windowTitle(), fromNative(loaded.message()),
                                   Prompts::Icon::Stop);
            return;
        }
        state.Flow.ArchiveIsVersion2 = flow_.ArchiveIsVersion2;
        state.Flow.ArchiveIsDemo = flow_.ArchiveIsDemo;
        state.Flow.ItemNames = flow_.ItemNames;
        main_.showArchiveItem(std::move(*loaded), archivePath_, hit.item, std::move(index),
                              hit.name);
    }
    if (hit.entry < state.Document.entryCount())
        main_.selectEntry(hit.entry);
}

} // namespace zyn
