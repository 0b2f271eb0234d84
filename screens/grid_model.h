#pragma once

#include "engine/grid.h"

#include <QAbstractTableModel>

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <utility>

class QUndoStack;

namespace tw {

// The amortization grid's table as a Qt model: column 0 the payment date, columns 1 to 7
// the month's figures in field order. Only the inputs (extra, rate, adjustment) of the
// table's months are editable. What the user types stays as typed, and marked, until
// Calculate reads it into the table; the cells typed since the grid opened stay marked.
class CGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CGridModel(QObject *parent = nullptr);
    ~CGridModel() override;

    // Takes a table (loaded or reset), recalculates it and forgets typed cells.
    void SetTable(const GridTable &table);
    const GridTable &Table() const { return *table_; }
    const GridTable &Level() const { return *level_; }

    // Edits go through this stack when one is set, so that they can be undone.
    void SetUndoStack(QUndoStack *stack) { undo_ = stack; }

    // Reads what was typed into the table and recalculates. When a typed text is not a
    // usable number nothing changes: the message says why and `where` names the cell.
    bool Calculate(QString *message = nullptr, QModelIndex *where = nullptr);
    bool HasUncalculatedEdits() const { return !pending_.empty(); }
    bool IsTyped(int month, int field) const;

    // The text a cell shows, and setting it as if typed (no undo step).
    QString CellText(int row, int column) const;
    void SetCellText(int row, int column, const QString &text);

    static int ColumnOfField(int field) { return field + 1; }
    static int FieldOfColumn(int column) { return column - 1; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

signals:
    void calculated();

private:
    QString ComputedText(int month, int field) const;

    std::unique_ptr<GridTable> table_;
    std::unique_ptr<GridTable> level_;
    int months_ = 0;
    int rows_ = 0;
    std::map<std::pair<int, int>, QString> pending_; // (month, field) -> typed text
    std::set<std::pair<int, int>> typed_;
    QUndoStack *undo_ = nullptr;
};

} // namespace tw
