// The amortization grid dialog opening on a 40-year loan: the profile read, 480 months
// recalculated, the columns measured, the dialog shown and painted (offscreen).
#include "record/profile_store.h"
#include "screens/grid_dlg.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>

namespace {

std::string GridProfile(const QTemporaryDir &dir)
{
    const std::string path = dir.filePath(QStringLiteral("tallowin.ini")).toStdString();
    std::ofstream out(path);
    out << "[PrinBal]\nMth1=300000.00\nLoanTermYears=40\nLoanStartDate=01/01/2020\n[IntRate]\n";
    for (int n = 1; n <= 480; ++n)
        out << "Mth" << n << "=6.50\n";
    out << "[AddPmt]\n";
    for (int n = 1; n <= 480; ++n)
        out << "Mth" << n << "=" << (n % 12 == 0 ? "500.00" : "0.00") << "\n";
    return path;
}

void OpenGridDialog(benchmark::State &state)
{
    QTemporaryDir dir;
    tw::CProfileStore profile(GridProfile(dir));
    for (auto _ : state) {
        auto dlg = std::make_unique<tw::CAmortGridDlg>(nullptr, &profile);
        dlg->show();
        dlg->repaint();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(dlg->TotalsText());
        dlg.reset();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(OpenGridDialog)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
