#include "screens/grid_dlg.h"

#include "engine/grid_text.h"
#include "format/number_text.h"
#include "print/grid_chart.h"
#include "print/grid_print.h"
#include "print/preview_window.h"
#include "print/print_job.h"
#include "record/grid_inputs.h"
#include "record/profile_file_system.h"
#include "record/profile_store.h"
#include "screens/grid_model.h"
#include "screens/result_codes.h"
#include "screens/screen_frame.h"
#include "screens/ui_common.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>

namespace tw {

// The table view, able to take over a cell still being edited when a button is pressed
// by its shortcut (a click would have ended the editing already).
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
    // Enter moves down a month, as in a spreadsheet, rather than closing the dialog.
    void keyPressEvent(QKeyEvent *event) override
    {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier
            && state() != EditingState && currentIndex().isValid()) {
            setCurrentIndex(
                model()->index(std::min(currentIndex().row() + 1, model()->rowCount() - 1), currentIndex().column()));
            event->accept();
            return;
        }
        QTableView::keyPressEvent(event);
    }
};

// The balance chart under the grid, drawn by the routine the printout uses.
class CBalanceChartView : public QWidget {
public:
    explicit CBalanceChartView(QWidget *parent)
        : QWidget(parent)
    {
        setObjectName(QStringLiteral("balanceChart"));
        setMinimumHeight(fontMetrics().height() * 9);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }
    void SetData(BalanceChartData data)
    {
        data_ = std::move(data);
        update();
    }
    const BalanceChartData &Data() const { return data_; }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), palette().base());
        const int m = fontMetrics().height() / 2;
        DrawBalanceChart(p, QRectF(rect().adjusted(m, m, -m, -m)), data_, font());
    }

private:
    BalanceChartData data_;
};

CAmortGridDlg::CAmortGridDlg(QWidget *parent, CProfileStore *profile, const CClientRecord *record, QPrinter *printer)
    : QDialog(parent)
    , profile_(profile)
    , record_(record)
    , printer_(printer)
    , model_(new CGridModel(this))
    , view_(new CGridTableView(this))
    , undo_(new QUndoStack(this))
    , chart_(new CBalanceChartView(this))
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
    // The widest figures are the first months' balances: a sample of rows measures them.
    view_->horizontalHeader()->setResizeContentsPrecision(60);
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
    auto *okButton = MakeButton(QStringLiteral("&OK"), "okButton", this, 1);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &CAmortGridDlg::accept);
    auto *cancelButton = MakeButton(QStringLiteral("C&ancel"), "cancelButton", this, 2);
    connect(cancelButton, &QPushButton::clicked, this, &CAmortGridDlg::reject);
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(gap);
    buttons->addWidget(calculateButton_);
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

    connect(model_, &CGridModel::calculated, this, &CAmortGridDlg::ShowFigures);

    const CProfileSnapshot snapshot = profile_->Snapshot();
    const GridTable loaded = LoadGridInputs(snapshot);
    corrupted_ = !GridHasLoan(loaded);
    if (snapshot.ReadError() != 0) // not the data's fault: say what kept it from being read
        openingMessage_ = QStringLiteral("The grid data cannot be read from %1: %2.")
                              .arg(QString::fromStdString(profile_->Path()),
                                  QString::fromStdString(DescribeFileError(snapshot.ReadError())));
    else if (corrupted_)
        openingMessage_ = QString::fromLatin1(kGridCorruptedMessage);
    model_->SetTable(loaded);
    FitToColumns();
}

CAmortGridDlg::~CAmortGridDlg() = default;

void CAmortGridDlg::FitToColumns()
{
    // A column is as wide as its figures or the longest word of its heading, whichever is
    // wider; the headings wrap onto two lines.
    QHeaderView *header = view_->horizontalHeader();
    const QFontMetrics headerMetrics(header->font());
    const int padding = fontMetrics().averageCharWidth() + 2 * style()->pixelMetric(QStyle::PM_HeaderMargin);
    const QHeaderView *rowHeader = view_->verticalHeader();
    int width = std::max(rowHeader->sizeHint().width(), rowHeader->minimumWidth()) + 2 * view_->frameWidth()
        + view_->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < model_->columnCount(); ++c) {
        int widest = static_cast<QAbstractItemView *>(view_)->sizeHintForColumn(c);
        for (const QString &word : model_->headerData(c, Qt::Horizontal).toString().split(QLatin1Char(' ')))
            widest = std::max(widest, headerMetrics.horizontalAdvance(word));
        view_->setColumnWidth(c, widest + padding);
        width += view_->columnWidth(c);
    }
    header->setMinimumHeight(headerMetrics.lineSpacing() * 2 + 2 * style()->pixelMetric(QStyle::PM_HeaderMargin));
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
        QTimer::singleShot(0, this, [this] { ShowMessage(this, openingMessage_); });
}

