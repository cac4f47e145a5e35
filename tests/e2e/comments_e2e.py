"""The comment workflow on the real program: a copied file, Add New, a comment typed,
Save, a genre set and saved, Count, Advanced, a search that narrows the grid, Close, a
second new record, Exit. Afterwards the database holds exactly the records typed. Text is
set through AT-SPI's EditableText, as screen readers and automation tools set it.

usage: comments_e2e.py BUILD_DIR [SCREENSHOT_DIR]
Runs under Xvfb with a session bus; with SCREENSHOT_DIR it saves pictures of the windows.
"""
import os
import sqlite3
import subprocess
import sys
import tempfile
import time
import urllib.parse

import pyatspi

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import atspi_driver as d  # noqa: E402

SECOND_RECORD = {"Author": "Ursula K. Le Guin", "Title": "The Dispossessed", "Genre": "Utopia",
                 "File": "Le Guin - The Dispossessed.epub"}
TABLE = "CREATE TABLE Table1 (Author TEXT, Title TEXT, Genre TEXT, File TEXT, Comment TEXT)"


def copy_file_to_clipboard(path):
    uri = "file://" + urllib.parse.quote(path) + "\r\n"
    # xclip keeps serving the selection in the background until another owner takes it.
    subprocess.Popen(["xclip", "-selection", "clipboard", "-t", "text/uri-list"], stdin=subprocess.PIPE,
                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).communicate(uri.encode())


def click(acc):
    """A real mouse click: a button that opens a modal box would hold up an accessibility call."""
    x, y, width, height = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", str(x + width // 2), str(y + height // 2), "click", "1"], check=True)


def screenshot(folder, name):
    if folder:
        time.sleep(0.5)
        subprocess.run(["import", "-window", "root", os.path.join(folder, name)], check=True)


def field(root, name):
    return d.find(root, role="text", name=name, showing=True)


def table_rows(grid):
    return grid.queryTable().nRows


def main(build, shots):
    work = tempfile.mkdtemp()
    books = os.path.join(work, "books", "Isaac Asimov")
    os.makedirs(books)
    book = os.path.join(books, "Isaac Asimov - Foundation.pdf")
    open(book, "w").close()
    database = os.path.join(work, "db25.mdb")
    with sqlite3.connect(database) as db:
        db.execute(TABLE)
    env = d.program_environment()
    log = open(os.path.join(work, "program.log"), "w")
    # On a busy machine the new X server may take a moment to accept clients.
    for _ in range(5):
        program = subprocess.Popen([os.path.join(build, "shelvana")], cwd=work, env=env, stdout=log, stderr=log)
        try:
            program.wait(timeout=1)
            time.sleep(1)
        except subprocess.TimeoutExpired:
            break
    try:
        app = d.application(program.pid)
        main_window = d.window(app, "Shelvana")
        d.select_tab(app, "Utilities")
        copy_file_to_clipboard(book)
        d.wait_for("the analysed file", lambda: d.text_of(field(main_window, "File")) == os.path.basename(book))
        assert d.text_of(field(main_window, "Author")) == "Isaac Asimov"

        d.select_tab(app, "Comments")
        d.press(d.find(main_window, role="push button", name="Add New", showing=True))
        d.wait_for("the new record's file", lambda: d.text_of(field(main_window, "File")) == os.path.basename(book))
        assert d.text_of(field(main_window, "Title")) == "Foundation"
        d.set_text(field(main_window, "Comment"), "The first of the series, read twice.")
        d.press(d.find(main_window, role="push button", name="Save", showing=True))
        d.set_text(field(main_window, "Genre"), "Science fiction")
        d.press(d.find(main_window, role="push button", name="Save", showing=True))
        screenshot(shots, "comments-tab.png")

        click(d.find(main_window, role="push button", name="Count", showing=True))
        d.find(app, role="label", name="Record Count: 1", showing=True)
        d.press(d.find(app, role="push button", name="OK", showing=True))

        d.press(d.find(main_window, role="push button", name="Advanced", showing=True))
        comment_db = d.window(app, "Comment Database")
        grid = d.find(comment_db, role="table", name="Comments")
        d.wait_for("one record and the empty row", lambda: table_rows(grid) == 2)
        d.select_tab(comment_db, "Search")
        search = field(comment_db, "Author Search")
        d.set_text(search, "isaac")
        d.wait_for("the record found", lambda: table_rows(grid) == 2)
        d.set_text(search, "isaacs")
        d.wait_for("the grid narrowed", lambda: table_rows(grid) == 1)
        d.set_text(search, "isa")
        d.wait_for("the grid widened", lambda: table_rows(grid) == 2)
        screenshot(shots, "comment-database-search.png")

        # The comment box's menu opens the font window, which works on this window's box.
        d.select_tab(comment_db, "Info")
        box = field(comment_db, "Comment")
        x, y, width, height = box.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        subprocess.run(["xdotool", "mousemove", str(x + 40), str(y + 40), "click", "3"], check=True)
        screenshot(shots, "comment-box-menu.png")
        # The menu's access key: "&Font".
        subprocess.run(["xdotool", "key", "f"], check=True)
        font_window = d.window(app, "Font Menu")
        # A combo box is named by its text.
        d.find(font_window, role="combo box", name="Arial")
        d.find(font_window, role="combo box", name="10")
        screenshot(shots, "comment-database-font-menu.png")
        d.press(d.find(font_window, role="push button", name="Close", showing=True))
        d.no_window(app, "Font Menu")
        d.press(d.find(comment_db, role="push button", name="Close", showing=True))
        d.no_window(app, "Comment Database")

        # A new record filled in from outside is stored at Exit.
        d.press(d.find(main_window, role="push button", name="Add New", showing=True))
        d.wait_for("the new record", lambda: d.text_of(field(main_window, "Title")) == "Foundation")
        for name, value in SECOND_RECORD.items():
            d.set_text(field(main_window, name), value)
        d.press(d.find(main_window, role="push button", name="Exit", showing=True))
        d.process_ended(program)
    except Exception:
        print(open(os.path.join(work, "program.log")).read())
        raise
    finally:
        if program.poll() is None:
            program.kill()
    with sqlite3.connect(database) as db:
        rows = db.execute("SELECT Author, Title, Genre, File, Comment FROM Table1").fetchall()
    assert len(rows) == 2, rows
    author, title, genre, file, comment = rows[0]
    assert (author, title, genre, file) == ("Isaac Asimov", "Foundation", "Science fiction",
                                            "Isaac Asimov - Foundation.pdf"), rows
    assert "The first of the series, read twice." in comment, comment
    assert rows[1][:4] == tuple(SECOND_RECORD[name] for name in ("Author", "Title", "Genre", "File")), rows
    print("PASS: the database holds the two records as they were set")


if __name__ == "__main__":
    main(os.path.abspath(sys.argv[1]), sys.argv[2] if len(sys.argv) > 2 else None)
