#!/usr/bin/env python3
"""Times tarvilo's whole start-up against a bare Qt window with one chart.

Each round starts both programs once, one after the other, their order
alternating from round to round, in a scratch folder (where both write
their curve file) with scratch settings. Each process runs from its start
through the default run and the window shown to its first frame painted,
and quits by itself: tarvilo through the hidden TARVILO_QUIT_AFTER_SHOW
(see app/main.cpp), and so does the floor. Wall time is measured around the
child, and so is its processor time (user and system), which other
programs busy on the same cores disturb less; peak memory is the child's
maximum resident set size.

Usage: startup_ratio.py --display :43 BUILD_DIR [--rounds 30]
       startup_ratio.py --display :43 --tarvilo PATH --floor PATH
The display is an X server (e.g. Xvfb :43 -screen 0 1280x1024x24).
"""

import argparse
import os
import statistics
import sys
import tempfile
import time


def run_once(program, env, folder):
    start = time.perf_counter()
    pid = os.fork()
    if pid == 0:
        os.chdir(folder)
        fd = os.open(os.devnull, os.O_WRONLY)
        os.dup2(fd, 1)
        os.dup2(fd, 2)
        try:
            os.execve(program, [program], env)
        finally:
            os._exit(127)
    _, status, usage = os.wait4(pid, 0)
    wall = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"{program} ended with {os.waitstatus_to_exitcode(status)}")
    cpu = usage.ru_utime + usage.ru_stime
    return wall * 1000.0, usage.ru_maxrss / 1024.0, cpu * 1000.0  # ms, MiB, ms


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("build_dir", nargs="?")
    parser.add_argument("--display", required=True)
    parser.add_argument("--rounds", type=int, default=30)
    parser.add_argument("--tarvilo")
    parser.add_argument("--floor")
    args = parser.parse_args()
    tarvilo = os.path.abspath(args.tarvilo or os.path.join(args.build_dir, "app", "tarvilo"))
    floor = os.path.abspath(args.floor or os.path.join(args.build_dir, "bench", "tarvilo_startup_floor"))

    with tempfile.TemporaryDirectory(prefix="tarvilo-startup-") as folder:
        env = dict(os.environ)
        env.update(DISPLAY=args.display, XDG_RUNTIME_DIR=folder, QT_QPA_PLATFORM="xcb", TARVILO_QUIT_AFTER_SHOW="1",
                   XDG_CONFIG_HOME=os.path.join(folder, "config"))
        # One start of each first, unmeasured: the disk cache is warm for both.
        for program in (tarvilo, floor):
            run_once(program, env, folder)
        results = {tarvilo: [], floor: []}
        for round_ in range(args.rounds):
            for program in ((tarvilo, floor) if round_ % 2 == 0 else (floor, tarvilo)):
                results[program].append(run_once(program, env, folder))

    def median(program, index):
        return statistics.median(result[index] for result in results[program])

    ratios = [t[0] / f[0] for t, f in zip(results[tarvilo], results[floor])]
    cpu_ratios = [t[2] / f[2] for t, f in zip(results[tarvilo], results[floor])]
    print(f"rounds: {args.rounds}")
    print(f"wall time, median: tarvilo {median(tarvilo, 0):.1f} ms, floor {median(floor, 0):.1f} ms")
    print(f"wall-time ratio tarvilo / floor: median of rounds {statistics.median(ratios):.2f}, "
          f"of medians {median(tarvilo, 0) / median(floor, 0):.2f}")
    print(f"processor time, median: tarvilo {median(tarvilo, 2):.1f} ms, floor {median(floor, 2):.1f} ms, "
          f"ratio: median of rounds {statistics.median(cpu_ratios):.2f}")
    print(f"peak RSS, median: tarvilo {median(tarvilo, 1):.1f} MiB, floor {median(floor, 1):.1f} MiB, "
          f"difference {median(tarvilo, 1) - median(floor, 1):.1f} MiB")


if __name__ == "__main__":
    main()
