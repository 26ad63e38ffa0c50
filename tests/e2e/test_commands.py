"""The three buttons of the real program, driven through its real dialogs:
upload a background, hide and show the panel, save the display area."""

import functools
import os
import subprocess
import unittest

from sorvane_app import (DISPLAY_AREA, PICTURES, SAVE_BUTTON, TOGGLE_BUTTON, UPLOAD_BUTTON,
                         RunningSorvane, decode_rgb)
from xvfb_session import XvfbSession, crop, remove_dir, scratch_dir

W, H = DISPLAY_AREA[2], DISPLAY_AREA[3]
PANEL_X, PANEL_Y, PANEL_W, PANEL_H = 35, 169, 372, 435  # in the display area


_decoded = {}


def decoded(name):
    if name not in _decoded:
        _decoded[name] = decode_rgb(os.path.join(PICTURES, name))
    return _decoded[name]


@functools.lru_cache(maxsize=None)
def expected_composite(background, fill, panel_shown):
    """The display area as it must look: background at the top-left over the
    fill colour, the overlay's opaque pixels over it, the panel on top."""
    bw, bh, brgb, _ = background
    ow, oh, orgb, oalpha = decoded("overlay.png")
    pw, ph, prgb, _ = decoded("panel.jpg")
    out = bytearray()
    for y in range(H):
        if y < bh:
            shown = min(bw, W)
            row = bytearray(brgb[y * bw * 3:(y * bw + shown) * 3] + fill * (W - shown))
        else:
            row = bytearray(fill * W)
        if y < oh:
            alpha = oalpha[y * ow:y * ow + W]
            for x in range(W):
                if alpha[x] == 255:
                    row[x * 3:x * 3 + 3] = orgb[(y * ow + x) * 3:(y * ow + x) * 3 + 3]
        if panel_shown and PANEL_Y <= y < PANEL_Y + ph:
            i = (y - PANEL_Y) * pw * 3
            row[PANEL_X * 3:(PANEL_X + pw) * 3] = prgb[i:i + pw * 3]
        out += row
    return bytes(out)


def bmp_pixels(data):
    """Top-down RGB bytes of a 24-bit bottom-up BMP."""
    width = int.from_bytes(data[18:22], "little")
    height = int.from_bytes(data[22:26], "little")
    stride = (width * 3 + 3) // 4 * 4
    rows = []
    for y in range(height):
        row = data[54 + (height - 1 - y) * stride:54 + (height - 1 - y) * stride + width * 3]
        rows.append(bytes(b for i in range(0, len(row), 3) for b in (row[i + 2], row[i + 1], row[i])))
    return b"".join(rows)


def first_difference(a, b):
    for i in range(0, min(len(a), len(b)), 3):
        if a[i:i + 3] != b[i:i + 3]:
            return f"first difference at x {i // 3 % W}, y {i // 3 // W}: {a[i:i+3].hex()} != {b[i:i+3].hex()}"
    return "lengths differ" if len(a) != len(b) else "equal"


