#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# voxtarn-find --format csv read by Python's csv module as a spreadsheet
# would: ten clean columns, one row a card with the fields of its list line,
# and written back by the csv module to the very same bytes.
#   csv-roundtrip.py VOXTARN_FIND DATA_DIR CARD_COUNT
import csv
import io
import subprocess
import sys

finder, data, count = sys.argv[1], sys.argv[2], int(sys.argv[3])
raw = subprocess.run([finder, "-C", data, "list", "all", "--format", "csv"], check=True, capture_output=True).stdout
lines = subprocess.run([finder, "-C", data, "list", "all"], check=True, capture_output=True, text=True).stdout

rows = list(csv.reader(io.StringIO(raw.decode("utf-8-sig"), newline="")))
header, cards = rows[0], rows[1:]
failed = []
if header != ["カード名", "カード種類", "テキスト1", "テキスト2", "テキスト3", "テキスト4", "テキスト5", "注記", "イラスト", "入手頻度"]:
    failed.append(f"header {header}")
if len(cards) != count or any(len(row) != 10 for row in cards):
    failed.append(f"{len(cards)} rows of {sorted({len(row) for row in cards})} columns, not {count} of 10")
for row, line in zip(cards, lines.splitlines()):
    shown = [row[9], row[0], row[1], row[7], row[8]]
    unguarded = [f[1:] if f[:1] == "'" else f for f in shown]
    if unguarded != line.split("\t"):
        failed.append(f"{shown} is not the list line {line!r}")

again = io.StringIO(newline="")
csv.writer(again, lineterminator="\r\n").writerows(rows)
if ("\ufeff" + again.getvalue()).encode("utf-8") != raw:
    failed.append("written back by the csv module, the bytes differ")
if not raw.startswith(b"\xef\xbb\xbf"):
    failed.append("no byte order mark")

for failure in failed:
    print("FAIL:", failure)
sys.exit(1 if failed else 0)
