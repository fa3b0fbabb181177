"""Reading data files: lrx.open gives a DataFile with its attributes, items, times and
static items, and reads item values into numpy arrays."""

import os

import numpy as np

from . import _lrx, timeaxis

_DIMS = {0: (), 1: ("x",), 2: ("y", "x"), 3: ("z", "y", "x"), 4: ("w", "z", "y", "x")}
_KEY_ITEMS = ("X-Encoding Key", "Y-Encoding Key", "Z-Encoding Key")


def _centres(edges):
    return (edges[:-1] + edges[1:]) / 2.0


def grid_coords(axis):
    """Coordinates of an item's grid: name -> (dims, values), cell positions along x, y, z."""
    sizes, kind = axis["sizes"], axis["type"]
    names = ("x", "y", "z", "w")
    if "spacing" in axis:
        return {
            names[i]: ((names[i],), axis["origin"][i] + axis["spacing"][i] * np.arange(n, dtype=np.float64))
            for i, n in enumerate(sizes)
        }
    if "edges" in axis:
        return {names[i]: ((names[i],), _centres(edges)) for i, edges in enumerate(axis["edges"])}
    if "points" in axis:
        return {names[i]: (("x",), axis["points"][:, i].astype(np.float64)) for i in range(3)}
    return {}


class Item:
    """One dynamic item: ``number`` (from 1), ``name``, ``item_type`` and ``item_type_name``,
    ``unit`` and ``unit_name`` (keys and names of the unit library), ``dtype``, ``shape``
    (steps, then the grid in C order: [w, z,] y, x), ``dims``, ``coords`` (name -> (dims,
    values)) and ``axis`` (the spatial axis as the library describes it)."""

    def __init__(self, number, described, steps):
        self.number = number
        self.name = described["name"]
        self.item_type = described["item_type"]
        self.item_type_name = described["item_type_name"]
        self.unit = described["unit"]
        self.unit_name = described["unit_name"]
        self.data_type = described["data_type"]
        self.dtype = np.dtype(_lrx_dtype(self.data_type))
        self.axis = described["axis"]
        self.grid_shape = tuple(reversed(self.axis["sizes"]))
        self.shape = (steps,) + self.grid_shape
        self.dims = ("time",) + _DIMS.get(len(self.grid_shape), ())
        self.coords = grid_coords(self.axis)

    def __repr__(self):
        return f"<lrx.Item {self.number} {self.name!r} [{self.unit_name}] {self.dtype} {self.shape}>"


def _lrx_dtype(data_type):
    return {1: "float32", 2: "float64", 3: "int8", 4: "int32", 5: "uint32"}.get(data_type, "float32")


class DataFile:
    """An open data file; a context manager. Read item values with ``read``."""

    def __init__(self, path):
        self.path = os.fspath(path)
        self._reader = _lrx.Reader(self.path)
        header = self._reader.header()
        self._time_axis = header["time_axis"]
        self.title = header["title"]
        self.attrs = {
            "file_type": header["file_type_name"],
            "data_type": header["data_type"],
            "application": header["application"],
            "application_version": header["application_version"],
            "geo": header["geo"],
            "delete_values": header["delete_values"],
            "compressed": header["compressed"],
        }
        self.custom_blocks = dict(header["custom_blocks"])
        steps = self._time_axis["steps"]
        self.items = [Item(n, self._reader.item(n), steps) for n in range(1, header["items"] + 1)]
        self._times = None
        self._statics = None

    @property
    def n_steps(self):
        return self._time_axis["steps"]

    @property
    def calendar(self):
        return self._time_axis["type"] in (timeaxis.EQ_CALENDAR, timeaxis.NEQ_CALENDAR)

    @property
    def times(self):
        """Times of the steps: datetime64[ms] on calendar axes, seconds (float64) otherwise."""
        if self._times is None:
            self._times = timeaxis.step_times(self._time_axis, self._reader)
        return self._times

    @property
    def statics(self):
        """Static items: name -> array shaped by the item's grid, float delete values as NaN."""
        if self._statics is None:
            self._statics = {s["name"]: self._masked(s["values"]) for s in self.static_items()}
        return self._statics

    def _masked(self, values):
        if values.dtype.kind != "f":
            return values
        return np.where(values == values.dtype.type(self.attrs["delete_values"][values.dtype.name]), np.nan, values)

    def static_items(self):
        """Static items with their definitions: dicts of name, units, axis and the values as
        stored (delete values kept)."""
        return [s for s in self._reader.statics() if not (self.attrs["compressed"] and s["name"] in _KEY_ITEMS)]

    def item(self, key):
        """The item of a name or a number (from 1)."""
        if isinstance(key, Item):
            return key
        if isinstance(key, (int, np.integer)):
            if not 1 <= key <= len(self.items):
                raise KeyError(f"no item {key} in {self.path}")
            return self.items[key - 1]
        for item in self.items:
            if item.name == key:
                return item
        raise KeyError(f"no item {key!r} in {self.path}")

    def read(self, item, steps=None, masked=True, out=None):
        """Values of an item (name, number or Item) as a numpy array in C order.

        steps: None for all, an int (the step axis is dropped), a slice, or a sequence of
        step numbers; negative numbers count from the end. Float delete values become NaN
        unless masked is False. Steps are reached through the library's positioning. out: an
        array to read into instead of a new one, C-contiguous, of the result's shape (with
        the step axis) and the item's dtype."""
        item = self.item(item)
        wanted = self._step_numbers(steps)
        if out is not None:
            expected = (wanted.size,) + item.grid_shape
            if not isinstance(out, np.ndarray) or out.shape != expected or out.dtype != item.dtype:
                raise ValueError(f"out must be a {item.dtype} array of shape {expected}")
        values = self._reader.read(item.number, wanted, bool(masked), out)
        return values[0] if isinstance(steps, (int, np.integer)) else values

    def _step_numbers(self, steps):
        n = self.n_steps
        if steps is None:
            return np.arange(n, dtype=np.int64)
        if isinstance(steps, slice):
            return np.arange(*steps.indices(n), dtype=np.int64)
        wanted = np.atleast_1d(np.asarray(steps, dtype=np.int64))
        wanted = np.where(wanted < 0, wanted + n, wanted)
        if wanted.size and (wanted.min() < 0 or wanted.max() >= n):
            raise IndexError(f"time step {steps} out of range for {n} steps")
        return wanted

    def close(self):
        self._reader.close()

    @property
    def closed(self):
        return self._reader.closed

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def __repr__(self):
        state = "closed" if self.closed else f"{len(self.items)} items, {self.n_steps} steps"
        return f"<lrx.DataFile {self.path!r} {state}>"


def open(path):  # noqa: A001 - the package's entry point reads as lrx.open
    """Opens a data file for reading; returns a DataFile (a context manager)."""
    return DataFile(path)
