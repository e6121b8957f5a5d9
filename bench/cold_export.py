#!/usr/bin/env python3
"""Cold export figures as a user meets them: a fresh scrivane-cli process per run.

    cmake --build build --target scrivane-cli bench_text zlib_streams
    bench/cold_export.py                     # 100,000 lines, 3 runs, median shown
    bench/cold_export.py --lines 10000 --runs 5
    bench/cold_export.py --build OTHER/build # another build folder
    bench/cold_export.py --cli OTHER/scrivane-cli  # another command-line tool (an older one)

Each run times the whole `scrivane-cli export TEXT OUT.pdf` (start to exit, the file
written) and reads the process's peak resident size. In the same run, in turn with it so
that both share the machine's load alike:
  - zlib level 9 on one thread over the streams of that output (bench/zlib_streams), the
    time a writer that used zlib would spend compressing alone;
  - the peer, `enscript -B` to a PostScript file and then `ps2pdf`, when both are
    installed (this script installs nothing; a missing peer is skipped);
  - `scrivane-cli import` of the output and `pdftotext` of the same file.
The text is export_bench's generated prose (bench/bench_text writes it), exported with the
data folder's format files and an empty user folder. Figures are the
median of the runs, with the range; the load average is printed before and after.
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def run(command, capture=False, env=None):
    """Runs a command to its end: (wall seconds, peak resident MB, stdout text, CPU seconds)."""
    start = time.perf_counter()
    process = subprocess.Popen(command, stdout=subprocess.PIPE if capture else subprocess.DEVNULL,
                               stderr=subprocess.PIPE, env=env)
    output = process.stdout.read().decode() if capture else ""
    errors = process.stderr.read().decode()
    _, status, usage = os.wait4(process.pid, 0)
    wall = time.perf_counter() - start
    process.returncode = os.waitstatus_to_exitcode(status)
    if process.returncode != 0:
        sys.exit(f"{' '.join(command)} failed ({process.returncode}): {errors.strip()}")
    return wall, usage.ru_maxrss / 1024.0, output, usage.ru_utime + usage.ru_stime


def fields(line):
    return {key: float(value) for key, value in (pair.split("=") for pair in line.split())}


def summary(values, unit="s", digits=3):
    return (f"{statistics.median(values):.{digits}f} {unit} "
            f"[{min(values):.{digits}f}-{max(values):.{digits}f}]")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--lines", type=int, default=100000)
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--build", default=os.path.join(ROOT, "build"))
    parser.add_argument("--cli", help="the scrivane-cli to time (default: the build's)")
    parser.add_argument("--data", default=os.path.join(ROOT, "app", "data"),
                        help="the data folder with the format files (default: the source tree's)")
    args = parser.parse_args()

    cli = args.cli or os.path.join(args.build, "cli", "scrivane-cli")
    maker = os.path.join(args.build, "bench", "bench_text")
    zlib = os.path.join(args.build, "bench", "zlib_streams")
    for program in (cli, maker, zlib):
        if not os.access(program, os.X_OK):
            sys.exit(f"{program} is missing: cmake --build {args.build} "
                     "--target scrivane-cli bench_text zlib_streams")
    peer = shutil.which("enscript") and shutil.which("ps2pdf")
    pdftotext = shutil.which("pdftotext")

    folder = tempfile.mkdtemp(prefix="scrivane-cold-")
    try:
        text = os.path.join(folder, "text.txt")
        pdf = os.path.join(folder, "text.pdf")
        subprocess.run([maker, str(args.lines), text], check=True)
        # The format files of the data folder, never a user's own.
        env = dict(os.environ, SCRIVANE_DATA_DIR=os.path.abspath(args.data),
                   SCRIVANE_USER_DIR=os.path.join(folder, "user"))
        size_mb = os.path.getsize(text) / 1e6
        print(f"cold_export: {args.lines} lines ({size_mb:.2f} MB), {args.runs} runs, "
              f"{os.cpu_count()} cores; load average {os.getloadavg()[0]:.2f}")
        with open(text, "rb") as f:  # the text in the file cache, as for a user's file
            f.read()

        export, cpu, peak, zlib_s, peer_s, imports, poppler = [], [], [], [], [], [], []
        streams = {}
        for _ in range(args.runs):
            wall, rss, _, seconds = run([cli, "export", "--quiet", text, pdf], env=env)
            export.append(wall)
            cpu.append(seconds)
            peak.append(rss)
            line = run([zlib, pdf], capture=True)[2]
            streams = fields(line)
            zlib_s.append(streams["zlib9_s"])
            if peer:
                ps = os.path.join(folder, "peer.ps")
                wall_a = run(["enscript", "-B", "-q", "-o", ps, text])[0]
                wall_b = run(["ps2pdf", ps, os.path.join(folder, "peer.pdf")])[0]
                peer_s.append(wall_a + wall_b)
            imports.append(run([cli, "import", pdf, os.path.join(folder, "back.txt")], env=env)[0])
            if pdftotext:
                poppler.append(run([pdftotext, pdf, os.path.join(folder, "poppler.txt")])[0])

        limit = 2 * size_mb + 16
        median_export = statistics.median(export)
        median_zlib = statistics.median(zlib_s)
        print(f"  export (scrivane-cli, whole process) {summary(export)}"
              f"   CPU (user + system) {summary(cpu)}")
        print(f"  peak memory of the export            {summary(peak, 'MB', 1)}"
              f"   goal <= 2 x text + 16 = {limit:.1f} MB")
        print(f"  zlib -9, one thread, {int(streams['streams'])} streams of "
              f"{streams['inflated'] / 1e6:.2f} MB  {summary(zlib_s)}")
        print(f"  export / zlib                        {median_export / median_zlib:.2f}"
              f"   goal <= 1.0")
        print(f"  deflated streams {streams['deflated'] / 1e6:.3f} MB, zlib -9 "
              f"{streams['zlib9'] / 1e6:.3f} MB: {streams['deflated'] / streams['zlib9']:.3f}"
              f"   goal <= 1.05")
        if peer_s:
            print(f"  peer (enscript -B, then ps2pdf)      {summary(peer_s)}   "
                  f"{statistics.median(peer_s) / median_export:.1f} x the export, goal >= 20")
        else:
            print("  peer (enscript -B, then ps2pdf)      not installed: skipped")
        line = f"  import (scrivane-cli)                {summary(imports)}"
        if poppler:
            line += (f";  pdftotext {summary(poppler)}: "
                     f"{statistics.median(poppler) / statistics.median(imports):.1f} x, goal >= 10")
        print(line)
        print(f"load average after: {os.getloadavg()[0]:.2f}")
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
