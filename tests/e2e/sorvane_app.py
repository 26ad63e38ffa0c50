"""The running program as the end-to-end tests see it: where its controls
are on the screen, how to press them, and how to answer its dialogs."""

import os
import subprocess
import time

from xvfb_session import X11Error, crop, program_path

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
PICTURES = os.path.join(ROOT, "app", "pictures")

# Client-area rectangles of the controls (left, top, width, height).
DISPLAY_AREA = (1, 0, 460, 878)
UPLOAD_BUTTON = (467, 13, 40, 64)
SAVE_BUTTON = (467, 77, 40, 56)
TOGGLE_BUTTON = (467, 133, 40, 88)
PANEL = (36, 169, 372, 435)


def system_python(code, *args):
    """Runs a snippet in Debian's python3, which has PIL."""
    return subprocess.run(["/usr/bin/python3", "-c", code, *args], check=True,
                          capture_output=True, timeout=120).stdout


def decode_rgb(path):
    """(width, height, rgb bytes, alpha bytes or None) of a picture, as PIL decodes it."""
    out = system_python(
        "import sys,PIL.Image as I\n"
        "im=I.open(sys.argv[1]); a=im.getchannel('A').tobytes() if 'A' in im.getbands() else b''\n"
        "rgb=im.convert('RGB').tobytes()\n"
        "sys.stdout.buffer.write(b'%d %d %d\\n'%(im.width,im.height,len(a))+rgb+a)", path)
    header, rest = out.split(b"\n", 1)
    w, h, alpha_len = map(int, header.split())
    return w, h, rest[:w * h * 3], (rest[w * h * 3:] if alpha_len else None)


class RunningSorvane:
    def __init__(self, session):
        self.session = session
        self.process = session.start([program_path()])
        self.window = session.find_window("Sorvane", pid=self.process.pid)
        left, top, _w, _h = session.geometry(self.window)
        self.origin = (left, top)
        time.sleep(0.3)

    def close(self):
        if self.process.poll() is None:
            self.session.key(self.window, "Escape")
            try:
                return self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
        return self.process.poll()

    def press(self, rect):
        x, y, w, h = rect
        self.session.click(self.origin[0] + x + w // 2, self.origin[1] + y + h // 2)

    def dialog(self, timeout=20):
        """The file dialog (or prompt) that the program has just opened."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            out = self.session.xdotool("search", "--onlyvisible", "--pid", self.process.pid,
                                       "--name", ".", check=False)
            others = [int(w) for w in out.split() if int(w) != self.window]
            if others:
                time.sleep(0.5)  # let it take the keyboard focus
                return others[-1]
            time.sleep(0.1)
        raise X11Error("no dialog appeared")

    def wait_dialogs_closed(self, timeout=20):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            out = self.session.xdotool("search", "--onlyvisible", "--pid", self.process.pid,
                                       "--name", ".", check=False)
            if [w for w in out.split() if int(w) != self.window] == []:
                time.sleep(0.5)
                return
            time.sleep(0.1)
        raise X11Error("the dialog stayed open")

    def key_to_dialog(self, *keys):
        """Sends keys to the newest dialog, giving it the keyboard focus first."""
        dialog = self.dialog()
        self.session.xdotool("windowfocus", "--sync", dialog, check=False)
        self.session.xdotool("key", *keys)
        return dialog

    def choose_file(self, path):
        """Types a full path into the open or save dialog and confirms it."""
        self.key_to_dialog("ctrl+a")
        self.session.type_text(path)
        self.session.xdotool("key", "Return")

    def display_pixels(self):
        """The display area's pixels as the screen shows them."""
        left, top, w, h = DISPLAY_AREA
        return crop(self.session.screenshot(), self.origin[0] + left, self.origin[1] + top, w, h)
