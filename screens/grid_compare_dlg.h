#pragma once

#include "engine/grid_compare.h"

#include <QDialog>

#include <memory>

class QPrinter;
class QTableWidget;

namespace tw {

class CBalanceChartView;

// The grid's scenarios side by side: a row each with total paid, total interest, payoff
// date and months saved, one balance chart of them all, and the comparison printed, as
// PDF or as CSV.
class CGridCompareDlg : public QDialog {
    Q_OBJECT
public:
    CGridCompareDlg(QWidget *parent, const GridTable &grid, GridComparison comparison, QPrinter *printer = nullptr);
    ~CGridCompareDlg() override;

    QTableWidget *Table() const { return table_; }
    CBalanceChartView *Chart() const { return chart_; }
    const GridComparison &Comparison() const { return comparison_; }

    // The buttons' work, without file dialogs; each says what went wrong in a message.
    bool ExportCsvTo(const QString &path);
    bool SavePdfTo(const QString &path);

private:
    void OnPrint();

    std::unique_ptr<GridTable> grid_;
    GridComparison comparison_;
    QPrinter *printer_;
    std::unique_ptr<QPrinter> ownPrinter_;
    QTableWidget *table_;
    CBalanceChartView *chart_;
};

} // namespace tw
