#!/usr/bin/env python3
"""Turns the benchmarks' JSON output into one table: each figure as a ratio against its floor.

Usage: bench/report.py RESULTS_DIR   (paint.json, load.json, startup.json and cpu.txt in it)
"""
import json
import pathlib
import sys


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


def per_item_us(run):
    """Time of one item (a file) in microseconds, from items_per_second."""
    return 1e6 / run["items_per_second"]


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

    def row(figure, value, floor, unit, goal=None, absolute=None):
        ratio = value / floor
        verdict = ""
        if goal is not None:
            verdict = "ok" if ratio <= goal else "MISSED"
        if absolute is not None:
            verdict = "ok" if value <= absolute[0] and verdict != "MISSED" else "MISSED"
        goal_text = f"≤ {goal}" if goal is not None else "—"
        if absolute is not None:
            goal_text = absolute[1]
        rows.append((figure, f"{value:.4g} {unit}", f"{floor:.4g} {unit}", f"{ratio:.2f}",
                     goal_text, verdict))

    row("1. one frame, PaintBox1Paint (floor: bare QPainter)",
        pick(paint, "BM_PaintBox1Paint")["real_time"],
        pick(paint, "BM_FrameFloor")["real_time"], "µs", 1.2)
    row("2. LoadCardSet Default.kxd (floor: 10 × loadFromData + premultiply)",
        pick(load, "BM_LoadCardSet")["real_time"],
        pick(load, "BM_DecodeFloor")["real_time"], "µs", 1.1)
    row("3a. ReadCardSetName, per file of 1,000 (floor: open, pread × 2, close)",
        per_item_us(pick(load, "BM_ReadCardSetName")),
        per_item_us(pick(load, "BM_ReadNameFloor")), "µs")
    row("3b. folder scan, per file of 1,000 (floor: readdir + fstatat)",
        per_item_us(pick(load, "BM_FolderScan")),
        per_item_us(pick(load, "BM_ScanFloor")), "µs")
    window3 = pick(startup, "BM_StartUpWindow/3")
    window1000 = pick(startup, "BM_StartUpWindow/1000")
    minimal = pick(startup, "BM_StartUpMinimal")
    row("3c. start-up with 1,000 sets (floor: start-up with 3 sets)",
        window1000["real_time"], window3["real_time"], "ms", None, (2 * window3["real_time"], "< 2"))
    row("4a. start-up to first frame, offscreen (floor: minimal Qt window)",
        window3["real_time"], minimal["real_time"], "ms", 1.3)
    row("4b. peak resident memory at first frame (floor: minimal Qt window)",
        window3["peak_rss_kb"] / 1024, minimal["peak_rss_kb"] / 1024, "MiB", 1.15)
    row("5. processor time in Xvfb, game on screen, 10 s (floor: bare window, same frames)",
        cpu["velmo"], cpu["floor"], "% of a core", None, (3.0, "≤ 3 % of a core"))

    print("| Figure | Measured | Floor | Ratio | Goal | |")
    print("|---|---|---|---|---|---|")
    for cells in rows:
        print("| " + " | ".join(cells) + " |")


main()
