#include "cli/letters_command.h"

#include "cli/letters_csv.h"
#include "cli/options.h"
#include "cli/print_command.h"
#include "print/print_job.h"
#include "print/print_types.h"
#include "record/client_record.h"

#include <QGuiApplication>
#include <QString>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace tw {

namespace {

constexpr const char *kUsage
    = "usage: tallowin-cli letters --csv PROSPECTS.csv --out DIR [--today MM/DD/YYYY] [--jobs N]\n";

// A row that passed the checks, and where its letter goes.
struct Letter {
    int line = 0;
    VendorForm form;
    std::string path;
};

std::string OneLine(std::string text)
{
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

std::optional<std::string> ReadFile(const std::string &path, std::string &text)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return "The CSV file \"" + path + "\" is a folder, not a file.";
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "The CSV file \"" + path + "\" cannot be read.";
    std::ostringstream all;
    all << in.rdbuf();
    text = all.str();
    return std::nullopt;
}

int JobCount(const cli::Options &options, std::size_t letters)
{
    unsigned n = std::max(1u, std::thread::hardware_concurrency());
    if (const auto jobs = options.value("--jobs"))
        n = static_cast<unsigned>(std::max(1, std::atoi(jobs->c_str())));
    return static_cast<int>(std::max<std::size_t>(1, std::min<std::size_t>(n, letters)));
}

} // namespace

int RunLettersCommand(const std::vector<std::string> &args)
{
    return RunLettersCommand(args, std::cout, std::cerr, isatty(STDERR_FILENO) != 0);
}

int RunLettersCommand(const std::vector<std::string> &args, std::ostream &out, std::ostream &err, bool progress)
{
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << kUsage;
        return 0;
    }
    const cli::Options options(args, {"--csv", "--out", "--today", "--jobs"}, {});
    std::string problem = options.error();
    if (problem.empty() && !options.positional().empty())
        problem = "Unexpected argument \"" + options.positional().front() + "\".";
    const std::string csvPath = options.value("--csv").value_or("");
    const std::string outDir = options.value("--out").value_or("");
    if (problem.empty() && csvPath.empty())
        problem = "Name the prospects' CSV file with --csv FILE.";
    if (problem.empty() && outDir.empty())
        problem = "Name the folder for the letters with --out DIR.";
    if (problem.empty() && options.has("--jobs") && std::atoi(options.value("--jobs")->c_str()) < 1)
        problem = "The option --jobs needs a number of 1 or more.";
    if (!problem.empty()) {
        err << problem << "\n" << kUsage;
        return 2;
    }
    const std::string today = options.value("--today").value_or(cli::TodayText());

    std::string text;
    if (const auto unreadable = ReadFile(csvPath, text)) {
        err << *unreadable << "\n";
        return 2;
    }
    const cli::CsvTable table = cli::ParseCsv(text);
    if (!table.error.empty() || table.rows.empty()) {
        err << csvPath << ": " << (table.rows.empty() ? "the file has no header row." : table.error) << "\n";
        return 2;
    }
    const cli::ProspectColumns columns = cli::ReadProspectHeader(table.rows.front().fields);
    if (!columns.error.empty()) {
        err << csvPath << ":" << table.rows.front().line << ": " << columns.error << "\n";
        return 2;
    }

    std::error_code ec;
    std::filesystem::create_directories(outDir, ec);
    if (!std::filesystem::is_directory(outDir, ec)) {
        err << "The folder \"" << outDir << "\" for the letters cannot be made.\n";
        return 1;
    }

    // Every row is checked here, in order, so that the reports and the file names do not
    // depend on which worker gets which row.
    const std::size_t headerFields = table.rows.front().fields.size();
    std::vector<Letter> letters;
    std::set<std::string> used;
    int refused = 0;
    auto scratch = std::make_unique<CClientRecord>();
    for (std::size_t i = 1; i < table.rows.size(); ++i) {
        const cli::CsvRow &row = table.rows[i];
        Letter letter {row.line, {}, {}};
        std::string complaint = cli::ProspectForm(row, columns, headerFields, today, letter.form);
        if (complaint.empty()) {
            *scratch = CClientRecord {};
            if (const auto failure = PrepareVendorLetter(letter.form, *scratch)) {
                const std::string key = VendorProfileKey(failure->field);
                complaint = OneLine(failure->message) + (key.empty() ? "" : " (" + key + ")");
            }
        }
        if (!complaint.empty()) {
            err << csvPath << ":" << row.line << ": " << complaint << "\n";
            ++refused;
            continue;
        }
        letter.path = (std::filesystem::path(outDir) / cli::LetterFileName(letter.form, row.line, used)).string();
        letters.push_back(std::move(letter));
    }

    const auto app = EnsureGuiApplication();
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        err << "Printing needs Qt's GUI application; none is running.\n";
        return 1;
    }

    // The letters are independent: each worker takes the next one until none is left.
    std::atomic<std::size_t> next {0};
    std::atomic<std::size_t> done {0};
    std::vector<std::string> failures(letters.size());
    auto work = [&] {
        auto record = std::make_unique<CClientRecord>();
        for (std::size_t i; (i = next.fetch_add(1)) < letters.size();) {
            *record = CClientRecord {};
            PrepareVendorLetter(letters[i].form, *record);
            QString error;
            if (!WritePrintoutPdf(kPrintAnalysisLetter, *record, QString::fromStdString(letters[i].path), &error))
                failures[i] = error.toStdString();
            done.fetch_add(1);
        }
    };
    const int jobs = JobCount(options, letters.size());
    std::vector<std::thread> workers;
    for (int j = 1; j < jobs; ++j)
        workers.emplace_back(work);
    std::thread progressLine;
    std::atomic<bool> finished {false};
    if (progress && !letters.empty()) {
        progressLine = std::thread([&] {
            while (!finished.load()) {
                err << "\rWriting letters: " << done.load() << " of " << letters.size() << std::flush;
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
            }
        });
    }
    work();
    for (std::thread &w : workers)
        w.join();
    finished = true;
    if (progressLine.joinable()) {
        progressLine.join();
        err << "\rWriting letters: " << done.load() << " of " << letters.size() << "\n";
    }

    int unwritten = 0;
    for (std::size_t i = 0; i < letters.size(); ++i)
        if (!failures[i].empty()) {
            err << csvPath << ":" << letters[i].line << ": " << failures[i] << "\n";
            ++unwritten;
        }
    const std::size_t written = letters.size() - static_cast<std::size_t>(unwritten);
    out << "Wrote " << written << (written == 1 ? " letter" : " letters") << " to " << outDir;
    if (refused > 0)
        out << "; " << refused << (refused == 1 ? " row" : " rows") << " refused";
    if (unwritten > 0)
        out << "; " << unwritten << (unwritten == 1 ? " letter" : " letters") << " could not be written";
    out << ".\n";
    if (unwritten > 0)
        return 1;
    return refused > 0 ? 2 : 0;
}

} // namespace tw