QString CAmortGridDlg::TotalsText() const
{
    if (corrupted_ || GridMonthCount(model_->Table()) == 0)
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
    chart_->SetData(corrupted_ ? BalanceChartData {} : BalanceChartOf(model_->Table(), model_->Level()));
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
    if (corrupted_) {
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
    corrupted_ = false;
    undo_->clear();
    model_->SetTable(*inputs);
}

bool CAmortGridDlg::ExportCsvTo(const QString &path)
{
    if (!CalculateIfTyped())
        return false;
    if (path.isEmpty()) {
        ShowMessage(this, QStringLiteral("No file name was given for the CSV file."));
        return false;
    }
    // The same safe replacement as the profile's: the old file stays until the new one is
    // whole, and the client's figures are readable by their owner only.
    const std::string csv = GridCsv(model_->Table());
    const FileReplacement done
        = ReplacePrivateFile(*PosixProfileFileSystem(), QFile::encodeName(path).toStdString(), csv, false);
    if (done.outcome == FileReplacement::kNotReplaced) {
        ShowMessage(this,
            QStringLiteral("The file %1 could not be saved: %2.")
                .arg(QDir::toNativeSeparators(path), QString::fromStdString(done.reason)));
        return false;
    }
    return true;
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

namespace {

QString AskFileName(
    QWidget *parent, const QString &title, const QString &name, const QString &filter, const char *suffix)
{
    QString path = QFileDialog::getSaveFileName(parent, title, QDir::home().filePath(name), filter);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QLatin1String(suffix);
    return path;
}

} // namespace

void CAmortGridDlg::OnExportCsv()
{
    if (!CalculateIfTyped())
        return;
    const QString path = AskFileName(this, QStringLiteral("Export the Grid as CSV"),
        QStringLiteral("amortization-grid.csv"), QStringLiteral("CSV files (*.csv)"), ".csv");
    if (!path.isEmpty())
        ExportCsvTo(path);
}

void CAmortGridDlg::OnSavePdf()
{
    if (!CalculateIfTyped())
        return;
    const QString path = AskFileName(this, QStringLiteral("Save the Grid as PDF"),
        QStringLiteral("amortization-grid.pdf"), QStringLiteral("PDF files (*.pdf)"), ".pdf");
    if (!path.isEmpty())
        SavePdfTo(path);
}

void CAmortGridDlg::OnPrint()
{
    if (!CalculateIfTyped())
        return;
    if (!printer_) {
        ownPrinter_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        ownPrinter_->setPageSize(QPageSize(QPageSize::Letter));
        printer_ = ownPrinter_.get();
    }
    const CGridPrintout printout(model_->Table());
    QPrintPreviewDialog preview(printer_, this);
    preview.setObjectName(QStringLiteral("gridPrintPreview"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter *printer) {
        const auto draw = [&](QPainter &painter, QPrinter &device, int from, int to) {
            RenderGridPrintout(painter, device, printout, from, to);
        };
        if (QString error; !PaintPrinterJob(*printer, draw, &error))
            ShowMessage(&preview, error);
    });
    SetUpPreviewWindow(preview, [this, &preview] {
        const QString path = AskFileName(&preview, QStringLiteral("Save the Grid as PDF"),
            QStringLiteral("amortization-grid.pdf"), QStringLiteral("PDF files (*.pdf)"), ".pdf");
        if (!path.isEmpty())
            SavePdfTo(path);
    });
    preview.exec();
}

void CAmortGridDlg::accept()
{
    if (corrupted_) { // nothing to store: OK only closes
        done(kResultYes);
        return;
    }
    if (!CalculateIfTyped())
        return;
    if (GridHasLoan(model_->Table())) {
        const SaveStatus saved = StoreGridInputs(model_->Table(), *profile_);
        if (!saved) {
            ShowMessage(this, QString::fromStdString(saved.message));
            return;
        }
    }
    done(kResultYes);
}

} // namespace tw
