#!/usr/bin/env python3
"""Import a benchmark instance into a workbook of our input form.

    python3 bench/nsp/to_workbook.py --tsumiki build/cli/tsumiki INSTANCE.txt OUT.xlsm

The workbook is a fresh `tsumiki init` sample whose conditions are replaced by
`conditions load` of a CSV written here. The month is February 2027, which
starts on a Monday as the benchmark's day 0 does; its day d + 1 is the
benchmark's day d.

What is stated, and how:
  - each shift a duty type (full and short name its ID, in the file's order),
    its forbidden successors 翌日禁止; with 2 to 9 shifts one more duty type
    that nobody may take goes last, since the form staffs its last duty type
    exactly to Need_Table and every other one may take extra staff;
  - each day off 休 in 個人予定; a shift whose cap is 0 for a member is listed
    in that member's 個人予定 on every other day, so it is never given;
  - the cover a weighed wish, as the benchmark has it: Desired_Table holds the
    requirement of every day and shift and Desired_Weight the under-staffing
    weight (one per shift, the most common of that shift); Need_Table stays 0,
    since the benchmark requires no cover at all. With 10 shifts there is no
    room for the extra duty type, and the cover of the shift it binds least
    (see duty_types) is required exactly in Need_Table;
  - the longest run of shifts 連続勤務上限, the smallest of the members'
    limits, and Work_Run_Most for each member whose own limit is longer;
  - each member's window of working minutes a range of work days: the most a
    work-day target (Member_DayOff, the days off of the month) that the member's own limits
    (days off, caps, runs, weekends) allow, so that a month exists; the targets
    add up to the cover where the windows allow, less the days traded for the
    longer shifts' cover (see work_day_targets): a
    target at which every mix of shifts keeps the window where there is one,
    else one at which some mix does; the fewest the least count at which every
    mix keeps it (DayOff_Most), where that is below the target;
  - 単日勤務防止 on when some member's shortest run of shifts is 2 or more;
  - each member's cap per shift Duty_Most (caps at or above the horizon say
    nothing and are left empty), a longer shift also capped so that the
    target keeps the most minutes (see minute_caps), the shortest run of shifts Work_Run_Least and
    of days off Rest_Run_Least, the most weekends Weekend_Most;
  - the benchmark weighs no balance of single days: Score_Weight 0, so the
    searches minimise the wishes and the cover alone;
  - each shift-on request a wish for that shift (Wish_Table, Wish_Weight, the
    weight capped at 9); each shift-off request on a day without an on-request
    a wish for a day off: the benchmark is also content with another shift
    there, the form only with a day off.
What the form cannot state: the minute window itself (a target in days keeps
it only when the shift lengths allow), under-staffing weights that differ by day within one
shift, and over-staffing as a weighed choice (with exact targets the extra
staff is the cover's shortfall plus what the targets add above the cover).
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
NOBODY = "X"  # the duty type nobody may take

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


def achievable_counts(inst: nsp.Instance, staff: nsp.Staff) -> set[int]:
    """The work-day counts of the member's own months that keep the days off,
    the member's own longest run, the shortest runs and the most weekends, as the workbook judges them: the
    first run and a run of days off that reaches the month's end are exempt;
    a run of shifts that ends the horizon of a shorter instance is followed by
    days off and is judged."""
    longest = staff.max_consecutive
    off = set(inst.days_off.get(staff.id, []))
    least_work, least_off = staff.min_consecutive, staff.min_days_off
    # state: (working, run length capped, weekends worked, first run) -> counts
    states = {(False, 0, 0, True): {0}}
    for day in range(inst.horizon):
        weekend_day = day % 7 in (5, 6)
        nxt: dict[tuple[bool, int, int, bool], set[int]] = {}
        for (working, run, weekends, first), counts in states.items():
            for work in (False, True):
                if work and (day in off or (working and run >= longest)):
                    continue
                if day > 0 and work != working and not first:
                    if working and run < least_work or not working and run < least_off:
                        continue
                worked = weekends + (work and weekend_day and not (day % 7 == 6 and working))
                if worked > staff.max_weekends:
                    continue
                length = min(run + 1, inst.horizon) if work == working else 1
                key = (work, length, worked, first and (day == 0 or work == working))
                nxt.setdefault(key, set()).update(c + work for c in counts)
        states = nxt
    found: set[int] = set()
    for (working, run, _, first), counts in states.items():
        if working and not first and inst.horizon < MONTH_DAYS and run < least_work:
            continue
        found |= counts
    return found


def work_day_windows(inst: nsp.Instance, staff: nsp.Staff) -> tuple[range, range]:
    """The work-day counts at which every mix of shifts within the caps keeps
    the member's minute window, and those at which some mix does; both among
    the counts the member's own limits allow."""
    allowed = achievable_counts(inst, staff)
    counts = [k for k in sorted(allowed) if _minutes(inst, staff, k, False) >= 0]
    sure = [k for k in counts if _minutes(inst, staff, k, True) <= staff.max_minutes
            and _minutes(inst, staff, k, False) >= staff.min_minutes]
    some = [k for k in counts if _minutes(inst, staff, k, False) <= staff.max_minutes
            and _minutes(inst, staff, k, True) >= staff.min_minutes]
    if not some and counts:
        # No count keeps the window under the member's runs and weekends: the
        # count nearest to it, not none.
        def outside(k: int) -> int:
            return max(0, staff.min_minutes - _minutes(inst, staff, k, True),
                       _minutes(inst, staff, k, False) - staff.max_minutes)
        some = [min(counts, key=lambda k: (outside(k), -k))]
    as_range = lambda ks: range(ks[0], ks[-1] + 1) if ks else range(0)  # noqa: E731
    return as_range(sure), as_range(some)


