"""The plotting example runs on the demo file and leaves its two pictures."""

import os
import pathlib
import subprocess
import sys


def test_plot_demo_draws_map_and_series(demo_file, tmp_path):
    script = pathlib.Path(os.environ["LRX_SOURCE_DIR"]) / "examples" / "python" / "plot_demo.py"
    subprocess.run([sys.executable, str(script), str(demo_file), "--out", str(tmp_path)], check=True)
    for name in ("water_level_map.png", "water_level_series.png"):
        assert (tmp_path / name).read_bytes()[:8] == b"\x89PNG\r\n\x1a\n"
