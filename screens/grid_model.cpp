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

} // namespace

CGridModel::CGridModel(QObject *parent)
    : QAbstractTableModel(parent)
    , table_(std::make_unique<GridTable>())
    , level_(std::make_unique<GridTable>())
{
}

CGridModel::~CGridModel() = default;

void CGridModel::SetTable(const GridTable &table)
{
    beginResetModel();
    *table_ = table;
    RecalculateGrid(*table_);
    *level_ = LevelPaymentGrid(*table_);
    months_ = GridMonthCount(*table_);
    rows_ = GridShownRows(*table_);
    pending_.clear();
    typed_.clear();
    endResetModel();
    emit calculated();
}

bool CGridModel::IsTyped(int month, int field) const
{
    const auto key = std::make_pair(month, field);
    return typed_.count(key) > 0 || pending_.count(key) > 0;
}

QString CGridModel::ComputedText(int month, int field) const
{
    if (month < 1 || month > months_)
        return {};
    return QString::fromStdString(GridCellText(table_->Month(month), field));
}

QString CGridModel::CellText(int row, int column) const
{
    const int month = row + 1;
    if (column == 0)
        return month <= months_ ? QString::fromStdString(GridDateText(table_->StartDate, month)) : QString();
    const int field = FieldOfColumn(column);
    if (const auto it = pending_.find({month, field}); it != pending_.end())
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
        pending_.erase({month, field});
    else
        pending_[{month, field}] = text;
    const QModelIndex cell = index(row, column);
    emit dataChanged(cell, cell);
}

bool CGridModel::Calculate(QString *message, QModelIndex *where)
{
    for (const auto &[key, text] : pending_) {
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
    // Typed rates apply from their month on; the cells read back first hold the old rate.
    // A typed number is taken at the two decimals the grid shows and the profile keeps,
    // so that what is computed now is what the next Calculate and the next opening read.
    std::map<int, double> newRates;
    ReadGridCells(*table_, [&](int month, int field) {
        const auto it = pending_.find({month, field});
        if (it == pending_.end())
            return ComputedText(month, field).toStdString();
        const std::string typed = PlainAmountText(GridCellNumber(it->second.toStdString()));
        if (field == kGridRate) {
            newRates[month] = GridCellNumber(typed);
            return ComputedText(month, field).toStdString();
        }
        return typed;
    });
    for (const auto &[month, rate] : newRates)
        SetGridRateFrom(*table_, month, rate);
    RecalculateGrid(*table_);
    *level_ = LevelPaymentGrid(*table_);
    for (const auto &entry : pending_)
        typed_.insert(entry.first);
    pending_.clear();
    months_ = GridMonthCount(*table_);
    rows_ = GridShownRows(*table_);
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
            return QBrush(pending_.count({month, field}) ? QColor(255, 236, 179) : QColor(255, 248, 220));
        if (!(flags(index) & Qt::ItemIsEditable))
            return QBrush(QColor(242, 242, 242));
        return {};
    case Qt::ToolTipRole:
        if (pending_.count({month, field}))
            return QStringLiteral("Typed; press Calculate to use it");
        return {};
    default:
        return {};
    }
}

QVariant CGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
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
