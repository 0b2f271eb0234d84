#include "screens/grid_model.h"

#include "engine/grid_text.h"
#include "format/number_text.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QUndoCommand>
#include <QUndoStack>

namespace tw {

namespace {

constexpr int kColumns = 1 + kGridFieldCount;

// One typed cell: redo shows the new text, undo the one before it.
class CellEditCommand : public QUndoCommand {
public:
    CellEditCommand(CGridModel *model, int row, int column, QString before, QString after)
        : model_(model)
        , row_(row)
        , column_(column)
        , before_(std::move(before))
        , after_(std::move(after))
    {
        setText(QStringLiteral("edit of month %1").arg(row + 1));
    }
    void redo() override { model_->SetCellText(row_, column_, after_); }
    void undo() override { model_->SetCellText(row_, column_, before_); }

private:
    CGridModel *model_;
    int row_;
    int column_;
    QString before_;
    QString after_;
};

// A whole table replaced at once (a tool, a scenario, a reset): undo brings back the
// table, its figures and its marks as they were.
class TableCommand : public QUndoCommand {
public:
    TableCommand(CGridModel *model, const CGridModel::State &before, std::unique_ptr<CGridModel::State> after,
        const QString &what)
        : model_(model)
        , before_(std::make_unique<CGridModel::State>(before))
        , after_(std::move(after))
    {
        setText(what);
    }
    void redo() override { model_->RestoreState(*after_); }
    void undo() override { model_->RestoreState(*before_); }

private:
    CGridModel *model_;
    std::unique_ptr<CGridModel::State> before_;
    std::unique_ptr<CGridModel::State> after_;
};

} // namespace

CGridModel::CGridModel(QObject *parent)
    : QAbstractTableModel(parent)
    , state_(std::make_unique<State>())
    , level_(std::make_unique<GridTable>())
{
}

CGridModel::~CGridModel() = default;

void CGridModel::Recount()
{
    *level_ = LevelPaymentGrid(state_->table);
    months_ = GridMonthCount(state_->table);
    rows_ = GridShownRows(state_->table);
}

void CGridModel::SetTable(const GridTable &table)
{
    auto fresh = std::make_unique<State>();
    fresh->table = table;
    RecalculateGrid(fresh->table);
    RestoreState(*fresh);
}

void CGridModel::RestoreState(const State &state)
{
    beginResetModel();
    *state_ = state;
    Recount();
    endResetModel();
    emit calculated();
}

void CGridModel::ReplaceTable(const GridTable &table, const QString &what, bool markChanged, bool fromLoan)
{
    auto after = std::make_unique<State>();
    after->table = table;
    RecalculateGrid(after->table);
    after->fromLoan = fromLoan || state_->fromLoan;
    if (markChanged) {
        after->typed = state_->typed;
        const GridTable &before = state_->table;
        for (int n = 1; n <= GridMonthCount(after->table); ++n)
            for (int f : {kGridExtra, kGridRate, kGridAdjustment})
                if (GridValue(after->table.Month(n), f) != GridValue(before.Month(n), f))
                    after->typed.insert({n, f});
    }
    if (undo_)
        undo_->push(new TableCommand(this, *state_, std::move(after), what));
    else
        RestoreState(*after);
}

bool CGridModel::IsTyped(int month, int field) const
{
    const auto key = std::make_pair(month, field);
    return state_->typed.count(key) > 0 || state_->pending.count(key) > 0
        || (month <= months_ && GridInputLooksTyped(state_->table, month, field));
}

QString CGridModel::ComputedText(int month, int field) const
{
    if (month < 1 || month > months_)
        return {};
    return QString::fromStdString(GridFieldText(field, GridValue(state_->table.Month(month), field)));
}

QString CGridModel::CellText(int row, int column) const
{
    const int month = row + 1;
    if (column == 0)
        return month <= months_ ? QString::fromStdString(GridDateText(state_->table.StartDate, month)) : QString();
    const int field = FieldOfColumn(column);
    if (const auto it = state_->pending.find({month, field}); it != state_->pending.end())
        return it->second;
    return ComputedText(month, field);
}

void CGridModel::SetCellText(int row, int column, const QString &text)
{
    const int month = row + 1;
    const int field = FieldOfColumn(column);
    if (month < 1 || month > months_ || !IsGridInputField(field))
        return;
    // Typing back what the table holds is no edit.
    if (text == ComputedText(month, field))
        state_->pending.erase({month, field});
    else
        state_->pending[{month, field}] = text;
    const QModelIndex cell = index(row, column);
    emit dataChanged(cell, cell);
}

void CGridModel::ClearCells(const QModelIndexList &cells)
{
    QModelIndexList cleared;
    for (const QModelIndex &cell : cells)
        if ((flags(cell) & Qt::ItemIsEditable) && !CellText(cell.row(), cell.column()).isEmpty())
            cleared << cell;
    if (cleared.size() > 1 && undo_)
        undo_->beginMacro(QStringLiteral("clearing of %1 cells").arg(cleared.size()));
    for (const QModelIndex &cell : cleared)
        setData(cell, QString());
    if (cleared.size() > 1 && undo_)
        undo_->endMacro();
}

bool CGridModel::Calculate(QString *message, QModelIndex *where)
{
    auto &pending = state_->pending;
    for (const auto &[key, text] : pending) {
        const std::string problem = CheckGridInput(text.toStdString(), key.second, key.first);
        if (!problem.empty()) {
            if (message)
                *message = QString::fromStdString(problem);
            if (where)
                *where = index(key.first - 1, ColumnOfField(key.second));
            return false;
        }
    }
    beginResetModel();
    GridTable &table = state_->table;
    // Typed rates apply from their month on; the cells read back first hold the old rate.
    // A typed number is taken at the decimals the grid shows and the profile keeps, so
    // that what is computed now is what the next Calculate and the next opening read.
    std::map<int, double> newRates;
    ReadGridCells(table, [&](int month, int field) {
        const auto it = pending.find({month, field});
        if (it == pending.end())
            return ComputedText(month, field).toStdString();
        const double typed = GridCellNumber(it->second.toStdString());
        if (field == kGridRate) {
            newRates[month] = GridCellNumber(GridRateStoredText(typed));
            return ComputedText(month, field).toStdString();
        }
        return PlainAmountText(typed);
    });
    for (const auto &[month, rate] : newRates)
        SetGridRateFrom(table, month, rate);
    RecalculateGrid(table);
    // A cleared cell is no longer typed; what it holds now is marked only by the table.
    for (const auto &[key, text] : pending) {
        if (text.trimmed().isEmpty())
            state_->typed.erase(key);
        else
            state_->typed.insert(key);
    }
    pending.clear();
    Recount();
    endResetModel();
    emit calculated();
    return true;
}

int CGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int CGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QVariant CGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int month = index.row() + 1;
    const int field = FieldOfColumn(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return CellText(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return index.column() == 0 ? QVariant(Qt::AlignCenter) : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::FontRole:
        if (index.column() > 0 && IsTyped(month, field)) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    case Qt::BackgroundRole:
        if (index.column() > 0 && IsTyped(month, field))
            return QBrush(state_->pending.count({month, field}) ? QColor(255, 236, 179) : QColor(255, 248, 220));
        if (!(flags(index) & Qt::ItemIsEditable))
            return QBrush(QColor(242, 242, 242));
        return {};
    case Qt::ToolTipRole:
        if (state_->pending.count({month, field}))
            return QStringLiteral("Typed; press Calculate to use it");
        return {};
    case Qt::AccessibleDescriptionRole: {
        // Read out with the value, so that a cell is never just a number.
        QString where = headerData(index.row(), Qt::Vertical, Qt::AccessibleTextRole).toString() + QStringLiteral(", ")
            + headerData(index.column(), Qt::Horizontal).toString();
        if (index.column() > 0 && state_->pending.count({month, field}))
            where += QStringLiteral(", typed, not yet calculated");
        else if (index.column() > 0 && IsTyped(month, field))
            where += QStringLiteral(", typed");
        return where;
    }
    default:
        return {};
    }
}

QVariant CGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::AccessibleTextRole && orientation == Qt::Vertical) {
        const std::string date = section < months_ ? GridDateText(state_->table.StartDate, section + 1) : std::string();
        return QStringLiteral("Month %1").arg(section + 1)
            + (date.empty() ? QString() : QStringLiteral(", ") + QString::fromStdString(date));
    }
    if (role == Qt::AccessibleTextRole)
        role = Qt::DisplayRole;
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section == 0)
        return QStringLiteral("Payment Date");
    return QString::fromLatin1(GridFieldHeading(FieldOfColumn(section)));
}

Qt::ItemFlags CGridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.row() + 1 <= months_ && IsGridInputField(FieldOfColumn(index.column())))
        f |= Qt::ItemIsEditable;
    return f;
}

bool CGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const QString before = CellText(index.row(), index.column());
    const QString after = value.toString();
    if (before == after)
        return true;
    if (undo_)
        undo_->push(new CellEditCommand(this, index.row(), index.column(), before, after));
    else
        SetCellText(index.row(), index.column(), after);
    return true;
}

} // namespace tw
