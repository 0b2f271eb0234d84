#include "screens/grid_dlg.h"

#include "engine/grid_text.h"
#include "format/number_text.h"
#include "print/grid_chart.h"
#include "print/grid_print.h"
#include "record/grid_inputs.h"
#include "record/grid_scenarios.h"
#include "record/profile_store.h"
#include "screens/grid_compare_dlg.h"
#include "screens/grid_model.h"
#include "screens/grid_scenarios_dlg.h"
#include "screens/grid_tools_dlg.h"
#include "screens/grid_widgets.h"
#include "rules/result_codes.h"
#include "screens/screen_frame.h"
#include "screens/ui_common.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>

#include <map>
#include <type_traits>

namespace tw {

// The table view, able to take over a cell still being edited when a button is pressed
// by its shortcut (a click would have ended the editing already). Tab moves from cell to
// cell and leaves the table after its last cell (Shift+Tab: before its first);
// Ctrl+Tab leaves it at once. Delete empties the selected input cells.
class CGridTableView : public QTableView {
public:
    using QTableView::QTableView;
    bool CommitOpenEditor()
    {
        if (state() != EditingState)
            return false;
        QWidget *editor = QApplication::focusWidget();
        if (editor && viewport()->isAncestorOf(editor)) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
        return true;
    }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        const bool idle = state() != EditingState;
        const Qt::KeyboardModifiers mods = event->modifiers();
        // Enter moves down a month, as in a spreadsheet, rather than closing the dialog.
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && mods == Qt::NoModifier && idle
            && currentIndex().isValid()) {
            setCurrentIndex(
                model()->index(std::min(currentIndex().row() + 1, model()->rowCount() - 1), currentIndex().column()));
            event->accept();
            return;
        }
        if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) && (mods & Qt::ControlModifier)) {
            QWidget::focusNextPrevChild(event->key() == Qt::Key_Tab && !(mods & Qt::ShiftModifier));
            event->accept();
            return;
        }
        if (event->key() == Qt::Key_Delete && mods == Qt::NoModifier && idle) {
            QModelIndexList cells = selectionModel()->selectedIndexes();
            if (cells.isEmpty() && currentIndex().isValid())
                cells << currentIndex();
            static_cast<CGridModel *>(model())->ClearCells(cells);
            event->accept();
            return;
        }
        QTableView::keyPressEvent(event);
    }

    bool focusNextPrevChild(bool next) override
    {
        const QModelIndex at = currentIndex();
        const int lastRow = model()->rowCount() - 1;
        const int lastColumn = model()->columnCount() - 1;
        const bool edge = !at.isValid()
            || (next ? at.row() == lastRow && at.column() == lastColumn : at.row() == 0 && at.column() == 0);
        if (edge && state() != EditingState)
            return QWidget::focusNextPrevChild(next);
        return QTableView::focusNextPrevChild(next);
    }
};

