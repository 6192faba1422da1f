#include "windows/frmcompare.h"

#include "archive/itemnames.h"
#include "flows/archiveitemflow.h"
#include "session/documentsession.h"
#include "windows/archiveitemopen.h"
#include "windows/documentfiles.h"
#include "windows/pathtext.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zyn {

namespace {

const QString ReferenceFilter =
    QStringLiteral("ZYN text files (*.zyt;*.ztf;*.dia;*.dat)|*.zyt;*.ztf;*.dia;*.dat|ZYN Text "
                   "Archive (*.hqr)|*.hqr|All files (*.*)|*.*");

} // namespace

frmCompare::frmCompare(DocumentSession& session, Prompts& prompts, QWidget* parent)
    : QDialog(parent), session_(session), prompts_(prompts) {
    setObjectName(QStringLiteral("frmCompare"));
    setWindowTitle(QStringLiteral("Compare with"));
    setModal(false);
    resize(300, 320);

    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("lblArchive"));
    label_->setWordWrap(true);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("lstSources"));
    compare_ = new QPushButton(QStringLiteral("&Compare"), this);
    compare_->setObjectName(QStringLiteral("cmdCompare"));
    compare_->setDefault(true);
    file_ = new QPushButton(QStringLiteral("&File..."), this);
    file_->setObjectName(QStringLiteral("cmdFile"));
    file_->setAutoDefault(false);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    cancel->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(compare_);
    buttons->addWidget(file_);
    buttons->addStretch();
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);

    connect(compare_, &QPushButton::clicked, this, &frmCompare::cmdCompare_Click);
    connect(list_, &QListWidget::itemDoubleClicked, this, &frmCompare::cmdCompare_Click);
    connect(file_, &QPushButton::clicked, this, &frmCompare::cmdFile_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmCompare::start() {
    const DocumentOrigin& origin = session_.origin();
    list_->clear();
    label_->setText(QStringLiteral("Choose a text file."));
    compare_->setEnabled(false);
    if (origin.FromArchive && session_.openDocument().Archive.itemCount() > 0)
        listArchive(origin.ArchivePath(), session_.openDocument().Archive, origin.ArchiveItem);
    show();
    raise();
    activateWindow();
}

void frmCompare::listArchive(const std::string& path, ArchiveIndex index, int preferred) {
    archivePath_ = path;
    index_ = std::move(index);
    flow_ = ArchiveFlow{};
    if (const Status named = NameArchiveItems(session_.files(), path, index_, flow_); !named) {
        prompts_.notify(this, windowTitle(), fromNative(named.message()), Prompts::Icon::Stop);
        return;
    }
    label_->setText(fromNative(path));

    // By default the same bank in the first other language.
    const bool v2 = flow_.ArchiveIsVersion2;
    int chosen = -1;
    for (int language = 0; language < TextArchiveLanguages(v2) && chosen < 0; ++language)
        if (language != ItemLanguage(v2, preferred))
            chosen = SameBankInLanguage(v2, preferred, language);
    list_->clear();
    for (int item = 1; item < std::min(index_.itemCount(), TextArchiveItemCount(v2)); item += 2) {
        if (index_.ItemData[static_cast<std::size_t>(item)].empty())
            continue;
        const std::string name = ArchiveItemName(flow_, item);
        auto* row = new QListWidgetItem(QString::fromLatin1(name.data(), qsizetype(name.size())));
        row->setData(Qt::UserRole, item);
        list_->addItem(row);
        if (item == chosen)
            list_->setCurrentItem(row);
    }
    compare_->setEnabled(list_->count() > 0);
}

int frmCompare::itemOfRow(int row) const {
    const QListWidgetItem* item = list_->item(row);
    return item ? item->data(Qt::UserRole).toInt() : -1;
}

void frmCompare::cmdCompare_Click() {
    const int item = itemOfRow(list_->currentRow());
    if (item < 0)
        return;
    const std::string name = ArchiveItemName(flow_, item);
    // The list's own copy of the index: reading an item refreshes its entry there only.
    auto loaded = ReadArchiveItemShowingProgress(session_, this, archivePath_, index_, item, flow_);
    if (!loaded) {
        prompts_.notify(this, windowTitle(), fromNative(loaded.message()), Prompts::Icon::Stop);
        return;
    }
    session_.setReference(std::move(*loaded), ArchiveItemOrigin(archivePath_, item, name));
    accept();
}

void frmCompare::cmdFile_Click() {
    const QString chosen = prompts_.openFileName(this, {QStringLiteral("Compare with"),
                                                        ReferenceFilter,
                                                        QStringLiteral("zyt"),
                                                        {},
                                                        Prompts::FileKind::Reference});
    if (chosen.isEmpty())
        return;
    const std::string path = nativePath(chosen);
    if (chosen.endsWith(QStringLiteral(".hqr"), Qt::CaseInsensitive)) {
        ArchiveIndex index;
        if (readChosenArchiveIndex(session_, prompts_, this, path, index))
            listArchive(path, std::move(index), session_.origin().ArchiveItem);
        return;
    }
    LoadedText loaded;
    if (!readChosenTextFile(session_, prompts_, this, chosen, false, loaded))
        return;
    session_.setReference(std::move(loaded), LooseFileOrigin(path));
    accept();
}

} // namespace zyn
