#include "cli/print_command.h"

#include "cli/analysis_run.h"
#include "cli/options.h"

#include "engine/additional.h"
#include "engine/figures.h"
#include "engine/plan_dates.h"
#include "engine/schedules.h"
#include "format/dates.h"
#include "format/number_text.h"
#include "print/debit_schedule.h"
#include "print/print_job.h"
#include "print/print_types.h"
#include "record/client_record.h"
#include "record/profile_store.h"
#include "rules/analysis_checks.h"
#include "rules/vendor_checks.h"

#include <QGuiApplication>
#include <QString>

#include <iostream>
#include <memory>

namespace tw {

namespace {

constexpr const char *kUsage
    = "usage: tallowin-cli print enrollment|schedule|letter --profile FILE [--today MM/DD/YYYY] --pdf OUT.pdf\n";

struct PrintOptions {
    int printType = kPrintNone;
    std::string profile;
    std::string today;
    std::string pdf;
};

// Reads the arguments; returns the complaint when they do not make a command.
std::optional<std::string> ParseArguments(const std::vector<std::string> &args, PrintOptions &o)
{
    const cli::Options options(args, {"--profile", "--today", "--pdf"}, {});
    if (!options.error().empty())
        return options.error();
    const auto &words = options.positional();
    if (words.empty())
        return std::string("Name the printout: enrollment, schedule or letter.");
    if (words.size() > 1)
        return "Name one printout, not \"" + words[0] + "\" and \"" + words[1] + "\".";
    if (words[0] == "enrollment")
        o.printType = kPrintEnrollment;
    else if (words[0] == "schedule")
        o.printType = kPrintDebitSchedule;
    else if (words[0] == "letter")
        o.printType = kPrintAnalysisLetter;
    else
        return "Unknown printout \"" + words[0] + "\": use enrollment, schedule or letter.";

    o.profile = options.value("--profile").value_or("");
    o.today = options.value("--today").value_or("");
    o.pdf = options.value("--pdf").value_or("");
    if (o.profile.empty())
        return std::string("Name the profile to print from with --profile FILE.");
    if (o.pdf.empty())
        return std::string("Name the PDF file to write with --pdf OUT.pdf.");
    if (options.has("--today") && o.today.empty())
        return std::string("The option --today needs a date, MM/DD/YYYY.");
    return std::nullopt;
}

const char *FieldName(AnalysisField field)
{
    switch (field) {
    case AnalysisField::CurrentDate:
        return "current date";
    case AnalysisField::FirstName:
        return "first name";
    case AnalysisField::LastName:
        return "last name";
    case AnalysisField::FirstPaymentDate:
        return "Loan / LoanStartDate";
    case AnalysisField::Term:
        return "Loan / LoanTermYears";
    case AnalysisField::Amount:
        return "Loan / LoanAmount";
    case AnalysisField::CurrentPayment:
        return "Mortgage / CurrentPayment";
    case AnalysisField::LowestRate:
        return "Loan / LowestRate";
    case AnalysisField::HighestRate:
        return "Loan / HighestRate";
    }
    return "";
}

std::string Refusal(const AnalysisCheckFailure &f)
{
    return std::string("The loan in the profile cannot be calculated (") + FieldName(f.field) + "):\n" + f.message;
}

} // namespace

// Fonts and PDF output need a GUI application; a command line has no display, so
// Qt's offscreen platform serves unless the caller chose another.
std::unique_ptr<QGuiApplication> EnsureGuiApplication()
{
    if (QCoreApplication::instance())
        return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tallowin-cli";
    static char *argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

std::optional<std::string> PrepareRecordForPrint(CClientRecord &record, const std::string &today, int printType)
{
    LoanAnalysis &a = record.Analysis;
    // The letter is the vendor form's printout: its record passes the form's checks.
    if (printType == kPrintAnalysisLetter) {
        if (auto failure = PrepareVendorLetter(record, today))
            return "The client in the profile cannot be printed (" + VendorProfileKey(failure->field) + "):\n"
                + failure->message;
        return std::nullopt;
    }

    // The loan-entry screen's checks on what the profile holds.
    const AnalysisForm form = cli::LoanFormOfRecord(record, today);
    if (const auto failure = ApplyAnalysisForm(form, record, false))
        return Refusal(*failure);
    if (const auto failure = CheckAnalysisCanRun(a))
        return Refusal(*failure);

    if (!SetUpDebitDates(a))
        return std::string("The plan's debit dates cannot be set up for these dates.");
    if (!ComputeSchedules(a))
        return "The loan cannot be calculated:\n" + ExplainDeclinedLoan(a);
    ComputeSummaryScreenFigures(a);

    // A stored additional payment is kept as the comparison screen's OK keeps it.
    const std::string additionalText = a.AdditionalPaymentText;
    if (TextToDouble(CleanNumberText(additionalText)) > 0) {
        AdditionalPaymentSession session(a);
        session.Start();
        session.Use(additionalText);
    } else {
        a.AdditionalPayment = 0;
    }

    if (printType == kPrintDebitSchedule) {
        if (auto message = PrepareDebitSchedule(a))
            return message;
    }
    return std::nullopt;
}

int RunPrintCommand(const std::vector<std::string> &args)
{
    return RunPrintCommand(args, std::cout, std::cerr);
}

int RunPrintCommand(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << kUsage;
        return 0;
    }
    PrintOptions options;
    if (const auto problem = ParseArguments(args, options)) {
        err << *problem << "\n" << kUsage;
        return 2;
    }
    CProfileSnapshot profile;
    if (const std::string problem = cli::ReadProfile(options.profile, false, profile); !problem.empty()) {
        err << problem << "\n";
        return 2;
    }
    if (NamesSameFile(options.profile, options.pdf)) {
        err << "The PDF file \"" << options.pdf << "\" is the profile itself; name another file for the PDF.\n";
        return 2;
    }

    CClientRecord record;
    record.LoadFromSnapshot(profile);
    const std::string today = options.today.empty() ? cli::TodayText() : options.today;
    if (const auto problem = PrepareRecordForPrint(record, today, options.printType)) {
        err << *problem << "\n";
        return 2;
    }

    const auto app = EnsureGuiApplication();
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        err << "Printing needs Qt's GUI application; none is running.\n";
        return 1;
    }
    QString error;
    if (!WritePrintoutPdf(options.printType, record, QString::fromStdString(options.pdf), &error)) {
        err << error.toStdString() << "\n";
        return 1;
    }
    out << "Wrote " << options.pdf << "\n";
    return 0;
}

} // namespace tw