CAmortGridDlg::CAmortGridDlg(QWidget *parent, CProfileStore *profile, const CClientRecord *record, QPrinter *printer)
    : QDialog(parent)
    , profile_(profile)
    , record_(record)
    , printer_(printer)
    , model_(new CGridModel(this))
    , view_(new CGridTableView(this))
    , undo_(new QUndoStack(this))
    , chart_(new CBalanceChartView(this, QStringLiteral("Balance chart")))
    , totals_(new QLabel(this))
{
    setObjectName(QStringLiteral("amortGridDlg"));
    setProperty("dialogId", 148);
    setWindowTitle(QStringLiteral("Amortization Grid"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setSizeGripEnabled(true);
    const int margin = MarginPixels(this);
    const int gap = GapPixels(this);

    view_->setObjectName(QStringLiteral("gridView"));
    view_->setAccessibleName(QStringLiteral("Amortization grid"));
    view_->setModel(model_);
    view_->setAlternatingRowColors(false);
    view_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    view_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
        | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    view_->verticalHeader()->setMinimumWidth(DialogUnitsToPixels(font(), 35, 0).width());
    view_->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    // Long headings take two lines rather than widening their columns.
    view_->horizontalHeader()->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + gap);
    model_->SetUndoStack(undo_);

    totals_->setObjectName(QStringLiteral("totalsLabel"));
    totals_->setWordWrap(true);
    totals_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    QAction *undoAction = undo_->createUndoAction(this, QStringLiteral("&Undo"));
    undoAction->setObjectName(QStringLiteral("undoAction"));
    undoAction->setShortcut(QKeySequence::Undo);
    QAction *redoAction = undo_->createRedoAction(this, QStringLiteral("&Redo"));
    redoAction->setObjectName(QStringLiteral("redoAction"));
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    if (const QKeySequence shiftZ(QStringLiteral("Ctrl+Shift+Z")); !redoKeys.contains(shiftZ))
        redoKeys.prepend(shiftZ);
    redoAction->setShortcuts(redoKeys);
    addAction(undoAction);
    addAction(redoAction);

    auto *undoButton = MakeButton(QStringLiteral("&Undo"), "undoButton", this);
    auto *redoButton = MakeButton(QStringLiteral("&Redo"), "redoButton", this);
    connect(undoButton, &QPushButton::clicked, undo_, &QUndoStack::undo);
    connect(redoButton, &QPushButton::clicked, undo_, &QUndoStack::redo);
    connect(undo_, &QUndoStack::canUndoChanged, undoButton, &QWidget::setEnabled);
    connect(undo_, &QUndoStack::canRedoChanged, redoButton, &QWidget::setEnabled);
    undoButton->setEnabled(false);
    redoButton->setEnabled(false);
    auto *resetButton = MakeButton(QStringLiteral("Reset to the &Loan"), "resetButton", this);
    resetButton->setToolTip(QStringLiteral("The extra payments, rates and adjustments of the enrollment"));
    resetButton->setEnabled(record_ != nullptr);
    connect(resetButton, &QPushButton::clicked, this, &CAmortGridDlg::ResetToLoan);
    auto *exportButton = MakeButton(QStringLiteral("&Export CSV..."), "exportButton", this);
    connect(exportButton, &QPushButton::clicked, this, &CAmortGridDlg::OnExportCsv);
    auto *printButton = MakeButton(QStringLiteral("&Print..."), "printButton", this);
    connect(printButton, &QPushButton::clicked, this, &CAmortGridDlg::OnPrint);
    auto *pdfButton = MakeButton(QStringLiteral("Save as P&DF..."), "pdfButton", this);
    connect(pdfButton, &QPushButton::clicked, this, &CAmortGridDlg::OnSavePdf);

    auto *tools = new QHBoxLayout;
    tools->setSpacing(gap);
    tools->addWidget(undoButton);
    tools->addWidget(redoButton);
    tools->addWidget(resetButton);
    tools->addStretch(1);
    tools->addWidget(exportButton);
    tools->addWidget(printButton);
    tools->addWidget(pdfButton);

    calculateButton_ = MakeButton(QStringLiteral("&Calculate"), "calculateButton", this);
    connect(calculateButton_, &QPushButton::clicked, this, &CAmortGridDlg::Calculate);
    auto *whatIfButton = MakeButton(QStringLiteral("&What If"), "whatIfButton", this);
    whatIfMenu_ = new QMenu(whatIfButton);
    whatIfMenu_->setObjectName(QStringLiteral("whatIfMenu"));
    const auto addTool = [this](const QString &text, const char *name, void (CAmortGridDlg::*slot)()) {
        QAction *action = whatIfMenu_->addAction(text, this, slot);
        action->setObjectName(QString::fromLatin1(name));
    };
    addTool(QStringLiteral("Extra Every &Month..."), "monthlyExtraAction", &CAmortGridDlg::RunTool<CMonthlyExtraDlg>);
    addTool(QStringLiteral("Extra Once a &Year..."), "yearlyExtraAction", &CAmortGridDlg::RunTool<CYearlyExtraDlg>);
    addTool(QStringLiteral("&Adjustable Rate..."), "armAction", &CAmortGridDlg::RunTool<CArmDlg>);
    addTool(QStringLiteral("&Paid Off By..."), "payoffAction", &CAmortGridDlg::RunTool<CPayoffDlg>);
    whatIfMenu_->addSeparator();
    addTool(QStringLiteral("&Scenarios..."), "scenariosAction", &CAmortGridDlg::OnScenarios);
    whatIfButton->setMenu(whatIfMenu_);
    auto *compareButton = MakeButton(QStringLiteral("Co&mpare..."), "compareButton", this);
    compareButton->setToolTip(QStringLiteral("The saved scenarios side by side"));
    connect(compareButton, &QPushButton::clicked, this, &CAmortGridDlg::OnCompare);
    auto *okButton = MakeButton(QStringLiteral("&OK"), "okButton", this, 1);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &CAmortGridDlg::accept);
    auto *cancelButton = MakeButton(QStringLiteral("C&ancel"), "cancelButton", this, 2);
    connect(cancelButton, &QPushButton::clicked, this, &CAmortGridDlg::reject);
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(gap);
    buttons->addWidget(calculateButton_);
    buttons->addWidget(whatIfButton);
    buttons->addWidget(compareButton);
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(gap);
    layout->addLayout(tools);
    layout->addWidget(view_, 3);
    layout->addWidget(totals_);
    layout->addWidget(chart_, 1);
    layout->addLayout(buttons);

    // Reading order: the tools above the table, the table, the buttons below it.
    QWidget *order[] = {undoButton, redoButton, resetButton, exportButton, printButton, pdfButton, view_,
        calculateButton_, whatIfButton, compareButton, okButton, cancelButton};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(model_, &CGridModel::calculated, this, &CAmortGridDlg::ShowFigures);

    const CProfileSnapshot snapshot = profile_->Snapshot();
    const GridTable loaded = LoadGridInputs(snapshot);
    if (snapshot.ReadError() != 0) // not the data's fault: say what kept it from being read
        openingMessage_ = QStringLiteral("The grid data cannot be read from %1: %2.")
                              .arg(QString::fromStdString(profile_->Path()),
                                  QString::fromStdString(DescribeFileError(snapshot.ReadError())));
    else if (!GridHasLoan(loaded))
        openingMessage_ = QString::fromLatin1(kGridCorruptedMessage);
    model_->SetTable(loaded);
    FitToColumns();
}

