#pragma once

// The character map of one string editor: 32 codes of the games' font at a time, a glyph cell
// under each code number, paged through all 256 codes with a scroll bar. Double-clicking a cell
// puts its character into the editor at the caret.

#include "session/displaycodec.h"

#include <QFont>
#include <QWidget>
#include <array>
#include <cstdint>

class QLabel;
class QScrollBar;

namespace zyn {

struct CharacterTables;

class frmTable : public QWidget {
    Q_OBJECT
public:
    static constexpr int CellCount = 32;
    static constexpr int LastPageStart = 256 - CellCount;

    // Shows the cells through codec in glyphFont, made smaller where a stand-in font would not
    // fit the cells; codes are remapped while tables has a table. The map belongs to owner (the
    // string editor): placed beside it, and put away while owner is not shown.
    frmTable(QWidget& owner, const CharacterTables& tables, const DisplayCodec& codec,
             const QFont& glyphFont);

    QLabel* Label1(int i) const { return label1_.at(static_cast<std::size_t>(i)); }
    QLabel* Label2(int i) const { return label2_.at(static_cast<std::size_t>(i)); }
    QLabel* Label3() const { return label3_; }
    QLabel* Label4() const { return label4_; }
    QScrollBar* HScroll1() const { return hscroll1_; }

    // The code shown in cell 0.
    int PageStart() const { return pageStart_; }
    // The byte cell i shows and inserts: its code, or the table's slot for it.
    std::uint8_t cellByte(int i) const { return cells_.at(static_cast<std::size_t>(i)); }

signals:
    // A cell was double-clicked: the byte it shows.
    void codeChosen(std::uint8_t code);
    // The user closed the map; the keys go back to its owner.
    void dismissed();

public slots:
    void HScroll1_Change();
    void Label1_DblClick(int i);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void fillCell(int i, int code);
    void setRangeText();
    void paintCell(int i, bool highlighted);

    QWidget& owner_;
    const CharacterTables& tables_;
    const DisplayCodec& codec_;
    QFont glyphFont_;
    int pageStart_ = 0;
    std::array<std::uint8_t, CellCount> cells_{};
    std::array<QLabel*, CellCount> label1_{};
    std::array<QLabel*, CellCount> label2_{};
    QLabel* label3_ = nullptr;
    QLabel* label4_ = nullptr;
    QScrollBar* hscroll1_ = nullptr;
};

} // namespace zyn
