#include "cli/options.h"
#include "cli/print_command.h"

#include "exports/debit_exports.h"
#include "print/print_types.h"
#include "record/client_record.h"
#include "record/profile_store.h"

#include <iostream>

namespace tw {

namespace {

constexpr const char *kUsage
    = "usage: tallowin-cli export ics|schedule-csv --profile FILE [--today MM/DD/YYYY] --out FILE\n";

} // namespace

int RunExportCommand(const std::vector<std::string> &args)
{
    return RunExportCommand(args, std::cout, std::cerr);
}

int RunExportCommand(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << kUsage;
        return 0;
    }
    const cli::Options options(args, {"--profile", "--today", "--out"}, {});
    const auto refuse = [&](const std::string &why) {
        err << why << "\n" << kUsage;
        return 2;
    };
    if (!options.error().empty())
        return refuse(options.error());
    const auto &words = options.positional();
    if (words.empty())
        return refuse("Name the file to export: ics or schedule-csv.");
    if (words.size() > 1)
        return refuse("Name one file to export, not \"" + words[0] + "\" and \"" + words[1] + "\".");
    if (words[0] != "ics" && words[0] != "schedule-csv")
        return refuse("Unknown export \"" + words[0] + "\": use ics or schedule-csv.");
    const DebitExport kind = words[0] == "ics" ? DebitExport::Calendar : DebitExport::Csv;
    const std::string profile = options.value("--profile").value_or("");
    const std::string path = options.value("--out").value_or("");
    if (profile.empty())
        return refuse("Name the profile to export from with --profile FILE.");
    if (path.empty())
        return refuse("Name the file to write with --out FILE.");
    if (options.has("--today") && options.value("--today").value_or("").empty())
        return refuse("The option --today needs a date, MM/DD/YYYY.");
    CProfileSnapshot snapshot;
    if (const std::string problem = cli::ReadProfile(profile, false, snapshot); !problem.empty()) {
        err << problem << "\n";
        return 2;
    }

    if (NamesSameFile(profile, path)) {
        err << "The file \"" << path << "\" is the profile itself; name another file to write.\n";
        return 2;
    }

    // The same calculation as the printed schedule, so the files hold its dates.
    CClientRecord record;
    record.LoadFromSnapshot(snapshot);
    const std::string today = options.value("--today").value_or(cli::TodayText());
    if (const auto problem = PrepareRecordForPrint(record, today, kPrintDebitSchedule)) {
        err << *problem << "\n";
        return 2;
    }
    if (const std::string problem = SaveDebitExport(kind, record, path, profile); !problem.empty()) {
        err << problem << "\n";
        return 1;
    }
    out << "Wrote " << path << "\n";
    return 0;
}

} // namespace tw