CAmortGridDlg::~CAmortGridDlg() = default;

bool CAmortGridDlg::Corrupted() const
{
    return !GridHasLoan(model_->Table());
}

bool CAmortGridDlg::CanResetToLoan() const
{
    return record_ && EnrollmentGridInputs(*record_).has_value();
}

void CAmortGridDlg::FitColumns()
{
    // A column is as wide as its widest text or the longest word of its heading, whichever
    // is wider; the headings wrap onto two lines. Figures of one shape (digits as 0) and
    // weight are equally wide, so one cell of each shape is measured, not every month.
    QHeaderView *header = view_->horizontalHeader();
    const QFontMetrics headerMetrics(header->font());
    const int headerPadding = fontMetrics().averageCharWidth() + 2 * style()->pixelMetric(QStyle::PM_HeaderMargin);
    const int cellPadding = fontMetrics().averageCharWidth() / 2;
    for (int c = 0; c < model_->columnCount(); ++c) {
        int widest = 0;
        for (const QString &word : model_->headerData(c, Qt::Horizontal).toString().split(QLatin1Char(' ')))
            widest = std::max(widest, headerMetrics.horizontalAdvance(word) + headerPadding);
        std::map<std::pair<QString, bool>, int> shapes; // shape and bold -> a row
        int longest = 0;
        for (int r = 0; r < model_->rowCount(); ++r)
            longest = std::max(longest, static_cast<int>(model_->CellText(r, c).size()));
        for (int r = 0; r < model_->rowCount(); ++r) {
            QString text = model_->CellText(r, c);
            const bool bold = c > 0 && model_->IsTyped(r + 1, CGridModel::FieldOfColumn(c));
            if (text.size() < longest - (bold ? 2 : 1))
                continue;
            for (QChar &ch : text)
                if (ch.isDigit())
                    ch = QLatin1Char('0');
            shapes.emplace(std::make_pair(text, bold), r);
        }
        for (const auto &entry : shapes)
            widest = std::max(widest, view_->sizeHintForIndex(model_->index(entry.second, c)).width() + cellPadding);
        view_->setColumnWidth(c, widest);
    }
    header->setMinimumHeight(headerMetrics.lineSpacing() * 2 + 2 * style()->pixelMetric(QStyle::PM_HeaderMargin));
}

void CAmortGridDlg::FitToColumns()
{
    // The columns were fitted when the table was set.
    const QHeaderView *rowHeader = view_->verticalHeader();
    int width = std::max(rowHeader->sizeHint().width(), rowHeader->minimumWidth()) + 2 * view_->frameWidth()
        + view_->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < model_->columnCount(); ++c)
        width += view_->columnWidth(c);
    // Every column in sight without scrolling sideways; on a screen too small for that the
    // table scrolls instead.
    const int margin = MarginPixels(this);
    const QSize units = DialogUnitsToPixels(font(), 292, 273);
    const QSize least(std::max(units.width(), width + 2 * margin), units.height());
    // Opens taller than its least size, with room for some twenty months.
    resize(least.width(), std::max(least.height(), fontMetrics().height() * 46));
    FitWindowToScreen(this, least);
}

void CAmortGridDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (opened_)
        return;
    opened_ = true;
    if (!openingMessage_.isEmpty())
        QTimer::singleShot(0, this, &CAmortGridDlg::ShowOpeningMessage);
}

void CAmortGridDlg::ShowOpeningMessage()
{
    // Data that is missing, not unreadable, can be rebuilt from the client's loan when
    // the profile holds one: the message offers it.
    if (openingMessage_ != QString::fromLatin1(kGridCorruptedMessage) || !CanResetToLoan()) {
        ShowMessage(this, openingMessage_);
        return;
    }
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Tallowin"), openingMessage_, QMessageBox::Ok, this);
    QPushButton *reset = box.addButton(QStringLiteral("Reset to the &Loan"), QMessageBox::AcceptRole);
    reset->setObjectName(QStringLiteral("resetToLoanButton"));
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    if (box.clickedButton() == reset)
        ResetToLoan();
}

QString CAmortGridDlg::TotalsText() const
{
    if (Corrupted() || GridMonthCount(model_->Table()) == 0)
        return QString();
    const GridTotals t = ComputeGridTotals(model_->Table(), model_->Level());
    QString saved;
    if (t.monthsSaved > 0)
        saved = QStringLiteral("%1 months sooner than the loan paid as agreed").arg(t.monthsSaved);
    else if (t.monthsSaved < 0)
        saved = QStringLiteral("%1 months later than the loan paid as agreed").arg(-t.monthsSaved);
    else
        saved = QStringLiteral("as the loan paid as agreed");
    const QString payoff
        = t.payoffDate.empty() ? QStringLiteral("month %1").arg(t.months) : QString::fromStdString(t.payoffDate);
    return QStringLiteral("Total paid: %1    Total interest: %2    Paid off: %3, %4")
        .arg(QString::fromStdString(FormatMoney(t.totalPaid)), QString::fromStdString(FormatMoney(t.totalInterest)),
            payoff, saved);
}

void CAmortGridDlg::ShowFigures()
{
    totals_->setText(TotalsText());
    chart_->SetData(Corrupted() ? BalanceChartData {} : BalanceChartOf(model_->Table(), model_->Level()));
    FitColumns();
}

bool CAmortGridDlg::Calculate()
{
    static_cast<CGridTableView *>(view_)->CommitOpenEditor(); // a cell being edited counts as typed
    QString message;
    QModelIndex where;
    // The recalculation resets the model; the user stays at the month they were on.
    const int row = view_->currentIndex().row();
    const int column = view_->currentIndex().column();
    const int scrolledDown = view_->verticalScrollBar()->value();
    const int scrolledAcross = view_->horizontalScrollBar()->value();
    if (!model_->Calculate(&message, &where)) {
        ShowMessage(this, message);
        view_->setCurrentIndex(where);
        view_->scrollTo(where);
        view_->setFocus();
        return false;
    }
    if (row >= 0 && model_->rowCount() > 0)
        view_->setCurrentIndex(model_->index(std::min(row, model_->rowCount() - 1), column));
    view_->verticalScrollBar()->setValue(scrolledDown);
    view_->horizontalScrollBar()->setValue(scrolledAcross);
    return true;
}

bool CAmortGridDlg::CalculateIfTyped()
{
    if (Corrupted()) {
        ShowMessage(this, QString::fromLatin1(kGridCorruptedMessage));
        return false;
    }
    static_cast<CGridTableView *>(view_)->CommitOpenEditor();
    return !model_->HasUncalculatedEdits() || Calculate();
}

void CAmortGridDlg::ResetToLoan()
{
    if (!record_)
        return;
    std::string why;
    const auto inputs = EnrollmentGridInputs(*record_, &why);
    if (!inputs) {
        ShowMessage(this, QStringLiteral("The grid cannot be reset to the loan: %1").arg(QString::fromStdString(why)));
        return;
    }
    static_cast<CGridTableView *>(view_)->CommitOpenEditor();
    model_->ReplaceTable(*inputs, QStringLiteral("reset to the loan"), false, true);
}

