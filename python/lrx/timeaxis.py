"""The time axis of a data file as numpy times, and the axis that a sequence of times needs."""

import numpy as np

from . import _lrx

SECOND = 1400  # the unit library's key of the second
EQ_TIME, NEQ_TIME, EQ_CALENDAR, NEQ_CALENDAR = 1, 2, 3, 4


def to_seconds(unit, values):
    """Values in a time unit as seconds; unchanged when the unit is no time unit."""
    factor = _lrx.convert_unit(unit, 1.0, SECOND)
    return np.asarray(values, dtype=np.float64) * (factor if factor is not None else 1.0)


def step_times(axis, reader):
    """The time of every step: datetime64[ms] on calendar axes, seconds as float64 otherwise.
    Equidistant axes are computed from start and step; the others read each step's head."""
    kind, steps = axis["type"], axis["steps"]
    if kind in (EQ_TIME, EQ_CALENDAR):
        relative = axis["start"] + np.arange(steps) * axis["step"]
    elif kind in (NEQ_TIME, NEQ_CALENDAR):
        relative = axis["start"] + reader.step_times()
    else:
        return np.arange(steps, dtype=np.float64)
    seconds = to_seconds(axis["unit"], relative)
    if kind in (EQ_TIME, NEQ_TIME):
        return seconds
    base = np.datetime64(f"{axis['date']}T{axis['time']}", "ms")
    return base + np.round(seconds * 1000.0).astype("timedelta64[ms]")


def axis_for(times):
    """The time axis for times (datetime64 values, or seconds) and the time of each step as
    the writer passes it, in seconds from the axis start (calendar) or as given."""
    times = np.atleast_1d(np.asarray(times))
    if times.size == 0:
        raise ValueError("a data file needs at least one time")
    calendar = np.issubdtype(times.dtype, np.datetime64)
    if calendar:
        base = times[0].astype("datetime64[s]")
        seconds = (times.astype("datetime64[ms]") - base.astype("datetime64[ms]")) / np.timedelta64(1, "s")
        text = str(base)
        axis = {"date": text[:10], "time": text[11:19]}
    else:
        seconds = times.astype(np.float64)
        axis = {"date": "", "time": ""}
    steps = np.diff(seconds)
    equidistant = seconds.size == 1 or (steps[0] > 0 and np.allclose(steps, steps[0], rtol=1e-9, atol=1e-6))
    if calendar:
        kind = EQ_CALENDAR if equidistant else NEQ_CALENDAR
    else:
        kind = EQ_TIME if equidistant else NEQ_TIME
    axis.update(type=kind, unit=SECOND, start=float(seconds[0]), step=float(steps[0]) if steps.size else 1.0)
    return axis, seconds
