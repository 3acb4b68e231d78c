#!/usr/bin/python3
"""Exchanges tables with two independent dBASE libraries packaged by Debian: tables and
memos the engine writes (through corvane-tool) must read back identically with them, and
FoxPro tables with FPT memos and dBASE III tables with DBT memos that they write must
dump correctly with the engine.

Usage: other_readers_test.py CORVANE_TOOL. Exits 77 (skipped) when a library is missing."""
import csv
import datetime
import io
import os
import subprocess
import sys
import tempfile

try:
    import dbf
    import dbfread
except ImportError as missing:
    print("skipped: %s (scripts/setup-debian installs it)" % missing)
    sys.exit(77)

TOOL = sys.argv[1]
FIELDS = "NAME C 20, AGE N 6 2, BORN D, ACTIVE L, NOTES M"
LONG_MEMO = "".join("line %d of a long memo\r\n" % i for i in range(40))  # many blocks
# name, age, born, active, memo: as written by the engine and as read by the libraries
ROWS = [
    ("Smith", "42.5", "19550417", "T", "First line\r\nsecond line"),
    ('Quote "Q", comma', "-7", "", "F", ""),
    ("Oduya", "", "20240229", "", LONG_MEMO),
    ("Caf\u00e9 M\u00fcller", "123.45", "19991231", "T", "\u00e9t\u00e9 " * 20),
]
failures = []


def check(what, got, expected):
    if got != expected:
        failures.append("%s: got %r, expected %r" % (what, got, expected))


def tool(*args):
    run = subprocess.run([TOOL, "db", *args], capture_output=True)
    if run.returncode != 0:
        sys.exit("corvane-tool db %s failed: %s" % (" ".join(args), run.stderr.decode()))
    return run.stdout


def expected_values(row):
    name, age, born, active, memo = row
    return (name,
            float(age) if age else None,
            datetime.date(int(born[:4]), int(born[4:6]), int(born[6:])) if born else None,
            {"T": True, "F": False}.get(active),
            memo)


def engine_writes(folder):
    path = os.path.join(folder, "ENGINE.DBF")
    tool("create", path, "--fields", FIELDS)
    data = os.path.join(folder, "rows.csv")
    with open(data, "w", encoding="cp1252", newline="") as out:
        csv.writer(out, lineterminator="\n").writerows(ROWS)
    tool("append-csv", path, data)

    with open(path, "rb") as f:
        head = f.read(32)
    check("first byte", head[0], 0xF5)
    check("language byte", head[29], 0x03)

    table = dbfread.DBF(path, encoding="cp1252", char_decode_errors="strict")
    check("dbfread record count", len(table), len(ROWS))
    for n, (record, row) in enumerate(zip(table, ROWS), 1):
        got = (record["NAME"], None if record["AGE"] is None else float(record["AGE"]),
               record["BORN"], record["ACTIVE"], record["NOTES"] or "")
        check("dbfread record %d" % n, got, expected_values(row))

    other = dbf.Table(path, codepage="cp1252")
    other.open(dbf.READ_ONLY)
    check("dbf record count", len(other), len(ROWS))
    for n, (record, row) in enumerate(zip(other, ROWS), 1):
        age, active = record.age, record.active  # this library lowers field names
        got = (record.name.rstrip(), None if age is None else float(age), record.born or None,
               active if active in (True, False) else None, record.notes or "")
        check("dbf record %d" % n, got, expected_values(row))
    other.close()


def others_write(folder):
    for kind, first_byte, memo_ext in (("fp", 0xF5, ".fpt"), ("db3", 0x83, ".dbt")):
        path = os.path.join(folder, "OTHER_%s.dbf" % kind.upper())
        table = dbf.Table(path, "NAME C(20); AGE N(6,2); BORN D; ACTIVE L; NOTES M",
                          dbf_type=kind, codepage="cp1252")
        table.open(dbf.READ_WRITE)
        for row in ROWS:
            table.append(expected_values(row))
        dbf.delete(table[1])
        table.close()
        check(kind + " memo file", os.path.exists(path[:-4] + memo_ext), True)

        info = tool("info", path).decode()
        check(kind + " first byte", ("first byte: %02Xh" % first_byte) in info, True)
        dumped = list(csv.reader(io.StringIO(tool("dump", path).decode("cp1252"), newline="")))
        check(kind + " header", dumped[0], ["NAME", "AGE", "BORN", "ACTIVE", "NOTES"])
        check(kind + " record count", len(dumped) - 1, len(ROWS))
        for n, (got, row) in enumerate(zip(dumped[1:], ROWS), 1):
            name, age, born, active, memo = row
            want_age = "%.2f" % float(age) if age else ""
            want_active = active if active else "?"
            check("%s record %d" % (kind, n), got, [name, want_age, born, want_active, memo])
        deleted = tool("dump", path, "--query", "DELETED()").decode("cp1252").splitlines()
        check(kind + " deleted records", deleted[1:], ['"Quote ""Q"", comma",-7.00,,F,'])


with tempfile.TemporaryDirectory() as folder:
    engine_writes(folder)
    others_write(folder)
for failure in failures:
    print("FAIL", failure)
print("%d failures" % len(failures))
sys.exit(1 if failures else 0)
