#include "cli/letters_command.h"

#include "cli/letters_csv.h"
#include "cli/options.h"
#include "cli/print_command.h"
#include "print/print_job.h"
#include "print/print_types.h"
#include "record/client_record.h"
#include "record/profile_store.h"

#include <QGuiApplication>
#include <QString>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <unistd.h>

namespace tw {

namespace {

constexpr const char *kUsage
    = "usage: tallowin-cli letters --csv PROSPECTS.csv --out DIR [--today MM/DD/YYYY] [--jobs N]\n";

// The largest prospects' file that is read: some 300,000 rows, far more than one mailing.
constexpr std::size_t kMaxCsvBytes = std::size_t {64} << 20;

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

// The prospects' file, whole: a regular file of at most kMaxCsvBytes, so that a device
// or a pipe (/dev/zero) is refused at once rather than read until memory runs out.
std::optional<std::string> ReadCsv(const std::string &path, std::string &text)
{
    const std::string named = "The CSV file \"" + path + "\"";
    switch (const int error = ReadRegularFile(path, kMaxCsvBytes, text)) {
    case 0:
        return std::nullopt;
    case ENOENT:
        return named + " does not exist.";
    case EISDIR:
        return named + " is a folder, not a file.";
    case EINVAL:
        return named + " is not a regular file.";
    case EFBIG:
        return named + " is larger than " + std::to_string(kMaxCsvBytes >> 20)
            + " MiB, more than any list of prospects needs.";
    default:
        return named + " cannot be read: " + DescribeFileError(error) + ".";
    }
}

// --jobs N: a whole number from 1; more than a few workers per core only wait their turn.
std::optional<std::string> ReadJobs(const cli::Options &options, unsigned &jobs, std::string &note)
{
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const unsigned most = 4 * cores;
    jobs = cores;
    const auto text = options.value("--jobs");
    if (!text)
        return std::nullopt;
    const bool digits
        = !text->empty() && std::all_of(text->begin(), text->end(), [](char c) { return c >= '0' && c <= '9'; });
    const std::size_t significant = digits ? std::min(text->find_first_not_of('0'), text->size()) : 0;
    if (!digits || significant == text->size())
        return "The option --jobs needs a whole number of 1 or more, not \"" + *text + "\".";
    const unsigned long long n = text->size() - significant > 18 ? most + 1ULL : std::stoull(*text);
    if (n > most) {
        note = "--jobs " + *text + " is more than this computer's " + std::to_string(cores)
            + (cores == 1 ? " core" : " cores") + " can use; " + std::to_string(most) + " letters are written at once.";
    }
    jobs = static_cast<unsigned>(std::min<unsigned long long>(n, most));
    return std::nullopt;
}

// The folder for the letters, made (readable by its owner only, as the letters are) when
// it is missing, walked safely, and tried with a file of its own before any letter is
// drawn, so that a folder that takes no files is named at once, with its reason.
std::optional<std::string> PrepareOutFolder(const std::string &dir)
{
    const std::string named = "The folder \"" + dir + "\"";
    const OpenedFolder opened = OpenFolder(dir, true);
    if (!opened.refusal.empty())
        return named + " was not used for the letters: " + opened.refusal + ".";
    if (opened.error != 0)
        return named + " for the letters cannot be made or opened: " + DescribeFileError(opened.error) + ".";
    auto &fs = *PosixProfileFileSystem();
    int fd = -1;
    std::string probe;
    if (const int error = fs.CreateTemp(opened.folder.Get(), TemporaryPrefix("letters"), fd, probe)) {
        return named + " cannot hold the letters: "
            + (error == ENOENT ? std::string("no new file can be made in it") : DescribeFileError(error)) + ".";
    }
    fs.CloseFile(fd);
    fs.RemoveFile(opened.folder.Get(), probe);
    return std::nullopt;
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
    unsigned jobs = 1;
    std::string jobsNote;
    if (problem.empty())
        problem = ReadJobs(options, jobs, jobsNote).value_or("");
    if (!problem.empty()) {
        err << problem << "\n" << kUsage;
        return 2;
    }
    const std::string today = options.value("--today").value_or(cli::TodayText());

    std::string text;
    if (const auto unreadable = ReadCsv(csvPath, text)) {
        err << *unreadable << "\n";
        return 2;
    }
    cli::CsvReader reader(text);
    cli::CsvRow header;
    if (!reader.Next(header)) {
        err << csvPath << ": the file has no header row.\n";
        return 2;
    }
    const cli::ProspectColumns columns = cli::ReadProspectHeader(header.fields);
    if (!header.error.empty() || !columns.error.empty()) {
        err << csvPath << ":" << header.line << ": " << (header.error.empty() ? columns.error : header.error) << "\n";
        return 2;
    }
    if (const auto unusable = PrepareOutFolder(outDir)) {
        err << *unusable << "\n";
        return 1;
    }
    if (!jobsNote.empty())
        err << jobsNote << "\n";

    // Every row is checked here, in order, so that the reports and the file names do not
    // depend on which worker gets which row.
    std::vector<Letter> letters;
    std::set<std::string> used;
    int refused = 0;
    auto scratch = std::make_unique<CClientRecord>();
    for (cli::CsvRow row; reader.Next(row);) {
        Letter letter {row.line, {}, {}};
        std::string complaint = cli::ProspectForm(row, columns, header.fields.size(), today, letter.form);
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
    text = std::string();

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
            // A link in the folder, whoever made it, is reported rather than written through.
            if (!WritePrintoutPdf(
                    kPrintAnalysisLetter, *record, QString::fromStdString(letters[i].path), &error, LinkAtEnd::Refuse))
                failures[i] = error.toStdString();
            done.fetch_add(1);
        }
    };
    std::vector<std::thread> workers;
    for (std::size_t j = 1; j < std::min<std::size_t>(jobs, letters.size()); ++j)
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
