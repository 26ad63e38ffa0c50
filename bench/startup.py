#!/usr/bin/python3
"""Start-up time: from process start to the first painted frame of the
window, for Sorvane and for a bare Qt window with three buttons, under Xvfb.

    bench/startup.py BUILD_DIR [RUNS]

The first frame is taken to be there when a pixel that the first paint
draws (the display area's lit icon band for Sorvane, the first button for
the bare window) no longer shows the root window's colour. The screen is
read with XGetImage through ctypes, about once a millisecond.
"""

import ctypes
import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from xvfb_session import XvfbSession  # noqa: E402

ORIGIN = (698, 87)  # the centred window on a 1920 x 1080 screen


class Screen:
    def __init__(self, display):
        self.x = ctypes.CDLL("libX11.so.6")
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x.XGetImage.restype = ctypes.c_void_p
        self.x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                     ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        self.dpy = self.x.XOpenDisplay(display.encode())
        self.root = self.x.XDefaultRootWindow(self.dpy)

    def pixel(self, x, y):
        image = self.x.XGetImage(self.dpy, self.root, x, y, 1, 1, 0xFFFFFFFF, 2)  # ZPixmap
        data = ctypes.cast(image + 16, ctypes.POINTER(ctypes.c_void_p)).contents.value
        value = ctypes.cast(data, ctypes.POINTER(ctypes.c_uint32)).contents.value & 0xFFFFFF
        return value  # the 1-pixel image is left to the process's end


def first_frame_seconds(session, screen, argv, point):
    x, y = ORIGIN[0] + point[0], ORIGIN[1] + point[1]
    before = screen.pixel(x, y)
    start = time.monotonic()
    process = subprocess.Popen(argv, env=session.env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        while screen.pixel(x, y) == before:
            if time.monotonic() - start > 30:
                raise RuntimeError(f"{argv[0]} showed nothing")
            time.sleep(0.0005)
        return time.monotonic() - start
    finally:
        process.terminate()
        process.wait(10)
        time.sleep(0.2)


def main():
    build = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 10
    sorvane = (os.path.join(build, "app", "sorvane"), (101, 700))
    bare = (os.path.join(build, "bench", "display", "sorvane_bare_window"), (487, 40))
    times = {"sorvane": [], "bare": []}
    with XvfbSession(1920, 1080) as session:
        screen = Screen(session.display)
        for _ in range(runs):
            for name, (program, point) in (("sorvane", sorvane), ("bare", bare)):
                times[name].append(first_frame_seconds(session, screen, [program], point))
    s = statistics.median(times["sorvane"]) * 1000
    b = statistics.median(times["bare"]) * 1000
    print(f"first painted frame, median of {runs}: sorvane {s:.1f} ms, bare Qt window {b:.1f} ms, "
          f"ratio {s / b:.2f}")


if __name__ == "__main__":
    main()
