#pragma once

#include "engine/grid.h"

#include <QAbstractTableModel>

#include <map>
#include <memory>
#include <set>
#include <utility>

class QUndoStack;

namespace tw {

// The amortization grid's table as a Qt model: column 0 the payment date, columns 1 to 7
// the month's figures in field order. Only the inputs (extra, rate, adjustment) of the
// table's months are editable. What the user types stays as typed, and marked, until
// Calculate reads it into the table. Marked as typed are the cells typed or filled by a
// tool since the grid opened, and every cell the table itself shows was changed (a
// non-zero extra or adjustment, a change of rate), so the marks survive a reopening.
class CGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CGridModel(QObject *parent = nullptr);
    ~CGridModel() override;

    // Takes a table as loaded, recalculates it and forgets what was typed; no undo step.
    void SetTable(const GridTable &table);
    // Replaces the table's inputs (and, for a reset, its loan) as one undoable step and
    // recalculates: a tool's or a scenario's cells are marked as typed (`markChanged`);
    // a reset to the client's loan (`fromLoan`) starts the marks afresh and makes the
    // table one whose loan OK must store.
    void ReplaceTable(const GridTable &table, const QString &what, bool markChanged, bool fromLoan = false);
    const GridTable &Table() const { return state_->table; }
    const GridTable &Level() const { return *level_; }
    // Whether the table's loan came from a reset rather than from the stored grid data.
    bool FromLoan() const { return state_->fromLoan; }

    // Edits go through this stack when one is set, so that they can be undone.
    void SetUndoStack(QUndoStack *stack) { undo_ = stack; }

    // Reads what was typed into the table and recalculates. When a typed text is not a
    // usable number nothing changes: the message says why and `where` names the cell.
    bool Calculate(QString *message = nullptr, QModelIndex *where = nullptr);
    bool HasUncalculatedEdits() const { return !state_->pending.empty(); }
    bool IsTyped(int month, int field) const;

    // Empties the editable cells among `cells` (typed, not yet calculated), as one step.
    void ClearCells(const QModelIndexList &cells);

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

    // What one undo step of a whole table brings back.
    struct State {
        GridTable table;
        std::map<std::pair<int, int>, QString> pending; // (month, field) -> typed text
        std::set<std::pair<int, int>> typed; // typed or filled since the grid opened
        bool fromLoan = false;
    };
    void RestoreState(const State &state);

signals:
    void calculated();

private:
    QString ComputedText(int month, int field) const;
    void Recount();

    std::unique_ptr<State> state_;
    std::unique_ptr<GridTable> level_;
    int months_ = 0;
    int rows_ = 0;
    QUndoStack *undo_ = nullptr;
};

} // namespace tw
