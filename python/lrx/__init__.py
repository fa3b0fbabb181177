"""lrx: data files (.gbx) as numpy arrays and xarray Datasets.

    import lrx
    with lrx.open("harbour.gbx") as f:
        level = f.read("Water level", steps=slice(-10, None))

    import xarray as xr
    ds = xr.open_dataset("harbour.gbx", engine="lrx")   # or engine=lrx.xarray.LrxBackend
"""

from . import _lrx
from .datafile import DataFile, Item, open
from .errors import LrxError
from .writing import Writer, create

__all__ = ["DataFile", "Item", "LrxError", "Writer", "create", "open", "write", "unit_key", "unit_name"]

unit_key = _lrx.unit_key
unit_name = _lrx.unit_name


def write(path, dataset, title=None):
    """Writes an xarray Dataset into a data file (see lrx.dataset.write)."""
    from .dataset import write as write_dataset

    return write_dataset(path, dataset, title=title)


def __getattr__(name):
    # lrx.xarray is imported on first use, so that reading with numpy needs no xarray.
    if name == "xarray":
        import importlib

        return importlib.import_module(".xarray", __name__)
    raise AttributeError(name)
