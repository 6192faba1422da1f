#include "windows/frmselhqr.h"

#include "archive/itemcheck.h"
#include "archive/itemnames.h"
#include "base/itemheader.h"
#include "flows/archiveitemflow.h"
#include "session/documentsession.h"
#include "windows/documentfiles.h"
#include "windows/frmdecomp.h"
#include "windows/pathtext.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <memory>
#include <utility>
#include <vector>

namespace zyn {

namespace {

QLabel* makeLabel(QWidget* parent, const char* name, const QRect& geometry, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QRect& geometry,
                        const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    return button;
}

// Whether the item will be expanded on its way in, judged from the index read when the dialog
// opened, so that the progress window is up before the work starts.
bool isCompressed(const ArchiveIndex& index, int item) {
    if (item < 0 || item > index.LastItem)
        return false;
    const ItemHeader header = TestHeader(index.ItemData[static_cast<std::size_t>(item)]);
    return header.found && (header.mode == 1 || header.mode == 2);
}

} // namespace

frmSelHQR::frmSelHQR(DocumentSession& session, Prompts& prompts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      session_(session), prompts_(prompts), flow_(session.openDocument().Flow) {
    setObjectName(QStringLiteral("frmSelHQR"));
    setWindowTitle(QStringLiteral("Select HQR item to extract"));
    setModal(false);
    setFixedSize(297, 185);

    label1_ = makeLabel(this, "Label1", {8, 8, 281, 17}, QStringLiteral("HQR archive:"));
    label2_ = makeLabel(this, "Label2", {8, 24, 281, 17}, {});
    label3_ = makeLabel(this, "Label3", {8, 48, 281, 17},
                        QStringLiteral("Items (check the one you want to display):"));

    list1_ = new QListWidget(this);
    list1_->setObjectName(QStringLiteral("List1"));
    list1_->setGeometry(8, 64, 281, 79);
    list1_->setUniformItemSizes(true);
    connect(list1_, &QListWidget::itemChanged, this,
            [this](QListWidgetItem* item) { List1_ItemCheck(list1_->row(item)); });
    connect(list1_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { List1_ItemCheck(list1_->row(item)); });

    command1_ = makeButton(this, "Command1", {8, 152, 105, 25}, QStringLiteral("&Load"));
    command1_->setDefault(true);
    connect(command1_, &QPushButton::clicked, this, &frmSelHQR::Command1_Click);
    command2_ = makeButton(this, "Command2", {184, 152, 105, 25}, QStringLiteral("Cancel"));
    command2_->setAutoDefault(false);
    connect(command2_, &QPushButton::clicked, this, &frmSelHQR::Command2_Click);
}

void frmSelHQR::openFor(const std::string& archivePath, ArchiveIndex index) {
    archivePath_ = archivePath;
    index_ = std::move(index);
    setUp();
    show();
    raise();
    activateWindow();
}

void frmSelHQR::setUp() {
    command1_->setText(flow_.SaveMode ? QStringLiteral("&Save") : QStringLiteral("&Load"));

    // The index's first slot is the archive's: the table was read from this very file.
    const std::int32_t firstSlot = index_.itemCount() > 0 ? index_.ItemOffset[0] : 0;
    RecogniseTextArchive(flow_, firstSlot, session_.files().info(archivePath_).size);
    NameTextArchiveItems(flow_, flow_.ArchiveIsVersion2, flow_.ArchiveIsDemo);

    const QString path = fromNative(archivePath_);
    label2_->setText(
        path + (flow_.ArchiveIsVersion2 ? QStringLiteral(" - ZYN 2") : QStringLiteral(" - ZYN 1")));
    label2_->setToolTip(path);
    fillList();

    // Nothing is loaded or saved until the user has checked an item of this archive.
    selection_ = session_.origin().ArchiveItem;
    accepted_ = false;
    command1_->setEnabled(false);
}

void frmSelHQR::fillList() {
    const QSignalBlocker quiet(list1_);
    list1_->clear();
    const int count = TextArchiveItemCount(flow_.ArchiveIsVersion2);
    for (int n = 1; n <= count; ++n) {
        // Names are bytes of the Western code page, like every text of the program.
        const std::string& name = flow_.ItemNames[static_cast<std::size_t>(n)];
        auto* item = new QListWidgetItem(QString::fromLatin1(name.data(), qsizetype(name.size())));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        list1_->addItem(item);
    }
    list1_->scrollToTop();
}

void frmSelHQR::List1_ItemCheck(int item) {
    const int count = list1_->count();
    if (item < 0 || item >= count)
        return;
    std::vector<bool> checked(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        checked[static_cast<std::size_t>(i)] = list1_->item(i)->checkState() == Qt::Checked;
    CheckArchiveItem(checked, item, selection_, flow_.LastCheckedItem, flow_.ArchiveIsVersion2);
    if (item % 2 != 0 && !(flow_.ArchiveIsVersion2 && IsBlankVersion2Item(item)))
        accepted_ = true;

    // Marks set here must not come back as clicks.
    {
        const QSignalBlocker quiet(list1_);
        for (int i = 0; i < count; ++i)
            list1_->item(i)->setCheckState(checked[static_cast<std::size_t>(i)] ? Qt::Checked
                                                                                : Qt::Unchecked);
    }
    command1_->setEnabled(accepted_);
}

void frmSelHQR::Command1_Click() {
    if (!accepted_)
        return;
    if (flow_.SaveMode)
        save();
    else
        load();
}

void frmSelHQR::Command2_Click() {
    finish();
}

void frmSelHQR::reject() {
    Command2_Click();
}

void frmSelHQR::loadItem(const std::string& archivePath, ArchiveIndex index, int item) {
    flow_.SaveMode = false;
    archivePath_ = archivePath;
    index_ = std::move(index);
    setUp();
    selection_ = item;
    if (!load(false))
        finish();
}

bool frmSelHQR::load(bool askFirst) {
    if (askFirst && !askSaveChanges(session_, prompts_, this))
        return false;
    const std::string name = ArchiveItemName(flow_, selection_);

    std::unique_ptr<frmDecomp> progress;
    if (isCompressed(index_, selection_)) {
        progress = std::make_unique<frmDecomp>(this);
        progress->start(name + " in " + archivePath_);
    }
    auto loaded =
        LoadArchiveItem(session_.files(), archivePath_, index_, selection_, name,
                        flow_.ArchiveIsVersion2, progress ? progress->progress() : ProgressFn{});
    progress.reset();
    if (!loaded) {
        showFailure(loaded.message(), loaded.kind() == ErrorKind::Unsupported);
        return false;
    }

    session_.openArchiveItem(std::move(*loaded), ArchiveItemOrigin(archivePath_, selection_, name),
                             std::move(index_));
    finish();
    return true;
}

bool frmSelHQR::save() {
    const DocumentOrigin target =
        ArchiveItemOrigin(archivePath_, selection_, ArchiveItemName(flow_, selection_));
    const SaveResult saved =
        session_.saveToArchiveItem(target, index_, askBeforeOverwriting(prompts_, this));
    if (saved.outcome == SaveOutcome::Failed)
        showFailure(saved.message, false);
    if (!saved.saved())
        return false;
    finish();
    return true;
}

void frmSelHQR::finish() {
    hide();
    archivePath_.clear();
    index_ = ArchiveIndex{};
    accepted_ = false;
    command1_->setEnabled(false);
}

void frmSelHQR::showFailure(const std::string& message, bool notice) {
    prompts_.notify(this, windowTitle(), fromNative(message),
                    notice ? Prompts::Icon::Information : Prompts::Icon::Stop);
}

} // namespace zyn
