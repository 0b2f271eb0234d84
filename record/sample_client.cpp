#include "record/sample_client.h"

#include "engine/figures.h"
#include "engine/plan_dates.h"
#include "engine/schedules.h"
#include "record/client_record.h"

namespace tw {

void FillSampleClient(CClientRecord &r)
{
    r.FirstName1 = "Margaret";
    r.MI1 = "A";
    r.LastName1 = "Ellison";
    r.FirstName2 = "Daniel";
    r.MI2 = "J";
    r.LastName2 = "Ellison";
    r.Address = "418 Larkspur Lane";
    r.City = "Fairhaven";
    r.State = "OH";
    r.Zip = "44123";
    r.PropertyAddress = "418 Larkspur Lane";
    r.PropertyCity = "Fairhaven";
    r.PropertyState = "OH";
    r.PropertyZip = "44123";
    r.HomePhone = "(216) 555-0148";
    r.WorkPhone1 = "(216) 555-0172";
    r.WorkPhone2 = "(216) 555-0193";

    r.MortgageName = "Riverbend Home Lending";
    r.MortgageAddress = "2200 Commerce Parkway";
    r.MortgageCity = "Columbus";
    r.MortgageState = "OH";
    r.MortgageZip = "43215";
    r.MortgagePhone = "(614) 555-0110";
    r.MortgageAccountNumber = "7730-118-2045";
    r.GracePeriod = "15";

    r.BankName = "Lakeshore Savings Bank";
    r.BankAddress = "95 Main Street";
    r.BankCity = "Fairhaven";
    r.BankState = "OH";
    r.BankZip = "44123";
    r.BankPhone = "(216) 555-0125";
    r.BankAccountNumber = "004471982";
    r.AccountType = kAccountChecking;

    LoanAnalysis &a = r.Analysis;
    a.CurrentDate = "12/07/2026";
    a.FirstPaymentDate = "06/01/2019";
    a.TermText = "30";
    a.AmountText = "180000.00";
    a.LowestRateText = "6.50";
    a.HighestRateText = "";
    a.VariableFlag = 0;
    a.CurrentPaymentText = "1450.00";
    a.AdditionalPaymentText = "0";
    a.AdditionalPayment = 0;

    SetUpDebitDates(a);
    ComputeSchedules(a);
    ComputeSummaryScreenFigures(a);
}

} // namespace tw
