#!/usr/bin/env python3
"""The staff-scheduling benchmark of Curtois and Qu, run through `tsumiki create`.

For each instance that fits one month of our form: import it into a fresh
workbook, run `tsumiki --workbook COPY --batch --seed N --save create` with a
creation time limit of each budget (the improvement phase may take what the
creation leaves of it: the exact model works beside it and its month stands
where it is better),
read the created month back (`show --format json`), write it as a grid and
score it with the benchmark's own objective. Prints a Markdown table; each
run is also appended to --log as one JSON line, and --table-only prints the
table of such a log again (several logs of runs with other seeds or budgets may
be joined into one). bench/nsp/out/InstanceN.grid receives the month of the
lowest objective (fewest hard breaches first) of the instance. The wall column
is the whole run (start-up, creation, improvement, saving) of the runs that
created a month; a run that creates none ends when the pre-checks refuse the
month or at the time limit.

    python3 bench/nsp/run.py [--tsumiki build/cli/tsumiki]
        [--instances ../shared/nsp-instances] [--only 1-24] [--seeds 3] [--first-seed 1]
        [--budgets 10,60] [--log FILE] [--table-only] [--exact build/bench/exact/tsumiki_exact_best]

With --exact, each budget runs the exact model alone once (it is deterministic)
with its objective, and the last column is the exact model's time to a first
month that keeps every hard rule.
"""

from __future__ import annotations

import argparse
import json
import pathlib
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
import instance as nsp  # noqa: E402
import score  # noqa: E402
import to_workbook  # noqa: E402

PUBLISHED = {1: 607, 2: 828, 3: 1001, 4: 1716, 5: 1143, 6: 1950, 7: 1056, 8: 1308, 9: 439,
             10: 4631, 11: 3443, 12: 4040, 13: 1905, 14: 1279, 15: 3928, 16: 3225, 17: 5750,
             18: 4650, 19: 3218}
GRACE_SECONDS = 60  # start-up, pre-checks, saving: the limit covers creation only


def numbers(text: str) -> list[int]:
    chosen: list[int] = []
    for part in text.split(","):
        first, _, last = part.partition("-")
        chosen += range(int(first), int(last or first) + 1)
    return chosen


def grid_of_month(inst: nsp.Instance, month: dict) -> score.Grid:
    """The benchmark's grid of a created month: members by name, duties by short
    name, which the importer made the staff and shift IDs."""
    return {m["name"]: [cell or score.OFF for cell in m["roster"][: inst.horizon]]
            for m in month["members"]}


def run_once(args, inst: nsp.Instance, workbook: pathlib.Path, seed: int, budget: int,
             scratch: pathlib.Path) -> dict:
    copy = scratch / "run.xlsm"
    shutil.copyfile(workbook, copy)
    command = [args.tsumiki, "--workbook", str(copy), "--batch", "--seed", str(seed), "--save",
               "create", "--time-limit", f"{budget / 60:.4f}", "--improve-seconds",
               str(budget)]
    started = time.monotonic()
    try:
        done = subprocess.run(command, capture_output=True, text=True,
                              timeout=budget + GRACE_SECONDS)
        status = done.returncode
        said = [line for line in (done.stderr + done.stdout).splitlines() if line.startswith("【")]
    except subprocess.TimeoutExpired:
        status, said = "timeout", []
    record = {"instance": inst.name, "seed": seed, "budget": budget, "status": status,
              "wall": round(time.monotonic() - started, 2)}
    if status != 0:
        return record | ({"message": said[0]} if said else {})
    shown = subprocess.run([args.tsumiki, "--workbook", str(copy), "show", "--format", "json"],
                           capture_output=True, text=True, check=True)
    grid = grid_of_month(inst, json.loads(shown.stdout))
    result = score.score(inst, grid)
    record.update(objective=result.penalty, hard=len(result.violations),
                  grid=score.format_grid(inst, grid))
    return record


def run_exact(args, inst: nsp.Instance, workbook: pathlib.Path, budget: int) -> dict:
    """The exact model alone (tsumiki_exact_best): the time to a first month that
    keeps every hard rule, then the best month within the budget. CBC is
    deterministic, so one run stands for every seed."""
    command = [args.exact, str(workbook), str(budget)]
    started = time.monotonic()
    try:
        done = subprocess.run(command, capture_output=True, text=True,
                              timeout=2 * budget + GRACE_SECONDS)
        status, lines = done.returncode, done.stdout.splitlines()
    except subprocess.TimeoutExpired:
        status, lines = "timeout", []
    record = {"instance": inst.name, "seed": 0, "budget": budget, "status": status,
              "engine": "exact", "wall": round(time.monotonic() - started, 2)}
    heads = {line.split()[0]: line.split()[1:] for line in lines[:2] if line.split()}
    if "first" in heads and heads["first"][1] == "month":
        record["first"] = float(heads["first"][0])
    if status != 0 or heads.get("best", ["", ""])[1] != "month":
        return record | {"status": status if status != 0 else heads.get("best", ["", "?"])[1]}
    grid = {s.id: row.split()[: inst.horizon] for s, row in zip(inst.staff, lines[2:])}
    result = score.score(inst, grid)
    record.update(objective=result.penalty, hard=len(result.violations),
                  wall=float(heads["best"][0]), grid=score.format_grid(inst, grid))
    return record


