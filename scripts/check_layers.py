#!/usr/bin/env python3
"""Fails when a file under src/ includes a header of a layer above its own, or when
anything under src/ includes Qt. The layers point one way:
app -> present -> creation -> optimise -> (exact) -> roster -> conditions -> workbook -> ui;
check judges a finished roster from the conditions alone.

    python3 scripts/check_layers.py [SOURCE_ROOT]
"""
import pathlib
import re
import sys

# What each folder may include besides itself.
ALLOWED = {
    "ui": set(),
    "workbook": {"ui"},
    "conditions": {"workbook", "ui"},
    "roster": {"conditions", "workbook", "ui"},
    "check": {"conditions", "workbook", "ui"},
    "exact": {"roster", "conditions", "workbook", "ui"},
    "optimise": {"exact", "roster", "conditions", "workbook", "ui"},
    "creation": {"optimise", "exact", "roster", "conditions", "workbook", "ui"},
    "present": {"creation", "optimise", "exact", "roster", "conditions", "workbook", "ui"},
    "app": {"present", "creation", "optimise", "exact", "roster", "check", "conditions", "workbook", "ui"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]', re.MULTILINE)


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".") / "src"
    problems = []
    for path in sorted(root.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        layer = path.relative_to(root).parts[0]
        allowed = ALLOWED.get(layer)
        if allowed is None:
            problems.append(f"{path}: folder {layer!r} has no place among the layers")
            continue
        for header in INCLUDE.findall(path.read_text(encoding="utf-8")):
            top = header.split("/")[0]
            if header.startswith("Q") or top.startswith("Qt"):
                problems.append(f"{path}: includes Qt ({header})")
            elif "/" in header and top in ALLOWED and top != layer and top not in allowed:
                problems.append(f"{path}: {layer} may not include {header}")
    for line in problems:
        print(line)
    print(f"layer check: {len(problems)} problem(s)")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
