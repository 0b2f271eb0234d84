#include "record/client_record.h"

#include "record/profile_store.h"
#include "tests/record/record_test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tw {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

// Every stored text of the record, for filling and comparing.
std::vector<std::string *> StoredTexts(CClientRecord &r)
{
    LoanAnalysis &a = r.Analysis;
    return {&a.CurrentDate, &a.FirstPaymentDate, &a.TermText, &a.AmountText, &a.LowestRateText, &a.HighestRateText,
        &r.FirstName1, &r.FirstName2, &r.LastName1, &r.LastName2, &r.MI1, &r.MI2, &r.Address, &r.City, &r.State, &r.Zip,
        &r.PropertyAddress, &r.PropertyCity, &r.PropertyState, &r.PropertyZip, &r.HomePhone, &r.WorkPhone1,
        &r.WorkPhone2, &r.MortgageName, &r.MortgageAddress, &r.MortgageCity, &r.MortgageState, &r.MortgageZip,
        &r.MortgagePhone, &a.CurrentPaymentText, &r.GracePeriod, &r.MortgageAccountNumber, &a.AdditionalPaymentText,
        &r.BankName, &r.BankAddress, &r.BankCity, &r.BankState, &r.BankZip, &r.BankPhone, &r.BankAccountNumber};
}

class RecordProfile : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = dir.File("tallowin.ini");
    CProfileStore store {path};
    std::unique_ptr<CClientRecord> record = std::make_unique<CClientRecord>();

    CClientRecord &Reloaded()
    {
        loaded = std::make_unique<CClientRecord>();
        loaded->LoadFromProfile(store);
        return *loaded;
    }
    std::unique_ptr<CClientRecord> loaded;
};

TEST_F(RecordProfile, EveryTextSavesAndLoadsUnchanged)
{
    EXPECT_EQ(record->AccountType, kAccountNotChosen);
    EXPECT_EQ(record->Analysis.VariableFlag, 0);
    const auto texts = StoredTexts(*record);
    const char *samples[] = {"Zoë Ångström-Núñez", "  padded  ", "\"quoted\"", "a=b;c", ""};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(*texts[i], "");
        *texts[i] = samples[i % 5] + std::to_string(i) + (i % 5 == 1 ? " " : "");
    }
    record->VendorCode = "not saved by the record";
    ASSERT_TRUE(record->SaveToProfile(store));
    ASSERT_TRUE(store.Write("General", "VendorCode", "TW-77"));

    CClientRecord &back = Reloaded();
    const auto loadedTexts = StoredTexts(back);
    for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(*loadedTexts[i], *texts[i]) << "text " << i;
    EXPECT_EQ(back.VendorCode, "TW-77");
    EXPECT_EQ(back.AccountType, kAccountChecking);
}

TEST_F(RecordProfile, SaveWritesSectionsAndKeysInOrder)
{
    // Every text a value of its own, so that each must stand under its own key.
    const auto texts = StoredTexts(*record);
    for (std::size_t i = 0; i < texts.size(); ++i)
        *texts[i] = "t" + std::to_string(i);
    record->AccountType = kAccountSavings;
    ASSERT_TRUE(record->SaveToProfile(store));
    std::string expected
        = "[Loan]\nCurrentDate=\nLoanStartDate=\nLoanTermYears=\nLoanAmount=\nLowestRate=\nHighestRate=\n\n"
          "[Client]\nFirstName1=\nFirstName2=\nLastName1=\nLastName2=\nMI1=\nMI2=\nAddress=\nCity=\nState=\nZip=\n"
          "PropertyAddress=\nPropertyCity=\nPropertyState=\nPropertyZip=\nHomePhone=\nWorkPhone1=\nWorkPhone2=\n\n"
          "[Mortgage]\nName=\nAddress=\nCity=\nState=\nZip=\nPhone=\nCurrentPayment=\nGracePeriod=\n"
          "AccountNumber=\nAdditionalPayment=\n\n"
          "[Bank]\nName=\nAddress=\nCity=\nState=\nZip=\nPhone=\nAccountNumber=\nAccountType=2\n";
    std::size_t at = 0;
    for (const std::string *text : texts) {
        at = expected.find("=\n", at) + 1;
        expected.insert(at, *text);
    }
    EXPECT_EQ(ReadBytes(path), expected);
}

