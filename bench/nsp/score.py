#!/usr/bin/env python3
"""The benchmark's own objective of a roster, and the plain grid it is kept in.

A grid file has one line per staff member: the staff ID, then one shift ID per
day of the horizon, '-' for a day off, separated by spaces. Members missing
from the file count as off every day.

The hard rules are listed one broken instance per line and counted apart from
the soft penalty, so a roster that breaks them still gets a comparable figure:

    python3 bench/nsp/score.py INSTANCE.txt ROSTER.grid
"""

from __future__ import annotations

import dataclasses
import pathlib
import sys

if __package__ in (None, ""):
    sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import instance as nsp  # noqa: E402

OFF = "-"

Grid = dict[str, list[str]]


@dataclasses.dataclass
class Score:
    penalty: int
    violations: list[str]
    on_requests: int = 0
    off_requests: int = 0
    under: int = 0
    over: int = 0


def read_grid(text: str) -> Grid:
    grid: Grid = {}
    for line in text.splitlines():
        fields = line.split()
        if fields:
            grid[fields[0]] = fields[1:]
    return grid


def format_grid(inst: nsp.Instance, grid: Grid) -> str:
    return "".join(" ".join([s.id, *row_of(inst, grid, s.id)]) + "\n" for s in inst.staff)


def row_of(inst: nsp.Instance, grid: Grid, staff_id: str) -> list[str]:
    row = list(grid.get(staff_id, []))[: inst.horizon]
    return row + [OFF] * (inst.horizon - len(row))


def _runs(row: list[str], working: bool) -> list[tuple[int, int]]:
    """(first day, length) of each maximal run of working (or of off) days."""
    runs, start = [], None
    for day, shift in enumerate(row + [None]):
        inside = shift is not None and (shift != OFF) == working
        if inside and start is None:
            start = day
        elif not inside and start is not None:
            runs.append((start, day - start))
            start = None
    return runs


def _short_runs(row: list[str], working: bool, least: int, what: str) -> list[str]:
    # A run touching either end of the horizon may continue outside it.
    return [f"{what} run of {length} from day {start} shorter than {least}"
            for start, length in _runs(row, working)
            if length < least and start > 0 and start + length < len(row)]


def _weekends(row: list[str]) -> int:
    weeks = (len(row) + 1) // 7
    return sum(any(row[d] != OFF for d in (7 * w + 5, 7 * w + 6) if d < len(row))
               for w in range(weeks))


def _staff_violations(inst: nsp.Instance, staff: nsp.Staff, row: list[str]) -> list[str]:
    known = {s.id: s for s in inst.shifts}
    found = [f"day {d}: unknown shift {s}" for d, s in enumerate(row)
             if s != OFF and s not in known]
    row = [s if s in known else OFF for s in row]
    for day in range(len(row) - 1):
        if row[day] != OFF and row[day + 1] in known[row[day]].forbidden_next:
            found.append(f"day {day}: {row[day]} followed by {row[day + 1]}")
    for shift_id, cap in staff.max_shifts.items():
        if (count := row.count(shift_id)) > cap:
            found.append(f"{count} shifts {shift_id}, most {cap}")
    minutes = sum(known[s].minutes for s in row if s != OFF)
    if not staff.min_minutes <= minutes <= staff.max_minutes:
        found.append(f"{minutes} minutes outside {staff.min_minutes}..{staff.max_minutes}")
    found += [f"run of {length} shifts from day {start}, most {staff.max_consecutive}"
              for start, length in _runs(row, True) if length > staff.max_consecutive]
    found += _short_runs(row, True, staff.min_consecutive, "shift")
    found += _short_runs(row, False, staff.min_days_off, "day-off")
    if (weekends := _weekends(row)) > staff.max_weekends:
        found.append(f"{weekends} weekends worked, most {staff.max_weekends}")
    found += [f"day {d}: works on a day off" for d in inst.days_off.get(staff.id, [])
              if d < len(row) and row[d] != OFF]
    return found


def score(inst: nsp.Instance, grid: Grid) -> Score:
    rows = {s.id: row_of(inst, grid, s.id) for s in inst.staff}
    result = Score(0, [f"{staff_id}: not a staff member"
                       for staff_id in grid if staff_id not in rows])
    for staff in inst.staff:
        result.violations += [f"{staff.id}: {v}"
                              for v in _staff_violations(inst, staff, rows[staff.id])]

    def assigned(r: nsp.Request) -> bool:
        return r.staff in rows and 0 <= r.day < inst.horizon and rows[r.staff][r.day] == r.shift

    result.on_requests = sum(r.weight for r in inst.on_requests if not assigned(r))
    result.off_requests = sum(r.weight for r in inst.off_requests if assigned(r))
    for c in inst.cover:
        count = sum(row[c.day] == c.shift for row in rows.values())
        result.under += max(0, c.requirement - count) * c.under_weight
        result.over += max(0, count - c.requirement) * c.over_weight
    result.penalty = result.on_requests + result.off_requests + result.under + result.over
    return result


def main(argv: list[str]) -> int:
    if len(argv) != 3:
        print(__doc__.strip().splitlines()[-1].strip(), file=sys.stderr)
        return 2
    inst = nsp.load(argv[1])
    result = score(inst, read_grid(pathlib.Path(argv[2]).read_text(encoding="utf-8")))
    for violation in result.violations:
        print("hard:", violation)
    print(f"hard violations: {len(result.violations)}")
    print(f"objective: {result.penalty} (shift-on {result.on_requests}, shift-off "
          f"{result.off_requests}, under {result.under}, over {result.over})")
    return 0 if not result.violations else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
