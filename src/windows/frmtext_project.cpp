// The project window in its dock, and moving from bank to bank: View > Project, the next and
// previous bank, and the next bank with work once the last entry to do is kept.

#include "archive/archiveindex.h"
#include "project/projectfile.h"
#include "session/documentsession.h"
#include "windows/documentfiles.h"
#include "windows/frmproject.h"
#include "windows/frmselhqr.h"
#include "windows/frmtext.h"
#include "windows/projectstatusmodel.h"

#include <QAction>
#include <QDockWidget>
#include <QHeaderView>
#include <QLayout>
#include <QMenu>
#include <QStyle>
#include <QTableView>
#include <algorithm>
#include <utility>

namespace zyn {

void frmText::buildProjectItems(QMenu* view) {
    auto* dock = new QDockWidget(QStringLiteral("Project"), this);
    dock->setObjectName(QStringLiteral("dockProject"));
    project_ = new frmProject(session_, dock);
    dock->setWidget(project_);
    addDock(dock, Qt::BottomDockWidgetArea, [this] { return projectNeededWidth(); });
    dock->hide();
    connect(project_, &frmProject::openBankRequested, this, [this](int item) {
        if (askSaveChanges(session_, prompts_, this))
            openArchiveBank(project_->archivePath(), item);
    });
    // Another bank opened meanwhile is where the user wants to be.
    connect(&session_, &DocumentSession::documentReplaced, this,
            [this] { nextBankWanted_ = false; });
    connect(project_, &frmProject::fillFinished, this, [this] {
        if (std::exchange(nextBankWanted_, false))
            goToNextBankWithWork();
    });
    // Queued: the string editor that kept the last entry closes first.
    connect(&session_, &DocumentSession::lastEntryKept, this, &frmText::goToNextBankWithWork,
            Qt::QueuedConnection);

    // Shown as the entry list is, the window growing to hold the table; the dock's own
    // action would show it at its least size.
    QAction* show = addCheckItem(view, "mnuViewProject", "&Project", nullptr);
    show->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    connect(show, &QAction::triggered, this, [this, dock] {
        if (dock->isHidden())
            showDock(dock);
        else
            dock->close();
    });
    connect(dock->toggleViewAction(), &QAction::toggled, show, &QAction::setChecked);
    addItem(view, "mnuGoNextBank", "&Next bank", &frmText::mnuGoNextBank_Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_PageDown));
    addItem(view, "mnuGoPreviousBank", "P&revious bank", &frmText::mnuGoPreviousBank_Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_PageUp));
}

frmProject* frmText::projectWindow() const {
    return project_;
}

int frmText::projectNeededWidth() const {
    const QTableView* table = project_->lstBanks();
    const QHeaderView* header = table->horizontalHeader();
    // The titles are wider than the numbers below them, but not than a bank's name; the rows
    // are counted once the dock is shown.
    const int bankName = table->fontMetrics().horizontalAdvance(
                             QString::fromStdString(ProjectBankName(true, 1) + "  ")) +
                         2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table);
    int columns = 0;
    for (int column = 0; column < header->count(); ++column) {
        int needed = header->sectionSizeHint(column);
        if (column == ProjectStatusModel::Bank)
            needed = std::max(needed, bankName);
        columns += needed;
    }
    const QMargins margins = project_->layout()->contentsMargins();
    return columns + 2 * table->frameWidth() + margins.left() + margins.right() +
           style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, table) +
           2 * style()->pixelMetric(QStyle::PM_DockWidgetFrameWidth);
}

bool frmText::openArchiveBank(const std::string& path, int item) {
    ArchiveIndex archive;
    if (path.empty() || !readChosenArchiveIndex(session_, prompts_, this, path, archive))
        return false;
    itemDialog()->loadItem(path, std::move(archive), item);
    const DocumentOrigin& origin = session_.origin();
    return origin.FromArchive && origin.FilePath == path && origin.ArchiveItem == item;
}

void frmText::goToBank(bool forward) {
    project_->refresh();
    const int item = project_->neighbourBank(forward);
    if (item >= 0 && askSaveChanges(session_, prompts_, this))
        openArchiveBank(project_->archivePath(), item);
}

void frmText::mnuGoNextBank_Click() {
    goToBank(true);
}

void frmText::mnuGoPreviousBank_Click() {
    goToBank(false);
}

void frmText::goToNextBankWithWork() {
    // The banks are counted first when the window has not counted them yet.
    project_->refresh();
    nextBankWanted_ = project_->counting();
    if (!project_->filled())
        return;
    const int item = project_->nextBankWithWork();
    if (item < 0)
        return;
    // The bank is kept before going on; a save that asks asks as File Save does.
    if (session_.Modified() && !runFileSave(session_, prompts_, this))
        return;
    if (!openArchiveBank(project_->archivePath(), item))
        return;
    for (int i = 0; i < session_.entryCount(); ++i)
        if (session_.entryShown(i) && session_.status(i).untranslated) {
            session_.setCurrentEntry(i);
            // The translation goes on where the work is.
            session_.requestEdit();
            return;
        }
}

} // namespace zyn