struct AccountCase {
    const char *name;
    int typeBefore; // saved first (-1: nothing saved)
    int typeSaved;
    const char *storedType; // "" when the key must be missing
    bool descriptionStored;
    int typeLoaded;
    const char *descriptionLoaded;
};
void PrintTo(const AccountCase &c, std::ostream *os)
{
    *os << c.name;
}

class AccountTypes : public RecordProfile, public ::testing::WithParamInterface<AccountCase> { };

TEST_P(AccountTypes, FollowTheStoredTypeAndDescriptionRules)
{
    const AccountCase &c = GetParam();
    if (c.typeBefore >= 0) {
        CClientRecord before;
        before.AccountType = c.typeBefore;
        before.AccountOptionalDescription = "Credit union share draft";
        ASSERT_TRUE(before.SaveToProfile(store));
    }
    record->AccountType = c.typeSaved;
    record->AccountOptionalDescription = "Credit union share draft";
    ASSERT_TRUE(record->SaveToProfile(store));

    const CProfileSnapshot saved = store.Snapshot();
    EXPECT_EQ(saved.Read("Bank", "AccountType"), c.storedType);
    EXPECT_EQ(saved.Contains("Bank", "AccountType"), *c.storedType != '\0');
    EXPECT_EQ(saved.Contains("Bank", "AccountOptionalDescription"), c.descriptionStored);
    EXPECT_EQ(Reloaded().AccountType, c.typeLoaded);
    EXPECT_EQ(loaded->AccountOptionalDescription, c.descriptionLoaded);
}

