"""Reads item 1 of the benchmark grid (1000 steps of 200 x 200, see grid_read_bench.c) into
numpy and compares the best of five runs with the same reads in C.

    PYTHONPATH=build/python /usr/bin/python3 bench/python_read_bench.py build/bench/grid_read_bench FILE"""

import subprocess
import sys
import time

import numpy as np

import lrx


def best_of(runs, read):
    best = float("inf")
    for _ in range(runs):
        start = time.perf_counter()
        read()
        best = min(best, time.perf_counter() - start)
    return best


def main():
    program, path = sys.argv[1:3]
    output = subprocess.run([program, path], check=True, capture_output=True, text=True).stdout
    c_new, c_malloc, c_reused = (float(v) for v in output.split())
    out = np.empty((1000, 200, 200), np.float32)
    out.fill(0)

    def read(masked, into=None):
        with lrx.open(path) as f:
            return f.read(1, masked=masked, out=into)

    rows = [("numpy, delete values as NaN", best_of(5, lambda: read(True)), c_new),
            ("numpy, stored values", best_of(5, lambda: read(False)), c_new),
            ("numpy into out=, as NaN", best_of(5, lambda: read(True, out)), c_reused),
            ("numpy into out=, stored", best_of(5, lambda: read(False, out)), c_reused)]
    megabytes = 1000 * 200 * 200 * 4 / 1e6
    print(f"C, new array as numpy makes: {c_new:.3f} s ({megabytes / c_new:.0f} MB/s)")
    print(f"C, new array from malloc:    {c_malloc:.3f} s")
    print(f"C, reused array:             {c_reused:.3f} s")
    for name, seconds, c_seconds in rows:
        print(f"{name + ':':29s}{seconds:.3f} s, {seconds / c_seconds:.2f} x the C read into the same kind of array")


if __name__ == "__main__":
    main()
