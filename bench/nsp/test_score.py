#!/usr/bin/env python3
"""The benchmark scorer against objectives and breaches worked out by hand on a
one-week instance of three staff and two shifts (testdata/tiny.txt)."""

import dataclasses
import pathlib
import sys
import unittest

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
import instance as nsp  # noqa: E402
import score  # noqa: E402
import to_workbook  # noqa: E402

TINY = nsp.load(HERE / "testdata" / "tiny.txt")

# Keeps every hard rule. Cover: day 2 has two E (over 1), day 3 no L and day 6
# nobody (under 3). Requests: C is off on day 5 (shift-on 3 lost), A works the
# E of day 1 and C the L of day 2 it asked to be spared (1 + 4).
FEASIBLE = """\
A E E E - L L -
B - - E E E E -
C L L L - - - -
"""

BROKEN = """\
A L E E E E E E
B L - - - - - -
C - E - E - - E
"""


class ScoreTest(unittest.TestCase):
    def test_objective_by_hand(self):
        result = score.score(TINY, score.read_grid(FEASIBLE))
        self.assertEqual(result.violations, [])
        self.assertEqual((result.on_requests, result.off_requests, result.under, result.over),
                         (3, 5, 300, 1))
        self.assertEqual(result.penalty, 309)

    def test_hard_rules_listed(self):
        violations = score.score(TINY, score.read_grid(BROKEN)).violations
        expected = [
            "A: day 0: L followed by E", "A: 3360 minutes outside 1440..2880",
            "A: run of 7 shifts from day 0, most 4", "A: day 6: works on a day off",
            "B: 1 shifts L, most 0", "B: 480 minutes outside 1440..2880",
            "B: day 0: works on a day off",
            # The run of day 6 touches the end of the horizon and is exempt.
            "C: shift run of 1 from day 1 shorter than 2",
            "C: shift run of 1 from day 3 shorter than 2",
            "C: day-off run of 1 from day 2 shorter than 2", "C: 1 weekends worked, most 0",
        ]
        self.assertEqual(sorted(violations), sorted(expected))

    def test_grid_round_trip_fills_missing_days_and_members(self):
        grid = score.read_grid("A E\nZ E E\n")
        text = score.format_grid(TINY, grid)
        self.assertEqual(text.splitlines(),
                         ["A E - - - - - -", "B - - - - - - -", "C - - - - - - -"])
        self.assertIn("Z: not a staff member", score.score(TINY, grid).violations)


