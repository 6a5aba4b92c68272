"""`tsumiki export --pdf` read back with poppler's pdftotext and pdfinfo: one page
on A4 and on A3, holding every member's name and every duty's name, as the
drawing program received them from the command line."""

import shutil
import subprocess
import sys
import unicodedata

from export_month import SKIP, Checks, Month


def main(tsumiki):
    if not shutil.which("pdftotext") or not shutil.which("pdfinfo"):
        print("pdftotext or pdfinfo is missing (poppler-utils); skipped")
        sys.exit(SKIP)
    month = Month(tsumiki)
    checks = Checks()
    for paper in ([], ["--a3"]):
        pdf = f"{month.dir}/month.pdf"
        result = month.run("--batch", "export", "--pdf", pdf, "--force", *paper)
        checks.equal(result.returncode, 0, f"export --pdf {paper}: {result.stderr}")
        info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True).stdout
        checks.true("\nPages:           1\n" in info, f"one page {paper}")
        text = subprocess.run(["pdftotext", pdf, "-"], capture_output=True, text=True).stdout
        # The font maps some ideographs to their radicals' code points (⽉ for 月);
        # a name's space may fall between two text runs.
        text = "".join(unicodedata.normalize("NFKC", text).split())
        for name in [m["name"] for m in month.json["members"]] + \
                [d["name"] for d in month.json["duties"]]:
            checks.true("".join(name.split()) in text, f"{name} on the page {paper}")
    checks.exit()


if __name__ == "__main__":
    main(sys.argv[1])
