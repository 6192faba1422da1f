#include "windows/frmselhqr.h"

#include "archive/itemcheck.h"
#include "archive/itemnames.h"
#include "flows/archiveitemflow.h"
#include "session/documentsession.h"
#include "spelling/spellchecker.h"
#include "windows/archiveitemopen.h"
#include "windows/documentfiles.h"
#include "windows/pathtext.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace zyn {

namespace {

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

// The items the list shows at least: a language's banks at a glance.
constexpr int ShownItems = 15;

} // namespace

frmSelHQR::frmSelHQR(DocumentSession& session, Prompts& prompts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      session_(session), prompts_(prompts), flow_(session.openDocument().Flow) {
    setObjectName(QStringLiteral("frmSelHQR"));
    setWindowTitle(QStringLiteral("Select HQR item to extract"));
    setModal(false);

    label1_ = makeLabel(this, "Label1", QStringLiteral("HQR archive:"));
    label2_ = makeLabel(this, "Label2", {});
    label3_ =
        makeLabel(this, "Label3", QStringLiteral("Items (check the one you want to display):"));
    filter_ = new QLineEdit(this);
    filter_->setObjectName(QStringLiteral("txtFilter"));
    filter_->setPlaceholderText(QStringLiteral("Filter: item number, name or language"));
    filter_->setClearButtonEnabled(true);
    filter_->installEventFilter(this);
    connect(filter_, &QLineEdit::textChanged, this, &frmSelHQR::applyFilter);

    list1_ = new QListWidget(this);
    list1_->setObjectName(QStringLiteral("List1"));
    list1_->setUniformItemSizes(true);
    {
        // As high as ShownItems rows of checked items, whatever the font.
        auto* sample = new QListWidgetItem(QStringLiteral("000  EN_SYS.DIA"), list1_);
        sample->setCheckState(Qt::Unchecked);
        list1_->setMinimumHeight(ShownItems * list1_->sizeHintForRow(0) + 2 * list1_->frameWidth());
        list1_->clear();
    }
    connect(list1_, &QListWidget::itemChanged, this,
            [this](QListWidgetItem* item) { List1_ItemCheck(list1_->row(item)); });
    connect(list1_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { List1_ItemCheck(list1_->row(item)); });
    connect(list1_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { chooseItem(list1_->row(item)); });

    command1_ = makeButton(this, "Command1", QStringLiteral("&Load"));
    command1_->setDefault(true);
    connect(command1_, &QPushButton::clicked, this, &frmSelHQR::Command1_Click);
    command2_ = makeButton(this, "Command2", QStringLiteral("Cancel"));
    command2_->setAutoDefault(false);
    connect(command2_, &QPushButton::clicked, this, &frmSelHQR::Command2_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(command1_);
    buttons->addStretch();
    buttons->addWidget(command2_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1_);
    layout->addWidget(label2_);
    layout->addWidget(label3_);
    layout->addWidget(filter_);
    layout->addWidget(list1_, 1);
    layout->addLayout(buttons);
    resize(360, sizeHint().height());
}

void frmSelHQR::openFor(const std::string& archivePath, ArchiveIndex index) {
    archivePath_ = archivePath;
    index_ = std::move(index);
    setUp();
    show();
    raise();
    activateWindow();
    // The common path is typing a name and Enter.
    filter_->setFocus(Qt::OtherFocusReason);
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

    filter_->clear();
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
        // Row n - 1 is item n - 1 of the archive: its number first, which the filter takes.
        auto* item =
            new QListWidgetItem(QStringLiteral("%1  ").arg(n - 1, 3, 10, QLatin1Char('0')) +
                                QString::fromLatin1(name.data(), qsizetype(name.size())));
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

bool frmSelHQR::itemShown(int row, const QStringList& words) const {
    const std::string& stored = flow_.ItemNames[static_cast<std::size_t>(row + 1)];
    const QString name = QString::fromLatin1(stored.data(), qsizetype(stored.size()));
    const int language = FindSpellingLanguage(name.left(2).toStdString());
    const QString languageName =
        language >= 0 ? QString::fromLatin1(SpellingLanguages[std::size_t(language)].name)
                      : QString();
    return std::all_of(words.begin(), words.end(), [&](const QString& word) {
        bool number = false;
        const int item = word.toInt(&number);
        return (number && item == row) || name.contains(word, Qt::CaseInsensitive) ||
               (!languageName.isEmpty() && languageName.startsWith(word, Qt::CaseInsensitive));
    });
}

void frmSelHQR::applyFilter() {
    const QStringList words = filter_->text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (int row = 0; row < list1_->count(); ++row)
        list1_->setRowHidden(row, !itemShown(row, words));
    if (QListWidgetItem* current = list1_->currentItem(); current && current->isHidden())
        list1_->setCurrentItem(nullptr);
    // The items shown from the first.
    if (const int first = firstShownItem(false); first >= 0)
        list1_->scrollToItem(list1_->item(first), QAbstractItemView::PositionAtTop);
}

int frmSelHQR::firstShownItem(bool loadable) const {
    for (int row = 0; row < list1_->count(); ++row)
        if (!list1_->isRowHidden(row) && (!loadable || isLoadable(row)))
            return row;
    return -1;
}

bool frmSelHQR::isLoadable(int row) const {
    return row % 2 != 0 && !(flow_.ArchiveIsVersion2 && IsBlankVersion2Item(row));
}

void frmSelHQR::chooseItem(int row) {
    if (row < 0 || row >= list1_->count() || !isLoadable(row))
        return;
    List1_ItemCheck(row);
    if (accepted_ && selection_ == row)
        Command1_Click();
}

bool frmSelHQR::eventFilter(QObject* watched, QEvent* event) {
    if (watched == filter_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // The item chosen in the list if the filter shows it, else the first one the filter
            // shows; with no filter and none chosen, nothing.
            const int current = list1_->currentRow();
            if (current >= 0 && !list1_->isRowHidden(current) && isLoadable(current))
                chooseItem(current);
            else if (!filter_->text().trimmed().isEmpty())
                chooseItem(firstShownItem(true));
            return true;
        }
        if (key == Qt::Key_Down) {
            if (const QListWidgetItem* current = list1_->currentItem();
                !current || current->isHidden())
                list1_->setCurrentRow(firstShownItem(false));
            list1_->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
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
    if (const Status opened =
            OpenArchiveItem(session_, this, archivePath_, index_, selection_, flow_);
        !opened) {
        showFailure(opened.message(), opened.kind() == ErrorKind::Unsupported);
        return false;
    }
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
