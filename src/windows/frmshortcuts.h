#pragma once

// Help > Keyboard Shortcuts: every key of the main window's commands, the translation loop and
// the lists, read afresh from the window's actions each time it is shown.

#include <QDialog>

class QTableWidget;

namespace zyn {

class frmShortcuts final : public QDialog {
    Q_OBJECT
public:
    // The keys of window's actions, and those windows handle themselves.
    explicit frmShortcuts(QWidget& window);

    QTableWidget* tblShortcuts() const { return table_; }
    // Lists the keys as they are now and shows the window.
    void start();

private:
    QWidget& window_;
    QTableWidget* table_ = nullptr;
};

} // namespace zyn
