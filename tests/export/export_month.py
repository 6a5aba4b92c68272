"""Shared by the export checks: a created sample month and its roster as
`show --format json` reports it, to compare the exports with."""

import json
import os
import subprocess
import sys
import tempfile

SKIP = 77  # ctest's SKIP_RETURN_CODE


def need_module(name):
    try:
        return __import__(name)
    except ImportError:
        print(f"python3 module {name} is missing; skipped")
        sys.exit(SKIP)


class Month:
    """A fresh sample workbook with a month created by seed 1."""

    def __init__(self, tsumiki):
        self.tsumiki = tsumiki
        self.dir = tempfile.mkdtemp(prefix="tsumiki-export-")
        self.book = os.path.join(self.dir, "shift.xlsm")
        self.run("init", self.book, check=True)
        self.run("--batch", "--seed", "1", "--save", "create", check=True)
        self.json = json.loads(self.run("show", "--format", "json", check=True).stdout)

    def run(self, *args, check=False):
        result = subprocess.run([self.tsumiki, "--workbook", self.book, *args],
                                capture_output=True, text=True, cwd=self.dir)
        if check and result.returncode != 0:
            sys.exit(f"{args} exited {result.returncode}: {result.stderr}")
        return result

    def duty_names(self):
        return {d["abbrev"]: d["name"] for d in self.json["duties"]}


class Checks:
    def __init__(self):
        self.failures = 0

    def equal(self, actual, expected, what):
        if actual != expected:
            self.failures += 1
            print(f"FAIL {what}: {actual!r} != {expected!r}")

    def true(self, condition, what):
        self.equal(bool(condition), True, what)

    def exit(self):
        print("ok" if self.failures == 0 else f"{self.failures} failures")
        sys.exit(1 if self.failures else 0)
