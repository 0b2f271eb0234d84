// Rendering a whole printout to a PDF file: fonts and pens made once, every page
// drawn, the file written. Run: build/bench/bench_print --benchmark_repetitions=5
#include "engine/figures.h"
#include "engine/plan_dates.h"
#include "engine/schedules.h"
#include "print/debit_schedule.h"
#include "print/print_job.h"
#include "print/print_types.h"
#include "record/client_record.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

tw::CClientRecord Client()
{
    tw::CClientRecord r;
    r.FirstName1 = "Margaret";
    r.LastName1 = "Okonkwo-Whitfield";
    r.MI1 = "J";
    r.FirstName2 = "Daniel";
    r.LastName2 = "Whitfield";
    r.Address = "1742 Sycamore Bend Drive";
    r.City = "Cedar Hollow";
    r.State = "IN";
    r.Zip = "46999";
    r.HomePhone = "(317) 555-0123";
    r.MortgageName = "First Prairie Savings";
    r.MortgageAccountNumber = "0045-778812";
    r.BankName = "Lakeview Community Bank";
    r.BankAccountNumber = "889900112";
    r.AccountType = tw::kAccountChecking;
    r.VendorCode = "TW-123456";
    tw::LoanAnalysis &a = r.Analysis;
    a.CurrentDate = "03/15/2024";
    a.FirstPaymentDate = "06/01/2019";
    a.TermText = "30";
    a.AmountText = "180000";
    a.LowestRateText = "6.5";
    a.CurrentPaymentText = "1250.00";
    a.AdditionalPaymentText = "0";
    tw::SetUpDebitDates(a);
    tw::ComputeSchedules(a);
    tw::ComputeSummaryScreenFigures(a);
    tw::PrepareDebitSchedule(a);
    return r;
}

void RenderToPdf(benchmark::State &state, int printType, const tw::CClientRecord &record = Client())
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("bench.pdf"));
    for (auto _ : state) {
        QString error;
        if (!tw::WritePrintoutPdf(printType, record, path, &error)) {
            state.SkipWithError(error.toUtf8().constData());
            break;
        }
    }
}

void BM_EnrollmentPackagePdf(benchmark::State &state)
{
    RenderToPdf(state, tw::kPrintEnrollment);
}
BENCHMARK(BM_EnrollmentPackagePdf)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// A megabyte pasted into the lender's name (and the vendor code, which is cut with an
// ellipsis): fitting it to its blank must cost about what fitting a name costs.
void BM_EnrollmentPackageMegabyteFieldPdf(benchmark::State &state)
{
    tw::CClientRecord record = Client();
    record.MortgageName.assign(1 << 20, 'W');
    record.VendorCode.assign(1 << 20, '7');
    RenderToPdf(state, tw::kPrintEnrollment, record);
}
BENCHMARK(BM_EnrollmentPackageMegabyteFieldPdf)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_DebitSchedulePdf(benchmark::State &state)
{
    RenderToPdf(state, tw::kPrintDebitSchedule);
}
BENCHMARK(BM_DebitSchedulePdf)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char **argv)
{
    // Fonts need a GUI application; no display is needed for a PDF.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
