#!/usr/bin/env python3
"""Import a benchmark instance into a workbook of our input form.

    python3 bench/nsp/to_workbook.py --tsumiki build/cli/tsumiki INSTANCE.txt OUT.xlsm

The workbook is a fresh `tsumiki init` sample whose conditions are replaced by
`conditions load` of a CSV written here. The month is February 2027, which
starts on a Monday as the benchmark's day 0 does; its day d + 1 is the
benchmark's day d.

What is stated, and how:
  - each shift a duty type (full and short name its ID, in the file's order),
    its forbidden successors 翌日禁止;
  - each day off 休 in 個人予定; a shift whose cap is 0 for a member is listed
    in that member's 個人予定 on every other day, so it is never given;
  - the cover Need_Table, every unit of it required (the benchmark weighs a
    shortfall, here it is a hard rule); the units that the members free on a
    day cannot staff, those of weekends beyond what the members' most weekends
    can staff, and where the targets add up to less the units they cannot
    reach, are taken out (see required_cover) and cost their under-staffing
    weight in the score;
  - the longest run of shifts 連続勤務上限; the form has one value for the
    whole workplace, so the smallest of the members' limits is taken;
  - each member's window of working minutes one exact work-day target
    (Member_DayOff, the days off of the month), fitted so that the targets add
    up to the cover where the windows allow (see work_day_targets): a target
    at which every mix of shifts keeps the window where there is one, else one
    at which some mix does;
  - 単日勤務防止 on when some member's shortest run of shifts is 2 or more;
  - each member's cap per shift Duty_Most (caps at or above the horizon say
    nothing and are left empty), the shortest run of shifts Work_Run_Least and
    of days off Rest_Run_Least, the most weekends Weekend_Most;
  - each shift-on request a wish for that shift (Wish_Table, Wish_Weight, the
    weight capped at 9); each shift-off request on a day without an on-request
    a wish for a day off: the benchmark is also content with another shift
    there, the form only with a day off;
  - the cover units taken out of Need_Table a desired staffing (Desired_Table:
    the benchmark's requirement) with one weight per shift, the most common
    under-staffing weight of that shift.
What the form cannot state and is dropped: the minute window itself (a target
in days keeps it only when the shift lengths allow), each member's own longest
run where it exceeds the smallest, under-staffing weights that differ by day
within one shift, and over-staffing as a weighed choice.
Horizons: a 14-day instance fills days 1-14; days 15-28 have no cover and
every member off. Horizons longer than 28 days do not fit one month and are
refused, as are instances with more than 10 shifts or 100 staff.
"""

from __future__ import annotations

import argparse
import csv
import io
import math
import pathlib
import subprocess
import sys
import tempfile

if __package__ in (None, ""):
    sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import instance as nsp  # noqa: E402

YEAR, MONTH, MONTH_DAYS = 2027, 2, 28
MAX_DUTY_TYPES, MAX_MEMBERS = 10, 100
FIRST_MEMBER_NUMBER = 101
BARRED = "×"
DAY_OFF = "休"

SETTINGS = [("年", YEAR), ("月", MONTH), ("日", 1), ("基準開始日", 1), ("試行回数", 3),
            ("制限時間", 3), ("改善時間", 2), ("Sw_確保優先", 2), ("進行状況表示", 0),
            ("連続休み上限", 0), ("Kinsi_Pattern_Cnt", 0), ("Hissu_Pattern_Cnt", 0),
            ("勤務日数調整", True), ("勤務集中", False), ("組合せ禁止数", 0), ("組合せ必須数", 0),
            ("過去累計使用", False), ("初期値使用", False)]


def refusal(inst: nsp.Instance) -> str | None:
    """Why the instance cannot be stated in one month of our form, or None."""
    if inst.horizon > MONTH_DAYS:
        return f"horizon of {inst.horizon} days is longer than one month"
    if len(inst.shifts) > MAX_DUTY_TYPES:
        return f"{len(inst.shifts)} shifts, the form holds {MAX_DUTY_TYPES} duty types"
    if len(inst.staff) > MAX_MEMBERS:
        return f"{len(inst.staff)} staff, the form holds {MAX_MEMBERS} members"
    return None