INSTANTIATE_TEST_SUITE_P(Rows, AccountTypes,
    ::testing::Values(AccountCase {"NotChosenLoadsChecking", -1, 0, "", false, 1, ""},
        AccountCase {"Savings", -1, 2, "2", false, 2, ""},
        AccountCase {"OtherKeepsDescription", -1, 3, "3", true, 3, "Credit union share draft"},
        AccountCase {"OtherThenCheckingHidesDescription", 3, 1, "1", true, 1, ""},
        AccountCase {"NotChosenKeepsStoredType", 2, 0, "2", false, 2, ""}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(RecordProfile, UnknownStoredTypeLeavesTheTypeAsItWas)
{
    WriteBytes(path, "[Bank]\nAccountType=7\nAccountOptionalDescription=x\n");
    record->AccountType = kAccountSavings;
    record->LoadFromProfile(store);
    EXPECT_EQ(record->AccountType, kAccountSavings);
    EXPECT_EQ(record->AccountOptionalDescription, "");
}

// A schedule of `months` rows with a first balance of 150000 and an extra payment in
// every third month.
void FillSchedule(LoanAnalysis &a, int months)
{
    for (int i = 0; i < months; ++i) {
        a.BiWeeklySchedule[static_cast<std::size_t>(i)].Balance = 150000.0 - 100.0 * i;
        a.BiWeeklySchedule[static_cast<std::size_t>(i)].Extra = i % 3 == 1 ? 512.5 : 0;
    }
}

TEST_F(RecordProfile, GridDataFollowsTheScheduleAndIsWrittenOnce)
{
    LoanAnalysis &a = record->Analysis;
    FillSchedule(a, 5);
    a.AnnualRate = 7.1f;
    a.AdditionalPayment = 0.25;
    a.TermText = "30";
    a.FirstPaymentDate = "11/15/1999";
    ASSERT_TRUE(record->SaveGridData(store));

    const CProfileSnapshot grid = store.Snapshot();
    EXPECT_EQ(grid.ReadMonths("AddPmt", 6), (std::vector<std::string> {"", "512.50", "", "", "512.50", ""}));
    EXPECT_EQ(grid.ReadMonths("IntRate", 6), (std::vector<std::string> {"7.10", "7.10", "7.10", "7.10", "7.10", ""}));
    EXPECT_EQ(grid.ReadMonths("Adjust", 6), (std::vector<std::string> {".25", ".25", ".25", ".25", ".25", ""}));
    EXPECT_EQ(grid.Read("PrinBal", "Mth1"), "150000.00");
    EXPECT_EQ(grid.Read("PrinBal", "LoanTermYears"), "30");
    EXPECT_EQ(grid.Read("PrinBal", "LoanStartDate"), "11/15/1999");

    const std::string first = ReadBytes(path);
    FillSchedule(a, 9);
    a.TermText = "15";
    ASSERT_TRUE(record->SaveGridData(store));
    ASSERT_TRUE(record->SaveToProfile(store));
    const CProfileSnapshot after = store.Snapshot();
    for (const char *section : {"AddPmt", "IntRate", "Adjust"})
        EXPECT_EQ(after.ReadMonths(section, 10), grid.ReadMonths(section, 10)) << section;
    EXPECT_EQ(after.Read("PrinBal", "LoanTermYears"), "30");
    EXPECT_EQ(ReadBytes(path).substr(0, first.size()), first);
}

TEST_F(RecordProfile, GridDataWithoutRateOrAdditionalPaymentOrBalance)
{
    LoanAnalysis &a = record->Analysis;
    a.TermText = "30";
    ASSERT_TRUE(record->SaveGridData(store)); // no balance yet: only the term and date
    EXPECT_EQ(ReadBytes(path), "[PrinBal]\nLoanTermYears=30\nLoanStartDate=\n");

    FillSchedule(a, 3);
    ASSERT_TRUE(record->SaveGridData(store)); // Mth1 was still empty, so this one is written
    const CProfileSnapshot grid = store.Snapshot();
    EXPECT_EQ(grid.Read("PrinBal", "Mth1"), "150000.00");
    EXPECT_EQ(grid.Read("AddPmt", "Mth2"), "512.50");
    EXPECT_FALSE(grid.Contains("IntRate", "Mth1"));
    EXPECT_FALSE(grid.Contains("Adjust", "Mth1"));
}

TEST_F(RecordProfile, GridDataStopsAtTheEndOfAFullSchedule)
{
    LoanAnalysis &a = record->Analysis;
    FillSchedule(a, kScheduleRows);
    for (auto &row : a.AdditionalSchedule)
        row.Balance = 1; // what lies behind the schedule must not be read as more months
    a.AnnualRate = 6;
    ASSERT_TRUE(record->SaveGridData(store));
    const auto rates = store.Snapshot().ReadMonths("IntRate", kScheduleRows + 1);
    EXPECT_EQ(rates[kScheduleRows - 1], "6.00");
    EXPECT_EQ(rates[kScheduleRows], "");
}

TEST_F(RecordProfile, LoadingReadsTheFileOnce)
{
    auto fs = std::make_shared<test::FaultyFileSystem>();
    CProfileStore counted(path, fs);
    record->AccountType = kAccountOther;
    ASSERT_TRUE(record->SaveToProfile(counted));
    fs->calls[test::kRead] = 0;
    record->LoadFromProfile(counted);
    EXPECT_EQ(fs->calls[test::kRead], 1);
}

TEST_F(RecordProfile, FailedSaveNamesTheFile)
{
    CProfileStore folder(dir.Path());
    const SaveStatus status = record->SaveToProfile(folder);
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(status.message.rfind("Tallowin could not save your information to " + dir.Path() + ": ", 0), 0u)
        << status.message;
}

} // namespace
} // namespace tw
