"""Draws the demo file: a map of the water level at the last time step and the time series of
one cell, into two PNG files.

    make demo
    PYTHONPATH=build/python /usr/bin/python3 examples/python/plot_demo.py build/demo/harbour.gbx

Options: --out FOLDER (default: beside the data file), --cell X Y (grid column and row)."""

import argparse
import pathlib

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402

import lrx  # noqa: E402


def plot_map(f, item, out):
    level = f.read(item.name, steps=-1)
    x, y = item.coords["x"][1], item.coords["y"][1]
    fig, ax = plt.subplots(figsize=(8, 4.5))
    mesh = ax.pcolormesh(x, y, np.ma.masked_invalid(level), shading="nearest", cmap="viridis")
    fig.colorbar(mesh, ax=ax, label=f"{item.name} [{item.unit_name}]")
    ax.set_title(f"{f.title}: {item.name} at {f.times[-1]}")
    ax.set_xlabel(f"x [{item.axis['unit_name']}]")
    ax.set_ylabel(f"y [{item.axis['unit_name']}]")
    ax.set_aspect("equal")
    fig.savefig(out, dpi=100, bbox_inches="tight")
    plt.close(fig)


def plot_series(f, item, cell, out):
    column, row = cell
    series = f.read(item.name)[:, row, column]
    fig, ax = plt.subplots(figsize=(8, 3.5))
    ax.plot(f.times, series)
    ax.set_title(f"{item.name} at x={item.coords['x'][1][column]:g}, y={item.coords['y'][1][row]:g}")
    ax.set_ylabel(f"{item.name} [{item.unit_name}]")
    ax.grid(True, alpha=0.3)
    fig.autofmt_xdate()
    fig.savefig(out, dpi=100, bbox_inches="tight")
    plt.close(fig)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("path", type=pathlib.Path)
    parser.add_argument("--out", type=pathlib.Path)
    parser.add_argument("--cell", type=int, nargs=2, default=(10, 5), metavar=("X", "Y"))
    args = parser.parse_args()
    out = args.out or args.path.parent
    out.mkdir(parents=True, exist_ok=True)
    with lrx.open(args.path) as f:
        item = f.items[0]
        plot_map(f, item, out / "water_level_map.png")
        plot_series(f, item, args.cell, out / "water_level_series.png")
    print(f"wrote {out / 'water_level_map.png'} and {out / 'water_level_series.png'}")


if __name__ == "__main__":
    main()
