"""Writing data files: lrx.create gives a Writer that takes the values of one time step per
call; items lie on regular grids (equidistant axes of 0 to 3 dimensions)."""

import os

import numpy as np

from . import _lrx, timeaxis

UNDEFINED_ITEM_TYPE = 999
_DATA_TYPES = {"float32": 1, "float64": 2, "int8": 3, "int32": 4, "uint32": 5}
_SIMPLE_TYPES = {"float32": 1, "float64": 2, "int8": 3, "int32": 4, "uint32": 5, "int16": 6, "uint16": 7}


def unit_value(unit):
    """A unit as the writer stores it: the unit library's key, or a text it does not know."""
    if unit is None or unit == "":
        return 0
    if isinstance(unit, (int, np.integer)):
        return int(unit)
    key = _lrx.unit_key(str(unit))
    return key if key is not None else str(unit)


def _axis(layout, shape):
    sizes = list(reversed(shape))
    origin = layout.get("origin", (0.0,) * len(sizes))
    spacing = layout.get("spacing", (1.0,) * len(sizes))
    if len(origin) != len(sizes) or len(spacing) != len(sizes):
        raise ValueError(f"origin and spacing of {layout['name']!r} need {len(sizes)} values (x first)")
    unit = unit_value(layout.get("axis_unit", "m" if sizes else 0))
    return {"unit": unit if isinstance(unit, int) else 0, "sizes": sizes, "origin": list(origin), "spacing": list(spacing)}


def item_layout(layout):
    """The writer's description of an item given as a dict: name; optional unit (text or
    key), item_type (key, default 999), dtype (float32), shape (grid in C order, default a
    single value), origin and spacing (x first), axis_unit."""
    layout = dict(layout)
    dtype = np.dtype(layout.get("dtype", "float32")).name
    if dtype not in _DATA_TYPES:
        raise ValueError(f"item {layout['name']!r}: values of {dtype} cannot be stored (use {', '.join(_DATA_TYPES)})")
    shape = tuple(int(n) for n in layout.get("shape", ()))
    if len(shape) > 3:
        raise ValueError(f"item {layout['name']!r}: grids have at most 3 dimensions")
    return {
        "name": str(layout["name"]),
        "item_type": int(layout.get("item_type", UNDEFINED_ITEM_TYPE)),
        "unit": unit_value(layout.get("unit")),
        "data_type": _DATA_TYPES[dtype],
        "axis": _axis(layout, shape),
        "dtype": np.dtype(dtype),
        "shape": shape,
    }


def _prepared(values, item, deletes):
    """Values of one item as the library takes them: C order, the item's dtype, NaN replaced
    by the delete value."""
    values = np.asarray(values)
    if values.shape != item["shape"] and values.size == int(np.prod(item["shape"], dtype=np.int64)):
        values = values.reshape(item["shape"])
    if values.shape != item["shape"]:
        raise ValueError(f"item {item['name']!r}: values of shape {values.shape}, the grid is {item['shape']}")
    if item["dtype"].kind == "f":
        values = np.where(np.isnan(values), deletes[item["dtype"].name], values)
    return np.ascontiguousarray(values, dtype=item["dtype"])


def _statics(statics, items):
    """Static items from a dict name -> array (on the grid of the first item of that shape, or
    an axis of spacing 1) or from a list of item dicts with 'values'."""
    if isinstance(statics, dict):
        statics = [{"name": name, "values": values} for name, values in statics.items()]
    out = []
    for layout in statics or []:
        values = np.asarray(layout["values"])
        grid = next((i for i in items if i["shape"] == values.shape), None)
        base = {"shape": values.shape, "dtype": values.dtype if values.dtype.name in _DATA_TYPES else "float32"}
        if grid is not None:
            base.update(origin=grid["axis"]["origin"], spacing=grid["axis"]["spacing"])
        described = item_layout({**base, **layout})
        described["values"] = values
        out.append(described)
    return out


class Writer:
    """A data file being written: ``write`` one time step at a time, then ``close`` (also on
    leaving a ``with`` block)."""

    def __init__(self, path, items, times, title="", statics=None, geo=None, application="lrx python",
                 custom_blocks=None, delete_values=None, stats_type=1):
        self.path = os.fspath(path)
        self.items = [item_layout(i) for i in items]
        if not self.items:
            raise ValueError("a data file needs at least one item")
        self._axis, self._times = timeaxis.axis_for(times)
        equidistant = self._axis["type"] in (timeaxis.EQ_TIME, timeaxis.EQ_CALENDAR)
        self._deletes = {"float32": np.float32(-1e-35), "float64": -1e-255}
        self._deletes.update(delete_values or {})
        statics = _statics(statics, self.items)
        for s in statics:
            s["values"] = _prepared(s["values"], s, self._deletes)
        layout = {
            "file_type": 1 if equidistant else 4,
            "title": str(title),
            "application": str(application),
            "application_version": 1,
            "stats_type": stats_type,
            "time_axis": self._axis,
            "delete_values": self._deletes,
            "geo": _geo(geo),
            "custom_blocks": [(str(n), _SIMPLE_TYPES[np.asarray(v).dtype.name], np.ascontiguousarray(v))
                              for n, v in (custom_blocks or {}).items()],
            "items": self.items,
            "statics": statics,
        }
        self._writer = _lrx.Writer(self.path, layout)
        self.steps_written = 0

    def write(self, values, time=None):
        """Writes one time step: values is a dict by item name or a list in item order. time
        is the step's time; by default the one given to create for this step."""
        if isinstance(values, dict):
            missing = [i["name"] for i in self.items if i["name"] not in values]
            if missing:
                raise KeyError(f"no values for {missing}")
            values = [values[i["name"]] for i in self.items]
        if len(values) != len(self.items):
            raise ValueError(f"{len(values)} arrays for {len(self.items)} items")
        arrays = [_prepared(v, i, self._deletes) for v, i in zip(values, self.items)]
        self._writer.write_step(arrays, self._step_time(time))
        self.steps_written += 1

    def _step_time(self, time):
        if time is not None and self._axis["date"]:
            origin = np.datetime64(f"{self._axis['date']}T{self._axis['time']}", "ms")
            return float((np.datetime64(time, "ms") - origin) / np.timedelta64(1, "s"))
        if time is not None:
            return float(time)
        if self.steps_written < len(self._times):
            return float(self._times[self.steps_written])
        if self._axis["type"] in (timeaxis.EQ_TIME, timeaxis.EQ_CALENDAR):
            return self._axis["start"] + self.steps_written * self._axis["step"]
        raise ValueError(f"no time for step {self.steps_written}: give one to write()")

    def close(self):
        self._writer.close()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


def _geo(geo):
    if geo is None:
        return None
    if isinstance(geo, dict):
        return {k: geo[k] for k in ("projection", "longitude", "latitude", "orientation")}
    projection, longitude, latitude, orientation = geo
    return {"projection": projection, "longitude": longitude, "latitude": latitude, "orientation": orientation}


def create(path, items, times, title="", statics=None, geo=None, **options):
    """Creates a data file and returns its Writer.

    items: item dicts (see item_layout); times: the step times, datetime64 values for a
    calendar axis or seconds; equally spaced times give an equidistant axis. statics: name
    -> array, or item dicts with 'values'. geo: (projection, longitude, latitude,
    orientation) or a dict of those. options: application, custom_blocks (name -> array),
    delete_values (dtype name -> value), stats_type."""
    return Writer(path, items, times, title=title, statics=statics, geo=geo, **options)
