#pragma once

#include "engine/grid_compare.h"

#include <QDialog>

#include <memory>

class QLabel;
class QMenu;
class QPrinter;
class QPushButton;
class QTableView;
class QUndoStack;

namespace tw {

class CBalanceChartView;
class CClientRecord;
class CGridModel;
class CGridToolDlg;
class CProfileStore;

// The amortization grid (dialog 148): the client's loan month by month from the grid data
// of the profile. The user types extra principal, rates and adjustments, Calculate
// rebuilds the schedule, OK stores the inputs (kResultYes), Cancel leaves the profile as
// it was (kResultCancel). Besides: undo and redo, a reset to the client's loan, the
// what-if tools and named scenarios, a comparison of them, totals, a balance chart, CSV
// export, printing and PDF.
class CAmortGridDlg : public QDialog {
    Q_OBJECT
public:
    // `record` gives the loan to reset to and the plan to compare with; `printer` the
    // printer the program set up (both may be null).
    CAmortGridDlg(
        QWidget *parent, CProfileStore *profile, const CClientRecord *record = nullptr, QPrinter *printer = nullptr);
    ~CAmortGridDlg() override;

    // No usable opening balance: nothing computed, OK only closes.
    bool Corrupted() const;
    // Whether the profile's client record holds a loan the grid can be reset to.
    bool CanResetToLoan() const;

    CGridModel *Model() const { return model_; }
    QTableView *View() const { return view_; }
    QUndoStack *UndoStack() const { return undo_; }
    QMenu *WhatIfMenu() const { return whatIfMenu_; }
    QString TotalsText() const;

    // The buttons' work, without file dialogs; each says what went wrong in a message.
    bool Calculate();
    void ResetToLoan();
    bool ExportCsvTo(const QString &path);
    bool SavePdfTo(const QString &path);
    // A tool's result (the dialog accepted) put into the grid as one undoable step.
    void ApplyTool(const CGridToolDlg &tool);
    // A scenario's inputs put into the grid as one undoable step.
    void OpenScenario(const GridScenario &scenario);
    // The comparison Compare shows: the grid, the profile's scenarios, the client's plan.
    GridComparison ComparisonNow() const;

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool CalculateIfTyped();
    void ShowFigures();
    void ShowOpeningMessage();
    void OnExportCsv();
    void OnPrint();
    void OnSavePdf();
    void OnScenarios();
    void OnCompare();
    template <typename Tool>
    void RunTool();
    void FitColumns();
    void FitToColumns();

    CProfileStore *profile_;
    const CClientRecord *record_;
    QPrinter *printer_;
    std::unique_ptr<QPrinter> ownPrinter_;
    CGridModel *model_;
    QTableView *view_;
    QUndoStack *undo_;
    CBalanceChartView *chart_;
    QLabel *totals_;
    QPushButton *calculateButton_;
    QMenu *whatIfMenu_;
    QString openingMessage_; // shown once the dialog is on screen
    bool opened_ = false;
};

} // namespace tw
