#!/usr/bin/env python3
"""Panscout's page steps against the same work in Python's re, side by side.

    bench/page_steps_vs_python.py [--build DIR] [--seconds S] [--rounds N]

Writes the benchmark pages with DIR/panscout_bench_pages, checks that
python_page_steps lists exactly Panscout's rows from them, then times each page
through DIR/panscout_bench (Google Benchmark) and through python_page_steps,
back to back, N rounds of at least S seconds each, and prints the best mean
time per page of both and the ratio Panscout / Python.
"""

import argparse
import json
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from python_page_steps import Case  # noqa: E402


def panscout_time(build, number, seconds):
    """Google Benchmark's mean time of one page in milliseconds."""
    out = subprocess.run([os.path.join(build, "panscout_bench"), "--benchmark_format=json",
                          f"--benchmark_filter=^PageStep/{number}$", f"--benchmark_min_time={seconds}"],
                         check=True, capture_output=True, text=True).stdout
    (result,) = json.loads(out)["benchmarks"]
    if result.get("error_occurred"):
        sys.exit(f"panscout_bench: {result['name']}: {result.get('error_message')}")
    assert result["time_unit"] == "ms"
    return result["real_time"]


def python_time(case, seconds):
    """Mean wall time of one page in milliseconds, over at least `seconds`."""
    case.run()  # warm the pattern cache, as the C++ side warms up too
    runs, began = 0, time.perf_counter()
    while runs < 3 or time.perf_counter() - began < seconds:
        case.run()
        runs += 1
    return (time.perf_counter() - began) * 1000 / runs


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default="build")
    parser.add_argument("--seconds", type=float, default=0.5, help="least time per measurement")
    parser.add_argument("--rounds", type=int, default=3, help="measurements per page and side")
    args = parser.parse_args()

    with tempfile.TemporaryDirectory() as pages:
        subprocess.run([os.path.join(args.build, "panscout_bench_pages"), pages], check=True)
        with open(os.path.join(pages, "cases.json"), encoding="utf-8") as f:
            entries = json.load(f)
        cases = []
        for entry in entries:
            with open(os.path.join(pages, entry["page"]), "rb") as f:
                cases.append((entry["case"], Case(entry, f.read())))

    for _, case in cases:
        if case.run() != case.expected_rows:
            sys.exit(f"{case.label}: the Python steps list other rows than Panscout")
    # Both sides of a page back to back, several rounds, the best of each:
    # the load of the rest of the machine only ever adds time.
    cpp, py = {}, {}
    for _ in range(args.rounds):
        for number, case in cases:
            cpp[number] = min(cpp.get(number, float("inf")), panscout_time(args.build, number, args.seconds))
            py[number] = min(py.get(number, float("inf")), python_time(case, args.seconds))

    print(f"{'page (1 MiB)':<14}{'Panscout ms':>12}{'Python ms':>12}{'ratio':>8}")
    for number, case in cases:
        print(f"{case.label:<14}{cpp[number]:>12.2f}{py[number]:>12.2f}{cpp[number] / py[number]:>8.2f}")
    print("ratio = Panscout / Python (below 1: Panscout is faster)")


if __name__ == "__main__":
    main()
