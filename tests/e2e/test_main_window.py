"""The real program in a real X server: its window, its keys, its exit."""

import time
import unittest

from xvfb_session import XvfbSession, program_path


class MainWindowTest(unittest.TestCase):
    def run_program(self, session):
        program = session.start([program_path()])
        self.addCleanup(lambda: program.poll() is None and program.kill())
        window = session.find_window("Sorvane", pid=program.pid)
        return program, window

    def test_window_is_centred_with_its_outer_size(self):
        for screen, place in (((1920, 1080), (698, 87)), ((1366, 768), (421, -68))):
            with self.subTest(screen=screen), XvfbSession(*screen) as session:
                program, window = self.run_program(session)
                self.assertEqual(session.geometry(window), (*place, 523, 905))
                session.key(window, "Escape")
                self.assertEqual(program.wait(10), 0)

    def test_outer_size_includes_the_window_managers_frame(self):
        with XvfbSession(1366, 768, window_manager=True) as session:
            program, window = self.run_program(session)
            time.sleep(0.5)  # the frame is fitted once the manager reports it
            left, right, top, bottom = session.frame_extents(window)
            self.assertGreater(top, 0, "openbox draws a title bar")
            x, y, w, h = session.geometry(window)
            self.assertEqual((x - left, y - top, w + left + right, h + top + bottom),
                             (421, -68, 523, 905))
            self.assertGreaterEqual(h, 878, "the display area fits the client area")
            session.key(window, "Escape")
            self.assertEqual(program.wait(10), 0)

    def test_tab_cycles_and_escape_ends_with_status_zero(self):
        with XvfbSession() as session:
            program, window = self.run_program(session)
            session.key(window, "Tab", "Tab", "shift+Tab", "Return")
            self.assertIsNone(program.poll(), "Tab, Shift+Tab and Enter must not end the program")
            session.key(window, "Escape")
            self.assertEqual(program.wait(10), 0)
            self.assertTrue(session.wait_window_gone(window))


if __name__ == "__main__":
    unittest.main()
