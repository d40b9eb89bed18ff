#!/usr/bin/env python3
"""Lists the code sections tarvilo runs while it starts, for app/start_up_code.txt.

Runs the built program once under callgrind, from its start through the
default run to its first frame painted (TARVILO_QUIT_AFTER_SHOW), takes the
functions of the program itself that ran, and finds in the linker's map
(written next to the program) the section holding each. The build links
these sections in one block (cmake/TarviloStartUpOrder.cmake). Run it again
after changes to what the start-up calls; the list is sorted, so its diff
shows what changed.

Usage: list-start-up-code.py --display :43 BUILD_DIR [--output app/start_up_code.txt]
The display is an X server (e.g. Xvfb :43 -screen 0 1280x1024x24).
"""

import argparse
import os
import re
import subprocess
import sys
import tempfile

HEADER = """\
# The program's code sections that run at start-up, linked in one block
# (cmake/TarviloStartUpOrder.cmake). Made by scripts/list-start-up-code.py:
# run it again rather than editing by hand.
"""


def functions_run(program, display):
    """Mangled names of the program's own functions that ran at start-up."""
    with tempfile.TemporaryDirectory(prefix="tarvilo-start-up-") as folder:
        profile = os.path.join(folder, "callgrind.out")
        env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", TARVILO_QUIT_AFTER_SHOW="1",
                   XDG_RUNTIME_DIR=folder, XDG_CONFIG_HOME=os.path.join(folder, "config"))
        subprocess.run(["valgrind", "--tool=callgrind", "--demangle=no", f"--callgrind-out-file={profile}", program],
                       cwd=folder, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
        return parse_profile(profile, os.path.realpath(program))


def parse_profile(path, program):
    # Callgrind names each object and function once in full, then by number.
    objects, names = {}, {}
    current_object = None
    run = set()

    def name_of(text, table):
        match = re.match(r"\((\d+)\)(?: (.*))?$", text)
        if not match:
            return text
        if match.group(2) is not None:
            table[match.group(1)] = match.group(2)
        return table[match.group(1)]

    with open(path, encoding="utf-8", errors="replace") as profile:
        for line in profile:
            line = line.rstrip("\n")
            if line.startswith("ob="):
                current_object = name_of(line[3:], objects)
            elif line.startswith("cob="):
                name_of(line[4:], objects)
            elif line.startswith("fn="):
                function = name_of(line[3:], names)
                if current_object and os.path.realpath(current_object) == program:
                    run.add(function)
            elif line.startswith("cfn="):
                name_of(line[4:], names)
    return run


def addresses_of(program, functions):
    listing = subprocess.run(["nm", "--defined-only", program], capture_output=True, text=True, check=True).stdout
    addresses = []
    for line in listing.splitlines():
        fields = line.split()
        if len(fields) == 3 and fields[1] in "tTwW" and fields[2] in functions:
            addresses.append(int(fields[0], 16))
    return addresses


def code_sections(map_path):
    """(start, end, name) of each input code section the map places."""
    sections = []
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
            if not following:
                continue
            start, size = following.groups()
        if start is not None and int(size, 16) > 0:
            sections.append((int(start, 16), int(start, 16) + int(size, 16), name))
    return sections


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("build_dir")
    parser.add_argument("--display", required=True)
    parser.add_argument("--output", default=os.path.normpath(os.path.join(os.path.dirname(__file__), "..", "app", "start_up_code.txt")))
    args = parser.parse_args()
    program = os.path.abspath(os.path.join(args.build_dir, "app", "tarvilo"))
    map_path = os.path.join(args.build_dir, "app", "tarvilo.map")

    addresses = addresses_of(program, functions_run(program, args.display))
    chosen = set()
    for start, end, name in code_sections(map_path):
        # Only sections of one function each: a whole ".text" of an object
        # built without -ffunction-sections would bring all its code along.
        if name == ".text" or not re.fullmatch(r"[.\w$]+", name):
            continue
        if any(start <= address < end for address in addresses):
            chosen.add(name)
    if not chosen:
        sys.exit("no start-up code found: is the program built with its map?")
    with open(args.output, "w", encoding="utf-8") as output:
        output.write(HEADER)
        output.writelines(f"{name}\n" for name in sorted(chosen))
    print(f"{len(chosen)} sections of {len(addresses)} functions run at start-up written to {args.output}")


if __name__ == "__main__":
    main()