class CommandsTest(unittest.TestCase):
    def setUp(self):
        self.session = XvfbSession(1920, 1080).__enter__()
        self.addCleanup(self.session.__exit__, None, None, None)
        self.dir = scratch_dir()
        self.addCleanup(remove_dir, self.dir)
        self.app = RunningSorvane(self.session)
        self.addCleanup(self.app.close)
        # Row 877 lies below the background and under a transparent overlay
        # row: the area's own fill colour.
        self.fill = self.app.display_pixels()[877 * W * 3:877 * W * 3 + 3]
        self.builtin = decode_rgb(os.path.join(PICTURES, "background.jpg"))

    def assertScreenShows(self, expected):
        shown = self.app.display_pixels()
        self.assertTrue(shown == expected, first_difference(shown, expected))

    def test_first_frame_holds_the_whole_composite(self):
        row = self.app.display_pixels()[877 * W * 3:878 * W * 3]
        self.assertEqual(row, self.fill * W)
        self.assertScreenShows(expected_composite(self.builtin, self.fill, True))

    def test_upload_replaces_the_background_under_the_overlay(self):
        picture = os.path.join(self.dir, "gradient.jpg")
        subprocess.run(["convert", "-size", "100x100", "gradient:#e02040-#2040e0", "-quality", "90",
                        picture], check=True)
        # Cancelling changes nothing.
        self.app.press(UPLOAD_BUTTON)
        self.app.key_to_dialog("Escape")
        self.app.wait_dialogs_closed()
        self.assertScreenShows(expected_composite(self.builtin, self.fill, True))

        self.app.press(UPLOAD_BUTTON)
        self.app.choose_file(picture)
        self.app.wait_dialogs_closed()
        self.assertScreenShows(expected_composite(decode_rgb(picture), self.fill, True))

        # A file that is no picture leaves the fill colour under the overlay.
        text = os.path.join(self.dir, "notes.jpg")
        with open(text, "w") as f:
            f.write("not a picture\n")
        self.app.press(UPLOAD_BUTTON)
        self.app.choose_file(text)
        self.app.wait_dialogs_closed()
        self.assertScreenShows(expected_composite((0, 0, b"", None), self.fill, True))

    def test_toggle_hides_and_shows_the_panel_with_its_caption(self):
        def button_pixels():
            x, y, w, h = TOGGLE_BUTTON
            return crop(self.session.screenshot(), self.app.origin[0] + x, self.app.origin[1] + y, w, h)

        start_caption = button_pixels()
        self.app.press(TOGGLE_BUTTON)
        self.session.xdotool("sleep", "0.5")
        self.assertScreenShows(expected_composite(self.builtin, self.fill, False))
        hidden_caption = button_pixels()
        self.app.press(TOGGLE_BUTTON)
        self.session.xdotool("sleep", "0.5")
        self.assertScreenShows(expected_composite(self.builtin, self.fill, True))
        shown_caption = button_pixels()
        self.app.press(TOGGLE_BUTTON)
        self.session.xdotool("sleep", "0.5")
        self.assertScreenShows(expected_composite(self.builtin, self.fill, False))
        # The three captions differ, and the third press shows the second's again.
        self.assertNotEqual(start_caption, hidden_caption)
        self.assertNotEqual(hidden_caption, shown_caption)
        self.assertEqual(button_pixels(), hidden_caption)

    def save_as(self, typed_name):
        self.app.press(SAVE_BUTTON)
        self.app.choose_file(os.path.join(self.dir, typed_name))

    def test_save_writes_the_composite_as_bmp_bytes(self):
        with_panel = expected_composite(self.builtin, self.fill, True)
        without_panel = expected_composite(self.builtin, self.fill, False)

        # Cancelling writes nothing.
        self.app.press(SAVE_BUTTON)
        self.app.key_to_dialog("Escape")
        self.app.wait_dialogs_closed()
        self.assertEqual(os.listdir(self.dir), [])

        # A name typed without extension gets the default one.
        self.save_as("card")
        self.app.wait_dialogs_closed()
        saved = os.path.join(self.dir, "card.jpg")
        with open(saved, "rb") as f:
            data = f.read()
        self.assertEqual(data[:2], b"BM")
        self.assertEqual(len(data), 1211694)
        pixels = bmp_pixels(data)
        self.assertTrue(pixels == with_panel, first_difference(pixels, with_panel))

        self.app.press(TOGGLE_BUTTON)
        self.save_as("hidden")
        self.app.wait_dialogs_closed()
        with open(os.path.join(self.dir, "hidden.jpg"), "rb") as f:
            pixels = bmp_pixels(f.read())
        self.assertTrue(pixels == without_panel, first_difference(pixels, without_panel))

        # Onto an existing file: "no" returns to the dialog, and cancelling
        # it leaves the file as it was.
        self.save_as("card.jpg")
        prompt = self.app.key_to_dialog("Escape")  # answers no
        self.session.xdotool("sleep", "0.5")
        self.app.key_to_dialog("Escape")  # cancels the dialog
        self.app.wait_dialogs_closed()
        with open(saved, "rb") as f:
            self.assertEqual(f.read(), data)
        self.assertTrue(prompt)

        # "Yes" replaces it with what is shown now (the panel hidden).
        self.save_as("card.jpg")
        self.app.key_to_dialog("alt+y")
        self.app.wait_dialogs_closed()
        with open(saved, "rb") as f:
            pixels = bmp_pixels(f.read())
        self.assertTrue(pixels == without_panel, first_difference(pixels, without_panel))
        self.assertEqual(sorted(os.listdir(self.dir)), ["card.jpg", "hidden.jpg"])


if __name__ == "__main__":
    unittest.main()
