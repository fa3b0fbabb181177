"""Files for the binding's tests: the C demo (written by the library's own example program,
so that the binding is checked against values it did not write itself) and small files
written through lrx.create."""

import os
import subprocess

import numpy as np
import pytest

import lrx


@pytest.fixture(scope="session")
def demo_file(tmp_path_factory):
    path = tmp_path_factory.mktemp("demo") / "harbour.gbx"
    subprocess.run([os.environ["LRX_DEMO_PROGRAM"], str(path)], check=True, capture_output=True)
    return path


def demo_level(t, j, i):
    """Water level of the demo at step t, row j, column i (land: i < 4 and j < 3)."""
    return 1.2 * np.sin(2.0 * np.pi * (t / 12.42 - i / 40.0)) + 0.01 * j


def write_steps(path, steps=10, times=None, shape=(3, 4), marker_step=None):
    """A file of one float item on a shape grid; step t holds t + cell / 100, and marker_step
    (if any) holds 12345 everywhere, so that its record can be found in the file's bytes."""
    cells = int(np.prod(shape))
    times = np.arange(steps) * 60.0 if times is None else times
    with lrx.create(path, items=[{"name": "level", "unit": "m", "shape": shape}], times=times) as w:
        for t in range(steps):
            values = t + np.arange(cells, dtype=np.float32).reshape(shape) / 100
            w.write({"level": np.full(shape, 12345.0) if t == marker_step else values})
    return path
