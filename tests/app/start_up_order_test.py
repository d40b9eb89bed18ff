#!/usr/bin/env python3
"""The code the program runs at start-up is linked in one block.

Reads the linker's map of the program and the list of start-up sections:
most of the listed sections must be there (else the list is stale or the
code was built without a section per function), and no other code may lie
ahead of them or among them (else the link did not place them together at
the start of the code), but the C runtime's start-up code (_start), which
the link puts first.

Usage: start_up_order_test.py LIST MAP
"""

import re
import sys

def main():
    list_path, map_path = sys.argv[1:3]
    with open(list_path, encoding="utf-8") as listed_file:
        listed = {line.strip() for line in listed_file if line.startswith(".text")}
    placed = []
    with open(map_path, encoding="utf-8", errors="replace") as linker_map:
        lines = linker_map.read().splitlines()
    # What comes before this line are the sections the link left out.
    lines = lines[next((i for i, line in enumerate(lines) if line.startswith("Linker script and memory map")), 0):]
    for index, line in enumerate(lines):
        match = re.match(r"^ (\.text\S*)(?:\s+(0x[0-9a-f]+)\s+(0x[0-9a-f]+)\s+\S+)?$", line)
        if not match:
            continue
        name, start, size = match.groups()
        if start is None and index + 1 < len(lines):
            following = re.match(r"^\s+(0x[0-9a-f]+)\s+(0x[0-9a-f]+)\s+\S+", lines[index + 1])
            if following:
                start, size = following.groups()
        if start is not None and int(size, 16) > 0:
            placed.append((int(start, 16), name))

    if not listed:
        sys.exit(f"{list_path} lists no start-up sections")
    found = [(start, name) for start, name in placed if name in listed]
    if len(found) * 2 < len(listed):
        sys.exit(f"only {len(found)} of the {len(listed)} listed start-up sections are in the program: "
                 "run scripts/list-start-up-code.py again")
    first, last = min(found)[0], max(found)[0]
    # The C runtime's objects have one plain .text each; the program's own
    # code has a section per function.
    ahead = [name for start, name in placed if start < last and name not in listed and name != ".text"]
    if ahead:
        sys.exit(f"{len(ahead)} other code sections lie ahead of or among the start-up ones, such as {ahead[0]}")
    print(f"{len(found)} start-up sections in one block of {last - first} bytes")


if __name__ == "__main__":
    main()
