"""Runs the real program in a virtual X server and drives it from outside.

Shared by every end-to-end test: start Xvfb with a 24-bit screen, start a
program in it, find its window with xdotool, send keys and clicks, type into
dialogs, and read the screen back as exact pixels.
"""

import os
import shutil
import subprocess
import tempfile
import time


class X11Error(RuntimeError):
    pass


def _free_display():
    for n in range(90, 400):
        if not os.path.exists(f"/tmp/.X11-unix/X{n}") and not os.path.exists(f"/tmp/.X{n}-lock"):
            return n
    raise X11Error("no free X display number")


class XvfbSession:
    """An Xvfb server for the length of a `with` block."""

    def __init__(self, width=1920, height=1080, depth=24, window_manager=False):
        self.size = (width, height)
        self.depth = depth
        self.window_manager = window_manager
        self.display = None
        self._server = None
        self._wm = None
        self.env = None

    def __enter__(self):
        n = _free_display()
        self.display = f":{n}"
        self._server = subprocess.Popen(
            ["Xvfb", self.display, "-screen", "0", f"{self.size[0]}x{self.size[1]}x{self.depth}",
             "-nolisten", "tcp", "-noreset"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.env = dict(os.environ, DISPLAY=self.display)
        self.env.pop("WAYLAND_DISPLAY", None)
        self.env["QT_QPA_PLATFORM"] = "xcb"
        deadline = time.monotonic() + 20
        while time.monotonic() < deadline:
            if subprocess.run(["xdpyinfo"], env=self.env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL).returncode == 0:
                if self.window_manager:
                    self._start_window_manager()
                return self
            if self._server.poll() is not None:
                break
            time.sleep(0.1)
        self.__exit__(None, None, None)
        raise X11Error("Xvfb did not start")

    def _start_window_manager(self):
        """openbox, which frames windows and reports the frame's extents."""
        self._wm = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 20
        while time.monotonic() < deadline:
            r = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env,
                               capture_output=True, text=True)
            if "window id" in r.stdout:
                return
            time.sleep(0.1)
        raise X11Error("openbox did not start")

    def frame_extents(self, window):
        """(left, right, top, bottom) of the frame the window manager drew."""
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline:
            out = subprocess.run(["xprop", "-id", str(window), "_NET_FRAME_EXTENTS"],
                                 env=self.env, capture_output=True, text=True).stdout
            if "=" in out:
                return tuple(int(v) for v in out.split("=")[1].split(","))
            time.sleep(0.1)
        return (0, 0, 0, 0)

    def __exit__(self, *exc):
        if self._wm and self._wm.poll() is None:
            self._wm.terminate()
            self._wm.wait(5)
        if self._server and self._server.poll() is None:
            self._server.terminate()
            try:
                self._server.wait(5)
            except subprocess.TimeoutExpired:
                self._server.kill()
        return False

    # --- programs and windows -------------------------------------------

    def start(self, argv, cwd=None):
        return subprocess.Popen(argv, env=self.env, cwd=cwd,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def xdotool(self, *args, check=True):
        result = subprocess.run(["xdotool", *map(str, args)], env=self.env,
                                capture_output=True, text=True, timeout=30)
        if check and result.returncode != 0:
            raise X11Error(f"xdotool {' '.join(map(str, args))}: {result.stderr.strip()}")
        return result.stdout.strip()

    def find_window(self, name, timeout=20, pid=None):
        """The id of the first visible window whose title is exactly `name`."""
        deadline = time.monotonic() + timeout
        pattern = "^" + name.replace("(", r"\(").replace(")", r"\)") + "$"
        while time.monotonic() < deadline:
            args = ["search", "--onlyvisible", "--name", pattern]
            if pid is not None:
                args = ["search", "--onlyvisible", "--pid", pid, "--name", pattern]
            out = self.xdotool(*args, check=False)
            if out:
                return int(out.split()[0])
            time.sleep(0.1)
        raise X11Error(f"no window named {name!r}")

    def wait_window_gone(self, window, timeout=10):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            r = subprocess.run(["xwininfo", "-id", str(window)], env=self.env,
                               capture_output=True, text=True)
            if r.returncode != 0 or "IsUnMapped" in r.stdout:
                return True
            time.sleep(0.1)
        return False

    def geometry(self, window):
        """(left, top, width, height) of a window's outer rectangle on the screen."""
        out = subprocess.run(["xwininfo", "-id", str(window)], env=self.env,
                             capture_output=True, text=True, check=True).stdout
        values = {}
        for line in out.splitlines():
            line = line.strip()
            for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"):
                if line.startswith(key + ":"):
                    values[key] = int(line.split(":")[1])
        return (values["Absolute upper-left X"], values["Absolute upper-left Y"],
                values["Width"], values["Height"])

    def key(self, window, *keys):
        self.xdotool("windowactivate", "--sync", window, check=False)
        self.xdotool("key", "--clearmodifiers", *keys)

    def type_text(self, text):
        self.xdotool("type", "--delay", "20", text)

    def click(self, x, y, button=1):
        """Clicks at screen point (x, y)."""
        self.xdotool("mousemove", "--sync", x, y)
        self.xdotool("click", button)

    # --- pixels -------------------------------------------------------------

    def screenshot(self):
        """The whole screen as (width, height, rgb bytes), read exactly."""
        data = subprocess.run(["import", "-display", self.display, "-window", "root", "-depth", "8", "ppm:-"],
                              env=self.env, capture_output=True, check=True, timeout=60).stdout
        return parse_ppm(data)

    def save_screenshot_png(self, path):
        subprocess.run(["import", "-display", self.display, "-window", "root", path],
                       env=self.env, check=True, timeout=60)


def parse_ppm(data):
    """(width, height, rgb bytes) of a binary PPM (P6, maxval 255)."""
    fields = []
    i = 0
    while len(fields) < 4:
        while data[i:i + 1].isspace():
            i += 1
        if data[i:i + 1] == b"#":
            while data[i:i + 1] not in (b"\n", b""):
                i += 1
            continue
        j = i
        while not data[j:j + 1].isspace():
            j += 1
        fields.append(data[i:j])
        i = j
    i += 1  # the single white-space byte before the raster
    if fields[0] != b"P6" or int(fields[3]) != 255:
        raise X11Error("unexpected screenshot format")
    w, h = int(fields[1]), int(fields[2])
    return w, h, data[i:i + w * h * 3]


def crop(image, left, top, width, height):
    """rgb bytes of a rectangle of a (width, height, rgb) image."""
    w, _h, rgb = image
    rows = [rgb[((top + y) * w + left) * 3:((top + y) * w + left + width) * 3]
            for y in range(height)]
    return b"".join(rows)


def program_path():
    path = os.environ.get("SORVANE_PROGRAM")
    if not path or not os.path.exists(path):
        raise X11Error("SORVANE_PROGRAM must name the built program")
    return path


def scratch_dir(prefix="sorvane-e2e-"):
    return tempfile.mkdtemp(prefix=prefix)


def remove_dir(path):
    shutil.rmtree(path, ignore_errors=True)
