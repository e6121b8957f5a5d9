#!/usr/bin/env python3
"""Times the editor's start-up: from starting the process to its first window shown.

    bench/startup.py [--runs N] [--language NAME] [BINARY...]

Each run starts BINARY (default build/app/scrivane) offscreen on a fresh user folder
whose settings hold the language (default Francais), with SCRIVANE_QUIT_WHEN_SHOWN set
so that the program ends once its window has been exposed, and takes the wall time of
the whole process. Several binaries are run in turn, run by run, so that they share the
machine's load alike. Prints each binary's median, best and worst wall time and its
median CPU time (user and system), in milliseconds.
"""
import argparse
import os
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def run_once(binary, language, data_folder):
    user = tempfile.mkdtemp(prefix="scrivane-startup-")
    try:
        with open(os.path.join(user, "scrivane.conf"), "w", encoding="utf-8") as conf:
            conf.write(f"[settings]\nlanguage={language}\n")
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", SCRIVANE_USER_DIR=user,
                   SCRIVANE_DATA_DIR=data_folder, SCRIVANE_QUIT_WHEN_SHOWN="1")
        # No timeout: waiting with one polls in steps of up to 50 ms, coarser than the
        # figure itself.
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        start = time.perf_counter()
        done = subprocess.run([binary], env=env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
        elapsed = time.perf_counter() - start
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        if done.returncode != 0:
            sys.exit(f"{binary} exited with status {done.returncode}")
        cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
        return elapsed * 1000, cpu * 1000
    finally:
        shutil.rmtree(user, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--runs", type=int, default=21)
    parser.add_argument("--language", default="Francais")
    parser.add_argument("--data", default=os.path.join(ROOT, "app", "data"))
    parser.add_argument("binaries", nargs="*",
                        default=[os.path.join(ROOT, "build", "app", "scrivane")])
    args = parser.parse_args()

    for binary in args.binaries:
        run_once(binary, args.language, args.data)  # warm the file cache, not counted
    times = {binary: [] for binary in args.binaries}
    for _ in range(args.runs):
        for binary in args.binaries:
            times[binary].append(run_once(binary, args.language, args.data))

    print(f"start-up to first window, language {args.language}, {args.runs} runs (ms)")
    print(f"{'median':>8} {'best':>8} {'worst':>8} {'cpu':>8}  binary")
    for binary, runs in times.items():
        wall = [w for w, _ in runs]
        cpu = [c for _, c in runs]
        print(f"{statistics.median(wall):8.1f} {min(wall):8.1f} {max(wall):8.1f} "
              f"{statistics.median(cpu):8.1f}  {binary}")


if __name__ == "__main__":
    main()
