"""Saves a PNG of each tab of the main window into a folder (docs/ for the README), once in
the default light palette (main-TAB.png) and once in the dark one (main-TAB-dark.png).

Run as: xvfb-run -a dbus-run-session -- /usr/bin/python3 screenshots.py BUILD_DIR OUTPUT_DIR
The program runs in a temporary folder with sample settings and a copied sample file, so
the pictures show a program in use.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time
import urllib.parse

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import atspi_driver as ui  # noqa: E402
from epub_sample import write_epub  # noqa: E402

TABS = ["Intro", "Utilities", "Comments", "Config"]
# File name suffix and SHELVANA_COLOR_SCHEME of each set of pictures.
SCHEMES = [("", None), ("-dark", "dark")]


def shoot_tabs(build, work, book, target_pattern, scheme):
    """Starts the program in work with the book copied, and saves each tab as target_pattern
    with {tab} filled in."""
    env = ui.program_environment()
    env.pop("SHELVANA_COLOR_SCHEME", None)
    if scheme:
        env["SHELVANA_COLOR_SCHEME"] = scheme
    process = subprocess.Popen([os.path.join(build, "shelvana")], cwd=work, env=env)
    try:
        app = ui.application(process.pid)
        ui.window(app, "Shelvana")
        subprocess.run(["xclip", "-selection", "clipboard", "-t", "text/uri-list", "-i"],
                       input=("file://" + urllib.parse.quote(book)).encode(), check=True)
        window_id = ui.wait_for("the main window's X id", lambda: subprocess.run(
            ["xdotool", "search", "--onlyvisible", "--pid", str(process.pid), "--name", "^Shelvana$"],
            capture_output=True, text=True).stdout.split())[0]
        for tab in TABS:
            ui.select_tab(app, tab)
            time.sleep(0.7)  # let the page paint
            target = target_pattern.format(tab=tab.lower())
            subprocess.run(["import", "-window", window_id, target], check=True)
            print(target)
    finally:
        process.kill()
        process.wait()


def main(build, output):
    os.makedirs(output, exist_ok=True)
    work = tempfile.mkdtemp(prefix="shelvana-shots-")
    try:
        books = os.path.join(work, "Books")
        lists = os.path.join(work, "Lists")
        os.makedirs(os.path.join(books, "Asimov"))
        os.makedirs(lists)
        book = os.path.join(books, "Asimov", "scan_0042.epub")
        write_epub(book, "Isaac Asimov", "Foundation")
        with open(os.path.join(work, "Path.txt"), "wb") as f:
            f.write(f"/home/ann/Books/\r\n/home/ann/Lists/\r\n 1 \r\n 0 \r\n 1 \r\nAnn's e-books\r\n 0 \r\n".encode())
        shutil.copy(os.path.join(build, "db25.mdb"), work)
        ui.start_registry()
        for suffix, scheme in SCHEMES:
            shoot_tabs(build, work, book, os.path.join(output, "main-{tab}" + suffix + ".png"), scheme)
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        raise SystemExit("usage: screenshots.py BUILD_DIR OUTPUT_DIR")
    main(os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2]))
