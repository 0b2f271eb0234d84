#!/usr/bin/python3
"""The files a client takes home, read back by readers that share no code with ours:
the calendar by the icalendar package with dateutil's recurrence rules, the CSV by the
csv module, the archival enrollment package by poppler. Every date is compared with the
schedule as printed (pdftotext of `tallowin-cli print schedule`).

Environment: TALLOWIN_CLI (the program), TALLOWIN_COMPANY_PHONE (the build's phone)."""

import csv
import datetime as dt
import json
import os
import re
import subprocess
import tempfile
import unittest
from decimal import Decimal

import icalendar
from dateutil.rrule import rrulestr

CLI = os.environ["TALLOWIN_CLI"]
PHONE = os.environ["TALLOWIN_COMPANY_PHONE"]
ACCOUNT = "004471982"

PROFILE = """[Loan]
CurrentDate={today}
LoanStartDate={start}
LoanTermYears={term}
LoanAmount={amount}
LowestRate={rate}
[Client]
FirstName1=Margaret
MI1=A
LastName1=Ellison
[Mortgage]
CurrentPayment={payment}
AdditionalPayment=0
[Bank]
Name={bank}
AccountNumber={account}
AccountType=1
"""

# today, first payment, term, amount, rate, payment, bank, the debits the schedule prints
# and the amounts by hand (None where only the printout says).
CLIENTS = {
    "sample client": ("12/08/2026", "04/15/2019", 30, "187500", "6.125", "1412.80", "Lakeshore Savings Bank", 475,
                      "706.40", "709.85"),
    # Half of 2,700.27 ends in half a cent; a long name with accents needs folding.
    "forty-year plan": ("03/02/2026", "02/01/2026", 40, "412000", "7.25", "2700.27",
                        "Caisse Populaire Desjardins de Québec – Succursale Saint-Roch", None, None, None),
}


def run(*args):
    done = subprocess.run([CLI, *args], capture_output=True, text=True, timeout=120)
    if done.returncode != 0:
        raise AssertionError(f"{args[0]} failed ({done.returncode}): {done.stderr}")
    return done.stdout


