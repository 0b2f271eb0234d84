#include "cli/commands.h"
#include "cli/letters_command.h"
#include "cli/print_command.h"
#include "cli/standard_output.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

const char *const kUsage = R"(Usage: tallowin-cli COMMAND [OPTIONS]
       tallowin-cli --help | --version

Commands:
  analyze   --today MM/DD/YYYY --first-payment MM/DD/YYYY --term YEARS
            --amount AMOUNT --payment AMOUNT --rate PERCENT
            [--highest-rate PERCENT] [--additional AMOUNT] [--schedules] [--json]
  analyze   --profile FILE [--today MM/DD/YYYY] [...]
            The savings of the bi-weekly plan for a loan, as the demonstration shows them.
  profile show [--profile FILE]
            The client record stored in a profile; account numbers are masked.
  document NAME.qnl LOAN-OPTIONS [--first-name NAME] [--dir DIR] [--html]
            A slide, answer or sign-up document with the client's figures filled in.
  print enrollment|schedule|letter --profile FILE [--today MM/DD/YYYY] --pdf OUT.pdf
            The enrollment package, the schedule of debit dates or the analysis letter
            of a stored client, as PDF.
  letters   --csv PROSPECTS.csv --out DIR [--today MM/DD/YYYY] [--jobs N]
            One analysis letter PDF per prospect row; the header names the vendor
            form's fields by their profile keys. Bad rows are reported by line.
  grid --profile FILE [--extra AMOUNT[@FROM[-TO]]] [--yearly AMOUNT@MM[/FROMYEAR]]
            [--arm PRESET|YEARS/INTERVAL/FIRST/PERIODIC/LIFETIME[:MARGIN:INDEX]]
            [--worst-case] [--payoff-by MM/YYYY[@FROM]] [--scenario NAME] [--compare]
            [--csv | --json]
            The amortization grid of a stored profile, recalculated, as the grid shows it,
            with the grid's what-if tools applied in the order given (the profile is not
            written); --compare shows the saved scenarios side by side.
  export ics|schedule-csv --profile FILE [--today MM/DD/YYYY] --out FILE
            The plan's debit dates as a calendar file, or its debit schedule as CSV.

Exit codes: 0 done, 1 a file could not be written, 2 input refused (the reason on
standard error).
)";

} // namespace

int main(int argc, char **argv)
{
    tw::cli::CheckStandardOutputAtExit();
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        (args.empty() ? std::cerr : std::cout) << kUsage;
        return args.empty() ? tw::cli::kExitRefused : 0;
    }
    if (args[0] == "--version") {
        std::cout << "tallowin-cli " << TALLOWIN_VERSION << '\n';
        return 0;
    }
    const std::string command = args[0];
    args.erase(args.begin());
    if (command == "analyze")
        return tw::cli::RunAnalyzeCommand(args);
    if (command == "profile")
        return tw::cli::RunProfileCommand(args);
    if (command == "document")
        return tw::cli::RunDocumentCommand(args);
    if (command == "grid")
        return tw::cli::RunGridCommand(args);
    if (command == "print")
        return tw::RunPrintCommand(args);
    if (command == "export")
        return tw::RunExportCommand(args);
    if (command == "letters")
        return tw::RunLettersCommand(args);
    std::cerr << "Unknown command " << command << ".\n" << kUsage;
    return tw::cli::kExitRefused;
}
