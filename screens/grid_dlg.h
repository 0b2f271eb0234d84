#pragma once

#include <QDialog>

#include <memory>

class QLabel;
class QPrinter;
class QPushButton;
class QTableView;
class QUndoStack;

namespace tw {

class CClientRecord;
class CGridModel;
class CProfileStore;
class CBalanceChartView;

// The amortization grid (dialog 148): the client's loan month by month from the grid data
// of the profile. The user types extra principal, rates and adjustments, Calculate
// rebuilds the schedule, OK stores the inputs (kResultYes), Cancel leaves the profile as
// it was (kResultCancel). Besides: undo and redo of typed cells, a reset to the inputs
// of the enrollment, totals, a balance chart, CSV export, printing and PDF.
class CAmortGridDlg : public QDialog {
    Q_OBJECT
public:
    // `record` gives the loan to reset to; `printer` the printer the program set up
    // (both may be null).
    CAmortGridDlg(
        QWidget *parent, CProfileStore *profile, const CClientRecord *record = nullptr, QPrinter *printer = nullptr);
    ~CAmortGridDlg() override;

    // No usable opening balance: the corruption message is shown and nothing computed.
    bool Corrupted() const { return corrupted_; }

    CGridModel *Model() const { return model_; }
    QTableView *View() const { return view_; }
    QUndoStack *UndoStack() const { return undo_; }
    QString TotalsText() const;

    // The buttons' work, without file dialogs; each says what went wrong in a message.
    bool Calculate();
    void ResetToLoan();
    bool ExportCsvTo(const QString &path);
    bool SavePdfTo(const QString &path);

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool CalculateIfTyped();
    void ShowFigures();
    void OnExportCsv();
    void OnPrint();
    void OnSavePdf();
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
    QString openingMessage_; // shown once the dialog is on screen
    bool corrupted_ = false;
    bool opened_ = false;
};

} // namespace tw
