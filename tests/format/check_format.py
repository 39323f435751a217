#!/usr/bin/env python3
"""Fails when a C or C++ file of the game is not as clang-format writes it
with the .clang-format nearest to it (the one at the top of the tree, or a
folder's own), and names each such file.

Usage: check_format.py <clang-format> <top of the source tree>
"""

import os
import subprocess
import sys

FOLDERS = ("engine", "view", "records", "shell", "assets", "tools", "tests", "bench")
SUFFIXES = (".c", ".cpp", ".h")


def sources(top):
    for folder in FOLDERS:
        for root, _, files in os.walk(os.path.join(top, folder)):
            for name in sorted(files):
                if name.endswith(SUFFIXES):
                    yield os.path.join(root, name)


def main():
    clang_format, top = sys.argv[1], sys.argv[2]
    done = subprocess.run([clang_format, "--dry-run", "--Werror", "--style=file",
                           *sources(top)], capture_output=True, text=True)
    unformatted = sorted({os.path.relpath(line.split(":", 1)[0], top)
                          for line in done.stderr.splitlines() if ": error: " in line})
    if done.returncode != 0 and not unformatted:
        print(f"{clang_format} failed:\n{done.stderr}")
        return 1
    if unformatted:
        print(f"{len(unformatted)} files are not as {clang_format} writes them (run it with -i on them):")
        print("\n".join(f"  {path}" for path in unformatted))
        return 1
    print("every C and C++ file is formatted")
    return 0


if __name__ == "__main__":
    sys.exit(main())
