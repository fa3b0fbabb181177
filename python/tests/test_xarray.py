"""The xarray backend and lrx.write: lazy reads, CF names, round trips, and a time mean over
several files on a local Dask cluster of two worker processes."""

import numpy as np
import pytest
import xarray as xr
from conftest import write_steps

import lrx
import lrx.xarray


def test_entry_point_and_class_open_the_same_dataset(demo_file):
    with xr.open_dataset(demo_file, engine="lrx") as by_name, \
            xr.open_dataset(demo_file, engine=lrx.xarray.LrxBackend) as by_class:
        assert by_name.identical(by_class)
        level = by_name["Water level"]
        assert level.dims == ("time", "y", "x") and level.attrs["units"] == "m"
        assert level.attrs["long_name"] == "Water level" and level.encoding["_FillValue"] == np.float32(-1e-35)
        assert by_name["x"].attrs["units"] == "m" and by_name["time"].dtype == np.dtype("datetime64[ns]")
        with lrx.open(demo_file) as f:
            np.testing.assert_array_equal(level.isel(time=-1).values, f.read(1, steps=-1))
            np.testing.assert_array_equal(by_name["Bathymetry"].values, f.statics["Bathymetry"])


def test_open_reads_no_step_and_isel_reads_only_its_own(tmp_path):
    path = write_steps(tmp_path / "s.gbx", marker_step=2)
    data = bytearray(path.read_bytes())
    data[data.find(np.full(12, 12345.0, np.float32).tobytes()) - 5] = 0x7F
    path.write_bytes(bytes(data))
    with xr.open_dataset(path, engine="lrx") as ds:
        assert ds["level"].isel(time=-1).values[0, 1] == pytest.approx(9.01)
        assert ds["level"].isel(time=1, x=[3, 0]).values.tolist()[0] == pytest.approx([1.03, 1.0])
        with pytest.raises(lrx.LrxError):
            ds["level"].isel(time=2).values


def test_written_dataset_opens_equal(tmp_path):
    times = np.array(["2021-06-01T00:00", "2021-06-01T00:10", "2021-06-01T01:00"], "datetime64[ns]")
    z, y, x = np.arange(2) * 5.0, 100 + np.arange(3) * 20.0, -50 + np.arange(4) * 20.0
    temperature = np.random.default_rng(1).normal(12, 2, (3, 2, 3, 4)).astype(np.float32)
    temperature[1, 0, 2, 3] = np.nan
    counts = np.array([[1, 2, 3, 4]] * 3, dtype=np.float64)
    counts[2, 1] = np.nan
    ds = xr.Dataset(
        {"temperature": (("time", "z", "y", "x"), temperature, {"units": "deg C"}),
         "counts": (("time", "x"), counts, {"units": "odd units"}),
         "depth": (("y", "x"), np.full((3, 4), 7.5, np.float32), {"units": "m"})},
        coords={"time": times, "z": ("z", z, {"units": "m"}), "y": ("y", y, {"units": "m"}), "x": ("x", x, {"units": "m"})},
        attrs={"title": "round trip"})
    ds["counts"].encoding.update(dtype=np.dtype("int32"), _FillValue=-1)
    lrx.write(tmp_path / "rt.gbx", ds)
    with xr.open_dataset(tmp_path / "rt.gbx", engine="lrx") as back:
        xr.testing.assert_equal(back[["temperature", "counts", "depth"]], ds)
        assert back.attrs["title"] == "round trip"
        assert back["temperature"].attrs["units"] == "deg C" and back["counts"].attrs["units"] == "odd units"
        assert back["counts"].encoding["dtype"] == np.int32
        lrx.write(tmp_path / "again.gbx", back)
    with xr.open_dataset(tmp_path / "again.gbx", engine="lrx") as again, \
            xr.open_dataset(tmp_path / "rt.gbx", engine="lrx") as back:
        assert again.identical(back)


def test_time_mean_over_files_on_a_local_cluster(tmp_path):
    distributed = pytest.importorskip("dask.distributed")
    paths = []
    for n in range(3):
        times = np.datetime64("2022-01-01") + np.arange(n * 8, n * 8 + 8) * np.timedelta64(1, "h")
        paths.append(write_steps(tmp_path / f"part{n}.gbx", steps=8, times=times))
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  dashboard_address=None) as cluster, distributed.Client(cluster):
        with xr.open_mfdataset(paths, engine="lrx", parallel=True, chunks={"time": 3}) as ds:
            assert ds.sizes["time"] == 24 and ds["level"].chunks[0] == (3, 3, 2) * 3
            mean = ds["level"].mean("time").compute()
    expected = np.concatenate([lrx.open(p).read("level") for p in paths]).mean(axis=0)
    np.testing.assert_allclose(mean.values, expected, rtol=1e-6)