def open_shifts(inst: nsp.Instance, staff: nsp.Staff) -> list[nsp.Shift]:
    return [s for s in inst.shifts if staff.max_shifts.get(s.id, inst.horizon) > 0]


def _minutes(inst: nsp.Instance, staff: nsp.Staff, days: int, longest: bool) -> int:
    """The fewest (or most) minutes of `days` shifts within the member's caps."""
    total = 0
    for shift in sorted(open_shifts(inst, staff), key=lambda s: s.minutes, reverse=longest):
        take = min(days, staff.max_shifts.get(shift.id, inst.horizon))
        total, days = total + take * shift.minutes, days - take
    return total if days == 0 else -1


def work_day_windows(inst: nsp.Instance, staff: nsp.Staff) -> tuple[range, range]:
    """The work-day counts at which every mix of shifts within the caps keeps
    the member's minute window, and those at which some mix does; both within
    the days the member is free."""
    free = inst.horizon - len(set(inst.days_off.get(staff.id, [])))
    counts = [k for k in range(free + 1) if _minutes(inst, staff, k, False) >= 0]
    sure = [k for k in counts if _minutes(inst, staff, k, True) <= staff.max_minutes
            and _minutes(inst, staff, k, False) >= staff.min_minutes]
    some = [k for k in counts if _minutes(inst, staff, k, False) <= staff.max_minutes
            and _minutes(inst, staff, k, True) >= staff.min_minutes]
    as_range = lambda ks: range(ks[0], ks[-1] + 1) if ks else range(0)  # noqa: E731
    return as_range(sure), as_range(some)


def work_day_targets(inst: nsp.Instance, needed: int | None = None) -> list[int]:
    """One target per member, adding up to the cover where the windows allow.

    Members start at the least of their sure window (of the other where that is
    empty); each further day goes to the member least far into its window, the
    sure windows first, then the others; ties go to the first in the file."""
    windows = [work_day_windows(inst, s) for s in inst.staff]
    targets = [(sure or some or range(1))[0] for sure, some in windows]
    if needed is None:
        needed = sum(c.requirement for c in inst.cover)
    for stage in (0, 1):
        limits = [w[stage] or w[1 - stage] or range(1) for w in windows]
        while sum(targets) < needed:
            room = [i for i, limit in enumerate(limits) if targets[i] < limit[-1]]
            if not room:
                break
            targets[min(room, key=lambda i: (targets[i] - limits[i][0]) / len(limits[i]))] += 1
    return targets


def _staffable(inst: nsp.Instance, day: int, units: list[str]) -> list[str]:
    """The units of one day's cover that a most-matching of the members free that
    day to them staffs, one unit each. Units earlier in the list are kept
    first: an augmenting path never unmatches a unit matched before."""
    members = [s for s in inst.staff if day not in inst.days_off.get(s.id, [])]
    takes = [{sh.id for sh in open_shifts(inst, s)} for s in members]
    holder: dict[int, int] = {}  # member index -> unit index

    def place(unit: int, seen: set[int]) -> bool:
        for m, shifts in enumerate(takes):
            if units[unit] in shifts and m not in seen:
                seen.add(m)
                if m not in holder or place(holder[m], seen):
                    holder[m] = unit
                    return True
        return False

    kept = [u for u in range(len(units)) if place(u, set())]
    return [units[u] for u in kept]


def required_cover(inst: nsp.Instance) -> tuple[dict[tuple[int, str], int], list[int]]:
    """The cover to require, by (day, shift), and the work-day targets fitted to it.

    From the benchmark's cover are taken out, and left to under-staffing: the
    units of a day that its free members cannot staff, the units of the
    cheapest shortfall first; then the units the targets cannot reach, one at
    a time from the cell with the cheapest shortfall and then the most cover."""
    weight = {(c.day, c.shift): c.under_weight for c in inst.cover}
    cover = {k: 0 for k in weight}
    for day in sorted({c.day for c in inst.cover}):
        units = [c.shift for c in sorted((c for c in inst.cover if c.day == day),
                                         key=lambda c: -c.under_weight)
                 for _ in range(c.requirement)]
        for shift_id in _staffable(inst, day, units):
            cover[(day, shift_id)] += 1
    _fit_weekends(inst, cover, weight)
    targets = work_day_targets(inst, sum(cover.values()))
    for _ in range(sum(cover.values()) - sum(targets)):
        cell = min((k for k in cover if cover[k] > 0), key=lambda k: (weight[k], -cover[k], k))
        cover[cell] -= 1
    return cover, targets


