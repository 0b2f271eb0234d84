#!/usr/bin/python3
"""The take-home files read back by readers that share no code with ours (icalendar with
dateutil's rules, csv, poppler), every date compared with the schedule as printed.
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

ACCOUNT = "004471982"
PROFILE = """[Loan]\nCurrentDate={0}\nLoanStartDate={1}\nLoanTermYears={2}\nLoanAmount={3}\nLowestRate={4}
[Client]\nFirstName1=Margaret\nMI1=A\nLastName1=Ellison\n[Mortgage]\nCurrentPayment={5}\nAdditionalPayment=0
[Bank]\nName={6}\nAccountNumber=""" + ACCOUNT + "\nAccountType=1\n"

# today, first payment, term, amount, rate, payment, bank; the debits the schedule prints
# and the amount and total by hand (None where only the printout says).
CLIENTS = {
    "sample": (("12/08/2026", "04/15/2019", 30, "187500", "6.125", "1412.80", "Lakeshore Savings Bank"),
               475, "706.40", "709.85"),
    # Half of 2,700.27 ends in half a cent; a long name with accents needs folding.
    "forty years": (("03/02/2026", "02/01/2026", 40, "412000", "7.25", "2700.27",
                     "Caisse Populaire Desjardins de Québec – Succursale Saint-Roch"), None, None, None),
}


def run(*args):
    done = subprocess.run([os.environ["TALLOWIN_CLI"], *args], capture_output=True, text=True, timeout=120)
    assert done.returncode == 0, f"{args[0]} failed ({done.returncode}): {done.stderr}"
    return done.stdout


class Client:
    def __init__(self, folder, name):
        self.loan, self.debits, self.amount, self.total = CLIENTS[name]
        self.folder, self.today, self.start, self.bank = folder, self.loan[0], self.loan[1], self.loan[6]
        self.profile = self.path("client.ini")
        with open(self.profile, "w", encoding="utf-8") as f:
            f.write(PROFILE.format(*self.loan))

    def path(self, name):
        return os.path.join(self.folder, name)

    def write(self, *command):
        """Runs a command that writes the file named last, which must be its owner's only."""
        run(*command[:-2], "--profile", self.profile, "--today", self.today, *command[-2:])
        assert os.stat(command[-1]).st_mode & 0o777 == 0o600, command[-1]
        with open(command[-1], "rb") as f:
            return f.read()

    def printed_dates(self):
        self.write("print", "schedule", "--pdf", self.path("schedule.pdf"))
        text = subprocess.run(["pdftotext", self.path("schedule.pdf"), "-"], capture_output=True, text=True).stdout
        # The page's columns may come out row by row; the dates themselves are unique.
        return sorted(dt.datetime.strptime(m, "%B %d, %Y").date()
                      for m in re.findall(r"^[A-Z][a-z]+ \d{1,2}, \d{4}$", text, re.M))

    def payment_dates_with_extra(self):
        """The months whose schedule row carries an extra payment, on the loan's payment day."""
        rows = json.loads(run("analyze", "--profile", self.profile, "--today", self.today, "--schedules", "--json"))
        month, day, year = (int(p) for p in self.start.split("/"))
        months = [year * 12 + month - 1 + k for k, row in enumerate(rows["schedules"]["BiWeeklySchedule"]) if row[4]]
        return [dt.date(m // 12, m % 12 + 1, min(day, 28)) for m in months]


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
            self.assertEqual(len(printed), c.debits or len(printed))
            self.check_calendar(c, printed, c.write("export", "ics", "--out", c.path("debits.ics")))
            self.check_csv(c, printed, c.write("export", "schedule-csv", "--out", c.path("debits.csv")).decode())

    def check_calendar(self, c, printed, raw):
        lines = raw.split(b"\r\n")
        self.assertEqual(lines[-1], b"", "the file ends with CRLF")
        for line in lines:
            self.assertNotIn(b"\n", line, "a line ends without CR")
            self.assertLessEqual(len(line), 75, line)
            line.decode("utf-8")  # a fold never splits a character
        events = icalendar.Calendar.from_ical(raw).walk("VEVENT")
        for e in events:
            self.assertTrue("DTSTAMP" in e and e.get("UID"))
            self.assertIs(type(e.decoded("DTSTART")), dt.date, "an all-day date, which no time zone moves")
        self.assertEqual(len({str(e["UID"]) for e in events}), len(events))

        debit, *extra = sorted(events, key=lambda e: "RRULE" not in e)
        first = dt.datetime.combine(debit.decoded("DTSTART"), dt.time())
        self.assertEqual([d.date() for d in rrulestr(debit["RRULE"].to_ical().decode(), dtstart=first)], printed)
        self.assertRegex(str(debit["SUMMARY"]), r"^Bi-weekly mortgage debit \$" + (c.total or r"[0-9,]+\.\d\d") + "$")
        for wanted in (c.bank, "ending " + ACCOUNT[-4:], os.environ["TALLOWIN_COMPANY_PHONE"]):
            self.assertIn(wanted, str(debit["DESCRIPTION"]))
        self.assertNotIn(ACCOUNT[-5:], str(debit["DESCRIPTION"]), "more than the last four digits")
        reminder = first + debit.walk("VALARM")[0].decoded("TRIGGER")
        self.assertEqual(reminder, dt.datetime.combine(business_days_before(first.date(), 3), dt.time(9)))

        self.assertEqual({str(e["SUMMARY"]) for e in extra}, {"Extra half payment to principal"})
        self.assertEqual(sorted(e.decoded("DTSTART") for e in extra), c.payment_dates_with_extra())

    def check_csv(self, c, printed, text):
        header, *rows = csv.reader(text.splitlines())
        self.assertEqual(header, ["Debit", "Date", "Amount", "Fee", "TotalDebited"])
        self.assertEqual([(int(r[0]), dt.date.fromisoformat(r[1])) for r in rows], list(enumerate(printed, 1)))
        for r in rows:
            self.assertTrue(all(re.fullmatch(r"\d+\.\d\d", v) for v in r[2:]), r)
            self.assertEqual((Decimal(r[2]) + Decimal("3.45"), r[3]), (Decimal(r[4]), "3.45"), r)
            self.assertEqual((r[2], r[4]), (c.amount or r[2], c.total or r[4]))

    def test_sample_client(self):
        self.check_client("sample")

    def test_forty_year_plan(self):
        self.check_client("forty years")


class ArchivalEnrollment(unittest.TestCase):
    def test_enrollment_package_is_pdfa_1b(self):
        with tempfile.TemporaryDirectory() as folder:
            c = Client(folder, "sample")
            raw = c.write("print", "enrollment", "--pdf", c.path("enrollment.pdf"))
            tool = lambda *args: subprocess.run(args, capture_output=True, text=True, check=True).stdout
            fonts = tool("pdffonts", c.path("enrollment.pdf")).splitlines()[2:]
            self.assertTrue(fonts)
            for row in fonts:  # name, type..., encoding, emb, sub, uni, object, generation
                self.assertEqual(row.split()[-5], "yes", row)
            meta = tool("pdfinfo", "-meta", c.path("enrollment.pdf"))
            for wanted in (r'pdfaid:part="1"', r'pdfaid:conformance="B"', r'xmp:CreateDate="\d{4}-\d\d-\d\dT',
                           r"<dc:title>.*Margaret A Ellison - 12/08/2026.*</dc:title>"):
                self.assertRegex(meta, re.compile(wanted, re.S))
            # No transparency: soft masks only as /None, constant alpha only 1.
            self.assertEqual(re.findall(rb"/SMask\s*(?!/None)\S+", raw), [])
            self.assertEqual({float(a) for a in re.findall(rb"/(?:CA|ca)\s+([0-9.]+)", raw)} - {1.0}, set())
            self.assertEqual(re.findall(rb"/BM\s*/(?!Normal|Compatible)\w+", raw), [])


if __name__ == "__main__":
    unittest.main()
