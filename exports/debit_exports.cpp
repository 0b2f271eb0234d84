#include "exports/debit_exports.h"

#include "engine/debits.h"
#include "engine/grid_text.h"
#include "format/dates.h"
#include "format/number_text.h"
#include "record/client_record.h"
#include "record/company.h"
#include "record/profile_store.h"

#include <libical/ical.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace tw {

namespace {

std::string IsoDate(int dayNumber)
{
    const CalendarDate c = DateOfDay(dayNumber);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", c.year, c.month, c.day);
    return text;
}

icaltimetype AllDay(int dayNumber)
{
    const CalendarDate c = DateOfDay(dayNumber);
    icaltimetype t = icaltime_null_date();
    t.year = c.year;
    t.month = c.month;
    t.day = c.day;
    return t;
}

// Only more than four digits leave anything unsaid; a shorter number is not shown.
std::string LastFourDigits(const std::string &account)
{
    std::string digits;
    for (const char c : account)
        if (c >= '0' && c <= '9')
            digits += c;
    return digits.size() > 4 ? digits.substr(digits.size() - 4) : std::string();
}

// A UID that stays the same when the same client's plan is saved again, so a calendar
// updates its events instead of doubling them, and differs between clients.
std::string UidTag(const CClientRecord &r)
{
    std::uint64_t h = 14695981039346656037ULL; // FNV-1a
    for (const std::string *part : {&r.FirstName1, &r.LastName1, &r.FirstName2, &r.LastName2,
             &r.Analysis.FirstPaymentDate, &r.Analysis.AmountText}) {
        for (const unsigned char c : *part + '\x1f') {
            h ^= c;
            h *= 1099511628211ULL;
        }
    }
    char text[20];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return text;
}

std::string Uid(const char *kind, int dayNumber, const std::string &tag)
{
    return std::string(kind) + "-" + CompactFromDateText(DateTextOfDay(dayNumber)) + "-" + tag + "@tallowin";
}

// Seconds from midnight of a debit day back to 9 a.m. of the third business day before
// it (Monday to Friday; the debit calendar's days are all Fridays, which gives Tuesday).
int ReminderOffsetSeconds(int debitDay)
{
    // Day number 21189, the calendar's first entry, was a Friday.
    const auto isWeekend = [](int day) {
        const int fromFriday = ((day - kCalendarStartDay) % 7 + 7) % 7;
        return fromFriday == 1 || fromFriday == 2;
    };
    int day = debitDay;
    for (int businessDays = 0; businessDays < 3;)
        if (!isWeekend(--day))
            ++businessDays;
    return -((debitDay - day) * 86400 - 9 * 3600);
}

std::string DebitDescription(const CClientRecord &r)
{
    const LoanAnalysis &a = r.Analysis;
    std::string from = r.BankName.empty() ? std::string("your bank account") : r.BankName;
    if (const std::string four = LastFourDigits(r.BankAccountNumber); !four.empty())
        from += r.BankName.empty() ? " ending " + four : ", account ending " + four;
    const CompanyIdentity &company = Company();
    return "$" + FormatMoney(DebitAmount(a)) + " for your mortgage and the $" + FormatMoney(FeePerDebit)
        + " service charge are debited from " + from + ". Questions about your plan: " + company.Name + ", "
        + company.Phone + ".";
}

struct ComponentDeleter {
    void operator()(icalcomponent *c) const { icalcomponent_free(c); }
};

void AddAllDayEvent(icalcomponent *event, int day, const std::string &uid, std::time_t stamp,
    const std::string &summary, const std::string &description)
{
    icalcomponent_add_property(event, icalproperty_new_uid(uid.c_str()));
    icalcomponent_add_property(
        event, icalproperty_new_dtstamp(icaltime_from_timet_with_zone(stamp, 0, icaltimezone_get_utc_timezone())));
    icalcomponent_add_property(event, icalproperty_new_dtstart(AllDay(day)));
    icalcomponent_add_property(event, icalproperty_new_dtend(AllDay(day + 1)));
    icalcomponent_add_property(event, icalproperty_new_summary(summary.c_str()));
    icalcomponent_add_property(event, icalproperty_new_description(description.c_str()));
    // A reminder, not a meeting: the day stays free.
    icalcomponent_add_property(event, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
}

std::string FileKind(DebitExport kind)
{
    return kind == DebitExport::Calendar ? "calendar file" : "CSV file";
}

} // namespace

std::string DebitScheduleCsv(const LoanAnalysis &a)
{
    std::string out = "Debit,Date,Amount,Fee,TotalDebited\n";
    for (const ScheduledDebit &d : ScheduledDebits(a)) {
        out += std::to_string(d.number) + ',' + IsoDate(d.day) + ',' + GridNumberText(d.amount) + ','
            + GridNumberText(d.fee) + ',' + GridNumberText(d.total) + '\n';
    }
    return out;
}

std::string DebitEventTitle(const LoanAnalysis &a)
{
    return "Bi-weekly mortgage debit $" + FormatMoney(DebitTotal(a));
}

std::string DebitCalendarIcs(const CClientRecord &record, std::time_t stamp)
{
    const LoanAnalysis &a = record.Analysis;
    const std::string prodid = "-//" + Company().Name + "//Tallowin//EN";
    std::unique_ptr<icalcomponent, ComponentDeleter> calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid(prodid.c_str()));
    icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_method(ICAL_METHOD_PUBLISH));

    const std::vector<ScheduledDebit> debits = ScheduledDebits(a);
    const std::string tag = UidTag(record);
    if (!debits.empty()) {
        const int first = debits.front().day;
        icalcomponent *event = icalcomponent_new_vevent();
        AddAllDayEvent(event, first, Uid("debits", first, tag), stamp, DebitEventTitle(a), DebitDescription(record));
        icalrecurrencetype rule;
        icalrecurrencetype_clear(&rule);
        rule.freq = ICAL_WEEKLY_RECURRENCE;
        rule.interval = kDebitSpacingDays / 7;
        rule.count = static_cast<int>(debits.size());
        icalcomponent_add_property(event, icalproperty_new_rrule(rule));

        icalcomponent *alarm = icalcomponent_new_valarm();
        icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
        icalcomponent_add_property(
            alarm, icalproperty_new_trigger(icaltriggertype_from_int(ReminderOffsetSeconds(first))));
        icalcomponent_add_property(alarm,
            icalproperty_new_description("Last business day to stop the next bi-weekly mortgage debit with your "
                                         "bank"));
        icalcomponent_add_component(event, alarm);
        icalcomponent_add_component(calendar.get(), event);
    }

    for (const int day : ExtraPrincipalPaymentDays(a)) {
        icalcomponent *event = icalcomponent_new_vevent();
        AddAllDayEvent(event, day, Uid("extra", day, tag), stamp, "Extra half payment to principal",
            "This month holds a third bi-weekly debit; it goes to your mortgage's principal with this payment.");
        icalcomponent_add_component(calendar.get(), event);
    }

    char *text = icalcomponent_as_ical_string_r(calendar.get());
    std::string out = text ? text : "";
    std::free(text);
    return out;
}

const char *DefaultDebitExportName(DebitExport kind)
{
    return kind == DebitExport::Calendar ? "debit-dates.ics" : "debit-schedule.csv";
}

std::string SaveDebitExport(
    DebitExport kind, const CClientRecord &record, const std::string &path, const std::string &profilePath)
{
    if (ScheduledDebits(record.Analysis).empty())
        return kNoDemoForScheduleMessage;
    if (path.empty())
        return "No file name was given for the " + FileKind(kind) + ".";
    if (NamesSameFile(path, profilePath))
        return "The file \"" + path + "\" is the profile itself; name another file for the " + FileKind(kind) + ".";
    const std::string bytes = kind == DebitExport::Calendar ? DebitCalendarIcs(record, std::time(nullptr))
                                                            : DebitScheduleCsv(record.Analysis);
    const FileReplacement done = ReplacePrivateFile(*PosixProfileFileSystem(), path, bytes, false);
    // A file in place but perhaps not yet on the disk is written: it can be made again.
    if (done.outcome == FileReplacement::kNotReplaced)
        return "The " + FileKind(kind) + " \"" + path + "\" could not be written: " + done.reason + ".";
    return {};
}

} // namespace tw