def keep_best_grid(inst: nsp.Instance, records: list[dict], out: pathlib.Path) -> None:
    """Writes the best month of `records` as the instance's grid, unless the grid
    already there is as good: a shorter run must not write over a better month."""
    scored = [r for r in records if "objective" in r]
    if not scored:
        return
    best = min(scored, key=lambda r: (r["hard"], r["objective"]))
    path = out / f"{best['instance']}.grid"
    if path.exists():
        kept = score.score(inst, score.read_grid(path.read_text(encoding="utf-8")))
        if (len(kept.violations), kept.penalty) <= (best["hard"], best["objective"]):
            return
    out.mkdir(exist_ok=True)
    path.write_text(best["grid"], encoding="utf-8")


def median_text(values: list, seeds: int) -> str:
    if not values:
        return f"no month (0/{seeds})"
    text = f"{statistics.median(values):g}"
    return text if len(values) == seeds else f"{text} ({len(values)}/{seeds})"


def table(records: list[dict], instances: dict[str, nsp.Instance], budgets: list[int]) -> str:
    lines = ["| instance | staff × days × shifts | published best | "
             + " | ".join(f"ours in {b} s (median)" for b in budgets)
             + " | hard breaches (median) | first month keeping every hard rule (median) |",
             "|" + "---|" * (5 + len(budgets))]
    for name, inst in instances.items():
        mine = [r for r in records if r["instance"] == name]
        number = int(name.removeprefix("Instance"))
        cells = [name, f"{len(inst.staff)} × {inst.horizon} × {len(inst.shifts)}",
                 str(PUBLISHED.get(number, "—"))]
        if (reason := to_workbook.refusal(inst)) is not None or not mine:
            reason = f"not imported: {reason}" if reason else "no run (the import failed)"
            lines.append("| " + " | ".join(cells + [reason] + [""] * (len(budgets) + 1)) + " |")
            continue
        for budget in budgets:
            runs = [r for r in mine if r["budget"] == budget]
            cells.append(median_text([r["objective"] for r in runs if "objective" in r], len(runs)))
        scored = [r for r in mine if "objective" in r]
        cells.append(f"{statistics.median(r['hard'] for r in scored):g}" if scored else "—")
        # The exact model times its first month; a create run only its whole run.
        firsts = [r["first"] for r in mine if "first" in r]
        shortest = [r["wall"] for r in scored if r["budget"] == min(budgets)]
        cells.append(f"{statistics.median(firsts):.2f} s" if firsts
                     else f"{statistics.median(shortest):.1f} s (whole run)" if shortest else "—")
        lines.append("| " + " | ".join(cells) + " |")
    return "\n".join(lines)


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tsumiki", default="build/cli/tsumiki")
    parser.add_argument("--instances", default=str(HERE.parents[2] / "shared" / "nsp-instances"))
    parser.add_argument("--only", default="1-24", help="instance numbers, e.g. 1-12 or 1,4,9")
    parser.add_argument("--seeds", type=int, default=3)
    parser.add_argument("--first-seed", type=int, default=1)
    parser.add_argument("--budgets", default="10,60", help="seconds, comma-separated")
    parser.add_argument("--log", default=None, help="JSON lines of every run (appended)")
    parser.add_argument("--table-only", action="store_true", help="print the table of --log")
    parser.add_argument("--out", default=str(HERE / "out"))
    parser.add_argument("--exact", default=None, metavar="PATH",
                        help="run the exact model alone (build/bench/exact/tsumiki_exact_best) "
                             "instead of tsumiki create")
    args = parser.parse_args()
    budgets = [int(b) for b in args.budgets.split(",")]
    instances = {f"Instance{n}": nsp.load(pathlib.Path(args.instances) / f"Instance{n}.txt")
                 for n in numbers(args.only)}
    log = pathlib.Path(args.log) if args.log else None
    records = []
    if args.table_only:
        lines = log.read_text(encoding="utf-8").splitlines()
        records = [json.loads(line) for line in lines if line]
        for name, inst in instances.items():
            keep_best_grid(inst, [r for r in records if r["instance"] == name],
                           pathlib.Path(args.out))
    else:
        with tempfile.TemporaryDirectory() as scratch_name:
            scratch = pathlib.Path(scratch_name)
            for name, inst in instances.items():
                if to_workbook.refusal(inst) is not None:
                    continue
                workbook = scratch / f"{name}.xlsm"
                try:
                    to_workbook.write_workbook(inst, args.tsumiki, workbook)
                except RuntimeError as error:
                    print(error, file=sys.stderr)
                    continue
                mine = []
                for budget in budgets:
                    seeds = [0] if args.exact else range(args.first_seed,
                                                         args.first_seed + args.seeds)
                    for seed in seeds:
                        record = (run_exact(args, inst, workbook, budget) if args.exact
                                  else run_once(args, inst, workbook, seed, budget, scratch))
                        print(json.dumps({k: v for k, v in record.items() if k != "grid"}),
                              file=sys.stderr, flush=True)
                        if log:
                            with log.open("a", encoding="utf-8") as stream:
                                stream.write(json.dumps(record) + "\n")
                        mine.append(record)
                keep_best_grid(inst, mine, pathlib.Path(args.out))
                records += mine
    print(table(records, instances, budgets))
    return 0


if __name__ == "__main__":
    sys.exit(main())
