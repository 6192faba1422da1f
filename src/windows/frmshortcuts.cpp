#include "windows/frmshortcuts.h"

#include "windows/shortcuts.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zyn {

frmShortcuts::frmShortcuts(QWidget& window) : QDialog(&window), window_(window) {
    setObjectName(QStringLiteral("frmShortcuts"));
    setWindowTitle(QStringLiteral("Keyboard Shortcuts"));
    table_ = new QTableWidget(0, 3, this);
    table_->setObjectName(QStringLiteral("tblShortcuts"));
    table_->setHorizontalHeaderLabels(
        {QStringLiteral("Keys"), QStringLiteral("Command"), QStringLiteral("Where")});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_, 1);
    layout->addWidget(buttons);
    resize(640, 560);
}

void frmShortcuts::start() {
    const std::vector<Shortcut> shortcuts = ShortcutsOf(window_);
    table_->setRowCount(static_cast<int>(shortcuts.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        const Shortcut& shortcut = shortcuts[static_cast<std::size_t>(row)];
        table_->setItem(row, 0, new QTableWidgetItem(shortcut.keys));
        table_->setItem(row, 1, new QTableWidgetItem(shortcut.command));
        table_->setItem(row, 2, new QTableWidgetItem(shortcut.where));
    }
    show();
    raise();
    activateWindow();
}

} // namespace zyn
