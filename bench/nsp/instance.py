"""Reader of the staff-scheduling benchmark's text format (InstanceN.txt).

The file is a list of sections, each a SECTION_ line followed by comma-separated
records; '#' starts a comment line. Day 0 of the horizon is a Monday.
"""

from __future__ import annotations

import dataclasses
import pathlib


@dataclasses.dataclass
class Shift:
    id: str
    minutes: int
    forbidden_next: list[str]


@dataclasses.dataclass
class Staff:
    id: str
    max_shifts: dict[str, int]
    max_minutes: int
    min_minutes: int
    max_consecutive: int
    min_consecutive: int
    min_days_off: int
    max_weekends: int


@dataclasses.dataclass
class Request:
    staff: str
    day: int
    shift: str
    weight: int


@dataclasses.dataclass
class Cover:
    day: int
    shift: str
    requirement: int
    under_weight: int
    over_weight: int


@dataclasses.dataclass
class Instance:
    name: str
    horizon: int
    shifts: list[Shift]
    staff: list[Staff]
    days_off: dict[str, list[int]]
    on_requests: list[Request]
    off_requests: list[Request]
    cover: list[Cover]

    def shift(self, shift_id: str) -> Shift:
        return next(s for s in self.shifts if s.id == shift_id)


class FormatError(ValueError):
    pass


def _sections(text: str) -> dict[str, list[list[str]]]:
    sections: dict[str, list[list[str]]] = {}
    current = None
    for number, raw in enumerate(text.splitlines(), 1):
        line = raw.strip()
        if not line or line.startswith("#"):
            continue
        if line.startswith("SECTION_"):
            current = sections.setdefault(line, [])
            continue
        if current is None:
            raise FormatError(f"line {number}: record before any section")
        current.append([field.strip() for field in line.split(",")])
    return sections


def _int(field: str, what: str) -> int:
    try:
        return int(field)
    except ValueError:
        raise FormatError(f"{what}: not a whole number: {field!r}") from None


def _caps(field: str) -> dict[str, int]:
    caps = {}
    for part in filter(None, field.split("|")):
        shift_id, _, count = part.partition("=")
        caps[shift_id] = _int(count, f"cap of {shift_id}")
    return caps


def _requests(records: list[list[str]]) -> list[Request]:
    return [Request(r[0], _int(r[1], "request day"), r[2], _int(r[3], "request weight"))
            for r in records]


def parse(text: str, name: str = "") -> Instance:
    sections = _sections(text)
    horizon_records = sections.get("SECTION_HORIZON")
    if not horizon_records:
        raise FormatError("no SECTION_HORIZON")
    shifts = [Shift(r[0], _int(r[1], "shift length"),
                    [s for s in (r[2] if len(r) > 2 else "").split("|") if s])
              for r in sections.get("SECTION_SHIFTS", [])]
    staff = [Staff(r[0], _caps(r[1]), *(_int(v, f"staff {r[0]}") for v in r[2:8]))
             for r in sections.get("SECTION_STAFF", [])]
    days_off = {r[0]: [_int(d, "day off") for d in r[1:] if d]
                for r in sections.get("SECTION_DAYS_OFF", [])}
    cover = [Cover(_int(r[0], "cover day"), r[1], *(_int(v, "cover") for v in r[2:5]))
             for r in sections.get("SECTION_COVER", [])]
    return Instance(name, _int(horizon_records[0][0], "horizon"), shifts, staff, days_off,
                    _requests(sections.get("SECTION_SHIFT_ON_REQUESTS", [])),
                    _requests(sections.get("SECTION_SHIFT_OFF_REQUESTS", [])), cover)


def load(path: str | pathlib.Path) -> Instance:
    path = pathlib.Path(path)
    return parse(path.read_text(encoding="utf-8"), path.stem)
