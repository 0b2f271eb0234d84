// The amortization grid dialog: what it loads, what the model lets the user edit,
// Calculate, undo, OK and what it stores, and its exports.
#include "engine/grid.h"
#include "engine/grid_text.h"
#include "format/number_text.h"
#include "record/client_record.h"
#include "record/grid_inputs.h"
#include "record/profile_store.h"
#include "screens/grid_dlg.h"
#include "screens/grid_model.h"
#include "screens/result_codes.h"
#include "screens/ui_common.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <memory>

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
        QCOMPARE(Text(m, 30, kGridPayment), QStringLiteral("599.55"));
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

        // A rate typed with three decimals is taken as the grid shows and stores it.
        QVERIFY(m->setData(Cell(m, 2, kGridRate), QStringLiteral("6.875")));
        QVERIFY(dlg.Calculate());
        QCOMPARE(Text(m, 2, kGridRate), QStringLiteral("6.88"));
        QCOMPARE(Text(m, 3, kGridRate), QStringLiteral("6.88"));
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
        QCOMPARE(Text(m, 2, kGridRate), QStringLiteral("6.875"));
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
        QVERIFY(!dlg.UndoStack()->canUndo());
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
