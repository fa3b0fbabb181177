"""The xarray backend: ``xr.open_dataset(path, engine="lrx")`` (registered as an entry point
when installed with pip) or ``engine=lrx.xarray.LrxBackend``. Variables are indexed lazily:
opening reads the header and the static items, and each indexing reads only the steps it
needs through the library's positioning. Datasets pickle by path, so Dask workers on other
machines reopen the files themselves."""

import os

import numpy as np
import xarray as xr
from xarray.backends import BackendArray, BackendEntrypoint, CachingFileManager
from xarray.core import indexing

from .datafile import DataFile, grid_coords

_FILL_KEYS = {"float32": "float32", "float64": "float64", "int8": "int8", "int32": "int32", "uint32": "uint32"}


class LrxBackendArray(BackendArray):
    """The values of one item, read on indexing."""

    def __init__(self, manager, item_number, shape, dtype):
        self.manager = manager
        self.item_number = item_number
        self.shape = shape
        self.dtype = dtype

    def __getitem__(self, key):
        return indexing.explicit_indexing_adapter(key, self.shape, indexing.IndexingSupport.OUTER, self._read)

    def _read(self, key):
        steps, rest = key[0], key[1:]
        if isinstance(steps, (int, np.integer)):
            steps = int(steps)
        elif isinstance(steps, np.ndarray):
            steps = steps.astype(np.int64)
        values = self.manager.acquire().read(self.item_number, steps, masked=False)
        # Outer indexing of the grid, one axis at a time; the step axis is gone for an int.
        axis = 0 if isinstance(steps, int) else 1
        for index in rest:
            values = values[(slice(None),) * axis + (index,)]
            axis += 0 if isinstance(index, (int, np.integer)) else 1
        return values


def _grid_names(items):
    """Dimension and coordinate names per item: the first grid of a file takes x, y, z; a
    further grid of other sizes or positions takes x_2, y_2, ... ."""
    grids, names = [], {}
    for item in items:
        key = (item.grid_shape, tuple((k, v[0], np.asarray(v[1]).tobytes()) for k, v in sorted(item.coords.items())))
        if key not in grids:
            grids.append(key)
        suffix = "" if grids.index(key) == 0 else f"_{grids.index(key) + 1}"
        names[item.number] = suffix
    return names


def _time_variable(f):
    if f.calendar and f.n_steps:
        origin = f.times[0].astype("datetime64[s]")
        seconds = (f.times - origin) / np.timedelta64(1, "s")
        units = f"seconds since {str(origin).replace('T', ' ')}"
        return xr.Variable(("time",), seconds, {"units": units, "calendar": "proleptic_gregorian",
                                                "standard_name": "time"})
    if f.calendar:
        return xr.Variable(("time",), np.zeros(0), {"units": "seconds since 1970-01-01 00:00:00"})
    return xr.Variable(("time",), f.times, {"units": "s", "long_name": "time"})


def _coord_attrs(name, unit_name):
    return {"units": unit_name, "axis": name[0].upper() if name[0] in "xyz" else "", "long_name": name}


def _dataset_attrs(f):
    attrs = {"title": f.title, "application": f.attrs["application"],
             "application_version": f.attrs["application_version"], "file_type": f.attrs["file_type"],
             "data_type": f.attrs["data_type"]}
    if f.attrs["geo"]:
        attrs.update(f.attrs["geo"])
    return attrs


def open_lrx_dataset(path, drop_variables=None, decode_kwargs=None):
    manager = CachingFileManager(DataFile, os.fspath(path))
    f = manager.acquire()
    drop = set([drop_variables] if isinstance(drop_variables, str) else drop_variables or ())
    suffixes = _grid_names(f.items)
    variables = {"time": _time_variable(f)}
    coord_names = {"time"}
    deletes = f.attrs["delete_values"]
    for item in f.items:
        if item.name in drop:
            continue
        suffix = suffixes[item.number]
        dims = ("time",) + tuple(d + suffix for d in item.dims[1:])
        for name, (coord_dims, values) in item.coords.items():
            coord_names.add(name + suffix)
            variables.setdefault(name + suffix, xr.Variable(tuple(d + suffix for d in coord_dims), values,
                                                            _coord_attrs(name, item.axis["unit_name"])))
        data = indexing.LazilyIndexedArray(LrxBackendArray(manager, item.number, item.shape, item.dtype))
        attrs = {"long_name": item.name, "units": item.unit_name, "item_type": item.item_type_name,
                 "lrx_item_type": item.item_type, "lrx_unit": item.unit,
                 "_FillValue": item.dtype.type(deletes[_FILL_KEYS[item.dtype.name]])}
        variables[item.name] = xr.Variable(dims, data, attrs)
    for static in f.static_items():
        if static["name"] in drop or static["name"] in variables:
            continue
        values = static["values"]
        dims = _static_dims(values.shape, f.items, suffixes)
        attrs = {"long_name": static["name"], "units": static["unit_name"], "lrx_item_type": static["item_type"]}
        if values.dtype.kind == "f":
            attrs["_FillValue"] = values.dtype.type(deletes[values.dtype.name])
        variables[static["name"]] = xr.Variable(dims, values, attrs)
    variables, attrs, decoded_coords = xr.conventions.decode_cf_variables(variables, _dataset_attrs(f),
                                                                        **(decode_kwargs or {}))
    ds = xr.Dataset(variables, attrs=attrs)
    ds = ds.set_coords([c for c in coord_names | set(decoded_coords) if c in ds.variables])
    ds.set_close(manager.close)
    return ds


def _static_dims(shape, items, suffixes):
    """Dimensions of a static item: those of the first item on a grid of its shape."""
    for item in items:
        if item.grid_shape == shape:
            return tuple(d + suffixes[item.number] for d in item.dims[1:])
    return tuple(f"static_{n}" for n in range(len(shape)))


class LrxBackend(BackendEntrypoint):
    """Opens data files (.gbx) as xarray Datasets with lazily indexed variables."""

    description = "Open lrx data files (.gbx) in xarray"
    open_dataset_parameters = ("filename_or_obj", "drop_variables", "mask_and_scale", "decode_times",
                               "decode_timedelta", "use_cftime", "concat_characters", "decode_coords")

    def open_dataset(self, filename_or_obj, *, drop_variables=None, mask_and_scale=True, decode_times=True,
                     decode_timedelta=None, use_cftime=None, concat_characters=True, decode_coords=True):
        decode = {"mask_and_scale": mask_and_scale, "decode_times": decode_times,
                  "decode_timedelta": decode_timedelta, "use_cftime": use_cftime,
                  "concat_characters": concat_characters, "decode_coords": decode_coords}
        return open_lrx_dataset(filename_or_obj, drop_variables, decode)

    def guess_can_open(self, filename_or_obj):
        try:
            return os.fspath(filename_or_obj).lower().endswith(".gbx")
        except TypeError:
            return False
