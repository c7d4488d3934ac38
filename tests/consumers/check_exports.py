#!/usr/bin/env python3
"""Reads the golden exports with real consumers: Python's csv module must give the cells of the tab-delimited
golden of the same rows, every XML golden must be well-formed for xmllint, and every JSON Lines golden (and
the log objects) must give, line by line, a JSON object of strings whose texts match the CSV cells."""
import csv
import glob
import io
import json
import os
import subprocess
import sys

folder = sys.argv[1]
failures = []

# Rows whose texts hold no TAB or line break read the same from both delimited formats.
for path in sorted(glob.glob(os.path.join(folder, "*.csv"))):
    with open(path, "rb") as f:
        rows = list(csv.reader(io.StringIO(f.read().decode("cp1252"), newline="")))
    with open(path[: -len(".csv")] + ".tab.txt", "rb") as f:
        lines = f.read().decode("cp1252").split("\r\n")[:-1]
    tab_rows = [line.split("\t")[:-1] for line in lines]
    clean = [r for r in rows if not any("\n" in c or "\r" in c for c in r)]
    for row in clean:
        if row not in tab_rows:
            failures.append(f"{path}: {row} is not a row of the tab-delimited export")
    widths = {len(r) for r in rows}
    if len(widths) > 1:
        failures.append(f"{path}: rows of different widths {sorted(widths)}")

# The row whose description holds every special byte keeps it whole, line breaks included.
with open(os.path.join(folder, "escapes.csv"), "rb") as f:
    escapes = list(csv.reader(io.StringIO(f.read().decode("cp1252"), newline="")))
expected = 'Cam <HD> & "Pro" 90\u00b0\nline two\rend, done'
if len(escapes) != 4 or escapes[2][3] != expected or escapes[2][6] != " lead":
    failures.append(f"escapes.csv: the special texts did not come back whole: {escapes[2] if len(escapes) > 2 else escapes}")

# JSON Lines: strict UTF-8, one object of strings per line, the same texts as the comma-delimited export.
for path in sorted(glob.glob(os.path.join(folder, "*.jsonl"))) + [os.path.join(folder, "..", "events", "objects.jsonl")]:
    try:
        with open(path, "rb") as f:
            objects = [json.loads(line.decode("utf-8")) for line in f.read().split(b"\n")[:-1]]
    except (UnicodeDecodeError, ValueError) as error:
        failures.append(f"{path}: {error}")
        continue
    if any(not isinstance(o, dict) or any(not isinstance(v, str) for v in o.values()) for o in objects):
        failures.append(f"{path}: a line is not an object of strings")
    csv_path = path[: -len(".jsonl")] + ".csv"
    if os.path.exists(csv_path):
        with open(csv_path, "rb") as f:
            cells = list(csv.reader(io.StringIO(f.read().decode("cp1252"), newline="")))[1:]
        if [sorted(o.values()) for o in objects] != [sorted(row) for row in cells]:
            failures.append(f"{path}: the texts differ from those of {os.path.basename(csv_path)}")

for path in sorted(glob.glob(os.path.join(folder, "*.xml"))):
    result = subprocess.run(["xmllint", "--noout", path], capture_output=True, text=True)
    if result.returncode != 0:
        failures.append(f"{path}: {result.stderr.strip()}")

for failure in failures:
    print(failure)
count = len(glob.glob(os.path.join(folder, "*.csv"))) + len(glob.glob(os.path.join(folder, "*.xml")))
print(f"{count - len(failures)} passed, {len(failures)} failed")
sys.exit(1 if failures else 0)
