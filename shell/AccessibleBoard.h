#pragma once

#include <memory>
#include <vector>

#include "assets/Texts.h"
#include "engine/PlayfieldGeometry.h"
#include "shell/AccessiblePart.h"
#include "shell/PlayfieldReading.h"

namespace AccessiblePlayfield {

class TBoard;

// One cell of the board.
class TCell final : public TPart, public QAccessibleTableCellInterface {
public:
    TCell(TBoard& board, QAccessibleInterface& panel, QWidget& box, int column, int row)
        : TPart(panel, box, 0), board_(board), column_(column), row_(row)
    {
    }
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name && isValid() ? Reading().Cell(column_, row_) : QString();
    }
    // Not a table cell: Orca reads the whole row of a table cell whose row
    // differs from the last one, nine cells for every Up or Down, while an
    // item of the board is read alone. Its place comes with its name.
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override;
    QAccessibleInterface* parent() const override;
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
    }
    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

private:
    QRect Place() const override
    {
        return {Geometry::CellLeft(column_), Geometry::CellTop(row_), Geometry::kCellSize, Geometry::kCellSize};
    }
    TBoard& board_;
    int column_;
    int row_;
};

// The 9 x 9 board, row by row.
class TBoard final : public TPart, public QAccessibleTableInterface {
public:
    TBoard(QAccessibleInterface& panel, QWidget& box, int index) : TPart(panel, box, index)
    {
        for (int row = 0; row < kBoardSize; ++row)
            for (int column = 0; column < kBoardSize; ++column)
                cells_.push_back(std::make_unique<TCell>(*this, panel, box, column, row));
        for (const auto& cell : cells_)
            QAccessible::registerAccessibleInterface(cell.get());
    }
    ~TBoard() override
    {
        for (auto& cell : cells_)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(cell.release()));
    }

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? Texts().BoardName : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Table; }
    QAccessibleInterface* child(int index) const override
    {
        return index >= 0 && index < static_cast<int>(cells_.size()) ? cells_[index].get() : nullptr;
    }
    int childCount() const override { return static_cast<int>(cells_.size()); }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (size_t n = 0; n < cells_.size(); ++n)
            if (cells_[n].get() == child)
                return static_cast<int>(n);
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (const auto& cell : cells_)
            if (cell->rect().contains(x, y))
                return cell.get();
        return nullptr;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface*>(this) : nullptr;
    }

    QAccessibleInterface* cellAt(int row, int column) const override
    {
        return row >= 0 && row < kBoardSize && column >= 0 && column < kBoardSize
                   ? cells_[row * kBoardSize + column].get()
                   : nullptr;
    }
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int columnCount() const override { return kBoardSize; }
    int rowCount() const override { return kBoardSize; }
    int selectedCellCount() const override { return 0; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

    TCell& Cell(int column, int row) const { return *cells_[row * kBoardSize + column]; }
    TCell& Cell(int boardIndex) const { return Cell(boardIndex / kBoardSize, boardIndex % kBoardSize); }

    // The cell a screen reader stands on while the board has the keys: the
    // one under the carried piece's middle, or where it was last.
    int current = BoardIndex(kBoardSize / 2, kBoardSize / 2);
    bool following = false;  // current follows a carried piece

private:
    QRect Place() const override
    {
        return {Geometry::kBoardLeft, Geometry::kBoardTop, kBoardSize * Geometry::kCellSize,
                kBoardSize * Geometry::kCellSize};
    }
    std::vector<std::unique_ptr<TCell>> cells_;
};

}  // namespace AccessiblePlayfield
