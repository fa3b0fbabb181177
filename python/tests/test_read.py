"""Reading with numpy: shapes and axis order, delete values, times, statics, positioning and
errors."""

import numpy as np
import pytest
from conftest import demo_level, write_steps

import lrx


def test_demo_values_lie_in_steps_rows_columns_with_land_as_nan(demo_file):
    with lrx.open(demo_file) as f:
        level = f.read("Water level")
        raw = f.read(1, masked=False)
        delete = f.attrs["delete_values"]["float32"]
    assert level.shape == (100, 10, 20) and level.dtype == np.float32 and level.flags.c_contiguous
    t, j, i = np.meshgrid(np.arange(100), np.arange(10), np.arange(20), indexing="ij")
    land = (i < 4) & (j < 3)
    np.testing.assert_array_equal(np.isnan(level), land)
    np.testing.assert_allclose(level[~land], demo_level(t, j, i)[~land], atol=1e-5)
    assert np.all(raw[land] == np.float32(delete)) and delete == pytest.approx(-1e-35)


def test_demo_description(demo_file):
    with lrx.open(demo_file) as f:
        level = f.item("Water level")
        assert (level.number, level.unit_name, level.item_type_name, level.shape) == (1, "m", "Water Level", (100, 10, 20))
        np.testing.assert_array_equal(level.coords["x"][1], np.arange(20) * 100.0)
        np.testing.assert_array_equal(level.coords["y"][1], np.arange(10) * 100.0)
        assert f.times.dtype == np.dtype("datetime64[ms]")
        np.testing.assert_array_equal(f.times[[0, 99]], np.array(["2026-01-01T00", "2026-01-05T03"], "datetime64[ms]"))
        bathymetry = f.statics["Bathymetry"]
        assert bathymetry.shape == (10, 20) and bathymetry[5, 7] == pytest.approx(2.0 + 0.5 * 7)
        assert f.attrs["geo"]["projection"] == "UTM-32"
        np.testing.assert_array_equal(f.custom_blocks["Display range"], [-2.0, 2.0, 0.25])


@pytest.mark.parametrize("steps, expected", [(-1, [9]), (slice(2, 9, 3), [2, 5, 8]), ([7, 1, 7], [7, 1, 7]),
                                             (slice(None, None, -4), [9, 5, 1])])
def test_steps_select_steps_in_the_order_asked(tmp_path, steps, expected):
    with lrx.open(write_steps(tmp_path / "s.gbx")) as f:
        values = f.read("level", steps=steps)
    got = values[:, 0, 0] if values.ndim == 3 else values[None, 0, 0]
    np.testing.assert_array_equal(got, expected)


def test_a_step_is_reached_without_reading_the_steps_before_it(tmp_path):
    path = write_steps(tmp_path / "s.gbx", marker_step=2)
    data = bytearray(path.read_bytes())
    at = data.find(np.full(12, 12345.0, np.float32).tobytes())
    data[at - 5] = 0x7F  # the record's type byte: reading step 2 must fail
    path.write_bytes(bytes(data))
    with lrx.open(path) as f:
        np.testing.assert_allclose(f.read("level", steps=9)[0], [9.0, 9.01, 9.02, 9.03], rtol=1e-6)
    with lrx.open(path) as f, pytest.raises(lrx.LrxError):
        f.read("level")


def test_non_calendar_and_irregular_calendar_times(tmp_path):
    seconds = np.array([0.0, 30.0, 100.0, 1000.5])
    with lrx.open(write_steps(tmp_path / "t.gbx", steps=4, times=seconds + 50)) as f:
        np.testing.assert_array_equal(f.times, seconds + 50)
    dates = np.array(["2020-02-28T23:00", "2020-02-29T01:30", "2020-03-01T00:00:01"], "datetime64[ms]")
    with lrx.open(write_steps(tmp_path / "c.gbx", steps=3, times=dates)) as f:
        np.testing.assert_array_equal(f.times, dates)
        assert f.read("level", steps=2)[0, 1] == pytest.approx(2.01)


def test_errors_carry_the_library_code(tmp_path, demo_file):
    with pytest.raises(lrx.LrxError) as missing:
        lrx.open(tmp_path / "missing.gbx")
    assert missing.value.code == missing.value.errno == 2003 and isinstance(missing.value, OSError)
    damaged = tmp_path / "damaged.gbx"
    damaged.write_bytes(demo_file.read_bytes()[:300])
    with pytest.raises(lrx.LrxError):
        lrx.open(damaged)
    with lrx.open(demo_file) as f:
        with pytest.raises(IndexError):
            f.read(1, steps=100)
        with pytest.raises(KeyError):
            f.read("Salinity")
    with pytest.raises(lrx.LrxError) as closed:
        f.read(1)
    assert closed.value.code == 1000
