#!/usr/bin/env python3
"""Fails when a file under src/ includes a header of a layer above its own, or when
anything under src/, the command line (cli/) or the printed page's layout
(print/ but its drawing) includes Qt. The layers point one way:
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
# Outside src/: what builds without Qt, so that the command line needs none.
QT_FREE = ("cli/*.h", "cli/*.cpp", "print/roster_sheet.*", "print/page_stream.*",
           "print/print_texts.h")
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
    top_root = root.parent
    for pattern in QT_FREE:
        for path in sorted(top_root.glob(pattern)):
            for header in INCLUDE.findall(path.read_text(encoding="utf-8")):
                if header.startswith("Q") or header.split("/")[0].startswith("Qt"):
                    problems.append(f"{path}: includes Qt ({header})")
                elif header.startswith("print/") and not any(
                        top_root.joinpath(header).match(p) for p in QT_FREE):
                    problems.append(f"{path}: includes the drawing ({header})")
    for line in problems:
        print(line)
    print(f"layer check: {len(problems)} problem(s)")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
