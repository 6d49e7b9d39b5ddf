"""The VF620 driver library from Python, through ctypes.

Binds the library's functions by ordinal, as the programs built for it do,
and wraps the common jobs:

    import vf620
    with vf620.Display(port=1) as display:      # COM1: VFDKIT_COM1 or the port map
        display.clear()
        display.show("TOTAL", "12.50")

The library is libVF620.so.1 (VF620.dll on Windows), or the file named by
the environment variable VFDKIT_VF620.
"""

import ctypes
import os
import sys

__all__ = ["Display", "VF620Error", "load_library"]

# Ordinals of the functions used here: fixed, part of the library's interface.
_OPEN, _SEND, _CLOSE, _CLEAR, _SHOW, _DOWNLOAD = 1, 2, 3, 9, 14, 40
# DisplayStrAt's selectors for the upper and the lower line.
_UPPER_LINE, _LOWER_LINE = 3, 4
_WIDTH = 20


class VF620Error(RuntimeError):
    """A call the library answered with failure."""


def load_library(path=None):
    """The loaded library: path, else $VFDKIT_VF620, else the system's."""
    path = path or os.environ.get("VFDKIT_VF620") or (
        "VF620.dll" if sys.platform == "win32" else "libVF620.so.1")
    if sys.platform == "win32":
        return ctypes.WinDLL(path)
    return ctypes.CDLL(path)


class Display:
    """One display on one COM port, through the library's single port."""

    def __init__(self, port=1, baud=9600, parity=0, library=None, encoding="cp437"):
        self._lib = library if library is not None else load_library()
        self._encoding = encoding
        get_proc = self._lib.VF620_GetProcByOrdinal
        get_proc.restype = ctypes.c_void_p
        get_proc.argtypes = [ctypes.c_int32]
        proto = ctypes.WINFUNCTYPE if sys.platform == "win32" else ctypes.CFUNCTYPE

        def bind(ordinal, *argtypes):
            address = get_proc(ordinal)
            if not address:
                raise VF620Error("the library has no function at ordinal %d" % ordinal)
            return proto(ctypes.c_int32, *argtypes)(address)

        self._open = bind(_OPEN, ctypes.c_int32, ctypes.c_int32, ctypes.c_int32)
        self._send = bind(_SEND, ctypes.c_void_p, ctypes.c_uint32)
        self._close = bind(_CLOSE)
        self._clear = bind(_CLEAR)
        self._show = bind(_SHOW, ctypes.c_char_p, ctypes.c_uint32, ctypes.c_int32)
        self._download = bind(_DOWNLOAD, ctypes.c_char_p, ctypes.c_uint32)
        # The library's cause of a failure: an extension, found by name.
        self._cause = getattr(self._lib, "VF620_GetLastErrorText", None)
        if self._cause is not None:
            self._cause.restype = ctypes.c_char_p
            self._cause.argtypes = []
        if not self._open(port, parity, baud):
            raise self._error("cannot open COM%d" % port, "is it there and free?")

    def _error(self, what, otherwise=None):
        cause = self._cause() if self._cause is not None else None
        if cause:
            return VF620Error("%s: %s" % (what, cause.decode("utf-8", "replace")))
        return VF620Error("%s (%s)" % (what, otherwise) if otherwise else what)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def close(self):
        self._close()

    def _bytes(self, text):
        return text if isinstance(text, bytes) else text.encode(self._encoding, "replace")

    def send(self, data):
        """Sends display bytes as they are, paced as the library paces them."""
        data = self._bytes(data)
        if not self._send(data, len(data)):
            raise self._error("the bytes could not be sent")

    def clear(self):
        if not self._clear():
            raise self._error("ClearDisplay failed")

    def show(self, upper, lower=None):
        """Shows up to 20 characters on the upper line, and on the lower one."""
        for text, selector in ((upper, _UPPER_LINE), (lower, _LOWER_LINE)):
            if text is None:
                continue
            data = self._bytes(text)[:_WIDTH]
            if not self._show(data, len(data), selector):
                raise self._error("DisplayStrAt failed")

    def download(self, path, area=0):
        """Downloads a font file's character area (DownLoadFile)."""
        if not self._download(os.fsencode(path), area):
            raise self._error("the download of %s failed" % path)
