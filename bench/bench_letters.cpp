// `tallowin-cli letters` in process: 1,000 prospects' letters written as PDF files on two
// workers. Run: build/bench/bench_letters --benchmark_repetitions=3
#include "cli/letters_command.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string ProspectsCsv(int rows)
{
    std::ostringstream csv;
    csv << "FirstName1,LastName1,Address,City,State,Zip,LoanStartDate,LoanTermYears,LoanAmount,CurrentPayment,"
           "LowestRate\n";
    for (int i = 0; i < rows; ++i) {
        // Loans of different sizes, ages and rates, so no two letters are alike.
        csv << "Prospect" << i << ",Family" << i << "," << (100 + i) << " Larkspur Lane,Fairhaven,OH,44123,"
            << (i % 12 + 1 < 10 ? "0" : "") << (i % 12 + 1) << "/01/" << (2005 + i % 20) << ","
            << (i % 3 == 0 ? 15 : 30) << ",\"$" << (90 + i % 400) << ",000\"," << (900 + i % 700) << ","
            << 3 + (i % 50) / 10.0 << "%\n";
    }
    return csv.str();
}

void BM_ThousandLettersOnTwoWorkers(benchmark::State &state)
{
    QTemporaryDir dir;
    const std::string csv = dir.filePath(QStringLiteral("prospects.csv")).toStdString();
    std::ofstream(csv) << ProspectsCsv(1000);
    const std::string out = dir.filePath(QStringLiteral("letters")).toStdString();
    for (auto _ : state) {
        std::ostringstream text;
        std::ostringstream errors;
        const int code = tw::RunLettersCommand(
            {"--csv", csv, "--out", out, "--today", "12/07/2026", "--jobs", "2"}, text, errors, false);
        if (code != 0) {
            state.SkipWithError(errors.str().c_str());
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_ThousandLettersOnTwoWorkers)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
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
