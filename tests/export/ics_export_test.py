"""`tsumiki export --ics` read back by a real iCalendar reader: one all-day event
per duty of the member on the right date and with the duty's name, the calendar
named by workplace, month and member, lines as RFC 5545 writes them, and the
same UIDs from one export of the month to the next."""

import datetime
import glob
import os
import sys

from export_month import Checks, Month, need_module

icalendar = need_module("icalendar")


def calendars(folder):
    found = {}
    for path in sorted(glob.glob(os.path.join(folder, "*.ics"))):
        with open(path, "rb") as f:
            found[os.path.basename(path)] = f.read()
    return found


def events(raw):
    return [c for c in icalendar.Calendar.from_ical(raw).walk("VEVENT")]


def main(tsumiki):
    month = Month(tsumiki)
    checks = Checks()
    names = month.duty_names()
    dates = [datetime.date.fromisoformat(d["date"]) for d in month.json["days"]]
    first = os.path.join(month.dir, "ics1")
    second = os.path.join(month.dir, "ics2")
    for folder in (first, second):
        checks.equal(month.run("export", "--ics", folder).returncode, 0, "export --ics")
    one, two = calendars(first), calendars(second)
    members = month.json["members"]
    checks.equal(len(one), len(members), "one file per member")

    for member in members:
        file_name = f'{member["number"]}_{member["name"]}.ics'
        raw = one.get(file_name, b"")
        checks.true(raw, f"{file_name} written")
        lines = raw.split(b"\r\n")
        checks.equal(lines[-1], b"", f"{file_name} ends with CRLF")
        checks.true(all(b"\n" not in line and len(line) <= 75 for line in lines),
                    f"{file_name} lines are CRLF-separated and at most 75 octets")
        calendar = icalendar.Calendar.from_ical(raw)
        caption = str(calendar.get("X-WR-CALNAME"))
        checks.true("shift" in caption and "2027年1月" in caption and member["name"] in caption,
                    f"calendar name {caption}")
        expected = {dates[d]: a for d, a in enumerate(member["roster"]) if a}
        found = {}
        for event in events(raw):
            start, end = event.decoded("DTSTART"), event.decoded("DTEND")
            checks.true(type(start) is datetime.date, f"{file_name} all-day event")
            checks.equal(end - start, datetime.timedelta(days=1), f"{file_name} one day")
            found[start] = str(event.get("SUMMARY"))
        checks.equal(found, {day: f"{names[a]}（{a}）" for day, a in expected.items()},
                     f"{file_name} events")
        uids = [str(e.get("UID")) for e in events(raw)]
        again = [str(e.get("UID")) for e in events(two.get(file_name, b""))]
        checks.equal(len(set(uids)), len(uids), f"{file_name} UIDs are distinct")
        checks.equal(again, uids, f"{file_name} UIDs repeat in the next export")

    only = os.path.join(month.dir, "only")
    checks.equal(month.run("export", "--ics", only, "--member", members[2]["number"]).returncode,
                 0, "export --member")
    checks.equal(list(calendars(only)), [f'{members[2]["number"]}_{members[2]["name"]}.ics'],
                 "--member writes that member's file alone")
    checks.equal(month.run("export", "--ics", only, "--member", "999").returncode, 1,
                 "an unknown member is refused")
    checks.exit()


if __name__ == "__main__":
    main(sys.argv[1])
