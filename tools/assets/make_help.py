#!/usr/bin/env python3
"""Compiles the help files from the project's HTML.

  make_help.py HELP_SOURCE_DIR WORK_DIR OUT_DIR CHMCMD OPENCC

english/ and ch_smp/ are compiled as written; ch_trd is made from ch_smp by
converting every page to Traditional Chinese. Writes OUT_DIR/english.chm,
OUT_DIR/ch_smp.chm and OUT_DIR/ch_trd.chm."""

import os
import shutil
import subprocess
import sys


def compile_project(folder, project, chmcmd, out_dir):
    subprocess.run([chmcmd, project], cwd=folder, check=True, stdout=subprocess.DEVNULL)
    name = os.path.splitext(project)[0] + ".chm"
    shutil.copyfile(os.path.join(folder, name), os.path.join(out_dir, name))


def main(source, work, out, chmcmd, opencc):
    os.makedirs(out, exist_ok=True)
    if os.path.exists(work):
        shutil.rmtree(work)
    for name in ("english", "ch_smp"):
        folder = os.path.join(work, name)
        shutil.copytree(os.path.join(source, name), folder)
        compile_project(folder, name + ".hhp", chmcmd, out)

    traditional = os.path.join(work, "ch_trd")
    os.makedirs(traditional)
    simplified = os.path.join(source, "ch_smp")
    for entry in sorted(os.listdir(simplified)):
        target = entry.replace("ch_smp", "ch_trd")
        subprocess.run([opencc, "-c", "s2t.json", "-i", os.path.join(simplified, entry),
                        "-o", os.path.join(traditional, target)], check=True)
    project = os.path.join(traditional, "ch_trd.hhp")
    with open(project, encoding="utf-8") as f:
        text = f.read()
    text = text.replace("ch_smp.chm", "ch_trd.chm").replace("0x804 Chinese (PRC)", "0x404 Chinese (Taiwan)")
    with open(project, "w", encoding="utf-8") as f:
        f.write(text)
    compile_project(traditional, "ch_trd.hhp", chmcmd, out)


if __name__ == "__main__":
    main(*sys.argv[1:6])