class Client:
    def __init__(self, folder, name):
        (self.today, self.start, term, amount, rate, payment, self.bank, self.debits, self.amount,
         self.total) = CLIENTS[name]
        self.folder = folder
        self.profile = os.path.join(folder, "client.ini")
        with open(self.profile, "w", encoding="utf-8") as f:
            f.write(PROFILE.format(today=self.today, start=self.start, term=term, amount=amount, rate=rate,
                                   payment=payment, bank=self.bank, account=ACCOUNT))

    def path(self, name):
        return os.path.join(self.folder, name)

    def export(self, kind, name):
        run("export", kind, "--profile", self.profile, "--today", self.today, "--out", self.path(name))
        self.assert_private(self.path(name))
        with open(self.path(name), "rb") as f:
            return f.read()

    @staticmethod
    def assert_private(path):
        mode = os.stat(path).st_mode & 0o777
        if mode != 0o600:
            raise AssertionError(f"{path} has mode {mode:o}, not 600")

    def printed_dates(self):
        pdf = self.path("schedule.pdf")
        run("print", "schedule", "--profile", self.profile, "--today", self.today, "--pdf", pdf)
        text = subprocess.run(["pdftotext", pdf, "-"], capture_output=True, text=True, check=True).stdout
        # The page's columns may come out row by row; the dates themselves are unique.
        return sorted(dt.datetime.strptime(m, "%B %d, %Y").date()
                      for m in re.findall(r"^[A-Z][a-z]+ \d{1,2}, \d{4}$", text, re.M))

    def payment_dates_with_extra(self):
        """The plan's schedule: the months whose row carries an extra payment, each on the
        loan's payment day (at most the 28th) of its month."""
        analysis = json.loads(run("analyze", "--profile", self.profile, "--today", self.today, "--schedules",
                                  "--json"))
        month, day, year = (int(p) for p in self.start.split("/"))
        dates = []
        for k, row in enumerate(analysis["schedules"]["BiWeeklySchedule"], start=1):
            if row[4] > 0:
                m = year * 12 + month - 1 + k - 1
                dates.append(dt.date(m // 12, m % 12 + 1, min(day, 28)))
        return dates


def business_days_before(day, n):
    while n:
        day -= dt.timedelta(days=1)
        n -= day.weekday() < 5
    return day


class DebitFiles(unittest.TestCase):
    def check_client(self, name):
        with tempfile.TemporaryDirectory() as folder:
            c = Client(folder, name)
            printed = c.printed_dates()
            if c.debits:
                self.assertEqual(len(printed), c.debits)
            self.check_calendar(c, printed, c.export("ics", "debits.ics"))
            self.check_csv(c, printed, c.export("schedule-csv", "debits.csv").decode("ascii"))

    def check_calendar(self, c, printed, raw):
        lines = raw.split(b"\r\n")
        self.assertEqual(lines[-1], b"", "the file ends with CRLF")
        for line in lines:
            self.assertNotIn(b"\n", line, "a line ends without CR")
            line.decode("utf-8")  # a fold never splits a character
            self.assertLessEqual(len(line), 75, line)
        cal = icalendar.Calendar.from_ical(raw)
        events = cal.walk("VEVENT")
        for e in events:
            self.assertIn("DTSTAMP", e)
            self.assertTrue(e.get("UID"))
            start = e.decoded("DTSTART")
            self.assertIs(type(start), dt.date, "an all-day date, which no time zone moves")
        self.assertEqual(len({str(e["UID"]) for e in events}), len(events))

        debits = [e for e in events if "RRULE" in e]
        self.assertEqual(len(debits), 1)
        debit = debits[0]
        first = debit.decoded("DTSTART")
        rule = rrulestr(debit["RRULE"].to_ical().decode(), dtstart=dt.datetime.combine(first, dt.time()))
        self.assertEqual([d.date() for d in rule], printed)

        title = str(debit["SUMMARY"])
        self.assertRegex(title, r"^Bi-weekly mortgage debit \$[0-9,]+\.\d\d$")
        if c.total:
            self.assertEqual(title, "Bi-weekly mortgage debit $" + c.total)
        text = str(debit["DESCRIPTION"])
        for wanted in (c.bank, "ending " + ACCOUNT[-4:], PHONE):
            self.assertIn(wanted, text)
        self.assertNotIn(ACCOUNT[-5:], text, "more than the last four digits")

        alarm = debit.walk("VALARM")[0]
        reminder = dt.datetime.combine(first, dt.time()) + alarm.decoded("TRIGGER")
        self.assertEqual(reminder.date(), business_days_before(first, 3))
        self.assertEqual(reminder.time(), dt.time(9))

        extra = sorted(e.decoded("DTSTART") for e in events if str(e["SUMMARY"]) == "Extra half payment to principal")
        self.assertEqual(len(extra), len(events) - 1)
        self.assertEqual(extra, c.payment_dates_with_extra())
        self.assertGreater(len(extra), 0)

    def check_csv(self, c, printed, text):
        rows = list(csv.reader(text.splitlines()))
        self.assertEqual(rows[0], ["Debit", "Date", "Amount", "Fee", "TotalDebited"])
        self.assertEqual([dt.date.fromisoformat(r[1]) for r in rows[1:]], printed)
        self.assertEqual([int(r[0]) for r in rows[1:]], list(range(1, len(printed) + 1)))
        for r in rows[1:]:
            for money in r[2:]:
                self.assertRegex(money, r"^\d+\.\d\d$")
            amount, fee, total = (Decimal(v) for v in r[2:])
            self.assertEqual(fee, Decimal("3.45"))
            self.assertEqual(amount + fee, total, r)
            if c.amount:
                self.assertEqual((r[2], r[4]), (c.amount, c.total))

    def test_sample_client(self):
        self.check_client("sample client")

    def test_forty_year_plan(self):
        self.check_client("forty-year plan")


class ArchivalEnrollment(unittest.TestCase):
    def test_enrollment_package_is_pdfa_1b(self):
        with tempfile.TemporaryDirectory() as folder:
            c = Client(folder, "sample client")
            pdf = c.path("enrollment.pdf")
            run("print", "enrollment", "--profile", c.profile, "--today", c.today, "--pdf", pdf)
            c.assert_private(pdf)
            fonts = subprocess.run(["pdffonts", pdf], capture_output=True, text=True, check=True).stdout
            rows = fonts.splitlines()[2:]
            self.assertGreater(len(rows), 0)
            for row in rows:
                # name, type words..., encoding, emb, sub, uni, object, generation
                self.assertEqual(row.split()[-5], "yes", row)

            meta = subprocess.run(["pdfinfo", "-meta", pdf], capture_output=True, text=True, check=True).stdout
            self.assertRegex(meta, r'pdfaid:part="1"|<pdfaid:part>1</pdfaid:part>')
            self.assertRegex(meta, r'pdfaid:conformance="B"|<pdfaid:conformance>B</pdfaid:conformance>')
            self.assertRegex(meta, re.compile(r"<dc:title>.*Margaret A Ellison.*12/08/2026.*</dc:title>", re.S))
            self.assertRegex(meta, r'xmp:CreateDate="\d{4}-\d\d-\d\dT')

            # No transparency: soft masks only as /None, constant alpha only 1.
            with open(pdf, "rb") as f:
                raw = f.read()
            self.assertEqual(re.findall(rb"/SMask\s*(?!/None)\S+", raw), [])
            for alpha in re.findall(rb"/(?:CA|ca)\s+([0-9.]+)", raw):
                self.assertEqual(float(alpha), 1.0)
            self.assertEqual(re.findall(rb"/BM\s*/(?!Normal|Compatible)\w+", raw), [])


if __name__ == "__main__":
    unittest.main()
