#include "cli/commands.h"
#include "cli/options.h"
#include "record/profile_store.h"
#include "record/program_paths.h"

#include <iostream>
#include <memory>

namespace tw::cli {

namespace {

// Account numbers are shown only by their last four characters.
std::string Masked(const std::string &text)
{
    std::size_t characters = 0;
    for (unsigned char c : text)
        characters += (c & 0xC0) != 0x80;
    if (characters <= 4)
        return text;
    std::size_t keepFrom = text.size();
    for (std::size_t seen = 0; seen < 4;)
        if ((static_cast<unsigned char>(text[--keepFrom]) & 0xC0) != 0x80)
            ++seen;
    return std::string(characters - 4, '*') + text.substr(keepFrom);
}

void Line(const char *key, const std::string &value)
{
    std::cout << key << "=" << value << "\n";
}

void Print(const CClientRecord &r, const std::string &path)
{
    const LoanAnalysis &a = r.Analysis;
    std::cout << "; " << path << "\n[General]\n";
    Line("VendorCode", r.VendorCode);
    std::cout << "[Loan]\n";
    Line("CurrentDate", a.CurrentDate);
    Line("LoanStartDate", a.FirstPaymentDate);
    Line("LoanTermYears", a.TermText);
    Line("LoanAmount", a.AmountText);
    Line("LowestRate", a.LowestRateText);
    Line("HighestRate", a.HighestRateText);
    std::cout << "[Client]\n";
    const std::pair<const char *, const std::string *> client[]
        = {{"FirstName1", &r.FirstName1}, {"FirstName2", &r.FirstName2}, {"LastName1", &r.LastName1},
            {"LastName2", &r.LastName2}, {"MI1", &r.MI1}, {"MI2", &r.MI2}, {"Address", &r.Address}, {"City", &r.City},
            {"State", &r.State}, {"Zip", &r.Zip}, {"PropertyAddress", &r.PropertyAddress},
            {"PropertyCity", &r.PropertyCity}, {"PropertyState", &r.PropertyState}, {"PropertyZip", &r.PropertyZip},
            {"HomePhone", &r.HomePhone}, {"WorkPhone1", &r.WorkPhone1}, {"WorkPhone2", &r.WorkPhone2}};
    for (const auto &[key, value] : client)
        Line(key, *value);
    std::cout << "[Mortgage]\n";
    Line("Name", r.MortgageName);
    Line("Address", r.MortgageAddress);
    Line("City", r.MortgageCity);
    Line("State", r.MortgageState);
    Line("Zip", r.MortgageZip);
    Line("Phone", r.MortgagePhone);
    Line("CurrentPayment", a.CurrentPaymentText);
    Line("GracePeriod", r.GracePeriod);
    Line("AccountNumber", Masked(r.MortgageAccountNumber));
    Line("AdditionalPayment", a.AdditionalPaymentText);
    std::cout << "[Bank]\n";
    Line("Name", r.BankName);
    Line("Address", r.BankAddress);
    Line("City", r.BankCity);
    Line("State", r.BankState);
    Line("Zip", r.BankZip);
    Line("Phone", r.BankPhone);
    Line("AccountNumber", Masked(r.BankAccountNumber));
    Line("AccountType", std::to_string(r.AccountType));
    if (r.AccountType == kAccountOther)
        Line("AccountOptionalDescription", r.AccountOptionalDescription);
}

} // namespace

int RunProfileCommand(const std::vector<std::string> &args)
{
    const Options options(args, {"--profile"}, {});
    if (!options.error().empty() || options.positional() != std::vector<std::string> {"show"}) {
        std::cerr << (options.error().empty() ? "Usage: tallowin-cli profile show [--profile FILE]" : options.error())
                  << "\n";
        return kExitRefused;
    }
    const auto explicitPath = options.value("--profile");
    const std::string path = explicitPath.value_or(DefaultProfilePath());
    CProfileSnapshot profile;
    if (const std::string problem = ReadProfile(path, !explicitPath, profile); !problem.empty()) {
        std::cerr << problem << "\n";
        return kExitRefused;
    }
    auto record = std::make_unique<CClientRecord>();
    record->LoadFromSnapshot(profile);
    Print(*record, path);
    return 0;
}

} // namespace tw::cli
