// The amortization grid dialog: what it loads, what the model lets the user edit,
// Calculate, undo, OK and what it stores, and its exports.
#include "engine/grid.h"
#include "engine/grid_text.h"
#include "format/number_text.h"
#include "record/client_record.h"
#include "record/grid_inputs.h"
#include "record/grid_scenarios.h"
#include "record/profile_store.h"
#include "screens/grid_compare_dlg.h"
#include "screens/grid_dlg.h"
#include "screens/grid_model.h"
#include "screens/grid_scenarios_dlg.h"
#include "screens/grid_tools_dlg.h"
#include "rules/result_codes.h"
#include "screens/ui_common.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFont>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

#include <memory>
#include <tuple>

using namespace tw;

namespace {

const char *const kGridProfile = "[PrinBal]\nMth1=100000.00\nLoanTermYears=30\nLoanStartDate=11/15/1999\n"
                                 "[IntRate]\nMth1=7.50\n";

QModelIndex Cell(CGridModel *m, int month, int field)
{
    return m->index(month - 1, CGridModel::ColumnOfField(field));
}

QString Text(CGridModel *m, int month, int field)
{
    return m->CellText(month - 1, CGridModel::ColumnOfField(field));
}

} // namespace

class GridDlgTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        path_ = dir_->filePath(QStringLiteral("tallowin.ini")).toStdString();
        messages_.clear();
        SetMessageSink([this](const QString &text) { messages_ << text; });
    }
    void cleanup() { SetMessageSink({}); }

    void opensWithTheStoredLoan()
    {
        Write(kGridProfile);
        CAmortGridDlg dlg(nullptr, Store());
        QVERIFY(!dlg.Corrupted());
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Amortization Grid"));
        CGridModel *m = dlg.Model();
        QCOMPARE(m->rowCount(), 361); // the 30 years and the month that clears the rounding
        const QStringList headers {"Payment Date", "Pricipal Bal", "Payment", "Interest", "Principle",
            "Principle Reduction", "Interest Rate", "Adjustments"};
        for (int c = 0; c < 8; ++c)
            QCOMPARE(m->headerData(c, Qt::Horizontal).toString(), headers[c]);
        QCOMPARE(m->CellText(0, 0), QStringLiteral("11/15/1999"));
        QCOMPARE(m->CellText(2, 0), QStringLiteral("01/15/2000"));
        QCOMPARE(Text(m, 1, kGridPayment), QStringLiteral("699.21"));
        QCOMPARE(Text(m, 2, kGridBalance), QStringLiteral("99,925.79"));
        QCOMPARE(Text(m, 361, kGridBalance), QStringLiteral("6.38"));
        QCOMPARE(Text(m, 300, kGridRate), QStringLiteral("7.50"));

        // All eight columns are in sight without scrolling sideways.
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QVERIFY(!dlg.View()->horizontalScrollBar()->isVisible());
        QVERIFY(messages_.isEmpty());
        QVERIFY(dlg.TotalsText().contains(QStringLiteral("11/15/2029")));
    }

    void onlyTheInputsOfTheTablesMonthsAreEditable()
    {
        Write(kGridProfile);
        CAmortGridDlg dlg(nullptr, Store());
        CGridModel *m = dlg.Model();
        // The last month takes a rate too: 6.38 and its interest at 9 % / 12, 6.43.
        QVERIFY(m->setData(Cell(m, 361, kGridRate), QStringLiteral("9")));
        QVERIFY(dlg.Calculate());
        QCOMPARE(Text(m, 361, kGridPayment), QStringLiteral("6.43"));
        for (int c = 0; c < 8; ++c) {
            const bool input = c >= 5;
            QCOMPARE(bool(m->flags(m->index(0, c)) & Qt::ItemIsEditable), input);
            QCOMPARE(m->setData(m->index(0, c), QStringLiteral("5")), input);
        }
        QCOMPARE(Text(m, 1, kGridBalance), QStringLiteral("100,000.00")); // refused above

        // Once the loan ends early, the months after it take nothing.
        QVERIFY(m->setData(Cell(m, 10, kGridExtra), QStringLiteral("200000")));
        QVERIFY(dlg.Calculate());
        QCOMPARE(m->rowCount(), 360); // the term's rows stay, empty after month 10
        QVERIFY(!(m->flags(Cell(m, 11, kGridExtra)) & Qt::ItemIsEditable));
        QVERIFY(!m->setData(Cell(m, 20, kGridRate), QStringLiteral("5")));
        QCOMPARE(Text(m, 20, kGridBalance), QString());
    }

    void calculateUndoAndOkStoreWhatWasTyped()
    {
        Write(kGridProfile);
        auto dlg = std::make_unique<CAmortGridDlg>(nullptr, Store());
        CGridModel *m = dlg->Model();
        const QString before13 = Text(m, 13, kGridBalance);
        QVERIFY(m->setData(Cell(m, 12, kGridExtra), QStringLiteral("1,000.00")));
        QVERIFY(m->setData(Cell(m, 24, kGridRate), QStringLiteral("6%")));
        // Typed, marked, and not in the figures until Calculate.
        QVERIFY(m->data(Cell(m, 12, kGridExtra), Qt::FontRole).value<QFont>().bold());
        QCOMPARE(Text(m, 13, kGridBalance), before13);
        QTest::mouseClick(dlg->findChild<QPushButton *>("calculateButton"), Qt::LeftButton);
        QVERIFY(messages_.isEmpty());
        QCOMPARE(Text(m, 13, kGridBalance), QStringLiteral("98,078.23")); // 1,000.00 below 99,078.23
        QCOMPARE(Text(m, 23, kGridPayment), QStringLiteral("699.21"));
        QVERIFY(Text(m, 24, kGridPayment) != QStringLiteral("699.21")); // recast at 6 % from month 24
        QVERIFY(m->data(Cell(m, 12, kGridExtra), Qt::FontRole).value<QFont>().bold()); // still marked
        QVERIFY(!m->data(Cell(m, 11, kGridExtra), Qt::FontRole).value<QFont>().bold());
        QVERIFY(dlg->TotalsText().contains(QStringLiteral("sooner")));

        // Undo brings the cell's text back; Calculate takes it.
        QCOMPARE(dlg->UndoStack()->count(), 2);
        dlg->UndoStack()->undo(); // the rate
        QCOMPARE(Text(m, 24, kGridRate), QStringLiteral("7.50"));
        QVERIFY(dlg->Calculate());
        QCOMPARE(Text(m, 30, kGridPayment), QStringLiteral("699.21"));
        dlg->UndoStack()->redo();
        QCOMPARE(Text(m, 24, kGridRate), QStringLiteral("6%"));

        // OK calculates what was typed since, then stores.
        QTest::mouseClick(dlg->findChild<QPushButton *>("okButton"), Qt::LeftButton);
        QCOMPARE(dlg->result(), int(kResultYes));
        const CProfileSnapshot stored = Store()->Snapshot();
        QCOMPARE(stored.Read("AddPmt", "Mth12"), std::string("1000.00"));
        QCOMPARE(stored.Read("IntRate", "Mth24"), std::string("6.00"));
        QCOMPARE(stored.Read("IntRate", "Mth23"), std::string("7.50"));
        const GridTable shown = m->Table();

        // Reopened, the grid shows the same schedule.
        CAmortGridDlg again(nullptr, Store());
        for (int n = 1; n <= GridMonthCount(shown) + 1; ++n)
            for (int f = 0; f < kGridFieldCount; ++f)
                QCOMPARE(Text(again.Model(), n, f), Text(m, n, f));
    }

    void keyboardUndoChartAndTypedPrecision()
    {
        Write(kGridProfile);
        CAmortGridDlg dlg(nullptr, Store());
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        CGridModel *m = dlg.Model();
        auto *chart = dlg.findChild<QWidget *>("balanceChart");
        QVERIFY(chart);
        const QImage before = chart->grab().toImage();

        // A rate typed with three decimals keeps them; a fourth is dropped.
        QVERIFY(m->setData(Cell(m, 2, kGridRate), QStringLiteral("6.8751")));
        QVERIFY(dlg.Calculate());
        QCOMPARE(Text(m, 2, kGridRate), QStringLiteral("6.875"));
        QCOMPARE(Text(m, 3, kGridRate), QStringLiteral("6.875"));
        const GridTable once = m->Table();
        QVERIFY(dlg.Calculate()); // nothing typed: the same figures again
        QCOMPARE(Text(m, 200, kGridBalance), QString::fromStdString(FormatMoney(once.Month(200).Balance)));
        QVERIFY(chart->grab().toImage() != before); // the chart redrew with the new balances

        // A cell still being edited counts when Calculate is pressed; Enter
        // moves down a month and leaves the dialog open.
        dlg.View()->setCurrentIndex(Cell(m, 40, kGridExtra));
        dlg.View()->edit(Cell(m, 40, kGridExtra));
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(editor);
        editor->setText(QStringLiteral("300"));
        QVERIFY(dlg.Calculate());
        QCOMPARE(Text(m, 40, kGridExtra), QStringLiteral("300.00"));
        QCOMPARE(dlg.View()->currentIndex(), Cell(m, 40, kGridExtra)); // still on the month
        QVERIFY(m->data(Cell(m, 40, kGridExtra), Qt::FontRole).value<QFont>().bold());
        dlg.View()->setFocus();
        QTest::keyClick(dlg.View(), Qt::Key_Return);
        QCOMPARE(dlg.View()->currentIndex(), Cell(m, 41, kGridExtra));
        QVERIFY(dlg.isVisible());
        dlg.UndoStack()->undo(); // the extra
        QVERIFY(dlg.Calculate());

        dlg.View()->setFocus();
        QTest::keyClick(dlg.View(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Text(m, 2, kGridRate), QStringLiteral("7.50"));
        QTest::keyClick(dlg.View(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Text(m, 2, kGridRate), QStringLiteral("6.8751"));
    }

    void resetRestoresTheEnrollmentsInputs()
    {
        auto record = std::make_unique<CClientRecord>();
        LoanAnalysis &a = record->Analysis;
        a.CurrentDate = "12/07/2026";
        a.FirstPaymentDate = "06/01/2019";
        a.TermText = "30";
        a.AmountText = "180000.00";
        a.LowestRateText = "6.50";
        a.CurrentPaymentText = "1450.00";
        Write("[PrinBal]\nMth1=180000.00\nLoanTermYears=30\nLoanStartDate=06/01/2019\n[IntRate]\nMth1=9.00\n");
        CAmortGridDlg dlg(nullptr, Store(), record.get());
        CGridModel *m = dlg.Model();
        QCOMPARE(Text(m, 1, kGridRate), QStringLiteral("9.00"));
        QVERIFY(m->setData(Cell(m, 5, kGridExtra), QStringLiteral("100")));
        QTest::mouseClick(dlg.findChild<QPushButton *>("resetButton"), Qt::LeftButton);
        QVERIFY(messages_.isEmpty());
        GridTable expected = *EnrollmentGridInputs(*record);
        RecalculateGrid(expected);
        QCOMPARE(Text(m, 1, kGridRate), QStringLiteral("6.50"));
        QCOMPARE(Text(m, 5, kGridExtra), QStringLiteral("0.00"));
        QCOMPARE(m->rowCount(), GridShownRows(expected));
        QVERIFY(GridMonthCount(expected) < 360); // the plan's third debits are in it
        for (int n = 1; n <= GridMonthCount(expected); ++n)
            QCOMPARE(Text(m, n, kGridExtra), QString::fromStdString(FormatMoney(expected.Month(n).Extra)));
        // One step back brings the grid as it was, the typed cell still waiting.
        dlg.UndoStack()->undo();
        QCOMPARE(Text(m, 1, kGridRate), QStringLiteral("9.00"));
        QCOMPARE(Text(m, 5, kGridExtra), QStringLiteral("100"));
    }

    // A profile with the client's loan but no grid data: the message offers the reset, and
    // OK then stores the loan with the inputs, so that the grid and the command line open.
    void resetAfterTheCorruptionMessageIsKept()
    {
        Write("[Loan]\nCurrentDate=12/07/2026\nLoanStartDate=06/01/2019\nLoanTermYears=30\nLoanAmount=180000\n"
              "LowestRate=6.5\n[Mortgage]\nCurrentPayment=1450\n");
        auto record = std::make_unique<CClientRecord>();
        record->LoadFromProfile(Stored());
        auto dlg = std::make_unique<CAmortGridDlg>(nullptr, Store(), record.get());
        QVERIFY(dlg->Corrupted() && dlg->CanResetToLoan());
        SetMessageSink({}); // the real box, with its second button
        QString shown;
        QTimer::singleShot(0, [&] {
            QTimer::singleShot(0, [&] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                QVERIFY(box);
                shown = box->text();
                box->findChild<QPushButton *>("resetToLoanButton")->click();
            });
        });
        dlg->show();
        QTRY_VERIFY(!dlg->Corrupted());
        QCOMPARE(shown, QStringLiteral("Your amortization data has been corrupted, please rerun demo"));
        const GridTable reset = dlg->Model()->Table();
        dlg->UndoStack()->undo();
        QVERIFY(dlg->Corrupted());
        dlg->UndoStack()->redo();
        QTest::mouseClick(dlg->findChild<QPushButton *>("okButton"), Qt::LeftButton);
        QCOMPARE(dlg->result(), int(kResultYes));
        const CProfileSnapshot stored = Stored().Snapshot();
        QCOMPARE(stored.Read("PrinBal", "Mth1"), std::string("180000.00"));
        QCOMPARE(stored.Read("PrinBal", "LoanTermYears"), std::string("30"));
        QCOMPARE(stored.Read("PrinBal", "LoanStartDate"), std::string("06/01/2019"));

        // Reopened: the same figures, and the plan's extra payments marked as typed.
        CAmortGridDlg again(nullptr, Store(), record.get());
        QVERIFY(!again.Corrupted());
        QCOMPARE(GridMonthCount(again.Model()->Table()), GridMonthCount(reset));
        int marked = 0;
        for (int n = 1; n <= GridMonthCount(reset); ++n) {
            QCOMPARE(Text(again.Model(), n, kGridBalance), Text(dlg->Model(), n, kGridBalance));
            const bool bold
                = again.Model()->data(Cell(again.Model(), n, kGridExtra), Qt::FontRole).value<QFont>().bold();
            QCOMPARE(bold, reset.Month(n).Extra > 0);
            marked += bold;
        }
        QVERIFY(marked > 10);
    }

    // Each tool is one step of undo, marks what it filled and recalculates at once.
    void whatIfToolsAreOneUndoableStep()
    {
        Write("[PrinBal]\nMth1=300000.00\nLoanTermYears=30\nLoanStartDate=01/01/2020\n[IntRate]\nMth1=6.00\n");
        CAmortGridDlg dlg(nullptr, Store());
        CGridModel *m = dlg.Model();
        const QString plain61 = Text(m, 61, kGridPayment);

        CArmDlg arm(&dlg, m->Table());
        arm.preset->setCurrentIndex(3); // 5/1, caps 2/2/5
        arm.margin->setText(QStringLiteral("2.75"));
        arm.index->setText(QStringLiteral("5.5"));
        QVERIFY(arm.preview->text().contains(QStringLiteral("8.00% from month 61 (01/01/2025), 8.25% from month 73")));
        arm.accept();
        QCOMPARE(arm.result(), int(QDialog::Accepted));
        dlg.ApplyTool(arm);
        QCOMPARE(Text(m, 61, kGridPayment), QStringLiteral("2,154.63"));
        QCOMPARE(Text(m, 73, kGridPayment), QStringLiteral("2,199.93"));
        QVERIFY(m->IsTyped(62, kGridRate)); // filled by the tool, though no change of its own

        CMonthlyExtraDlg extra(&dlg, m->Table());
        extra.amount->setText(QStringLiteral("abc"));
        extra.accept();
        QVERIFY(messages_.last().contains(QStringLiteral("not a number")) && extra.result() == 0);
        extra.amount->setText(QStringLiteral("200"));
        extra.from->setValue(13);
        extra.accept();
        dlg.ApplyTool(extra);
        QCOMPARE(Text(m, 13, kGridExtra), QStringLiteral("200.00"));
        QVERIFY(m->IsTyped(13, kGridExtra) && !m->IsTyped(12, kGridExtra));

        CPayoffDlg payoff(&dlg, m->Table());
        payoff.month->setCurrentIndex(5);
        payoff.year->setValue(2040);
        payoff.accept();
        dlg.ApplyTool(payoff);
        QVERIFY(payoff.Summary().startsWith(QStringLiteral("An extra of ")));
        QVERIFY(GridMonthCount(m->Table()) <= 246); // 06/01/2040

        QCOMPARE(dlg.UndoStack()->count(), 3);
        dlg.UndoStack()->undo();
        dlg.UndoStack()->undo();
        QCOMPARE(Text(m, 13, kGridExtra), QStringLiteral("0.00"));
        QCOMPARE(Text(m, 61, kGridPayment), QStringLiteral("2,154.63"));
        dlg.UndoStack()->undo();
        QCOMPARE(Text(m, 61, kGridPayment), plain61);
        QVERIFY(!m->IsTyped(62, kGridRate));
    }

    // The keyboard alone: Delete empties a typed cell as one step, Tab leaves the table
    // after its last cell, Ctrl+Tab at once; a cell is read out with its month and column.
    void keyboardAndScreenReader()
    {
        Write(kGridProfile);
        CAmortGridDlg dlg(nullptr, Store());
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        CGridModel *m = dlg.Model();
        QTableView *view = dlg.View();
        QVERIFY(m->setData(Cell(m, 12, kGridExtra), QStringLiteral("1000")));
        QVERIFY(dlg.Calculate());
        view->setFocus();
        view->setCurrentIndex(Cell(m, 12, kGridExtra));
        QTest::keyClick(view, Qt::Key_Delete);
        QVERIFY(dlg.Calculate());
        QCOMPARE(Text(m, 12, kGridExtra), QStringLiteral("0.00"));
        QVERIFY(!m->IsTyped(12, kGridExtra));
        dlg.UndoStack()->undo();
        QCOMPARE(Text(m, 12, kGridExtra), QStringLiteral("1,000.00"));

        const auto *calculate = dlg.findChild<QPushButton *>("calculateButton");
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), view); // from cell to cell
        QTest::keyClick(view, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), calculate);
        view->setFocus();
        view->setCurrentIndex(m->index(m->rowCount() - 1, m->columnCount() - 1));
        QTest::keyClick(view, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), calculate);
        view->setFocus();
        view->setCurrentIndex(m->index(0, 0));
        QTest::keyClick(view, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), dlg.findChild<QPushButton *>("pdfButton"));

        QCOMPARE(
            m->headerData(1, Qt::Vertical, Qt::AccessibleTextRole).toString(), QStringLiteral("Month 2, 12/15/1999"));
        QCOMPARE(m->data(Cell(m, 12, kGridExtra), Qt::AccessibleDescriptionRole).toString(),
            QStringLiteral("Month 12, 10/15/2000, Principle Reduction, typed, not yet calculated"));
    }

    // After Calculate the columns are as wide as their widest text, typed ones in bold.
    void columnsFitTheirWidestText()
    {
        Write(kGridProfile);
        CAmortGridDlg dlg(nullptr, Store());
        CGridModel *m = dlg.Model();
        QVERIFY(m->setData(Cell(m, 300, kGridExtra), QStringLiteral("10000")));
        QVERIFY(dlg.Calculate());
        QFont bold = dlg.View()->font();
        bold.setBold(true);
        for (const auto &[column, text, font] : {std::tuple {CGridModel::ColumnOfField(kGridExtra), "10,000.00", bold},
                 std::tuple {0, "12/15/2000", dlg.View()->font()}, std::tuple {1, "100,000.00", dlg.View()->font()}})
            QVERIFY2(dlg.View()->columnWidth(column) > QFontMetrics(font).horizontalAdvance(QString::fromLatin1(text)),
                text);
    }

    void scenariosAreComparedAndExported()
    {
        Write(kGridProfile);
        CAmortGridDlg dlg(nullptr, Store());
        CGridModel *m = dlg.Model();
        QVERIFY(m->setData(Cell(m, 12, kGridExtra), QStringLiteral("5000")));
        QVERIFY(dlg.Calculate());
        {
            CProfileStore profile(path_);
            CGridScenariosDlg scenarios(&dlg, &profile, m->Table());
            scenarios.name->setText(QStringLiteral("Five thousand, once"));
            QVERIFY(scenarios.SaveCurrent());
            QCOMPARE(scenarios.list->count(), 1);
        }
        dlg.UndoStack()->undo();
        QVERIFY(dlg.Calculate());
        QCOMPARE(Text(m, 12, kGridExtra), QStringLiteral("0.00"));
        const GridComparison c = dlg.ComparisonNow();
        CGridCompareDlg compare(&dlg, m->Table(), c);
        QTableWidget *table = compare.Table();
        QCOMPARE(table->rowCount(), 3);
        QCOMPARE(table->item(2, 0)->text(), QStringLiteral("Five thousand, once"));
        QVERIFY(table->item(2, 5)->text().toInt() > 0); // months saved by the 5,000.00
        QCOMPARE(table->item(1, 5)->text(), QStringLiteral("0"));
        const QString csvPath = QString::fromStdString(path_) + QStringLiteral(".csv");
        QVERIFY(compare.ExportCsvTo(csvPath));
        QFile csv(csvPath);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = csv.readAll().split('\n');
        QCOMPARE(lines.value(3).left(22), QByteArray("\"Five thousand, once\","));
        QVERIFY(compare.SavePdfTo(QString::fromStdString(path_) + QStringLiteral(".pdf")));

        const GridScenario *opened = FindScenario(LoadGridScenarios(Stored().Snapshot()), "five THOUSAND, once");
        QVERIFY(opened);
    }

    void badEntriesAreRefusedAndNothingIsStored()
    {
        Write(kGridProfile);
        const std::string original = kGridProfile;
        CAmortGridDlg dlg(nullptr, Store());
        CGridModel *m = dlg.Model();
        QVERIFY(m->setData(Cell(m, 5, kGridAdjustment), QStringLiteral("-20")));
        QVERIFY(!dlg.Calculate());
        QCOMPARE(messages_.size(), 1);
        QVERIFY2(messages_[0].contains("Adjustments of month 5") && messages_[0].contains("negative"),
            qPrintable(messages_[0]));
        QCOMPARE(dlg.View()->currentIndex(), Cell(m, 5, kGridAdjustment));
        dlg.accept(); // OK refuses too, the dialog stays
        QCOMPARE(dlg.result(), 0);
        QCOMPARE(messages_.size(), 2);
        QFile file(QString::fromStdString(path_));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().toStdString(), original);

        QVERIFY(m->setData(Cell(m, 5, kGridAdjustment), QStringLiteral("abc")));
        QVERIFY(!dlg.Calculate());
        QVERIFY(messages_.last().contains("not a number"));
    }

    void missingBalanceShowsTheCorruptionMessage()
    {
        Write("[PrinBal]\nLoanTermYears=30\n");
        CAmortGridDlg dlg(nullptr, Store());
        QVERIFY(dlg.Corrupted());
        dlg.show();
        QTRY_COMPARE(messages_.size(), 1);
        QCOMPARE(messages_[0], QStringLiteral("Your amortization data has been corrupted, please rerun demo"));
        QVERIFY(dlg.TotalsText().isEmpty());
        QCOMPARE(dlg.Model()->CellText(0, 1), QString());
        dlg.accept(); // nothing to store; OK still closes
        QCOMPARE(dlg.result(), int(kResultYes));
    }

    void unreadableProfileIsNamed()
    {
        path_ = dir_->path().toStdString(); // a folder where the profile should be
        CAmortGridDlg dlg(nullptr, Store());
        dlg.show();
        QTRY_COMPARE(messages_.size(), 1);
        QVERIFY2(
            messages_[0].contains(dir_->path()) && messages_[0].contains("cannot be read"), qPrintable(messages_[0]));
    }

    void exportsWriteTheEnginesBytes()
    {
        Write(kGridProfile);
        CAmortGridDlg dlg(nullptr, Store());
        const QString csvPath = QString::fromStdString(path_) + QStringLiteral(".csv");
        QVERIFY(dlg.ExportCsvTo(csvPath));
        QFile csv(csvPath);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        GridTable t = LoadGridInputs(Store()->Snapshot());
        RecalculateGrid(t);
        QCOMPARE(csv.readAll().toStdString(), GridCsv(t));

        const QString pdfPath = QString::fromStdString(path_) + QStringLiteral(".pdf");
        QVERIFY(dlg.SavePdfTo(pdfPath));
        QFile pdf(pdfPath);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
        // The client's figures are for the owner's eyes only.
        QCOMPARE(int(QFile::permissions(pdfPath) & (QFileDevice::ReadGroup | QFileDevice::ReadOther)), 0);
        QCOMPARE(int(QFile::permissions(csvPath) & (QFileDevice::ReadGroup | QFileDevice::ReadOther)), 0);
        QVERIFY(!dlg.ExportCsvTo(dir_->path())); // a folder: said so
        QCOMPARE(messages_.size(), 1);
    }

private:
    void Write(const char *text)
    {
        QFile f(QString::fromStdString(path_));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    CProfileStore Stored() const { return CProfileStore(path_); }
    CProfileStore *Store()
    {
        store_ = std::make_unique<CProfileStore>(path_);
        return store_.get();
    }

    std::unique_ptr<QTemporaryDir> dir_;
    std::string path_;
    std::unique_ptr<CProfileStore> store_;
    QStringList messages_;
};

QTEST_MAIN(GridDlgTest)
#include "tst_grid_dlg.moc"
