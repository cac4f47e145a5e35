"""The real program in a temporary folder, driven through AT-SPI under Xvfb.

Run as: xvfb-run -a dbus-run-session -- /usr/bin/python3 main_window_e2e.py BUILD_DIR
A recording stand-in for xdg-open, first on PATH, catches what the program hands to the
desktop; xclip puts copied files on the real X clipboard.
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

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import atspi_driver as ui  # noqa: E402
from x11_window import close_window  # noqa: E402

BUILD = os.path.abspath(sys.argv.pop(1)) if len(sys.argv) > 1 else os.environ["SHELVANA_BUILD_DIR"]
BOOK = "Isaac Asimov - Foundation.pdf"
XDG_OPEN = """#!/bin/sh
printf '%s\\n' "$*" >> "{record}"
"""


def read_text(path):
    with open(path, newline="") as f:
        return f.read()


def file_url(path):
    return "file://" + urllib.parse.quote(path)


class ProgramCase(unittest.TestCase):
    """A fresh folder, settings and comment database for every test, and the program in it."""

    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="shelvana-e2e-")
        self.books = os.path.join(self.work, "books")
        self.lists = os.path.join(self.work, "my lists")
        os.makedirs(os.path.join(self.books, "Asimov"))
        os.makedirs(self.lists)
        open(os.path.join(self.books, "Asimov", BOOK), "w").close()
        open(os.path.join(self.books, "Herbert - Dune.txt"), "w").close()
        self.write_settings(tree=1, table=0, text=0, title="E2E Books")
        database = os.path.join(self.work, "db25.mdb")
        shutil.copy(os.path.join(BUILD, "db25.mdb"), database)
        with sqlite3.connect(database) as db:
            db.execute("INSERT INTO Table1 (Author, Title, File) VALUES ('Isaac Asimov', 'Foundation', ?)", (BOOK,))
        bin_dir = os.path.join(self.work, "bin")
        os.makedirs(bin_dir)
        self.record = os.path.join(self.work, "opened.txt")
        stand_in = os.path.join(bin_dir, "xdg-open")
        with open(stand_in, "w") as f:
            f.write(XDG_OPEN.format(record=self.record))
        os.chmod(stand_in, 0o755)
        self.env = ui.program_environment(extra_path=bin_dir)
        self.env["XDG_CONFIG_HOME"] = os.path.join(self.work, "config")  # never the user's own choices
        self.log = open(os.path.join(self.work, "program.log"), "w")
        self.start_program()

    def start_program(self, attempts=2):
        for attempt in range(attempts):
            self.process = subprocess.Popen([os.path.join(BUILD, "shelvana")], cwd=self.work, env=self.env,
                                            stdout=self.log, stderr=subprocess.STDOUT)
            try:
                self.app = ui.application(self.process.pid, timeout=10)
                self.main = ui.window(self.app, "Shelvana")
                return
            except ui.DriverError:
                self.process.kill()  # not seen by the accessibility registry: start again
                self.process.wait()
                if attempt + 1 == attempts:
                    raise

    def tearDown(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.log.close()
        subprocess.run(["xclip", "-selection", "clipboard", "-i", "/dev/null"], check=False)
        shutil.rmtree(self.work, ignore_errors=True)

    def write_settings(self, tree, table, text, title, sound=0):
        lines = [self.books + "/", self.lists + "/", f" {text} ", f" {table} ", f" {tree} ", title, f" {sound} "]
        with open(os.path.join(self.work, "Path.txt"), "wb") as f:
            f.write("".join(line + "\r\n" for line in lines).encode())

    # --- controls -------------------------------------------------------------
    def button(self, caption, window=None):
        return ui.find(window or self.main, role="push button", name=caption, showing=True)

    def field(self, tool_tip):
        return ui.find(self.main, role="text", description=tool_tip, showing=True)

    def file_field(self):
        return self.field("Filename - click COPY while in Explorer or File Find")

    def title_field(self):
        return self.field("Extrapolated Title")

    def author_field(self):
        return self.field("Extrapolated Author")

    # --- the desktop ------------------------------------------------------------
    def copy_to_clipboard(self, data, target):
        subprocess.run(["xclip", "-selection", "clipboard", "-t", target, "-i"], input=data.encode(), check=True,
                       env=self.env)

    def clipboard_targets(self):
        result = subprocess.run(["xclip", "-selection", "clipboard", "-o", "-t", "TARGETS"], capture_output=True,
                                env=self.env, timeout=5)
        return result.stdout.decode().split() if result.returncode == 0 else []

    def clipboard_text(self):
        result = subprocess.run(["xclip", "-selection", "clipboard", "-o"], capture_output=True, env=self.env,
                                timeout=5)
        return result.stdout.decode() if result.returncode == 0 else None

    def opened(self):
        if not os.path.exists(self.record):
            return []
        with open(self.record) as f:
            return f.read().splitlines()

    def wait_opened(self, count):
        return ui.wait_for(f"{count} addresses handed to xdg-open", lambda: len(self.opened()) >= count and self.opened())

    def wait_ended(self):
        code = ui.process_ended(self.process)
        self.assertEqual(code, 0, "the program ended with an error")


class CopiedFiles(ProgramCase):
    def test_copied_file_fills_file_info_and_empties_the_clipboard(self):
        ui.select_tab(self.app, "Utilities")
        path = os.path.join(self.books, "Asimov", BOOK)
        self.copy_to_clipboard(file_url(path) + "\r\n", "text/uri-list")
        ui.wait_for("the file name", lambda: ui.text_of(self.file_field()) == BOOK)
        self.assertEqual(ui.text_of(self.author_field()), "Isaac Asimov")
        self.assertEqual(ui.text_of(self.title_field()), "Foundation")
        indicator = ui.find(self.main, role="frame", name="Comment indicator")
        self.assertEqual(indicator.description, "This file has a comment")
        ui.wait_for("the clipboard to be emptied", lambda: "text/uri-list" not in self.clipboard_targets())

        ui.set_text(self.title_field(), "Edited")
        self.copy_to_clipboard(file_url(path) + "\r\n", "text/uri-list")  # the same file, copied anew
        ui.wait_for("the new copy analysed", lambda: ui.text_of(self.title_field()) == "Foundation")

    def test_gnome_format_and_copied_text(self):
        ui.select_tab(self.app, "Utilities")
        dune = os.path.join(self.books, "Herbert - Dune.txt")
        self.copy_to_clipboard("copy\n" + file_url(dune), "x-special/gnome-copied-files")
        ui.wait_for("the GNOME copy", lambda: ui.text_of(self.title_field()) == "Dune")
        self.assertEqual(ui.text_of(self.author_field()), "Herbert")
        indicator = ui.find(self.main, role="frame", name="Comment indicator")
        self.assertEqual(indicator.description, "Will turn Green if there is a comment")
        ui.wait_for("the clipboard to be emptied",
                    lambda: "x-special/gnome-copied-files" not in self.clipboard_targets())

        self.copy_to_clipboard("Somebody - Something.txt", "UTF8_STRING")
        time.sleep(0.6)  # several polls
        self.assertEqual(self.clipboard_text(), "Somebody - Something.txt")
        self.assertEqual(ui.text_of(self.title_field()), "Dune")

    def test_copied_files_left_on_the_clipboard_when_ticked(self):
        ui.select_tab(self.app, "Config")
        ui.press(ui.find(self.main, role="check box", name="Leave copied files on the clipboard", showing=True))
        kept = os.path.join(self.work, "config", "Shelvana", "Shelvana.conf")
        ui.wait_for("the choice to be kept", lambda: os.path.exists(kept) and "LeaveCopiedFiles=true" in read_text(kept))
        ui.select_tab(self.app, "Utilities")
        self.copy_to_clipboard(file_url(os.path.join(self.books, "Herbert - Dune.txt")), "text/uri-list")
        ui.wait_for("the copied file", lambda: ui.text_of(self.title_field()) == "Dune")
        time.sleep(0.6)
        self.assertIn("text/uri-list", self.clipboard_targets())


class Launchers(ProgramCase):
    def test_go_opens_the_exact_address(self):
        ui.select_tab(self.app, "Utilities")
        cases = [("The Hobbit", "J R R Tolkien", "The+Hobbit+J+R+R+Tolkien"),
                 ("", "Tolkien", "+Tolkien"),
                 ("C# & Co", "", "C%23+%26+Co+")]
        for count, (title, author, words) in enumerate(cases, start=1):
            ui.set_text(self.title_field(), title)
            ui.set_text(self.author_field(), author)
            ui.press(self.button("Go"))
            # Each address is awaited: the stand-ins run on their own and could finish out of order.
            self.assertEqual(self.wait_opened(count)[-1], "https://duckduckgo.com/?q=" + words)

    def test_go_without_title_or_author_warns(self):
        ui.select_tab(self.app, "Utilities")
        ui.press_modal(self.button("Go"))
        box = ui.window(self.app, "Warning:")
        ui.find(box, role="label", name="You must enter something under Title OR Author")
        ui.press(ui.find(box, role="push button", name="OK"))
        ui.no_window(self.app, "Warning:")
        self.assertEqual(self.opened(), [])

    def test_typed_text_that_names_no_link_opens_nothing(self):
        ui.select_tab(self.app, "Utilities")
        links = ui.find(self.main, role="combo box", description="Loads default browser and  goes to web page",
                        showing=True)
        ui.set_text(ui.find(links, role="text"), "My own search")
        ui.set_text(self.title_field(), "Dune")
        ui.press_modal(self.button("Go"))
        box = ui.window(self.app, "Shelvana", roles=ui.MESSAGE_ROLES)
        ui.wait_for("the message", lambda: any("names no link" in acc.name for acc in ui.find_all(box, role="label")))
        ui.press(ui.find(box, role="push button", name="OK"))
        time.sleep(0.3)
        self.assertEqual(self.opened(), [])

    def test_make_list_then_view_list(self):
        ui.select_tab(self.app, "Utilities")
        ui.press(self.button("Make List"))
        tree = os.path.join(self.lists, "EBookTree.html")
        ui.wait_for("the tree list", lambda: os.path.exists(tree))
        lists_window = ui.window(self.app, "Make Book List")
        ui.press(self.button("Make List"))  # only brings the open window to the front
        ui.press(ui.find(lists_window, role="push button", name="Done", showing=True))
        ui.no_window(self.app, "Make Book List")
        self.assertEqual(sorted(os.listdir(self.lists)), ["EBookTree.html"])

        ui.press(self.button("View List"))
        self.assertEqual(self.wait_opened(1), [file_url(tree)])
        ui.press(self.button("WinExplorer"))
        self.assertEqual(self.wait_opened(2)[-1], file_url(self.books + "/"))


class Intro(ProgramCase):
    def test_about_and_help(self):
        ui.press_modal(self.button("About"))
        about = ui.window(self.app, "About Shelvana")
        texts = " ".join(acc.name for acc in ui.find_all(about, role="label"))
        self.assertIn("Shelvana 2.5", texts)
        self.assertIn("Qt 6", texts)
        self.assertIn("Licence", texts)
        ui.press(ui.find(about, role="push button", name="OK"))
        ui.no_window(self.app, "About Shelvana")

        ui.press(self.button("Help"))
        help_window = ui.window(self.app, "Shelvana Help")  # the page itself, read-only text
        text = ui.wait_for("the help text", lambda: ui.text_of(help_window))
        for topic in ("Utilities", "Config", "Path.txt", "Links.txt"):
            self.assertIn(topic, text)


class Config(ProgramCase):
    def test_save_config_writes_path_txt(self):
        ui.select_tab(self.app, "Config")
        for caption in ("Text List", "HTML Tables List", "HTML/JS TreeView List"):
            ui.press(ui.find(self.main, role="check box", name=caption, showing=True))
        ui.set_text(self.field("What should appear at top of your Lists"), "My Shelf, \"all\"")
        ui.press(self.button("Save Config"))
        expected = f"{self.books}/\r\n{self.lists}/\r\n 1 \r\n 1 \r\n 0 \r\nMy Shelf, \"all\"\r\n 0 \r\n"
        path = os.path.join(self.work, "Path.txt")
        ui.wait_for("Path.txt to be saved", lambda: read_text(path) == expected)

    def test_directory_fields_show_the_settings(self):
        ui.select_tab(self.app, "Config")
        self.assertEqual(ui.text_of(self.field("Top E-Book Directory")), self.books + "/")
        self.assertEqual(ui.text_of(self.field("Directory to put E-Book lists in")), self.lists + "/")
        self.assertTrue(ui.is_checked(ui.find(self.main, role="check box", name="HTML/JS TreeView List")))


class Exit(ProgramCase):
    def test_exit_on_utilities(self):
        self.exit_from("Utilities")

    def test_exit_on_comments(self):
        self.exit_from("Comments")

    def test_exit_on_config(self):
        self.exit_from("Config")

    def exit_from(self, tab):
        ui.select_tab(self.app, tab)
        ui.press(self.button("Exit"))
        self.wait_ended()

    def test_exit_while_the_list_window_is_open(self):
        ui.select_tab(self.app, "Utilities")
        ui.press(self.button("Make List"))
        lists_window = ui.window(self.app, "Make Book List")
        done = ui.find(lists_window, role="push button", name="Done", showing=True)
        ui.press(self.button("Exit"))
        ui.no_window(self.app, "Shelvana")
        time.sleep(0.5)
        self.assertIsNone(self.process.poll(), "the program ended with the list window still open")
        ui.press(done)
        self.wait_ended()

    def test_close_box(self):
        window_id = ui.wait_for("the main window's X id", lambda: subprocess.run(
            ["xdotool", "search", "--onlyvisible", "--pid", str(self.process.pid), "--name", "^Shelvana$"],
            capture_output=True, text=True).stdout.split())
        close_window(int(window_id[0]))
        self.wait_ended()


def setUpModule():
    ui.start_registry()


if __name__ == "__main__":
    unittest.main(verbosity=2)
