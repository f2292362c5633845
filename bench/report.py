#!/usr/bin/env python3
"""Turns the benchmarks' JSON output into one table: each figure as a ratio against its floor.

Usage: bench/report.py RESULTS_DIR   (paint.json, load.json, startup.json and cpu.txt in it)
"""
import json
import pathlib
import sys

MANY_SETS = 1000  # files in the folder the scan benchmarks list


def medians(path):
    """Median real time (in the benchmark's unit) and counters, by run name."""
    found = {}
    for run in json.loads(path.read_text())["benchmarks"]:
        if run.get("aggregate_name", "median") != "median" or run.get("error_occurred"):
            continue
        found[run["run_name"]] = run
    return found


def pick(runs, prefix):
    for name, run in runs.items():
        if name == prefix or name.startswith(prefix + "/"):
            return run
    sys.exit(f"no result for {prefix}")


def per_file_us(run, files):
    """Processor time of one file in microseconds, for a run handling files per iteration."""
    scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}[run["time_unit"]]
    return run["cpu_time"] * scale / files


def main():
    results = pathlib.Path(sys.argv[1])
    paint = medians(results / "paint.json")
    load = medians(results / "load.json")
    startup = medians(results / "startup.json")
    cpu = {}
    for line in (results / "cpu.txt").read_text().splitlines():
        _, name, ticks, per_second, seconds = line.split()
        cpu[name] = 100.0 * int(ticks) / int(per_second) / float(seconds)

    rows = []

    def row(figure, value, floor, unit, goal=None, absolute=None, ratio=None):
        """ratio: the median of per-run ratios where the runs were paired, else value / floor."""
        ratio = value / floor if ratio is None else ratio
        verdict = ""
        if goal is not None:
            verdict = "ok" if ratio <= goal else "MISSED"
        if absolute is not None:
            verdict = "ok" if value < absolute[0] and verdict != "MISSED" else "MISSED"
        goal_text = f"≤ {goal}" if goal is not None else "—"
        if absolute is not None:
            goal_text = absolute[1]
        rows.append((figure, f"{value:.4g} {unit}", f"{floor:.4g} {unit}", f"{ratio:.2f}",
                     goal_text, verdict))

    frame = pick(paint, "BM_Frame")
    row("1. one frame, PaintBox1Paint (floor: bare QPainter, same pictures and text)",
        frame["program_us"], frame["floor_us"], "µs", 1.2, None, frame["ratio"])
    load_set = pick(load, "BM_LoadCardSet")
    row("2. LoadCardSet Default.kxd (floor: 10 × loadFromData + premultiply)",
        load_set["program_us"], load_set["floor_us"], "µs", 1.1, None, load_set["ratio"])
    row("3a. ReadCardSetName, per file of 1,000 (floor: open, pread × 2, close)",
        per_file_us(pick(load, "BM_ReadCardSetName"), 1),
        per_file_us(pick(load, "BM_ReadNameFloor"), 1), "µs")
    row("3b. folder scan, per file of 1,000 (floor: readdir + fstatat)",
        per_file_us(pick(load, "BM_FolderScan"), MANY_SETS),
        per_file_us(pick(load, "BM_ScanFloor"), MANY_SETS), "µs")
    start = pick(startup, "BM_StartUp")
    row("3c. start-up with 1,000 sets (floor: start-up with 3 sets)",
        start["window_1000_ms"], start["window_ms"], "ms", None,
        (2 * start["window_ms"], "< 2"), start["sets_1000_vs_3"])
    row("4a. start-up to first frame, offscreen (floor: minimal Qt window)",
        start["window_ms"], start["minimal_ms"], "ms", 1.3, None, start["window_vs_minimal"])
    row("4b. peak resident memory at first frame (floor: minimal Qt window)",
        start["window_rss_kb"] / 1024, start["minimal_rss_kb"] / 1024, "MiB", 1.15, None,
        start["rss_vs_minimal"])
    row("5. processor time in Xvfb, game on screen, 10 s (floor: bare window, same frames)",
        cpu["velmo"], cpu["floor"], "% of a core", None, (3.0, "≤ 3 % of a core"))

    print("| Figure | Measured | Floor | Ratio | Goal | |")
    print("|---|---|---|---|---|---|")
    for cells in rows:
        print("| " + " | ".join(cells) + " |")


main()
