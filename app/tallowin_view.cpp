#include "app/tallowin_view.h"

#include "app/screen_factory.h"
#include "engine/additional.h"
#include "engine/plan_dates.h"
#include "engine/schedules.h"
#include "entry/vendor_dlg.h"
#include "print/debit_export_actions.h"
#include "print/debit_schedule.h"
#include "print/print_job.h"
#include "print/print_service.h"
#include "rules/analysis_checks.h"
#include "rules/vendor_checks.h"
#include "screens/grid_dlg.h"
#include "rules/result_codes.h"
#include "screens/ui_common.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace tw {

namespace {
// The cursor shows the calculation is running and is restored however it ends.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};
} // namespace

CTallowinView::CTallowinView(QWidget *parent, std::string profilePath)
    : QWidget(parent)
    , profile_(std::move(profilePath))
    , printService_(std::make_unique<CPrintService>(this, profile_.Path()))
{
    setObjectName(QStringLiteral("tallowinView"));
    printService_->SetMessageHandler([](QWidget *parent, const QString &text) { ShowMessage(parent, text); });
}

CTallowinView::~CTallowinView() = default;

void CTallowinView::SetScreenFactory(std::unique_ptr<IScreenFactory> factory)
{
    screens_ = std::move(factory);
}

void CTallowinView::EnsureRecordLoaded()
{
    if (recordLoaded_)
        return;
    recordLoaded_ = true;
    record_.LoadFromProfile(profile_);
}

void CTallowinView::showEvent(QShowEvent *event)
{
    EnsureRecordLoaded();
    QWidget::showEvent(event);
}

void CTallowinView::OnSavingsDemonstration()
{
    EnsureRecordLoaded();
    if (!screens_)
        screens_ = std::make_unique<CDialogScreenFactory>(this, &record_, &profile_);
    // An additional payment belongs to the run it was chosen in; the loan-entry screen
    // saves the record, so the profile no longer offers an old one either.
    ClearAdditionalPayment(record_.Analysis);
    CWizardLoop(*screens_, *this).Run(wizardStep_);
}

void CTallowinView::Calculate()
{
    const std::string typedPayment = record_.Analysis.CurrentPaymentText;
    {
        WaitCursor wait;
        SetUpDebitDates(record_.Analysis);
        if (ComputeSchedules(record_.Analysis))
            ClearAdditionalPayment(record_.Analysis); // the new schedules carry none
    }
    // The raised payment is what the form will debit; it is never changed unsaid.
    if (const std::string notice = RaisedPaymentNotice(typedPayment, record_.Analysis.CurrentPaymentText);
        !notice.empty())
        ShowMessage(this, QString::fromStdString(notice));
}

void CTallowinView::ThankYou()
{
    ShowMessage(this, QString::fromStdString(ThankYouMessage(record_.Analysis.AverageMonthlySavings)));
}

void CTallowinView::FinishEnrollment()
{
    ShowMessage(this, QString::fromUtf8(kEnrollmentClosingMessage));
    OnEnrollmentPrint();
}

void CTallowinView::OnEnrollmentPrint()
{
    EnsureRecordLoaded();
    // The form prints the code typed at this start, even when the record loaded an older one.
    if (std::string code = profile_.Read("General", "VendorCode"); !code.empty())
        record_.VendorCode = std::move(code);
    printType_ = kPrintEnrollment;
    OpenPreview();
}

void CTallowinView::OnAmortizationGrid()
{
    EnsureRecordLoaded();
    CAmortGridDlg grid(this, &profile_, &record_, &printService_->Printer());
    grid.exec();
}

void CTallowinView::OnVendorEntryForm()
{
    EnsureRecordLoaded();
    int result = kResultCancel;
    {
        CVendorEntryDlg dialog(this, &record_, &profile_);
        result = dialog.exec();
    }
    if (result != kResultYes)
        return;
    {
        WaitCursor wait;
        // The form has checked that the loan computes; a failure here would leave the
        // previous client's figures, so it is said rather than printed.
        if (const auto failure = ComputeVendorAnalysis(record_)) {
            ShowMessage(this, QString::fromStdString(failure->message));
            return;
        }
    }
    OnVendorFormPrint();
}

void CTallowinView::OnVendorFormPrint()
{
    EnsureRecordLoaded();
    printType_ = kPrintAnalysisLetter;
    OpenPreview();
}

void CTallowinView::OnDebitSchedule()
{
    EnsureRecordLoaded();
    if (const auto refused = PrepareDebitSchedule(record_.Analysis)) {
        ShowMessage(this, QString::fromStdString(*refused));
        return;
    }
    printType_ = kPrintDebitSchedule;
    OpenPreview();
}

bool CTallowinView::OpenPreview()
{
    if (printService_->Preview(printType_, record_))
        return true;
    ShowMessage(this, QStringLiteral("Command failed: the print preview could not be opened."));
    return false;
}

void CTallowinView::OnFilePrintSetup()
{
    printService_->PrintSetup();
}

bool CTallowinView::SaveAsPdfTo(const QString &path)
{
    if (printType_ == kPrintNone) {
        ShowMessage(this,
            QStringLiteral("There is nothing to save yet. Print the enrollment form, the analysis letter or "
                           "the bi-weekly debit schedule first; Save as PDF saves the last printout."));
        return false;
    }
    QString error;
    if (!printService_->SaveAsPdf(printType_, record_, path, &error)) {
        ShowMessage(
            this, QStringLiteral("The PDF file %1 could not be saved. %2").arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    return true;
}

void CTallowinView::OnFileSaveAsPdf()
{
    EnsureRecordLoaded();
    if (printType_ == kPrintNone) {
        SaveAsPdfTo(QString()); // says there is nothing to save
        return;
    }
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save as PDF"),
        QDir::home().filePath(DefaultPdfFileName(printType_)), QStringLiteral("PDF files (*.pdf)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    SaveAsPdfTo(path);
}

void CTallowinView::OnFileSaveDebitCalendar()
{
    EnsureRecordLoaded();
    // The same range of dates as the printed schedule.
    if (const auto refused = PrepareDebitSchedule(record_.Analysis)) {
        ShowMessage(this, QString::fromStdString(*refused));
        return;
    }
    SaveDebitExportAs(this, DebitExport::Calendar, record_, profile_.Path(),
        [](QWidget *parent, const QString &text) { ShowMessage(parent, text); });
}

} // namespace tw
