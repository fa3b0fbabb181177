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


class _DimNames:
    """Names of the grid dimensions of a file: a dimension takes its plain name (x, y, z) when
    its size and coordinates are those of the first grid that used the name, else x_2, ..."""

    def __init__(self):
        self._seen = {}

    def name(self, dim, size, coords):
        values = coords.get(dim, (None, np.arange(size)))[1]
        known = self._seen.setdefault(dim, [])
        for k, other in enumerate(known):
            if other.shape == values.shape and np.array_equal(other, values):
                return dim if k == 0 else f"{dim}_{k + 1}"
        known.append(values)
        return dim if len(known) == 1 else f"{dim}_{len(known)}"

    def grid(self, dims, shape, coords):
        """Names of dims and the coordinate variables that go with them."""
        names = {d: self.name(d, n, coords) for d, n in zip(dims, shape)}
        variables = {}
        for coord, (coord_dims, values) in coords.items():
            if coord in names:
                variables[names[coord]] = (tuple(names[d] for d in coord_dims), values)
            elif all(d in names for d in coord_dims):
                variables[coord + names[coord_dims[0]][len(coord_dims[0]):]] = (
                    tuple(names[d] for d in coord_dims), values)
        return tuple(names[d] for d in dims), variables


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


def _open(path, mode="r"):
    # The file manager passes mode once it has been pickled to a worker; reading is all there is.
    return DataFile(path)


def open_lrx_dataset(path, drop_variables=None, decode_kwargs=None):
    manager = CachingFileManager(_open, os.fspath(path), mode="r")
    f = manager.acquire()
    drop = set([drop_variables] if isinstance(drop_variables, str) else drop_variables or ())
    names = _DimNames()
    variables = {"time": _time_variable(f)}
    coord_names = {"time"}
    deletes = f.attrs["delete_values"]

    def add_coords(coords, unit_name):
        for name, (dims, values) in coords.items():
            coord_names.add(name)
            variables.setdefault(name, xr.Variable(dims, values, _coord_attrs(name, unit_name)))

    for item in f.items:
        if item.name in drop:
            continue
        dims, coords = names.grid(item.dims[1:], item.grid_shape, item.coords)
        add_coords(coords, item.axis["unit_name"])
        data = indexing.LazilyIndexedArray(LrxBackendArray(manager, item.number, item.shape, item.dtype))
        attrs = {"long_name": item.name, "units": item.unit_name, "item_type": item.item_type_name,
                 "lrx_item_type": item.item_type, "lrx_unit": item.unit,
                 "_FillValue": item.dtype.type(deletes[item.dtype.name])}
        variables[item.name] = xr.Variable(("time",) + dims, data, attrs)
    for static in f.static_items():
        if static["name"] in drop or static["name"] in variables:
            continue
        values = static["values"]
        grid_dims = ("w", "z", "y", "x")[4 - values.ndim:]
        dims, coords = names.grid(grid_dims, values.shape, grid_coords(static["axis"]))
        add_coords(coords, static["axis"]["unit_name"])
        attrs = {"long_name": static["name"], "units": static["unit_name"], "item_type": static["item_type_name"],
                 "lrx_item_type": static["item_type"], "lrx_unit": static["unit"]}
        if values.dtype.name in deletes:
            attrs["_FillValue"] = values.dtype.type(deletes[values.dtype.name])
        variables[static["name"]] = xr.Variable(dims, values, attrs)
    variables, attrs, decoded_coords = xr.conventions.decode_cf_variables(variables, _dataset_attrs(f),
                                                                        **(decode_kwargs or {}))
    ds = xr.Dataset(variables, attrs=attrs)
    ds = ds.set_coords([c for c in coord_names | set(decoded_coords) if c in ds.variables])
    ds.set_close(manager.close)
    return ds


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