def work_day_targets(inst: nsp.Instance, needed: int | None = None) -> list[int]:
    """One target per member, adding up to the cover where the windows allow.

    Members start at the least of their sure window (of the other where that is
    empty); each further day goes to the member least far into its window, the
    sure windows first, then the others; ties go to the first in the file.
    Then days are traded for the longer shifts' cover (see
    trade_days_for_longer_shifts)."""
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
    trade_days_for_longer_shifts(inst, windows, targets)
    return targets


def longer_shift_room(inst: nsp.Instance, staff: nsp.Staff, target: int) -> int:
    """How many shifts longer than the instance's shortest the member's caps
    (minute_caps at `target`) let it take."""
    shortest = min(s.minutes for s in inst.shifts)
    caps = minute_caps(inst, staff, target)
    return sum(min(caps.get(s.id, inst.horizon), target)
               for s in open_shifts(inst, staff) if s.minutes > shortest)


def trade_days_for_longer_shifts(inst: nsp.Instance, windows: list[tuple[range, range]],
                                 targets: list[int]) -> None:
    """Lowers targets, or moves a day to another member, while that lowers the
    least under-staffing the targets and caps leave.

    A longer shift is capped so that the target keeps the most minutes, so one
    day less lets a member take (shortest length / difference) more of it: 4
    nights of 600 minutes beside days of 480, up to the member's own cap. The
    least under-staffing is the longer shifts' cover beyond their caps, plus the
    other shifts' cover beyond the days left for them. On Instance9 the targets
    add up to the cover but let 61 nights be taken for a cover of 72: 11 places
    short, where 4 days less leave 4."""
    shortest = min(s.minutes for s in inst.shifts)
    longer = {s.id for s in inst.shifts if s.minutes > shortest}
    longer_need = sum(c.requirement for c in inst.cover if c.shift in longer)
    other_need = sum(c.requirement for c in inst.cover) - longer_need
    if not longer_need:
        return
    lows = [(sure or some or range(1))[0] for sure, some in windows]
    tops = [(some or sure or range(1))[-1] for sure, some in windows]
    room = [{t: longer_shift_room(inst, s, t) for t in range(low, top + 1)}
            for s, low, top in zip(inst.staff, lows, tops)]

    def least_short(days: int, longer_room: int) -> int:
        longer_taken = min(longer_room, longer_need)
        return longer_need - longer_taken + max(0, other_need - (days - longer_taken))

    while True:
        days, longer_room = sum(targets), sum(r[t] for r, t in zip(room, targets))
        best = (least_short(days, longer_room), 0, -1, -1)
        for i, target in enumerate(targets):
            if target <= lows[i]:
                continue
            gain = room[i][target - 1] - room[i][target]
            if gain <= 0:
                continue
            best = min(best, (least_short(days - 1, longer_room + gain), 1, i, -1))
            for j, other in enumerate(targets):
                if j != i and other < tops[j]:
                    moved = longer_room + gain + room[j][other + 1] - room[j][other]
                    best = min(best, (least_short(days, moved), 0, i, j))
        if best[2] < 0:
            return
        _, _, giver, taker = best
        targets[giver] -= 1
        if taker >= 0:
            targets[taker] += 1


def fewest_work_days(inst: nsp.Instance, staff: nsp.Staff, target: int) -> int:
    """The fewest work days the member may get (DayOff_Most): the least of the
    counts at which every mix of shifts keeps the window, the target itself
    where there is none below it. The target stays the most, so the caps that
    keep the most minutes at the target keep them at every count below."""
    sure, _ = work_day_windows(inst, staff)
    return min(target, sure[0]) if sure else target


def duty_types(inst: nsp.Instance) -> list[str]:
    """The duty types in workbook order: the shifts, then the one nobody takes
    where there is room for it. With ten shifts the one whose cover binds least
    goes last, as its cover becomes required: the most the members may take of
    it (their caps) for each person its cover asks."""
    ids = [s.id for s in inst.shifts]
    if len(ids) == 1:
        return ids
    if len(ids) < MAX_DUTY_TYPES:
        return ids + [NOBODY]
    cover = {i: sum(c.requirement for c in inst.cover if c.shift == i) for i in ids}
    room = {i: sum(s.max_shifts.get(i, inst.horizon) for s in inst.staff) for i in ids}
    last = max(ids, key=lambda i: (room[i] / max(cover[i], 1), -ids.index(i)))
    return [i for i in ids if i != last] + [last]


