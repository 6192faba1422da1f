// The main window's docks (the entry list, and any other window docked to it) and where the
// window goes on the screen: beside the preview or below it, never over it, the window growing
// and shrinking with the docks it holds.

#include "windows/frmeditor.h"
#include "windows/frmentries.h"
#include "windows/frmtext.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QLayout>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <utility>

namespace zyn {

namespace {

// The entry list beside the preview: room for its number, type, status and some of each text.
constexpr int ListWidth = 480;
// Below the preview: at least a few rows, and no taller than the preview is wide.
constexpr int LeastListHeight = 160;
constexpr int MostListHeight = 320;
// A frame the window manager has not drawn yet: its title bar and borders, roughly.
constexpr QSize FrameGuess(4, 28);

bool beside(Qt::DockWidgetArea area) {
    return area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea;
}

} // namespace

void frmText::buildDocks() {
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks |
                   QMainWindow::AllowNestedDocks);
    // Docks below take the whole width, docks beside the whole height.
    setCorner(Qt::BottomLeftCorner, Qt::LeftDockWidgetArea);
    setCorner(Qt::BottomRightCorner, Qt::RightDockWidgetArea);

    entries_ = new frmEntries(session_, this);
    dockEntries_ = new QDockWidget(QStringLiteral("Entries"), this);
    dockEntries_->setObjectName(QStringLiteral("dockEntries"));
    dockEntries_->setWidget(entries_);
    addDock(dockEntries_, roomyArea());
    // Shown when asked for, or by the layout remembered from the last run.
    dockEntries_->hide();
    QAction* item = menuItem("mnuViewEntries");
    connect(dockEntries_->toggleViewAction(), &QAction::toggled, item, &QAction::setChecked);
}

void frmText::addDock(QDockWidget* dock, Qt::DockWidgetArea area,
                      std::function<int()> neededWidth) {
    dockRooms_[dock].neededWidth = std::move(neededWidth);
    dock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea |
                          Qt::BottomDockWidgetArea);
    const QList<QDockWidget*> docks = findChildren<QDockWidget*>(Qt::FindDirectChildrenOnly);
    const auto sameArea = std::find_if(docks.begin(), docks.end(), [&](QDockWidget* other) {
        return other != dock && !other->isFloating() && dockWidgetArea(other) == area;
    });
    // Docks put in one area share it as tabs.
    if (sameArea != docks.end())
        tabifyDockWidget(*sameArea, dock);
    else
        addDockWidget(area, dock);
    restoreDockWidget(dock);
    connect(dock, &QDockWidget::topLevelChanged, this, &frmText::fitToDocks);
    connect(dock->toggleViewAction(), &QAction::toggled, this, [this](bool shown) {
        if (!shown)
            fitToDocks();
    });
    // Only a dock that was on the screen reports going: the size it had is the user's.
    connect(dock, &QDockWidget::visibilityChanged, this, [this, dock](bool visible) {
        if (!visible && !dock->isFloating())
            dockRooms_[dock].kept = {dock->size(), dockWidgetArea(dock)};
    });
}

Qt::DockWidgetArea frmText::roomyArea() const {
    const QScreen* screen = this->screen();
    if (!screen)
        return Qt::BottomDockWidgetArea;
    const int needed =
        minimumSizeHint().width() + ListWidth + frmEditor::BoxWidth + 3 * FrameGuess.width();
    return screen->availableGeometry().width() >= needed ? Qt::LeftDockWidgetArea
                                                         : Qt::BottomDockWidgetArea;
}

void frmText::showDock(QDockWidget* dock) {
    const bool wasHidden = dock->isHidden();
    // Showing the dock may already have grown the window to its least size.
    const QSize before = size();
    dock->show();
    // Behind another dock's tab it comes to the front.
    dock->raise();
    if (wasHidden && !dock->isFloating())
        growFor(dock, before);
}

