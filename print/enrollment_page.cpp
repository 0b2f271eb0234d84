#include "print/enrollment_page.h"

#include "engine/costs.h"
#include "engine/debits.h"
#include "format/dates.h"
#include "format/fit_text.h"
#include "format/number_text.h"
#include "print/form_layout.h"
#include "record/client_record.h"
#include "record/company.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace tw {

namespace {

constexpr int kBody = 14;
constexpr int kBold = 114;
constexpr int kTitle = 124;
constexpr int kSubTitle = 18;
constexpr int kNote = 10;

// ---- Page 1: instruction sheet ----

constexpr std::string_view kInstructions[] = {
    "Please read over your enrollment form to ensure that your Personal, Mortgage, and Bank information are correct. "
    "Then",
    "sign and date both copies where marked, keep one copy for your records, and return the other signed copy together "
    "with",
    "a voided check or coded deposit slip to {COMPANY} at the following address:",
};

constexpr std::string_view kCompanyAddress[] = {
    "{COMPANY}",
    "Tallowin Enrollment Department",
    "{STREET}",
    "{CITY}",
};

constexpr int kSavingsLineY = -3500;
// Stands for the paragraph that TimelineText writes.
constexpr std::string_view kTimeline = "{TIMELINE}";
// Stands for the sentence that PlanCostSentence writes.
constexpr std::string_view kPlanCosts = "{PLANCOSTS}";
constexpr std::string_view kSavingsLine = "to maximize your total savings at approximately $_______________.";

// Lines every 200 units from -3300 on; an empty text is the gap before the closing
// and before the contact lines.
constexpr std::string_view kMailingLines[] = {
    "Please return your signed form in the enclosed envelope as soon as you can, so that your plan can begin promptly",
    kSavingsLine,
    kTimeline,
    "",
    kPlanCosts,
    "",
    "Thank you for enrolling.",
    "{COMPANY} Enrollment Services",
    "",
    "If you have any questions about your enrollment or this form, please call us toll free at",
    "{PHONE}, Monday to Friday, 9 a.m. to 5 p.m. Eastern Time.",
};

// From the form's return to the first payment under the plan, wrapped to the page. No
// debit is taken before the plan is confirmed in writing, so the client is told which
// payments stay theirs, and what becomes of the Start Date's payment when the letter is
// late: a first debit weeks away may come before verification ends.
// Verification's 4 weeks and a week of mail for the form and the letter.
constexpr int kConfirmationDays = 35;
constexpr std::string_view kTimelineStart
    = "If any information on your form is wrong, correct it neatly on both copies and initial each change. Please do "
      "not send cash or a payment with your form. Your first bi-weekly debit is planned for {FIRSTDEBIT}, and the "
      "Start Date on your form, {STARTDATE}, is the first mortgage payment made under the plan. When we receive your "
      "form, we contact your lender and your bank to confirm the information you gave us and to set up your plan. "
      "This takes 2 to 4 weeks, and we take no debit until we have confirmed your plan and its dates to you in "
      "writing.";
constexpr std::string_view kTimelineSoon = " Your first debit comes so soon that our letter may reach you after it.";
constexpr std::string_view kTimelineDates
    = " Pay every mortgage payment due before {STARTDATE} yourself, exactly as you do now. If our letter reaches you "
      "by {FIRSTDEBIT}, we pay your {STARTDATE} payment and every later one from your debits: do not pay them "
      "yourself. If it has not reached you by then, pay your {STARTDATE} payment yourself as well; no debit is taken "
      "for it, and our letter gives your plan's new dates.";
constexpr std::string_view kTimelineUndated
    = " Until that letter gives you your plan's dates, keep paying your mortgage exactly as you do now.";
constexpr std::string_view kTimelineEnd = " Keep your copy of the form with your mortgage papers.";

std::string TimelineText(const LoanAnalysis &a)
{
    std::string text(kTimelineStart);
    if (!IsDateText(a.FirstDebitDate) || !IsDateText(a.FirstPlanPaymentDate) || !IsDateText(a.CurrentDate))
        return text.append(kTimelineUndated).append(kTimelineEnd);
    if (DayNumberOfDateText(a.FirstDebitDate) - DayNumberOfDateText(a.CurrentDate) <= kConfirmationDays)
        text.append(kTimelineSoon);
    return text.append(kTimelineDates).append(kTimelineEnd);
}

// A date of the plan as the form prints it, or a note while there is none yet.
std::string PlanDateOrNote(const std::string &date)
{
    return date.empty() ? std::string("(to be confirmed)") : date;
}

// Our wording names the plan's first debit and its Start Date (the first mortgage payment
// under the plan), which comes after it: "{FIRSTDEBIT}" and "{STARTDATE}" stand for them,
// and the company's name, street, city and phone for the one identity the build chose.
std::string WithPlanDates(std::string_view line, const LoanAnalysis &a)
{
    std::string out(line);
    const CompanyIdentity &c = Company();
    for (const auto &[token, value] :
        {std::pair<std::string_view, std::string> {"{FIRSTDEBIT}", PlanDateOrNote(a.FirstDebitDate)},
            {"{STARTDATE}", PlanDateOrNote(a.FirstPlanPaymentDate)}, {"{COMPANY}", c.Name}, {"{STREET}", c.Street},
            {"{CITY}", c.City}, {"{PHONE}", c.Phone}}) {
        for (auto at = out.find(token); at != std::string::npos; at = out.find(token, at + value.size()))
            out.replace(at, token.size(), value);
    }
    return out;
}

// An agreement section with the plan's dates and the company's name put in. Its lines
// are broken by hand for the name Quarnell; a company whose name is wider, as the build
// may set it, has the section's lines broken again.
std::vector<int> DrawNamedSection(
    PrintSurface &s, int y, std::string_view heading, const std::vector<std::string_view> &lines, const LoanAnalysis &a)
{
    std::vector<std::string> named;
    named.reserve(lines.size());
    for (const std::string_view line : lines)
        named.push_back(WithPlanDates(line, a));
    s.SelectPrintFont(kBody);
    const bool wider = s.TextWidth(Company().Name) > s.TextWidth("Quarnell");
    return DrawSection(s, y, heading, {named.begin(), named.end()}, wider);
}

// What the plan charges in all and when its savings have paid for that: one sentence the
// client reads before signing.
std::string PlanCostSentence(const LoanAnalysis &a)
{
    const PlanCosts costs = ComputePlanCosts(a);
    const std::string fees = "The banking charge of $" + FormatMoney(FeePerDebit) + " on each of the plan's "
        + std::to_string(costs.PlanDebits) + " debits comes to $" + FormatMoney(costs.TotalFees) + " over the plan";
    if (costs.BreakEvenDate.empty())
        return fees
            + ", more than the interest it saves you: on your loan as entered the plan costs more than it saves.";
    return fees + "; the interest it saves has paid for the charges by " + costs.BreakEvenDate
        + ", so selling or refinancing before then means the plan cost more than it saved.";
}

void DrawInstructionSheet(PrintSurface &s, const CClientRecord &r)
{
    s.SelectPrintPen(kPenThin);
    s.DrawPrintLine(kLeftMargin, -500, kRightMargin, -500);
    s.DrawPrintLine(kLeftMargin, -900, kRightMargin, -900);
    s.SelectPrintFont(kTitle);
    s.TextCentred(kPageCentreX, -600, "INSTRUCTION SHEET");

    s.SelectPrintFont(kBody);
    int y = -1500;
    for (const std::string_view line : kInstructions) {
        s.TextLeft(kLeftMargin, y, WithPlanDates(line, r.Analysis));
        y -= 200;
    }

    s.SelectPrintFont(kTitle);
    y = -2300;
    for (const std::string_view line : kCompanyAddress) {
        s.TextCentred(kPageCentreX, y, WithPlanDates(line, r.Analysis));
        y -= 200;
    }

    s.SelectPrintFont(kBody);
    y = -3300;
    for (const std::string_view line : kMailingLines) {
        if (y == kSavingsLineY) {
            DrawFormLine(s, y, line, {FormatMoney(r.Analysis.TotalPaymentSavings)});
        } else if (line == kTimeline || line == kPlanCosts) {
            y = DrawParagraph(s, y,
                line == kTimeline ? WithPlanDates(TimelineText(r.Analysis), r.Analysis) : PlanCostSentence(r.Analysis),
                200);
            continue;
        } else if (!line.empty()) {
            s.TextLeft(kLeftMargin, y, WithPlanDates(line, r.Analysis));
        }
        y -= 200;
    }
}

// ---- Pages 2 and 5: enrollment form ----

// Names: 48, 33 and 6 underscores, 5 blanks between.
constexpr std::string_view kNameLine = "________________________________________________     "
                                       "_________________________________     ______";
// Addresses: 37, 29, 6 and 12 underscores, 5, 5 and 6 blanks between.
constexpr std::string_view kAddressLine = "_____________________________________     "
                                          "_____________________________     ______      ____________";
// Lender and bank: 37, 35 and 15 underscores, 5 blanks between.
constexpr std::string_view kInstitutionLine = "_____________________________________     "
                                              "___________________________________     _______________";
constexpr std::string_view kPhoneLine
    = "Home Phone: _______________     Work Phone: _______________     Work Phone: _______________";
constexpr std::string_view kDatesLine
    = "Enrollment Date: _______________     Start Date: _______________     Stop Date: _______________";
constexpr std::string_view kPaymentLine = "Total Monthly Payment $ _____________      "
                                          "Additional Monthly Principle Payment (Optional) $ _____________";
constexpr std::string_view kDueDateLine = "Due Date (day of month): _____________     Grace Period: ______ days";
constexpr std::string_view kAccountTypeLine
    = "Type of account to be drafted (Checking, Savings, etc.): ___________________";

constexpr int kVendorCodeWidth = 6000;

std::string DayOfMonth(const std::string &dateText)
{
    // Characters 4 and 5 of MM/DD/YYYY; a shorter text gives what it has.
    return dateText.size() > 3 ? dateText.substr(3, 2) : std::string();
}

void DrawAddressFields(PrintSurface &s, int y, const std::string &address, const std::string &city,
    const std::string &state, const std::string &zip, std::string_view addressLabel)
{
    const auto xs = DrawFormLine(s, y, kAddressLine, {address, city, state, zip});
    DrawFieldLabels(s, y, xs, {addressLabel, "City", "State", "Zip"});
}

void DrawEnrollmentForm(PrintSurface &s, const CClientRecord &r)
{
    const LoanAnalysis &a = r.Analysis;

    s.SelectPrintFont(kBody);
    const TextWidthFunction measure = [&s](std::string_view t) { return s.TextWidth(t); };
    s.TextRight(kRightMargin, -550, "Disk Code: " + FitTextToWidth(measure, r.VendorCode, kVendorCodeWidth, true));

    s.SelectPrintFont(kTitle);
    s.TextCentred(kPageCentreX, -700, "THE TALLOWIN(TM)");
    s.SelectPrintFont(kSubTitle);
    s.TextCentred(kPageCentreX, -900, "Enrollment Form and Bi-Weekly Debit Authorization");

    s.SelectPrintFont(kBold);
    s.TextLeft(kLeftMargin, -1600, "1. CUSTOMER INFORMATION");
    s.SelectPrintFont(kBody);
    auto xs = DrawFormLine(s, -1960, kNameLine, {r.LastName1, r.FirstName1, r.MI1});
    DrawFieldLabels(s, -1960, xs, {"Last Name", "First Name", "MI"});
    xs = DrawFormLine(s, -2400, kNameLine, {r.LastName2, r.FirstName2, r.MI2});
    DrawFieldLabels(s, -2400, xs, {"Last Name", "First Name", "MI"});
    DrawAddressFields(s, -2840, r.Address, r.City, r.State, r.Zip, "Mailing Address");
    DrawAddressFields(s, -3280, r.PropertyAddress, r.PropertyCity, r.PropertyState, r.PropertyZip, "Property Address");
    s.SelectPrintFont(kNote);
    s.TextLeft(1750, -3472, "(if different than Mailing Address)");
    s.SelectPrintFont(kBody);
    DrawFormLine(s, -3820, kPhoneLine, {r.HomePhone, r.WorkPhone1, r.WorkPhone2});
    DrawFormLine(s, -4180, kDatesLine, {a.CurrentDate, a.FirstPlanPaymentDate, a.PayoffDate});

    s.SelectPrintFont(kBold);
    s.TextLeft(kLeftMargin, -4712, "2. MORTGAGE INFORMATION");
    s.SelectPrintFont(kBody);
    xs = DrawFormLine(s, -5072, kInstitutionLine, {r.MortgageName, r.MortgageAccountNumber, r.MortgagePhone});
    DrawFieldLabels(s, -5072, xs, {"Name of Lender", "Account / Loan Number", "Phone Number"});
    DrawAddressFields(s, -5512, r.MortgageAddress, r.MortgageCity, r.MortgageState, r.MortgageZip, "Mailing Address");
    DrawFormLine(s, -6052, kPaymentLine, {a.CurrentPaymentText, a.AdditionalPaymentText});
    DrawFormLine(s, -6412, kDueDateLine, {DayOfMonth(a.FirstPaymentDate), r.GracePeriod});

    s.SelectPrintFont(kBold);
    s.TextLeft(kLeftMargin, -6944, "3. BANK INFORMATION");
    s.SelectPrintFont(kBody);
    xs = DrawFormLine(s, -7304, kInstitutionLine, {r.BankName, r.BankAccountNumber, r.BankPhone});
    DrawFieldLabels(s, -7304, xs, {"Name of Bank", "Debit Account Number", "Phone Number"});
    DrawAddressFields(s, -7744, r.BankAddress, r.BankCity, r.BankState, r.BankZip, "Mailing Address");
    DrawFormLine(s, -8284, kAccountTypeLine, {AccountTypeText(r)});

    s.SelectPrintFont(kBold);
    s.TextLeft(kLeftMargin, -8644, "NOTE:");
    s.SelectPrintFont(kBody);
    s.TextLeft(1150, -8644, "Credit Union's may not be draftable!  Please call your Credit Union to verify!");

    s.SelectPrintPen(kPenThin);
    s.DrawPrintLine(480, -9850, 8020, -9850);
    s.DrawPrintLine(8020, -9850, 8020, -10150);
    s.DrawPrintLine(8020, -10150, 480, -10150);
    s.DrawPrintLine(480, -10150, 480, -9850);
    s.SelectPrintFont(kBold);
    s.TextCentred(kPageCentreX, -9900,
        "IMPORTANT: Voided Check Or Coded Deposit Slip Must Be Attached To Ensure Accurate Processing");
}

// ---- Signature lines (pages 3, 4, 6 and 7) ----

void DrawSignatureLines(PrintSurface &s, int y, std::string_view signatureLabel)
{
    static constexpr int kFrom[] = {500, 3150, 4250, 6900};
    static constexpr int kTo[] = {3000, 4000, 6750, 7750};
    s.SelectPrintPen(kPenThin);
    for (int i = 0; i < 4; ++i)
        s.DrawPrintLine(kFrom[i], y, kTo[i], y);
    s.SelectPrintFont(kBody);
    for (int i = 0; i < 4; ++i)
        s.TextLeft(kFrom[i], y - 30, i % 2 == 0 ? signatureLabel : std::string_view("(Date)"));
}

// ---- Pages 3 and 6: approved charges, sections 4 to 7 ----

const std::vector<std::string_view> kAuthorization = {
    "I authorize {COMPANY} to make the bi-weekly debits listed below from the bank account named in",
    "section 3 of this form, and to send my monthly mortgage payment from them to my lender as this agreement "
    "describes.",
    "This authorization stays in effect until I cancel it under section 5 or this agreement ends. The amounts below "
    "are based on",
    "the payment figures I have given on this form and change only as this agreement allows.",
};

const std::vector<std::string_view> kGuarantee = {
    "{COMPANY} holds every amount debited under this agreement only for my mortgage payments and the",
    "charges listed above, in a trust account kept apart from its own funds. {COMPANY} sends my monthly payment so "
    "that "
    "it",
    "reaches my lender by the due date in section 2, provided the debits for that payment were collected in full. If a "
    "payment",
    "that was collected in full reaches my lender after the grace period because of an error by {COMPANY}, {COMPANY} "
    "pays the late",
    "charge that my lender makes for it. This guarantee does not cover a late charge caused by a debit my bank "
    "refused, by a",
    "change in my payment that I did not report to {COMPANY} in writing, or by a delay of my lender or the mail "
    "outside "
    "{COMPANY}'s",
    "control. {COMPANY} will tell me in writing within 5 business days of any payment it could not send on time, and "
    "what it is",
    "doing about it. This guarantee adds to any rights I have under the law.",
};

const std::vector<std::string_view> kModifications = {
    "I may change or cancel this agreement at any time by writing to {COMPANY} at",
    "the address on the instruction sheet. A change or cancellation takes effect within 10 business days of the day "
    "{COMPANY}",
    "receives it. Money already collected for a payment not yet sent goes to my lender or, if I ask, back to me. I "
    "will tell",
    "{COMPANY} in writing when my monthly mortgage payment changes, for example after an escrow review, so that the",
    "bi-weekly amount can be adjusted. {COMPANY} may change its service fee only after giving me 30 days' written "
    "notice, and I",
    "may then cancel without any charge.",
};

const std::vector<std::string_view> kTerm = {
    "This agreement begins on the Enrollment Date shown on this form and runs until my mortgage is paid in full,",
    "unless I cancel it under section 5 or it ends under section 9. The Start Date is the first mortgage payment made",
    "under the plan; the first debit for it is taken before it, on {FIRSTDEBIT}. The Stop Date is the estimated month",
    "of the final payment under the plan; it may move if my payment, my interest rate or the terms of my loan change.",
    "When my mortgage is paid in full, {COMPANY} stops the debits and, within 30 days, returns to me any amount it "
    "still",
    "holds that is not needed for a payment or for a charge listed above. Ending this agreement does not change my "
    "loan.",
};

const std::vector<std::string_view> kFundTransfers = {
    "Each debit is taken from my account on the dates shown in the",
    "bi-weekly debit schedule that {COMPANY} sends me. Debits are electronic transfers through the banking system, and "
    "my",
    "bank statement shows each one. {COMPANY} collects two debits for each monthly payment and sends my lender the "
    "full",
    "monthly payment shown in section 2, together with any additional principal payment I chose. In the months that "
    "have a",
    "third debit, the third half payment is sent to my lender as an extra payment of principal; this is what shortens "
    "my mortgage.",
    "{COMPANY} does not use the money it holds for any other purpose and pays any charge its own bank makes for the",
    "transfers. If a debit fails, {COMPANY} tries it once more after 3 business days and tells me in writing; the late "
    "fee shown above",
    "applies only to a debit that fails because of insufficient funds. If a debit cannot be collected in time, "
    "{COMPANY} does not",
    "guarantee the payment it was meant for, and I remain responsible for paying my lender directly for that month. "
    "{COMPANY}",
    "guarantees that every payment for which both debits were collected in full is sent to my lender on time, as set "
    "out in",
    "section 4.",
};

void DrawApprovedCharges(PrintSurface &s, const CClientRecord &r)
{
    const LoanAnalysis &a = r.Analysis;
    DrawNamedSection(s, -500, "Approved Charges:", kAuthorization, a);

    s.SelectPrintFont(kBody);
    DrawFormLine(s, -1280,
        "A) $________  To be debited Bi-Weekly which is 1/2 of my monthly mortgage payment plus the option I chose",
        {FormatMoney(BiWeeklyDebitAmount(r))});
    DrawFormLine(s, -1450, "to increase my total monthly payment by $________.  This amount will be forwarded to",
        {FormatMoney(a.AdditionalPayment)});
    s.TextLeft(kLeftMargin, -1620,
        WithPlanDates(
            "my mortgage lender by {COMPANY} as extra principal, together with my regular monthly payment,", a));
    DrawFormLine(s, -1790, "producing an estimated $____________ in interest savings alone on my mortgage.",
        {FormatMoney(a.InterestSavings)});

    DrawFormLine(s, -2045,
        WithPlanDates("B) $________  Management fee for setting up and running my bi-weekly plan with {COMPANY}.", a),
        {"  FREE"});
    s.TextLeft(
        kLeftMargin, -2215, "This includes the use of the Tallowin(TM) bi-weekly savings software and its analysis");
    s.TextLeft(kLeftMargin, -2385, "of my mortgage.  (A $395.00 minimum value.)");

    DrawFormLine(s, -2640,
        "C) $________  To be debited Bi-Weekly, which is a banking service fee to cover processing of my electronic",
        {FormatMoney(FeePerDebit)});
    s.TextLeft(
        kLeftMargin, -2810, "transfers needed to perform my mortgage savings strategies, producing immediate monthly");
    DrawFormLine(s, -2980, "savings of   $_______________.", {FormatMoney(a.AverageMonthlySavings)});

    constexpr std::string_view kTotalLine = "D) $________";
    DrawFormLine(s, -3235, kTotalLine, {FormatMoney(BiWeeklyTotalAmount(r))});
    const int totalX = kLeftMargin + s.TextWidth(std::string(kTotalLine) + "  ");
    s.SelectPrintFont(kBold);
    s.TextLeft(totalX, -3235, "Total Amount");
    const int restX = totalX + s.TextWidth("Total Amount ");
    s.SelectPrintFont(kBody);
    s.TextLeft(restX, -3250, "authorized to be debited from the account bi-weekly, producing an");
    DrawFormLine(
        s, -3420, "estimated total savings of $_______________ on my mortgage.", {FormatMoney(a.TotalPaymentSavings)});

    s.TextLeft(kLeftMargin, -3760,
        "Please note, a late fee of $15 will be charged each time a debit fails because of insufficient funds.  You "
        "can");
    s.TextLeft(kLeftMargin, -3930,
        "avoid this possibility by simply adding overdraft protection to your account through your bank.");

    DrawSignatureLines(s, -4440, "(Signature)");

    int y = -4440 - 30 - kSectionGap;
    y = NextSectionY(DrawNamedSection(s, y, "4. GUARANTEE:", kGuarantee, a));
    y = NextSectionY(DrawNamedSection(s, y, "5. MODIFICATIONS OR CANCELLATION:", kModifications, a));
    y = NextSectionY(DrawNamedSection(s, y, "6. TERM:", kTerm, a));
    DrawNamedSection(s, y, "7. FUND TRANSFERS AND PAYMENT GUARANTEE:", kFundTransfers, a);
}

// ---- Pages 4 and 7: sections 8 to 11 ----

const std::vector<std::string_view> kNotices = {
    "Notices under this agreement are given in writing. Notices to {COMPANY} go to the address on the instruction",
    "sheet; notices to me go to the mailing address on this form, or to a new address I have given {COMPANY} in "
    "writing. A notice",
    "counts as received 5 business days after it was mailed. {COMPANY} sends me a statement at least once a year "
    "showing",
    "every debit taken, every payment sent to my lender and any amount it still holds for me, and answers any question "
    "about",
    "my account within 10 business days. I will tell {COMPANY} in writing at once if I change my bank account, my "
    "lender, my",
    "mortgage payment or my address, or if my lender tells me that a payment arrived late or was not received, so that",
    "{COMPANY} can correct the matter before the next payment is due. {COMPANY} keeps my personal and account "
    "information",
    "confidential and uses it only to run my plan.",
};

const std::vector<std::string_view> kTermination = {
    "{COMPANY} may end this agreement by giving me 30 days' written notice, or at",
    "once if two debits in a row fail or if my lender will not accept payments from {COMPANY}. In every case {COMPANY} "
    "sends any",
    "payment for which it already holds the money and returns any other amount it holds for me within 30 days. After "
    "an",
    "ending, I am responsible for paying my lender directly, and {COMPANY}'s notice tells me the date from which I "
    "must "
    "do so. A",
    "payment already sent to my lender is not affected by an ending. If this agreement ended because of failed debits, "
    "I may",
    "ask {COMPANY} in writing to reinstate it once my account can cover the debits again; the plan then continues on "
    "the next",
    "debit date in the schedule, with no reinstatement charge, and {COMPANY} sends me a new debit schedule. The "
    "savings",
    "estimated in section 11 may be lower after a break in the plan.",
};

const std::vector<std::string_view> kAccuracy = {
    "The savings shown in this agreement come from a computer analysis of",
    "the loan figures I gave. They are estimates, not promises: actual savings depend on my lender applying every "
    "extra",
    "payment to principal, and change if my rate, my payment or my balance differs from those figures. {COMPANY} will "
    "correct",
    "and resend the analysis if I show it that a figure was wrong.",
};

const std::vector<std::string_view> kEstimatedSavings = {
    "Based on the loan figures I gave, the bi-weekly debits of my plan,",
    "the extra payment made by each third debit in a month, any additional principal payment I chose, and the",
    "mortgage savings strategies we have initiated for you are estimated to save you $_______________ in",
    "interest and eliminate ______ unnecessary payments, allowing you to own your home",
    "in just ______ years.",
};

void DrawAgreementEnd(PrintSurface &s, const CClientRecord &r)
{
    const LoanAnalysis &a = r.Analysis;
    // Each section at its place, or lower when the one before it grew (a wider company name).
    auto ys = DrawNamedSection(s, -500, "8. NOTICES:", kNotices, a);
    ys = DrawNamedSection(s, std::min(-2045, NextSectionY(ys)), "9. TERMINATION AND REINSTATEMENT:", kTermination, a);
    ys = DrawNamedSection(s, std::min(-3590, NextSectionY(ys)), "10. ACCURACY OF COMPUTER ANALYSIS:", kAccuracy, a);
    ys = DrawSection(s, std::min(-4455, NextSectionY(ys)), "11. ESTIMATED BI-WEEKLY SAVINGS:", kEstimatedSavings);
    FillBlanks(s, kLeftMargin, ys[2], kEstimatedSavings[2], {FormatMoney(a.InterestSavings)});
    FillBlanks(s, kLeftMargin, ys[3], kEstimatedSavings[3], {std::to_string(a.PaymentsEliminated)});
    FillBlanks(s, kLeftMargin, ys[4], kEstimatedSavings[4], {FormatOneDecimal(a.PlanYears)});

    DrawSignatureLines(s, -5660, "(Client's Signature)");
}

} // namespace

std::string AccountTypeText(const CClientRecord &record)
{
    switch (record.AccountType) {
    case kAccountChecking:
        return "Checking";
    case kAccountSavings:
        return "Savings";
    case kAccountOther:
        return record.AccountOptionalDescription;
    default:
        return {};
    }
}

double BiWeeklyDebitAmount(const CClientRecord &record)
{
    return DebitAmount(record.Analysis);
}

double BiWeeklyTotalAmount(const CClientRecord &record)
{
    return DebitTotal(record.Analysis);
}

void DrawEnrollmentPage(PrintSurface &s, int page, const CClientRecord &record)
{
    switch (page) {
    case 1:
        DrawInstructionSheet(s, record);
        break;
    case 2:
    case 5:
        DrawEnrollmentForm(s, record);
        break;
    case 3:
    case 6:
        DrawApprovedCharges(s, record);
        break;
    case 4:
    case 7:
        DrawAgreementEnd(s, record);
        break;
    default:
        break;
    }
}

} // namespace tw