def _fit_weekends(inst: nsp.Instance, cover: dict[tuple[int, str], int],
                  weight: dict[tuple[int, str], int]) -> None:
    """Takes cover units out of weekend days until the members' most weekends can
    staff them: a weekend needs at least as many members as its busier day, and
    the members together work no more weekends than their limits add up to. The
    busiest weekend gives first, from its cell with the cheapest shortfall."""
    weekends = [(d, d + 1) for d in range(5, inst.horizon - 1, 7)]
    capacity = sum(max(0, min(s.max_weekends, len(weekends))) for s in inst.staff)

    def total(day: int) -> int:
        return sum(v for (d, _), v in cover.items() if d == day)

    def need(weekend: tuple[int, int]) -> int:
        return max(total(d) for d in weekend)

    while weekends and sum(need(w) for w in weekends) > capacity:
        busiest = max(weekends, key=need)
        top = need(busiest)
        for day in busiest:
            if total(day) == top:
                cell = min((k for k in cover if k[0] == day and cover[k] > 0),
                           key=lambda k: (weight[k], -cover[k], k))
                cover[cell] -= 1


def condition_cells(inst: nsp.Instance) -> list[tuple[str, int, int, object]]:
    cells: list[tuple[str, int, int, object]] = [(name, 1, 1, value) for name, value in SETTINGS]
    index = {s.id: i for i, s in enumerate(inst.shifts, 1)}
    for shift in inst.shifts:
        t = index[shift.id]
        cells += [("Type_Table_Org", t, 1, shift.id), ("略称", t, 1, shift.id)]
        cells += [("翌日禁止", t, index[u], BARRED) for u in shift.forbidden_next if u in index]
    cells.append(("連続勤務上限", 1, 1, min(s.max_consecutive for s in inst.staff)))
    cells.append(("単日勤務防止", 1, 1, any(s.min_consecutive >= 2 for s in inst.staff)))
    cells += [("最適化比重", w, 1, 1) for w in range(1, 13)]
    cover, targets = required_cover(inst)
    for m, (staff, target) in enumerate(zip(inst.staff, targets), 1):
        cells += [("Member_List", m, 1, FIRST_MEMBER_NUMBER + m - 1),
                  ("Member_List", m, 2, staff.id),
                  ("Member_DayOff", m, 1, MONTH_DAYS - target)]
        open_ids = [s.id for s in open_shifts(inst, staff)]
        barred = (",".join(s.id for s in inst.shifts if s.id not in open_ids)
                  if open_ids else DAY_OFF)
        days_off = set(inst.days_off.get(staff.id, []))
        for day in range(MONTH_DAYS):
            value = DAY_OFF if day in days_off or day >= inst.horizon else barred
            if value:
                cells.append(("個人予定", m, day + 1, value))
    for (day, shift_id), requirement in sorted(cover.items()):
        if requirement and shift_id in index and day < MONTH_DAYS:
            cells.append(("Need_Table", index[shift_id], day + 1, requirement))
    return cells + limit_cells(inst) + wish_cells(inst) + desired_cells(inst, cover)


def limit_cells(inst: nsp.Instance) -> list[tuple[str, int, int, object]]:
    """Caps per shift, shortest runs and weekends, each member's own."""
    index = {s.id: i for i, s in enumerate(inst.shifts, 1)}
    cells: list[tuple[str, int, int, object]] = []
    for m, staff in enumerate(inst.staff, 1):
        for shift_id, cap in staff.max_shifts.items():
            if shift_id in index and cap < inst.horizon:
                cells.append(("Duty_Most", m, index[shift_id], min(cap, MONTH_DAYS)))
        if staff.min_consecutive >= 2:
            cells.append(("Work_Run_Least", m, 1, staff.min_consecutive))
        if staff.min_days_off >= 2:
            cells.append(("Rest_Run_Least", m, 1, staff.min_days_off))
        if staff.max_weekends < (inst.horizon + 6) // 7:
            cells.append(("Weekend_Most", m, 1, max(0, staff.max_weekends)))
    return cells