def required_cover(inst: nsp.Instance) -> dict[tuple[int, str], int]:
    """The cover Need_Table requires, by (day, shift): only the last duty type's
    when it is a shift (ten shifts), which the form staffs exactly."""
    last = duty_types(inst)[-1]
    if len(inst.shifts) == 1 or last == NOBODY:
        return {}
    return {(c.day, c.shift): c.requirement for c in inst.cover if c.shift == last}


def minute_caps(inst: nsp.Instance, staff: nsp.Staff, target: int) -> dict[str, int]:
    """The member's caps per shift, each shift longer than the member's shortest
    also capped so that the target's other days on the shortest keep the most
    minutes (exact where there are two lengths, as in the benchmark's)."""
    caps = {s.id: staff.max_shifts.get(s.id, inst.horizon) for s in inst.shifts}
    shifts = open_shifts(inst, staff)
    if not shifts:
        return {k: v for k, v in caps.items() if k in staff.max_shifts}
    shortest = min(s.minutes for s in shifts)
    for shift in shifts:
        if shift.minutes > shortest:
            room = (staff.max_minutes - target * shortest) // (shift.minutes - shortest)
            caps[shift.id] = max(0, min(caps[shift.id], room))
    return {k: v for k, v in caps.items() if k in staff.max_shifts or v < inst.horizon}


def condition_cells(inst: nsp.Instance) -> list[tuple[str, int, int, object]]:
    cells: list[tuple[str, int, int, object]] = [(name, 1, 1, value) for name, value in SETTINGS]
    types = duty_types(inst)
    index = {shift_id: i for i, shift_id in enumerate(types, 1)}
    for shift_id in types:
        cells += [("Type_Table_Org", index[shift_id], 1, shift_id),
                  ("略称", index[shift_id], 1, shift_id)]
    for shift in inst.shifts:
        cells += [("翌日禁止", index[shift.id], index[u], BARRED)
                  for u in shift.forbidden_next if u in index]
    cells.append(("連続勤務上限", 1, 1, workplace_longest_run(inst)))
    cells.append(("単日勤務防止", 1, 1, any(s.min_consecutive >= 2 for s in inst.staff)))
    cells += [("最適化比重", w, 1, 1) for w in range(1, 13)]
    cells.append(("Score_Weight", 1, 1, 0))
    cover = required_cover(inst)
    targets = work_day_targets(inst)
    for m, (staff, target) in enumerate(zip(inst.staff, targets), 1):
        cells += [("Member_List", m, 1, FIRST_MEMBER_NUMBER + m - 1),
                  ("Member_List", m, 2, staff.id),
                  ("Member_DayOff", m, 1, MONTH_DAYS - target)]
        fewest = fewest_work_days(inst, staff, target)
        if fewest < target:
            cells.append(("DayOff_Most", m, 1, MONTH_DAYS - fewest))
        open_ids = [s.id for s in open_shifts(inst, staff)]
        barred = (",".join(i for i in types if i not in open_ids) if open_ids else DAY_OFF)
        days_off = set(inst.days_off.get(staff.id, []))
        for day in range(MONTH_DAYS):
            value = DAY_OFF if day in days_off or day >= inst.horizon else barred
            if value:
                cells.append(("個人予定", m, day + 1, value))
    for (day, shift_id), requirement in sorted(cover.items()):
        if requirement and day < MONTH_DAYS:
            cells.append(("Need_Table", index[shift_id], day + 1, requirement))
    return cells + limit_cells(inst) + wish_cells(inst) + desired_cells(inst, cover)


def workplace_longest_run(inst: nsp.Instance) -> int:
    return min(s.max_consecutive for s in inst.staff)


def limit_cells(inst: nsp.Instance) -> list[tuple[str, int, int, object]]:
    """Caps per shift, shortest runs and weekends, each member's own."""
    index = {shift_id: i for i, shift_id in enumerate(duty_types(inst), 1)}
    cells: list[tuple[str, int, int, object]] = []
    for m, (staff, target) in enumerate(zip(inst.staff, work_day_targets(inst)), 1):
        for shift_id, cap in minute_caps(inst, staff, target).items():
            if shift_id in index and cap < inst.horizon:
                cells.append(("Duty_Most", m, index[shift_id], min(cap, MONTH_DAYS)))
        if staff.min_consecutive >= 2:
            cells.append(("Work_Run_Least", m, 1, staff.min_consecutive))
        if staff.max_consecutive != workplace_longest_run(inst):
            cells.append(("Work_Run_Most", m, 1, staff.max_consecutive))
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
    """The benchmark's cover as the staffing the month should reach, each
    member short costing the under-staffing weight."""
    index = {shift_id: i for i, shift_id in enumerate(duty_types(inst), 1)}
    cells: list[tuple[str, int, int, object]] = []
    weights: dict[str, list[int]] = {}
    for c in inst.cover:
        if c.day < MONTH_DAYS and c.requirement > cover.get((c.day, c.shift), 0):
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
