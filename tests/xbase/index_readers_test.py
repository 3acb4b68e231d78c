#!/usr/bin/python3
"""Reads the compound index files the engine writes with an independent reader packaged by
Debian (the XBase::Index module of libdbd-xbase-perl, through its index_dump command): every
tag's entries must lie in the file in ascending key order with their record numbers, as
other engines keep them, a descending tag included (the direction is only visited from the
other end), and the header must mark the descending tag. The engine's own visiting order
of the descending tag runs from the greatest key down.

Usage: index_readers_test.py CORVANE_TOOL. Exits 77 (skipped) when index_dump is missing."""
import os
import shutil
import subprocess
import sys
import tempfile

TOOL = sys.argv[1]
INDEX_DUMP = shutil.which("index_dump")
if not INDEX_DUMP:
    print("skipped: index_dump (libdbd-xbase-perl; scripts/setup-debian installs it)")
    sys.exit(77)

NAMES = ["Smith", "adams", "Miller", "Smith", "Baker", "Young", "Nolan", "Adams"]
failures = []


def check(what, got, expected):
    if got != expected:
        failures.append("%s: got %r, expected %r" % (what, got, expected))


def run(*args):
    done = subprocess.run(args, capture_output=True)
    if done.returncode != 0:
        sys.exit("%s failed: %s" % (" ".join(args), done.stderr.decode()))
    return done.stdout.decode()


with tempfile.TemporaryDirectory() as folder:
    table = os.path.join(folder, "P.DBF")
    run(TOOL, "db", "create", table, "--fields", "NAME C 10, N N 4")
    rows = os.path.join(folder, "rows.csv")
    with open(rows, "w") as out:
        out.writelines("%s,%d\n" % (name, n) for n, name in enumerate(NAMES, 1))
    run(TOOL, "db", "append-csv", table, rows)
    run(TOOL, "db", "index", table, "--tag", "UP", "--key", "UPPER(NAME)")
    run(TOOL, "db", "index", table, "--tag", "DOWN", "--key", "UPPER(NAME)", "--descending")
    index = os.path.join(folder, "P.CDX")

    # In the file: ascending keys, equal keys by record number, for both tags.
    ascending = sorted((name.upper(), n) for n, name in enumerate(NAMES, 1))
    for tag in ("UP", "DOWN"):
        entries = [line.rsplit(" ", 1) for line in
                   run(INDEX_DUMP, "--type=char", index, tag).splitlines()]
        check("%s as the independent reader sees it" % tag,
              [(key.strip(), int(n)) for key, n in entries], ascending)

    # The engine visits the descending tag from its end.
    visited = [int(line.split("\t")[0]) for line in
               run(TOOL, "db", "dump", table, "--order", "DOWN").splitlines()]
    check("descending visit", visited, [n for _, n in reversed(ascending)])

    # The direction sits in each tag's header at byte 502 (1: descending).
    tags = {line.split("\t")[1]: line for line in run(TOOL, "db", "tags", table).splitlines()}
    check("tags marked descending", ["DESCENDING" in tags[t] for t in ("UP", "DOWN")],
          [False, True])

for failure in failures:
    print(failure)
sys.exit(1 if failures else 0)
