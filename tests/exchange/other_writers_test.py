#!/usr/bin/python3
"""Imports what independent libraries packaged by Debian write, and has them read what the
export writes: vCards with python3-vobject, dBASE tables with python3-dbf, through corvane-tool.

Usage: other_writers_test.py CORVANE_TOOL. Exits 77 (skipped) when a library is missing."""
import csv
import datetime
import io
import os
import subprocess
import sys
import tempfile

try:
    import dbf
    import vobject
except ImportError as missing:
    print("skipped: %s (scripts/setup-debian installs it)" % missing)
    sys.exit(77)

TOOL = sys.argv[1]
failures = []


def check(what, got, expected):
    if got != expected:
        failures.append("%s: got %r, expected %r" % (what, got, expected))


def tool(*args):
    run = subprocess.run([TOOL, *args], capture_output=True)
    if run.returncode != 0:
        sys.exit("corvane-tool %s failed: %s" % (" ".join(args), run.stderr.decode()))
    return run.stdout


def records(path):
    """The address file's records as dicts of their non-blank fields."""
    rows = list(csv.DictReader(io.StringIO(tool("db", "dump", path).decode("utf-8"), newline="")))
    return [{k: v for k, v in row.items() if v and not (k == "ISDEL" and v == "F")} for row in rows]


def vobject_cards(folder):
    card = vobject.vCard()
    card.add("n").value = vobject.vcard.Name(family="Müller", given="Jürgen", additional="K",
                                              prefix="Dr.")
    card.add("fn").value = "Dr. Jürgen K Müller"
    card.add("org").value = ["Café Ltd", "Research"]
    card.add("title").value = "Head of R&D; labs"
    adr = card.add("adr")
    adr.value = vobject.vcard.Address(street="12 Elm St", extended="Suite 5", city="Köln",
                                      region="NRW", code="50667", country="Germany")
    adr.type_param = "WORK"
    for number, kind in (("+49 221 1", "WORK"), ("+49 221 2", "HOME"), ("+49 221 3", "FAX")):
        tel = card.add("tel")
        tel.value = number
        tel.type_param = kind
    card.add("email").value = "jk@example.de"
    card.add("note").value = "Met in Köln, 1997;\nlikes tea"
    card.add("categories").value = ["A", "B"]
    second = vobject.vCard()
    second.add("n").value = vobject.vcard.Name(family="Ito", given="Ken")
    second.add("fn").value = "Ken Ito"
    path = os.path.join(folder, "cards.vcf")
    with open(path, "w", encoding="utf-8", newline="") as out:
        out.write(card.serialize())
        out.write(second.serialize())
    into = os.path.join(folder, "ADDRV.DBF")
    tool("import", "vcard", path, "--into", into)
    got = records(into)
    check("vcard records", len(got), 2)
    check("vcard first", got[0], {
        "LNAME": "Müller", "FNAME": "Jürgen", "MIDDLE": "K", "PREFIX": "Dr.",
        "ORG": "Café Ltd, Research", "TITLE": "Head of R&D; labs", "STREET": "12 Elm St",
        "STREET2": "Suite 5", "CITY": "Köln", "STATE": "NRW", "ZIP": "50667",
        "COUNTRY": "Germany", "PHONE": "+49 221 1", "PHONE2": "+49 221 2", "FAX": "+49 221 3",
        "EMAIL": "jk@example.de", "CODES": "A,B", "MEMO": "Met in Köln, 1997;\r\nlikes tea"})
    check("vcard second", got[1], {"LNAME": "Ito", "FNAME": "Ken"})

    # What the export writes, vobject reads with every field.
    for version in ("3", "4"):
        out = os.path.join(folder, "out%s.vcf" % version)
        tool("export", into, "--to", "vcard", "--out", out, "--vcard-version", version)
        with open(out, encoding="utf-8") as text:
            cards = list(vobject.readComponents(text.read()))
        check("export %s cards" % version, len(cards), 2)
        c = cards[0]
        check("export %s N" % version, (c.n.value.family, c.n.value.given, c.n.value.additional,
                                        c.n.value.prefix), ("Müller", "Jürgen", "K", "Dr."))
        check("export %s ORG" % version, c.org.value, ["Café Ltd, Research"])
        check("export %s TITLE" % version, c.title.value, "Head of R&D; labs")
        a = c.adr.value
        check("export %s ADR" % version, (a.street, a.extended, a.city, a.region, a.code,
                                          a.country),
              ("12 Elm St", "Suite 5", "Köln", "NRW", "50667", "Germany"))
        check("export %s TEL" % version, [t.value for t in c.contents["tel"]],
              ["+49 221 1", "+49 221 2", "+49 221 3"])
        check("export %s EMAIL" % version, c.email.value, "jk@example.de")
        check("export %s NOTE" % version, c.note.value, "Met in Köln, 1997;\nlikes tea")
        check("export %s CATEGORIES" % version, c.categories.value, ["A", "B"])


def dbf_tables(folder):
    """dBASE tables written by python3-dbf: dBASE III with a DBT memo and FoxPro with FPT."""
    for kind, name in (("db3", "PEOPLE3.DBF"), ("vfp", "PEOPLEF.DBF")):
        path = os.path.join(folder, name)
        spec = "LNAME C(20); City C(25); EMAIL C(40); AMOUNT N(8,2); BORN D; ACTIVE L; NOTES M"
        table = dbf.Table(path, spec, dbf_type=kind, codepage="cp1252")
        table.open(dbf.READ_WRITE)
        table.append(("Müller", "Köln", "m@x.de", 42.5, datetime.date(1955, 4, 17), True,
                      "a memo\r\nof two lines"))
        table.append(("Gone", "Nowhere", "", 0, None, False, ""))
        table.append(("Ångström", "Genève", "", -7, None, None, ""))
        dbf.delete(table[1])
        table.close()
        into = os.path.join(folder, "ADD" + kind.upper() + ".DBF")
        tool("import", "dbf", path, "--into", into, "--map",
             "LNAME=LNAME,CITY=City,EMAIL=Email,AMOUNT=USER1,BORN=DATE,ACTIVE=USER2,NOTES=MEMO")
        got = records(into)
        check(kind + " records", len(got), 2)
        check(kind + " first", got[0], {"LNAME": "Müller", "CITY": "Köln", "EMAIL": "m@x.de",
                                        "USER1": "42.50", "DATE": "19550417", "USER2": "T",
                                        "MEMO": "a memo\r\nof two lines"})
        check(kind + " third", got[1].get("LNAME"), "Ångström")
        check(kind + " third city", got[1].get("CITY"), "Genève")
        # Without a map, fields match by name.
        auto = os.path.join(folder, "AUTO" + kind.upper() + ".DBF")
        tool("import", "dbf", path, "--into", auto)
        check(kind + " automatic", records(auto)[0], {"LNAME": "Müller", "CITY": "Köln",
                                                      "EMAIL": "m@x.de",
                                                      "MEMO": "a memo\r\nof two lines"})


with tempfile.TemporaryDirectory() as folder:
    vobject_cards(folder)
    dbf_tables(folder)

for failure in failures:
    print(failure)
if failures:
    sys.exit(1)
print("vCards and tables of independent libraries imported; the export read back by them")
