// Vendor mode through the main window: the form, the calculation and the letter's preview.
#include "app/main_frame.h"
#include "app/startup.h"
#include "app/tallowin_view.h"
#include "app_test_support.h"
#include "engine/figures.h"
#include "engine/plan_dates.h"
#include "engine/schedules.h"
#include "record/profile_store.h"

#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include <memory>

using namespace tw;

class VendorModeTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        messages_ = std::make_unique<test::MessageLog>();
    }
    void cleanup() { messages_.reset(); }

    void printComputesAndPreviewsTheLetter()
    {
        CMainFrame frame(ProfilePath());
        frame.SetStartMode(kStartVendor);
        CTallowinView *view = frame.View();
        test::ModalScript script;
        script.Add("tw::CVendorEntryDlg", [](QWidget *w) {
            auto type = [w](const char *name, const char *text) {
                w->findChild<QLineEdit *>(QString::fromLatin1(name))->setText(QString::fromLatin1(text));
            };
            type("currentDateEdit", "12/07/2026");
            type("firstName1Edit", "Margaret");
            type("lastName1Edit", "Ellison");
            type("addressEdit", "418 Larkspur Lane");
            type("cityEdit", "Fairhaven");
            type("stateEdit", "OH");
            type("zipEdit", "44123");
            type("firstPaymentDateEdit", "06/01/2019");
            type("termEdit", "30");
            type("amountEdit", "$180,000");
            type("currentPaymentEdit", "1450");
            type("lowestRateEdit", "6.5%");
            QTest::mouseClick(w->findChild<QPushButton *>("printButton"), Qt::LeftButton);
        });
        QSize previewSize;
        bool maximized = false;
        script.Add("QPrintPreviewDialog", [&](QWidget *w) {
            previewSize = w->size();
            maximized = w->isMaximized();
            QMetaObject::invokeMethod(w, "reject");
        });
        frame.ExecuteCommand(kCmdVendorEntryForm);
        QVERIFY2(script.failure.isEmpty(), qPrintable(script.failure));
        QVERIFY(script.Done());
        QCOMPARE(messages_->texts, QStringList());
        QCOMPARE(view->PrintType(), 2);
        // Print and Save as PDF stay in reach on a 1024 x 768 screen.
        QVERIFY(maximized || (previewSize.width() >= 1000 && previewSize.height() >= 800));

        // The letter's figures are the engine's for the same loan typed plainly.
        auto plain = std::make_unique<LoanAnalysis>();
        plain->CurrentDate = "12/07/2026";
        plain->FirstPaymentDate = "06/01/2019";
        plain->TermText = "30";
        plain->AmountText = "180000";
        plain->CurrentPaymentText = "1450";
        plain->LowestRateText = "6.5";
        QVERIFY(SetUpDebitDates(*plain) && ComputeSchedules(*plain));
        ComputeSummaryFigures(*plain);
        const LoanAnalysis &a = view->Record().Analysis;
        QCOMPARE(a.TotalPaymentSavings, plain->TotalPaymentSavings);
        QCOMPARE(a.FiveYearPayments, plain->FiveYearPayments);
        QCOMPARE(a.InvestmentValue, plain->InvestmentValue);
        QCOMPARE(QString::fromStdString(a.AmountText), QStringLiteral("$180,000"));

        // The saved record keeps what was typed; the letter saves as PDF like the others.
        CProfileStore stored(ProfilePath());
        QCOMPARE(stored.Read("Loan", "LoanAmount"), std::string("$180,000"));
        const QString pdf = dir_->filePath("letter.pdf");
        QVERIFY(view->SaveAsPdfTo(pdf));
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.read(5), QByteArray("%PDF-"));
    }

    void closeLeavesEverythingAsItWas()
    {
        CMainFrame frame(ProfilePath());
        test::ModalScript script;
        script.Add("tw::CVendorEntryDlg",
            [](QWidget *w) { QTest::mouseClick(w->findChild<QPushButton *>("closeButton"), Qt::LeftButton); });
        frame.ExecuteCommand(kCmdVendorEntryForm);
        QVERIFY(script.Done() && script.failure.isEmpty());
        QCOMPARE(frame.View()->PrintType(), -1);
        QVERIFY(!QFile::exists(QString::fromStdString(ProfilePath())));
    }

    void letterCommandOpensThePreview()
    {
        CMainFrame frame(ProfilePath());
        test::ModalScript script;
        script.Add("QPrintPreviewDialog", [](QWidget *w) { QMetaObject::invokeMethod(w, "reject"); });
        frame.ExecuteCommand(kCmdVendorFormPrint);
        QVERIFY(script.Done() && script.failure.isEmpty());
        QCOMPARE(frame.View()->PrintType(), 2);
    }

private:
    std::string ProfilePath() const { return dir_->filePath("tallowin.ini").toStdString(); }

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<test::MessageLog> messages_;
};

QTEST_MAIN(VendorModeTest)
#include "test_vendor_mode.moc"