def wish_cells(inst: nsp.Instance) -> list[tuple[str, int, int, object]]:
    row = {s.id: m for m, s in enumerate(inst.staff, 1)}
    wishes: dict[tuple[int, int], tuple[str, int]] = {}
    for request in inst.off_requests:
        if request.staff in row and request.day < MONTH_DAYS:
            key = (row[request.staff], request.day + 1)
            weight = wishes.get(key, (DAY_OFF, 0))[1] + request.weight
            wishes[key] = (DAY_OFF, weight)
    for request in inst.on_requests:
        if request.staff in row and request.day < MONTH_DAYS:
            wishes[(row[request.staff], request.day + 1)] = (request.shift, request.weight)
    cells: list[tuple[str, int, int, object]] = []
    for (m, d), (wish, weight) in sorted(wishes.items()):
        cells += [("Wish_Table", m, d, wish), ("Wish_Weight", m, d, max(1, min(9, weight)))]
    return cells


def desired_cells(inst: nsp.Instance,
                  cover: dict[tuple[int, str], int]) -> list[tuple[str, int, int, object]]:
    index = {s.id: i for i, s in enumerate(inst.shifts, 1)}
    cells: list[tuple[str, int, int, object]] = []
    weights: dict[str, list[int]] = {}
    for c in inst.cover:
        if c.shift in index and c.day < MONTH_DAYS and c.requirement > cover.get((c.day, c.shift), 0):
            cells.append(("Desired_Table", index[c.shift], c.day + 1, c.requirement))
            weights.setdefault(c.shift, []).append(c.under_weight)
    for shift_id, found in weights.items():
        cells.append(("Desired_Weight", index[shift_id], 1, max(set(found), key=found.count)))
    return cells


def _encode(value: object) -> str:
    if isinstance(value, bool):
        return "TRUE" if value else "FALSE"
    if isinstance(value, int):
        return str(value)
    text = str(value)
    try:
        float(text)
        numeric = True
    except ValueError:
        numeric = False
    return "'" + text if numeric or text in ("TRUE", "FALSE") or text[:1] in "'#" else text


def conditions_csv(inst: nsp.Instance) -> str:
    out = io.StringIO()
    writer = csv.writer(out, lineterminator="\r\n")
    writer.writerow(["\ufeffツミキ条件データ", 1])
    for name, row, column, value in condition_cells(inst):
        writer.writerow([name, row, column, _encode(value)])
    writer.writerow(["ツミキ条件データ終わり"])
    return out.getvalue()


def write_workbook(inst: nsp.Instance, tsumiki: str, path: pathlib.Path) -> None:
    """Write a fresh workbook holding the instance; raises on any failure."""
    if (reason := refusal(inst)) is not None:
        raise ValueError(f"{inst.name}: {reason}")
    path.unlink(missing_ok=True)
    with tempfile.TemporaryDirectory() as scratch:
        conditions = pathlib.Path(scratch) / "conditions.csv"
        conditions.write_text(conditions_csv(inst), encoding="utf-8", newline="")
        for command in (["init", str(path)],
                        ["--workbook", str(path), "--batch", "--save", "conditions", "load",
                         str(conditions)]):
            done = subprocess.run([tsumiki, *command], capture_output=True, text=True)
            if done.returncode != 0:
                raise RuntimeError(f"{inst.name}: tsumiki {command[0]} failed:\n"
                                   f"{done.stdout}{done.stderr}")


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tsumiki", default="build/cli/tsumiki")
    parser.add_argument("--csv", action="store_true", help="print the conditions CSV instead")
    parser.add_argument("instance")
    parser.add_argument("workbook", nargs="?")
    args = parser.parse_args()
    inst = nsp.load(args.instance)
    if args.csv:
        sys.stdout.write(conditions_csv(inst))
        return 0
    if args.workbook is None:
        parser.error("a workbook path is needed unless --csv is given")
    try:
        write_workbook(inst, args.tsumiki, pathlib.Path(args.workbook))
    except (ValueError, RuntimeError) as error:
        print(error, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
