#!/usr/bin/env python3
"""Runs `tsumiki create --batch --seed N --save` on the sample workbook and on the
test workbooks that can be staffed (t1-t6, t9, l9-l11), seeds 1..N each, every run
on a fresh copy, and prints per workbook how many seeds ended with exit status 0
and the median and largest wall time. Arguments after `--` go to `create`
(`-- --no-exact`: the search alone, without the exact model beside it).

    python3 bench/create/workbook_seeds.py [--tsumiki build/cli/tsumiki]
        [--workbooks tests/workbooks] [--seeds 30] [--timeout 60]
        [--only l9-nsp36x4,...] [-- CREATE ARGS]
"""
import argparse
import pathlib
import shutil
import statistics
import subprocess
import tempfile
import time

WORKBOOKS = ["t1-care21-march", "t2-care26-focus", "t3-care24-prevtail",
             "t4-clinic10-midmonth", "t5-hospital80", "t6-large100x8",
             "t9-hospital50-tight", "l9-nsp36x4", "l10-nsp40x5", "l11-nsp50x6"]


def run(args, source, seed, scratch):
    copy = scratch / ("run" + source.suffix)
    shutil.copyfile(source, copy)
    command = [args.tsumiki, "--workbook", str(copy), "--batch", "--seed", str(seed), "--save",
               "create"]
    command += args.create_args
    start = time.monotonic()
    timeout = args.timeout
    try:
        rc = subprocess.run(command, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL, timeout=timeout).returncode
    except subprocess.TimeoutExpired:
        rc = "timeout"
    return rc, time.monotonic() - start


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tsumiki", default="build/cli/tsumiki")
    parser.add_argument("--workbooks", default="tests/workbooks")
    parser.add_argument("--seeds", type=int, default=30)
    parser.add_argument("--timeout", type=float, default=60)
    parser.add_argument("--only", default=None, help="comma-separated workbook names")
    parser.add_argument("create_args", nargs="*")
    args = parser.parse_args()
    scratch = pathlib.Path(tempfile.mkdtemp(prefix="tsumiki-bench-"))
    sample = scratch / "sample.xlsm"
    subprocess.run([args.tsumiki, "init", str(sample)], check=True, stdout=subprocess.DEVNULL)
    books = [("sample", sample)] + [
        (name, pathlib.Path(args.workbooks) / (name + ".xlsx")) for name in WORKBOOKS]
    if args.only:
        wanted = args.only.split(",")
        books = [(name, path) for name, path in books if name in wanted]
    print("| workbook | seeds succeeded | median wall | largest wall | failures |")
    print("|---|---|---|---|---|")
    for name, path in books:
        times, failures = [], []
        for seed in range(1, args.seeds + 1):
            rc, seconds = run(args, path, seed, scratch)
            times.append(seconds)
            if rc != 0:
                failures.append(f"seed {seed}: {rc}")
        print(f"| {name} | {args.seeds - len(failures)}/{args.seeds} | "
              f"{statistics.median(times):.2f} s | {max(times):.2f} s | "
              f"{', '.join(failures) or '—'} |", flush=True)
    shutil.rmtree(scratch)


if __name__ == "__main__":
    main()
