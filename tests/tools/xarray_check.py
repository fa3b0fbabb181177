"""Reads a netCDF file that `lrx convert` exported from the demo with xarray, as an outside
reader would, and prints what the tool test compares: the first and last time, the number of
missing water levels and bathymetry values, and one water level."""
import sys

import numpy as np
import xarray as xr

data = xr.open_dataset(sys.argv[1])
times = data["time"].values
print(np.datetime_as_string(times[0], unit="s"), np.datetime_as_string(times[-1], unit="s"))
print(int(data["Water_level"].isnull().sum()), int(data["Bathymetry"].isnull().sum()))
print(repr(float(data["Water_level"].isel(time=5, y=3, x=7))))
