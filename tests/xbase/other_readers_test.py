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


def run_tool(*args):
    return subprocess.run([TOOL, "db", *args], capture_output=True)


def tool(*args):
    run = run_tool(*args)
    if run.returncode != 0:
        sys.exit("corvane-tool db %s failed: %s" % (" ".join(args), run.stderr.decode()))
    return run.stdout


def dump_rows(*args):
    """The CSV rows `db dump` writes, read as strict UTF-8."""
    return list(csv.reader(io.StringIO(tool("dump", *args).decode("utf-8"), newline="")))


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
    with open(data, "w", encoding="utf-8", newline="") as out:
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
        dumped = dump_rows(path)
        check(kind + " header", dumped[0], ["NAME", "AGE", "BORN", "ACTIVE", "NOTES"])
        check(kind + " record count", len(dumped) - 1, len(ROWS))
        for n, (got, row) in enumerate(zip(dumped[1:], ROWS), 1):
            name, age, born, active, memo = row
            want_age = "%.2f" % float(age) if age else ""
            want_active = active if active else "?"
            check("%s record %d" % (kind, n), got, [name, want_age, born, want_active, memo])
        deleted = tool("dump", path, "--query", "DELETED()").decode("utf-8").splitlines()
        check(kind + " deleted records", deleted[1:], ['"Quote ""Q"", comma",-7.00,,F,'])


# Per code page: names and memos beyond ASCII that it holds, and a character it cannot hold.
CODE_PAGE_TEXT = {
    "cp437": ([("Müller", "Straße 5, ½ £"), ("Niño", "été")], "€"),
    "cp850": ([("Müller", "Ørsted æøå"), ("Yılmaz", "À bientôt")], "Ł"),
    "cp852": ([("Łódź", "Święta"), ("Dvořák", "žluťoučký")], "ñ"),
    "cp866": ([("Жуков", "Москва"), ("Яна", "щёлк")], "ü"),
    "cp1250": ([("Łódź", "Żółć „quoted”"), ("Müller", "Šoš")], "ñ"),
    "cp1251": ([("Жуков", "Москва № 5"), ("Їжак", "ёж")], "ü"),
    "cp1252": ([("Café Müller", "5 € – “quoted”"), ("Œuvre", "naïve")], "Ł"),
}


def library_rows(path):
    """(name, memo) of each record as both libraries read them, each taking the code page
    from the language byte by itself."""
    rows = [(r["NAME"], r["NOTES"] or "") for r in dbfread.DBF(path, char_decode_errors="strict")]
    other = dbf.Table(path)
    other.open(dbf.READ_ONLY)
    check(path + ": both libraries agree", rows, [(r.name.rstrip(), r.notes or "") for r in other])
    other.close()
    return rows


def file_bytes(paths):
    return [open(path, "rb").read() for path in paths]


def refused(what, run, paths, before, text):
    check(what + ": exit code", run.returncode, 1)
    check(what + ": message %r names %r" % (run.stderr.decode(), text),
          text in run.stderr.decode(), True)
    check(what + ": files unchanged", file_bytes(paths), before)


def code_pages(folder):
    for codepage, (rows, foreign) in CODE_PAGE_TEXT.items():
        written = os.path.join(folder, "WRITTEN_%s.dbf" % codepage)
        table = dbf.Table(written, "NAME C(20); NOTES M", dbf_type="fp", codepage=codepage)
        table.open(dbf.READ_WRITE)
        for row in rows:
            table.append(row)
        table.close()
        check(codepage + " written by the libraries", library_rows(written), rows)
        check(codepage + " dump", dump_rows(written), [["NAME", "NOTES"]] + [list(r) for r in rows])

        # UTF-8 CSV with a byte order mark, appended to an empty table in this code page.
        path = os.path.join(folder, "APPENDED_%s.dbf" % codepage)
        dbf.Table(path, "NAME C(20); NOTES M", dbf_type="fp", codepage=codepage).close()
        data = os.path.join(folder, "utf8_%s.csv" % codepage)
        with open(data, "w", encoding="utf-8-sig", newline="") as out:
            csv.writer(out, lineterminator="\r\n").writerows(rows)
        tool("append-csv", path, data)
        check(codepage + " appended", library_rows(path), rows)

        # Refused without a byte written: a character the code page cannot hold in the
        # second record, and a file in the code page itself instead of UTF-8.
        files = (path, path[:-4] + ".fpt")
        before = file_bytes(files)
        with open(data, "w", encoding="utf-8", newline="") as out:
            csv.writer(out, lineterminator="\n").writerows([rows[0], ("Name", "x" + foreign)])
        refused(codepage + " foreign character", run_tool("append-csv", path, data), files,
                before, "record 2, field NOTES: code page %s cannot hold \"%s\" (U+%04X)"
                % (codepage[2:], foreign, ord(foreign)))
        with open(data, "w", encoding=codepage, newline="") as out:
            csv.writer(out, lineterminator="\n").writerows(rows)
        refused(codepage + " not UTF-8", run_tool("append-csv", path, data), files, before,
                "record 1, field NAME: not valid UTF-8")

    # Expressions and keys typed, and keys shown, through a tag of a DOS code page table.
    path = os.path.join(folder, "APPENDED_cp850.dbf")
    (first, _), (second, _) = CODE_PAGE_TEXT["cp850"][0]
    condition = 'NAME <> "%s"' % second
    tool("index", path, "--tag", "NAME", "--key", "NAME", "--for", condition)
    check("cp850 tags", condition in tool("tags", path).decode("utf-8"), True)
    check("cp850 ordered dump", tool("dump", path, "--order", "NAME").decode("utf-8"),
          "1\t%s\n" % first)
    check("cp850 seek", tool("seek", path, "--order", "NAME", first), b"1\n")
    check("cp850 query", dump_rows(path, "--query", 'NAME = "%s"' % second)[1:],
          [list(CODE_PAGE_TEXT["cp850"][0][1])])
    files = [path, path[:-4] + ".cdx"]
    refused("cp850 seek of a foreign character", run_tool("seek", path, "--order", "NAME", "Ł"),
            files, file_bytes(files), "the key: code page 850 cannot hold \"Ł\" (U+0141)")


with tempfile.TemporaryDirectory() as folder:
    engine_writes(folder)
    others_write(folder)
    code_pages(folder)
for failure in failures:
    print("FAIL", failure)
print("%d failures" % len(failures))
sys.exit(1 if failures else 0)
