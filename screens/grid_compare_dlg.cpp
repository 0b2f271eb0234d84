#include "screens/grid_compare_dlg.h"

#include "format/number_text.h"
#include "print/grid_compare_print.h"
#include "screens/grid_widgets.h"
#include "screens/screen_frame.h"
#include "screens/ui_common.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tw {

namespace {

// Measures a wrapped name a little narrower than its cell: the style draws the text in
// less width than it measures it in, and a name one line short would end in "...".
class CWrappedNameDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem narrower = option;
        narrower.rect.setWidth(option.rect.width() - 2 * option.fontMetrics.averageCharWidth());
        return QStyledItemDelegate::sizeHint(narrower, index);
    }
};

} // namespace

CGridCompareDlg::CGridCompareDlg(QWidget *parent, const GridTable &grid, GridComparison comparison, QPrinter *printer)
    : QDialog(parent)
    , grid_(std::make_unique<GridTable>(grid))
    , comparison_(std::move(comparison))
    , printer_(printer)
    , table_(new QTableWidget(this))
    , chart_(new CBalanceChartView(this, QStringLiteral("Balance of each scenario, year by year")))
{
    setObjectName(QStringLiteral("gridCompareDlg"));
    setWindowTitle(QStringLiteral("Scenarios Compared"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setSizeGripEnabled(true);

    auto *intro = new QLabel(QStringLiteral("Each scenario's what-ifs on the loan of this grid. Months saved count "
                                            "against the loan paid as agreed."),
        this);
    intro->setObjectName(QStringLiteral("introLabel"));
    intro->setWordWrap(true);
    auto *tableLabel = new QLabel(QStringLiteral("&Scenarios side by side:"), this);
    tableLabel->setBuddy(table_);
    table_->setAccessibleName(QStringLiteral("Scenarios side by side")); // a table takes no name from its label

    const QStringList headings {QStringLiteral("Scenario"), QStringLiteral("Months"), QStringLiteral("Total paid"),
        QStringLiteral("Total interest"), QStringLiteral("Paid off"), QStringLiteral("Months saved")};
    table_->setObjectName(QStringLiteral("comparisonTable"));
    table_->setColumnCount(static_cast<int>(headings.size()));
    table_->setHorizontalHeaderLabels(headings);
    table_->setRowCount(static_cast<int>(comparison_.series.size()));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    table_->setWordWrap(true);
    for (int r = 0; r < table_->rowCount(); ++r) {
        const ComparisonSeries &s = comparison_.series[static_cast<std::size_t>(r)];
        const QString cells[] = {QString::fromStdString(s.name), QString::number(s.totals.months),
            QString::fromStdString(FormatMoney(s.totals.totalPaid)),
            QString::fromStdString(FormatMoney(s.totals.totalInterest)),
            s.totals.payoffDate.empty() ? QStringLiteral("-") : QString::fromStdString(s.totals.payoffDate),
            QString::number(s.totals.monthsSaved)};
        for (int c = 0; c < static_cast<int>(headings.size()); ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(r, c, item);
        }
    }
    // Headings wrap onto two lines and the names take what is left, so the figures are
    // in sight without scrolling sideways.
    QHeaderView *header = table_->horizontalHeader();
    header->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    header->setMinimumHeight(fontMetrics().lineSpacing() * 2 + 2 * style()->pixelMetric(QStyle::PM_HeaderMargin));
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < static_cast<int>(headings.size()); ++c) {
        int widest = 0;
        for (const QString &word : headings[c].split(QLatin1Char(' ')))
            widest = std::max(widest, fontMetrics().horizontalAdvance(word));
        for (int r = 0; r < table_->rowCount(); ++r)
            widest = std::max(widest, fontMetrics().horizontalAdvance(table_->item(r, c)->text()));
        header->setSectionResizeMode(c, QHeaderView::Fixed);
        table_->setColumnWidth(c, widest + fontMetrics().averageCharWidth() * 2);
    }
    // A long name takes more lines as its column narrows, never an ellipsis.
    table_->setTextElideMode(Qt::ElideNone);
    table_->setItemDelegateForColumn(0, new CWrappedNameDelegate(table_));
    connect(header, &QHeaderView::sectionResized, table_, &QTableView::resizeRowsToContents);
    table_->resizeRowsToContents();
    const int rowsShown = std::min(table_->rowCount(), 8);
    table_->setMinimumHeight(header->minimumHeight() + rowsShown * table_->verticalHeader()->defaultSectionSize()
        + 2 * table_->frameWidth());
    table_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);

    chart_->SetData(ComparisonChartOf(comparison_));
    auto *note = new QLabel(QString::fromStdString(comparison_.note), this);
    note->setObjectName(QStringLiteral("noteLabel"));
    note->setWordWrap(true);
    note->setVisible(!comparison_.note.empty());

    auto *print = MakeButton(QStringLiteral("&Print..."), "printButton", this);
    auto *pdf = MakeButton(QStringLiteral("Save as P&DF..."), "pdfButton", this);
    auto *csv = MakeButton(QStringLiteral("&Export CSV..."), "exportButton", this);
    auto *close = MakeButton(QStringLiteral("&Close"), "closeButton", this);
    close->setDefault(true);
    connect(print, &QPushButton::clicked, this, &CGridCompareDlg::OnPrint);
    connect(pdf, &QPushButton::clicked, this, [this] {
        const QString path = AskGridFileName(this, QStringLiteral("Save the Comparison as PDF"),
            QStringLiteral("scenarios-compared.pdf"), QStringLiteral("PDF files (*.pdf)"), ".pdf");
        if (!path.isEmpty())
            SavePdfTo(path);
    });
    connect(csv, &QPushButton::clicked, this, [this] {
        const QString path = AskGridFileName(this, QStringLiteral("Export the Comparison as CSV"),
            QStringLiteral("scenarios-compared.csv"), QStringLiteral("CSV files (*.csv)"), ".csv");
        if (!path.isEmpty())
            ExportCsvTo(path);
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(print);
    buttons->addWidget(pdf);
    buttons->addWidget(csv);
    buttons->addStretch(1);
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    const int margin = MarginPixels(this);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(GapPixels(this));
    layout->addWidget(intro);
    layout->addWidget(tableLabel);
    layout->addWidget(table_, 2);
    layout->addWidget(note);
    layout->addWidget(chart_, 3);
    layout->addLayout(buttons);
    const QSize least = DialogUnitsToPixels(font(), 280, 240);
    resize(least.width(), std::max(least.height(), fontMetrics().height() * 40));
    FitWindowToScreen(this, least);
}

CGridCompareDlg::~CGridCompareDlg() = default;

bool CGridCompareDlg::ExportCsvTo(const QString &path)
{
    return WriteGridFile(this, path, ComparisonCsv(comparison_));
}

bool CGridCompareDlg::SavePdfTo(const QString &path)
{
    QString error;
    if (!WriteComparisonPdf(CComparisonPrintout(*grid_, comparison_), path, &error)) {
        ShowMessage(this, error);
        return false;
    }
    return true;
}

void CGridCompareDlg::OnPrint()
{
    const CComparisonPrintout printout(*grid_, comparison_);
    OpenGridPrintPreview(
        this, printer_, ownPrinter_,
        [&](QPainter &painter, QPrinter &device, int from, int to) {
            RenderComparisonPrintout(painter, device, printout, from, to);
        },
        [this](QWidget *preview) {
            const QString path = AskGridFileName(preview, QStringLiteral("Save the Comparison as PDF"),
                QStringLiteral("scenarios-compared.pdf"), QStringLiteral("PDF files (*.pdf)"), ".pdf");
            if (!path.isEmpty())
                SavePdfTo(path);
        });
}

} // namespace tw
