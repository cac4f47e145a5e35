"""Closes a window the way a window manager's close box does: the X client message
WM_PROTOCOLS / WM_DELETE_WINDOW, sent through libX11 (no window manager runs under Xvfb)."""
import ctypes
import ctypes.util

_x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
_x11.XOpenDisplay.restype = ctypes.c_void_p
_x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
_x11.XInternAtom.restype = ctypes.c_ulong
_x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
_x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
_x11.XFlush.argtypes = [ctypes.c_void_p]
_x11.XCloseDisplay.argtypes = [ctypes.c_void_p]


class _ClientMessage(ctypes.Structure):
    _fields_ = [
        ("type", ctypes.c_int),
        ("serial", ctypes.c_ulong),
        ("send_event", ctypes.c_int),
        ("display", ctypes.c_void_p),
        ("window", ctypes.c_ulong),
        ("message_type", ctypes.c_ulong),
        ("format", ctypes.c_int),
        ("data", ctypes.c_long * 5),
    ]


class _Event(ctypes.Union):
    _fields_ = [("client", _ClientMessage), ("pad", ctypes.c_long * 24)]


CLIENT_MESSAGE = 33


def close_window(window_id):
    display = _x11.XOpenDisplay(None)
    if not display:
        raise RuntimeError("cannot open the X display")
    try:
        event = _Event()
        event.client.type = CLIENT_MESSAGE
        event.client.window = window_id
        event.client.message_type = _x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
        event.client.format = 32
        event.client.data[0] = _x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
        event.client.data[1] = 0  # CurrentTime
        if not _x11.XSendEvent(display, window_id, 0, 0, ctypes.byref(event)):
            raise RuntimeError("XSendEvent failed")
        _x11.XFlush(display)
    finally:
        _x11.XCloseDisplay(display)
