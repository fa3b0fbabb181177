"""lrx.LrxError: a failed library call, with the library's error code and its meaning."""

MEANINGS = {
    1000: "wrong use: a required handle is missing or the call does not apply to this file",
    1001: "time step out of range",
    1002: "item out of range",
    2000: "out of memory",
    2001: "read failed or an expected block is missing",
    2002: "write failed",
    2003: "cannot open the file",
    2004: "cannot close the file",
    2005: "cannot commit the file to disk",
    2006: "seek failed",
    2007: "no such item",
    2008: "no such element",
    2009: "wrong value type",
    2010: "invalid data or argument",
    2011: "date not of the form yyyy-mm-dd",
    2012: "time not of the form hh:mm:ss",
    2013: "wrong number of values",
    2014: "not a record file",
    2015: "file is read-only",
    2016: "a block was expected",
    2017: "not a data file",
    2018: "not allowed for this file type",
    2019: "a record was expected",
    2020: "unit does not suit the item type",
}


class LrxError(OSError):
    """A library call failed. ``code`` is the library's error code, ``meaning`` what it says;
    as an OSError, ``errno`` is the code and ``strerror`` the meaning with its context."""

    def __init__(self, code, context=""):
        self.code = int(code)
        self.meaning = MEANINGS.get(self.code, "end of file" if self.code == 1 else "unknown error")
        text = f"{self.meaning} ({context})" if context else self.meaning
        super().__init__(self.code, text)

    def __reduce__(self):
        # Pickled with its code and text, so that errors travel back from Dask workers.
        return (_rebuild, (self.code, self.strerror))


def _rebuild(code, text):
    error = LrxError(code)
    error.strerror = text
    error.args = (code, text)
    return error
