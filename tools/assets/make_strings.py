#!/usr/bin/env python3
"""Turns res/strings.txt (id | name | Simplified Chinese | English) into the
string tables of the program and of its English library, and the header of
string ids that the code includes.

  make_strings.py STRINGS_TXT OUT_DIR

Writes OUT_DIR/string_ids.h, OUT_DIR/strings_zh.rc and OUT_DIR/strings_eng.rc.
The Traditional Chinese table is made from strings_zh.rc by opencc."""

import os
import sys


def rc_quote(text):
    # Resource-script strings: quotes doubled; the table keeps \n and \t escapes as written.
    return '"' + text.replace('"', '""') + '"'


def read_table(path):
    rows = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            parts = [p.strip() for p in line.split(" | ")]
            if len(parts) != 4:
                sys.exit(f"{path}:{number}: expected 'id | name | zh | en'")
            rows.append((int(parts[0]), parts[1], parts[2], parts[3]))
    ids = [r[0] for r in rows]
    if len(set(ids)) != len(ids):
        sys.exit(f"{path}: duplicate string id")
    return rows


def write_if_changed(path, text):
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            if f.read() == text:
                return
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


def string_table(rows, column):
    lines = ["#pragma code_page(65001)", "STRINGTABLE", "BEGIN"]
    for row in rows:
        lines.append(f"    {row[0]} {rc_quote(row[column])}")
    lines += ["END", ""]
    return "\n".join(lines)


def main(source, out):
    rows = read_table(source)
    os.makedirs(out, exist_ok=True)
    header = ["// Made by the build from res/strings.txt: the ids of the string table.", "#pragma once", ""]
    for number, name, _, _ in rows:
        if not name.startswith(("AFX_", "ID_INDICATOR_")):
            header.append(f"#define {name} {number}")
    write_if_changed(os.path.join(out, "string_ids.h"), "\n".join(header) + "\n")
    write_if_changed(os.path.join(out, "strings_zh.rc"), string_table(rows, 2))
    write_if_changed(os.path.join(out, "strings_eng.rc"), string_table(rows, 3))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