void frmText::growFor(QDockWidget* dock, QSize before) {
    const Qt::DockWidgetArea area = dockWidgetArea(dock);
    const QList<QDockWidget*> docks = findChildren<QDockWidget*>(Qt::FindDirectChildrenOnly);
    // A dock that joins others shares their room.
    const bool alone = std::none_of(docks.begin(), docks.end(), [&](QDockWidget* other) {
        return other != dock && !other->isHidden() && !other->isFloating() &&
               beside(dockWidgetArea(other)) == beside(area);
    });
    const QScreen* screen = this->screen();
    if (!alone || !screen)
        return;
    const QRect room = screen->availableGeometry();
    const QSize frame = isVisible() ? frameGeometry().size() - size() : FrameGuess;
    QRect placed(pos(), before + frame);
    const DockRoom& wanted = dockRooms_[dock];
    // What the user made of the dock counts where it was, beside the preview or below it.
    const QSize kept = beside(wanted.kept.area) == beside(area) ? wanted.kept.size : QSize();
    const int width = !kept.isEmpty()      ? kept.width()
                      : wanted.neededWidth ? wanted.neededWidth()
                                           : ListWidth;
    // The dock comes with the bar between it and the preview.
    const int separator = style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, this);
    int extent = 0;
    if (beside(area)) {
        extent = std::min(width, room.width() - placed.width() - separator);
        placed.setWidth(placed.width() + extent + separator);
        // Docked on the left, the preview stays where it was.
        if (area == Qt::LeftDockWidgetArea)
            placed.moveLeft(placed.left() - extent);
    } else {
        extent = !kept.isEmpty()
                     ? kept.height()
                     : std::clamp(room.bottom() - placed.bottom(), LeastListHeight, MostListHeight);
        placed.setHeight(placed.height() + extent + separator);
        // A dock below is as wide as the window: the window widens for what it shows.
        placed.setWidth(std::max(placed.width(), width + frame.width()));
    }
    // Wholly on the screen, the dock taking what the screen lacks.
    placed.setSize(placed.size().boundedTo(room.size()));
    placed.moveLeft(std::clamp(placed.left(), room.left(), room.right() + 1 - placed.width()));
    placed.moveTop(std::clamp(placed.top(), room.top(), room.bottom() + 1 - placed.height()));
    resize(placed.size() - frame);
    move(placed.topLeft());
    // Once the window holds it, the dock is given its room; the preview keeps its size.
    layout()->activate();
    resizeDocks({dock}, {extent}, beside(area) ? Qt::Horizontal : Qt::Vertical);
}

void frmText::fitToDocks() {
    bool besides = false, below = false;
    for (QDockWidget* dock : findChildren<QDockWidget*>(Qt::FindDirectChildrenOnly)) {
        if (dock->isHidden() || dock->isFloating())
            continue;
        (beside(dockWidgetArea(dock)) ? besides : below) = true;
    }
    // The least size is cached from before the dock went.
    layout()->invalidate();
    layout()->activate();
    const QSize least = minimumSizeHint();
    QSize fitted = size();
    QPoint at = pos();
    if (!besides) {
        // The docks on the left went: the preview stays where it was.
        at.rx() += centralWidget()->x();
        fitted.setWidth(least.width());
    }
    if (!below)
        fitted.setHeight(least.height());
    if (fitted != size()) {
        resize(fitted);
        move(at);
    }
}

void frmText::placeWindow() {
    const QScreen* screen = this->screen();
    if (!screen)
        return;
    // At the top, the window, the entry list beside it and the string editor beside that
    // centred together where the screen has room for them.
    const QRect room = screen->availableGeometry();
    const int width = frameGeometry().width();
    const int list = roomyArea() == Qt::LeftDockWidgetArea ? ListWidth : 0;
    const int editor = frmEditor::BoxWidth + FrameGuess.width();
    const int spare = std::max(0, room.width() - list - width - editor);
    const int x = std::clamp(room.left() + list + spare / 2, room.left(),
                             std::max(room.left(), room.right() + 1 - width));
    move(x, room.top());
}

void frmText::mnuViewEntries_Click() {
    // Asked for, the list takes the keys; asked for from the list, it closes.
    if (dockEntries_->isHidden() || !entries_->isVisible()) {
        showDock(dockEntries_);
        entries_->takeKeys();
    } else if (entries_->hasKeys()) {
        dockEntries_->close();
        activateWindow();
    } else {
        entries_->takeKeys();
    }
}

frmEntries* frmText::entriesWindow() const {
    return entries_.data();
}

} // namespace zyn
