"""The real program as a native Wayland client: files copied with wl-copy are analysed once,
and the program stays alive (emptying the clipboard used to start an endless loop there).

Run as: xvfb-run -a dbus-run-session -- /usr/bin/python3 wayland_clipboard_e2e.py BUILD_DIR
Weston runs inside the virtual X server (its x11 back end has the seat that wl-copy needs;
the headless one has none); the program and wl-copy are its clients. The File Info fields
are read through AT-SPI, which works the same under Wayland. Without weston, wl-copy or
Qt's Wayland plugin the test is skipped with exit code 77.
"""
import os
import shutil
import sqlite3
import subprocess
import sys
import tempfile
import time
import unittest
import urllib.parse

SKIPPED = 77


def missing_tools():
    missing = [tool for tool in ("weston", "wl-copy", "wl-paste") if not shutil.which(tool)]
    plugins = "/usr/lib/x86_64-linux-gnu/qt6/plugins"
    if shutil.which("qtpaths6"):
        query = subprocess.run(["qtpaths6", "--query", "QT_INSTALL_PLUGINS"], capture_output=True, text=True)
        plugins = query.stdout.strip() or plugins
    if not os.path.exists(os.path.join(plugins, "platforms", "libqwayland-generic.so")):
        missing.append("Qt's Wayland plugin (qt6-wayland)")
    return missing


if __name__ == "__main__" and missing_tools():
    print("SKIP: the Wayland clipboard test needs " + ", ".join(missing_tools()), flush=True)
    sys.exit(SKIPPED)

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import atspi_driver as ui  # noqa: E402

BUILD = os.path.abspath(sys.argv.pop(1)) if len(sys.argv) > 1 else os.environ.get("SHELVANA_BUILD_DIR", "")
BOOK = "Isaac Asimov - Foundation.pdf"
FILE_TIP = "Filename - click COPY while in Explorer or File Find"
HINT = "Files copied elsewhere are picked up when Shelvana comes to the front."


class Weston:
    """A Wayland compositor in a window of the virtual X server, with its own runtime folder."""

    def __init__(self, folder):
        self.runtime = os.path.join(folder, "runtime")
        os.makedirs(self.runtime, mode=0o700)
        self.log = open(os.path.join(folder, "weston.log"), "w")
        self.process = subprocess.Popen(
            ["weston", "--backend=x11-backend.so", "--socket=wayland-shelvana", "--width=1100", "--height=800",
             "--idle-time=0"],
            env=dict(os.environ, XDG_RUNTIME_DIR=self.runtime), stdout=self.log, stderr=subprocess.STDOUT)
        socket = os.path.join(self.runtime, "wayland-shelvana")
        ui.wait_for("weston's socket", lambda: os.path.exists(socket) or self.process.poll() is not None)
        if self.process.poll() is not None:
            raise AssertionError(f"weston did not start, see {self.log.name}")

    def environment(self):
        env = ui.program_environment()
        env.update(QT_QPA_PLATFORM="wayland", WAYLAND_DISPLAY="wayland-shelvana", XDG_RUNTIME_DIR=self.runtime,
                   XDG_CONFIG_HOME=os.path.join(self.runtime, "config"))  # never the user's own choices
        return env

    def stop(self):
        self.process.terminate()
        try:
            self.process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        self.log.close()


class WaylandClipboard(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="shelvana-wayland-")
        folder = os.path.join(self.work, "Bücher", "Asimov")
        os.makedirs(folder)
        self.book = os.path.join(folder, BOOK)
        open(self.book, "w").close()
        database = os.path.join(self.work, "db25.mdb")
        shutil.copy(os.path.join(BUILD, "db25.mdb"), database)
        with sqlite3.connect(database) as db:
            db.execute("INSERT INTO Table1 (Author, Title, File) VALUES ('Isaac Asimov', 'Foundation', ?)", (BOOK,))
        self.weston = Weston(self.work)
        self.env = self.weston.environment()
        self.program_log = open(os.path.join(self.work, "program.log"), "w")
        self.process = None

    def tearDown(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.program_log.close()
        self.weston.stop()
        shutil.rmtree(self.work, ignore_errors=True)

    def start_program(self):
        self.process = subprocess.Popen([os.path.join(BUILD, "shelvana")], cwd=self.work, env=self.env,
                                        stdout=self.program_log, stderr=subprocess.STDOUT)
        self.app = ui.application(self.process.pid)
        self.main = ui.window(self.app, "Shelvana")

    def copy_book(self):
        # wl-copy takes the keyboard focus for a moment to set the clipboard; when it goes,
        # the compositor gives the focus back to the program, which then comes to the front.
        uri = "file://" + urllib.parse.quote(self.book) + "\r\n"
        subprocess.run(["wl-copy", "--type", "text/uri-list"], input=uri.encode(), env=self.env, check=True,
                       timeout=10)

    def come_to_the_front_again(self):
        # wl-paste, like wl-copy, takes the focus for a moment and gives it back.
        subprocess.run(["wl-paste", "--list-types"], capture_output=True, env=self.env, timeout=10)

    def field(self, tool_tip):
        return ui.find(self.main, role="text", description=tool_tip, showing=True)

    def assert_analysed_once_and_alive(self):
        ui.wait_for("the copied file in File Info", lambda: ui.text_of(self.field(FILE_TIP)) == BOOK, timeout=20)
        self.assertEqual(ui.text_of(self.field("Extrapolated Author")), "Isaac Asimov")
        indicator = ui.find(self.main, role="frame", name="Comment indicator")
        self.assertEqual(indicator.description, "This file has a comment")
        # The compositor may refuse to let the program empty the clipboard (the focus came
        # back without a key press or click): the same copy must still be analysed only once.
        title = self.field("Extrapolated Title")
        ui.set_text(title, "Edited by hand")
        self.come_to_the_front_again()
        time.sleep(1)  # the endless loop took less than this to run out of stack
        self.assertIsNone(self.process.poll(), "the program died")
        self.assertEqual(ui.text_of(title), "Edited by hand")

    def test_file_copied_while_the_program_runs(self):
        self.start_program()
        ui.find(self.main, role="label", name=HINT, showing=True)
        ui.select_tab(self.app, "Utilities")
        self.copy_book()
        self.assert_analysed_once_and_alive()

    def test_file_copied_before_the_start(self):
        self.copy_book()
        self.start_program()
        ui.select_tab(self.app, "Utilities")
        self.assert_analysed_once_and_alive()


def setUpModule():
    ui.start_registry()


if __name__ == "__main__":
    unittest.main(verbosity=2)
