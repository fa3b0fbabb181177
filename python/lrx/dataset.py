"""lrx.write: an xarray Dataset into a data file. Variables with a time dimension become
items, the others static items; grids are given by evenly spaced x, y, z coordinates."""

import numpy as np

from . import _lrx
from .writing import UNDEFINED_ITEM_TYPE, create, unit_value

_STORED = ("float32", "float64", "int8", "int32", "uint32")


def _stored_dtype(variable):
    """The dtype to store: the one the variable was read with (its encoding) when it was
    decoded to floats, else its own, else float32."""
    for dtype in (variable.encoding.get("dtype"), variable.dtype):
        if dtype is not None and np.dtype(dtype).name in _STORED:
            return np.dtype(dtype)
    return np.dtype("float64" if variable.dtype == np.float64 else "float32")


def _axis_of(ds, dims):
    """Origin, spacing (x first) and axis unit of the grid on dims ([z,] [y,] x)."""
    origin, spacing, unit = [], [], "m"
    for dim in reversed(dims):
        if dim not in ds.coords:
            origin.append(0.0)
            spacing.append(1.0)
            continue
        values = np.asarray(ds[dim].values, dtype=np.float64)
        steps = np.diff(values)
        if steps.size and not np.allclose(steps, steps[0], rtol=1e-5):
            raise ValueError(f"coordinate {dim!r} is not evenly spaced: only regular grids can be written")
        origin.append(float(values[0]) if values.size else 0.0)
        spacing.append(float(steps[0]) if steps.size else 1.0)
        unit = ds[dim].attrs.get("units", unit)
    return {"origin": origin, "spacing": spacing, "axis_unit": unit}


def _item_of(ds, name, variable, dims):
    attrs = variable.attrs
    unit = unit_value(attrs.get("units"))
    item_type = int(attrs.get("lrx_item_type", UNDEFINED_ITEM_TYPE))
    if isinstance(unit, int) and not _lrx.unit_suits(item_type, unit):
        item_type = UNDEFINED_ITEM_TYPE
    layout = {"name": str(name), "unit": unit, "item_type": item_type, "dtype": _stored_dtype(variable),
            "shape": variable.shape[len(variable.dims) - len(dims):]}
    layout.update(_axis_of(ds, dims))
    return layout


def _fill_values(variable):
    value = variable.encoding.get("_FillValue", variable.attrs.get("_FillValue"))
    return None if value is None else value


def _delete_values(ds, names):
    """Header delete values from the variables' fill values, where those of a dtype agree."""
    deletes = {}
    for dtype in _STORED:
        fills = {_fill_values(ds[n]) for n in names if _stored_dtype(ds[n]).name == dtype}
        fills.discard(None)
        if len(fills) == 1:
            deletes[dtype] = np.dtype(dtype).type(fills.pop())
    return deletes


_DEFAULT_DELETES = {"int8": 0, "int32": 2147483647, "uint32": 2147483647}


def _integer_ready(values, dtype, deletes):
    """Values decoded to floats with NaN for missing ones, back in an integer dtype with the
    file's delete value in place of NaN."""
    if dtype.kind in "iu" and values.dtype.kind == "f":
        values = np.where(np.isnan(values), deletes.get(dtype.name, _DEFAULT_DELETES[dtype.name]), values)
    return values


def write(path, dataset, title=None):
    """Writes an xarray Dataset into a data file. Variables on the time dimension (first) and
    a regular grid ([z,] [y,] x) become items, variables without time static items; units are
    taken from the 'units' attributes, fill values become the file's delete values."""
    ds = dataset
    if "time" not in ds.dims:
        raise ValueError("the dataset needs a time dimension")
    names = [n for n, v in ds.data_vars.items() if v.dims and v.dims[0] == "time"]
    deletes = _delete_values(ds, list(ds.data_vars))
    items = [_item_of(ds, n, ds[n].variable, ds[n].dims[1:]) for n in names]
    statics = []
    for name, variable in ds.data_vars.items():
        if "time" not in variable.dims:
            layout = _item_of(ds, name, variable.variable, variable.dims)
            layout["values"] = _integer_ready(variable.values, layout["dtype"], deletes)
            statics.append(layout)
    geo = None
    if "projection" in ds.attrs:
        geo = {k: ds.attrs.get(k, 0.0) for k in ("projection", "longitude", "latitude", "orientation")}
    writer = create(path, items, ds["time"].values, title=ds.attrs.get("title", "") if title is None else title,
                    statics=statics, geo=geo, application=ds.attrs.get("application", "lrx python"),
                    delete_values=deletes)
    with writer:
        for step in range(ds.sizes["time"]):
            at = ds.isel(time=step)
            writer.write([_integer_ready(at[n].values, i["dtype"], deletes) for n, i in zip(names, items)])