void CAmortGridDlg::ApplyTool(const CGridToolDlg &tool)
{
    model_->ReplaceTable(tool.Result(), tool.Summary(), true);
}

template <typename Tool>
void CAmortGridDlg::RunTool()
{
    if (!CalculateIfTyped())
        return;
    Tool tool(this, model_->Table());
    if (tool.exec() != QDialog::Accepted)
        return;
    ApplyTool(tool);
    if constexpr (std::is_same_v<Tool, CPayoffDlg>) // the amount found is the answer the user asked for
        ShowMessage(this, tool.Summary());
}

void CAmortGridDlg::OpenScenario(const GridScenario &scenario)
{
    auto t = std::make_unique<GridTable>(model_->Table());
    CopyGridInputs(*t, scenario.inputs);
    model_->ReplaceTable(
        *t, QStringLiteral("opening of the scenario \"%1\"").arg(QString::fromStdString(scenario.name)), true);
}

void CAmortGridDlg::OnScenarios()
{
    if (!CalculateIfTyped())
        return;
    CGridScenariosDlg scenarios(this, profile_, model_->Table());
    scenarios.exec();
    if (const GridScenario *opened = scenarios.Opened())
        OpenScenario(*opened);
}

GridComparison CAmortGridDlg::ComparisonNow() const
{
    const std::vector<GridScenario> scenarios = LoadGridScenarios(profile_->Snapshot());
    const std::unique_ptr<LoanAnalysis> plan = record_ ? PlanAnalysisFor(*record_) : nullptr;
    return CompareGrid(model_->Table(), scenarios, plan.get());
}

void CAmortGridDlg::OnCompare()
{
    if (!CalculateIfTyped())
        return;
    CGridCompareDlg compare(this, model_->Table(), ComparisonNow(), printer_);
    compare.exec();
}

bool CAmortGridDlg::ExportCsvTo(const QString &path)
{
    return CalculateIfTyped() && WriteGridFile(this, path, GridCsv(model_->Table()));
}

bool CAmortGridDlg::SavePdfTo(const QString &path)
{
    if (!CalculateIfTyped())
        return false;
    QString error;
    if (!WriteGridPdf(CGridPrintout(model_->Table()), path, &error)) {
        ShowMessage(this, error);
        return false;
    }
    return true;
}

void CAmortGridDlg::OnExportCsv()
{
    if (!CalculateIfTyped())
        return;
    const QString path = AskGridFileName(this, QStringLiteral("Export the Grid as CSV"),
        QStringLiteral("amortization-grid.csv"), QStringLiteral("CSV files (*.csv)"), ".csv");
    if (!path.isEmpty())
        ExportCsvTo(path);
}

void CAmortGridDlg::OnSavePdf()
{
    if (!CalculateIfTyped())
        return;
    const QString path = AskGridFileName(this, QStringLiteral("Save the Grid as PDF"),
        QStringLiteral("amortization-grid.pdf"), QStringLiteral("PDF files (*.pdf)"), ".pdf");
    if (!path.isEmpty())
        SavePdfTo(path);
}

void CAmortGridDlg::OnPrint()
{
    if (!CalculateIfTyped())
        return;
    const CGridPrintout printout(model_->Table());
    OpenGridPrintPreview(
        this, printer_, ownPrinter_,
        [&](QPainter &painter, QPrinter &device, int from, int to) {
            RenderGridPrintout(painter, device, printout, from, to);
        },
        [this](QWidget *preview) {
            const QString path = AskGridFileName(preview, QStringLiteral("Save the Grid as PDF"),
                QStringLiteral("amortization-grid.pdf"), QStringLiteral("PDF files (*.pdf)"), ".pdf");
            if (!path.isEmpty())
                SavePdfTo(path);
        });
}

void CAmortGridDlg::accept()
{
    if (Corrupted()) { // nothing to store: OK only closes
        done(kResultYes);
        return;
    }
    if (!CalculateIfTyped())
        return;
    // A table reset to the client's loan stores that loan too, or the next opening would
    // find no grid data and the user's work would be lost.
    const SaveStatus saved = StoreGridInputs(model_->Table(), *profile_, model_->FromLoan());
    if (!saved) {
        ShowMessage(this, QString::fromStdString(saved.message));
        return;
    }
    done(kResultYes);
}

} // namespace tw