class ImportTest(unittest.TestCase):
    def test_a_day_is_traded_for_the_longer_shifts_cover(self):
        # L of 600 minutes and at most 2400 for A and C: at 5 days of 480 A has
        # no room for an L, at 4 days room for 4; C's 4 days leave room for 4.
        # The targets 5, 5, 4 cap L at 4 of its cover of 7 (3 short); A's fifth
        # day traded away leaves 13 days with 8 L possible (1 short).
        shifts = [TINY.shifts[0], dataclasses.replace(TINY.shifts[1], minutes=600)]
        staff = [dataclasses.replace(s, max_minutes=2400) if s.id != "B" else s for s in TINY.staff]
        longer = dataclasses.replace(TINY, shifts=shifts, staff=staff)
        targets = to_workbook.work_day_targets(longer)
        self.assertEqual(targets, [4, 5, 4])
        self.assertEqual([to_workbook.longer_shift_room(longer, s, t)
                          for s, t in zip(longer.staff, targets)], [4, 0, 4])

    def test_targets_cover_and_the_duty_nobody_takes(self):
        # Every mix of 3-6 shifts keeps 1440..2880 minutes; the cover of 14 is
        # shared out from 3 each, the least advanced first. The cover is only
        # desired; a third duty type nobody may take lets E and L take extra staff.
        self.assertEqual(to_workbook.work_day_targets(TINY), [5, 5, 4])
        cells = {(n, r, c): v for n, r, c, v in to_workbook.condition_cells(TINY)}
        self.assertEqual(cells[("Type_Table_Org", 3, 1)], to_workbook.NOBODY)
        self.assertEqual(cells[("個人予定", 1, 2)], "X")
        self.assertEqual(cells[("個人予定", 2, 1)], "休")
        self.assertEqual(cells[("個人予定", 2, 2)], "L,X")
        self.assertEqual(cells[("個人予定", 1, 8)], "休")  # past the week: off
        self.assertEqual(cells[("翌日禁止", 2, 1)], "×")
        self.assertEqual(cells[("Member_DayOff", 3, 1)], 28 - 4)
        self.assertEqual([k for k in cells if k[0] == "Need_Table"], [])
        self.assertEqual((cells[("Desired_Table", 2, 7)], cells[("Desired_Weight", 2, 1)]), (1, 100))
        self.assertNotIn(("Desired_Table", 1, 8), cells)

    def test_caps_runs_weekends_and_requests_go_to_the_optional_areas(self):
        cells = {(n, r, c): v for n, r, c, v in to_workbook.condition_cells(TINY)}
        self.assertEqual(cells[("Duty_Most", 2, 2)], 0)  # B may not take L
        self.assertNotIn(("Duty_Most", 1, 1), cells)     # a cap of the horizon says nothing
        self.assertEqual(cells[("Work_Run_Least", 1, 1)], 2)
        self.assertNotIn(("Rest_Run_Least", 1, 1), cells)
        self.assertEqual(cells[("Rest_Run_Least", 3, 1)], 2)
        self.assertEqual(cells[("Weekend_Most", 3, 1)], 0)
        self.assertNotIn(("Weekend_Most", 1, 1), cells)  # one weekend in the week
        self.assertEqual((cells[("Wish_Table", 1, 1)], cells[("Wish_Weight", 1, 1)]), ("E", 2))
        self.assertEqual((cells[("Wish_Table", 1, 2)], cells[("Wish_Weight", 1, 2)]), ("休", 1))
        self.assertEqual((cells[("Wish_Table", 3, 3)], cells[("Wish_Weight", 3, 3)]), ("休", 4))

    def test_work_day_counts_the_members_own_limits_allow(self):
        # (staff record, days off, counts) on a week: the first run is exempt,
        # a run of shifts that ends the week is followed by the month's days off.
        cases = [
            ("A,E=7,9999,0,4,2,1,1", "", {0, 1, 2, 3, 4, 5, 6}),  # EEEE-EE
            ("A,E=7,9999,0,4,1,1,0", "", {0, 1, 2, 3, 4}),        # the weekend off
            ("A,E=7,9999,0,7,1,1,1", "A,0,1", {0, 1, 2, 3, 4, 5}),
            ("A,E=7,9999,0,2,1,1,1", "", {0, 1, 2, 3, 4, 5}),     # EE-EE-E
            ("A,E=7,9999,0,2,1,3,1", "", {0, 1, 2, 3, 4}),        # EE---EE
        ]
        for staff, days_off, counts in cases:
            text = (f"SECTION_HORIZON\n7\nSECTION_SHIFTS\nE,480,\nSECTION_STAFF\n{staff}\n"
                    f"SECTION_DAYS_OFF\n{days_off}\n")
            inst = nsp.parse(text)
            self.assertEqual(to_workbook.achievable_counts(inst, inst.staff[0]), counts, staff)

    def test_a_members_longer_run_is_their_own_and_counts_for_their_month(self):
        text = (HERE / "testdata" / "tiny.txt").read_text().replace(
            "C,E=7|L=7,2880,1440,4,", "C,E=7|L=7,2880,1440,6,")
        inst = nsp.parse(text)
        cells = {(n, r, c): v for n, r, c, v in to_workbook.condition_cells(inst)}
        self.assertEqual(cells[("連続勤務上限", 1, 1)], 4)
        self.assertEqual((cells.get(("Work_Run_Most", 1, 1)), cells[("Work_Run_Most", 3, 1)]),
                         (None, 6))
        # C works no weekend: five days in a row only with the longer run.
        self.assertIn(5, to_workbook.achievable_counts(inst, inst.staff[2]))
        self.assertNotIn(5, to_workbook.achievable_counts(TINY, TINY.staff[2]))

    def test_ten_shifts_require_the_last_one_exactly(self):
        # No room for the duty nobody takes: the shift whose cover binds least
        # goes last and its cover is required. S4 asks for the fewest; S9 would
        # ask for fewer still but the member may take it only once.
        shifts = "".join(f"S{i},480,\n" for i in range(10))
        cover = "".join(f"{d},S{i},{1 if i in (4, 9) and d == 0 else 2},100,1\n"
                        for i in range(10) for d in range(2))
        inst = nsp.parse(f"SECTION_HORIZON\n7\nSECTION_SHIFTS\n{shifts}SECTION_STAFF\n"
                         f"A,S9=1,9999,0,7,1,1,1\nSECTION_COVER\n{cover}")
        self.assertEqual(to_workbook.duty_types(inst)[-1], "S4")
        self.assertEqual(to_workbook.required_cover(inst), {(0, "S4"): 1, (1, "S4"): 2})
        cells = {(n, r, c): v for n, r, c, v in to_workbook.condition_cells(inst)}
        self.assertEqual(cells[("Need_Table", 10, 1)], 1)
        self.assertNotIn(("Desired_Table", 10, 1), cells)

    def test_member_free_for_the_only_shift_is_not_off(self):
        single = nsp.parse("SECTION_HORIZON\n7\nSECTION_SHIFTS\nD,480,\nSECTION_STAFF\n"
                           "A,D=7,2880,1440,5,1,1,1\nSECTION_COVER\n0,D,1,100,1\n")
        cells = {(n, r, c): v for n, r, c, v in to_workbook.condition_cells(single)}
        self.assertNotIn(("個人予定", 1, 1), cells)
        self.assertEqual(cells[("個人予定", 1, 8)], "休")
        self.assertEqual(cells[("Type_Table_Org", 1, 1)], "D")  # one shift: no extra duty
        self.assertNotIn(("Type_Table_Org", 2, 1), cells)


if __name__ == "__main__":
    unittest.main()
