"""`tsumiki export --html` parsed as HTML5: no script, a viewport for phones, one
row per member with the month's duties and a link to it from the list of names,
a colour rule for each duty; and the workbook itself is never a target."""

import sys

from export_month import Checks, Month, need_module

html5lib = need_module("html5lib")


def text(element):
    return "".join(element.itertext()).strip()


def main(tsumiki):
    month = Month(tsumiki)
    checks = Checks()
    page = f"{month.dir}/month.html"
    checks.equal(month.run("export", "--html", page).returncode, 0, "export --html")
    with open(page, "rb") as f:
        parser = html5lib.HTMLParser(strict=True, namespaceHTMLElements=False)
        document = parser.parse(f.read())

    checks.equal(document.findall(".//script"), [], "no script")
    viewports = [m for m in document.iter("meta") if m.get("name") == "viewport"]
    checks.equal(len(viewports), 1, "viewport meta")
    members = month.json["members"]
    rows = document.findall(".//tbody/tr")
    checks.equal(len(rows), len(members), "one row per member")
    links = {a.get("href"): text(a) for a in document.findall(".//nav/a")}
    for row, member in zip(rows, members):
        cells = row.findall("td")
        checks.equal(text(row.find("th")), member["name"], "row's name")
        checks.equal([text(c) for c in cells[:len(member["roster"])]], member["roster"],
                     f'{member["name"]}\'s duties')
        checks.equal(links.get("#" + row.get("id")), member["name"], "name list links the row")
    style = text(document.find(".//style"))
    for t, duty in enumerate(month.json["duties"], start=1):
        checks.true(f".t{t}{{background:#" in style, f'colour of {duty["name"]}')

    with open(month.book, "rb") as f:
        before = f.read()
    checks.equal(month.run("export", "--html", month.book).returncode, 1,
                 "the workbook is refused as a target")
    with open(month.book, "rb") as f:
        checks.true(f.read() == before, "the workbook keeps its bytes")
    checks.exit()


if __name__ == "__main__":
    main(sys.argv[1])
