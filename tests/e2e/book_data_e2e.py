"""What a copied book says about itself, end to end: the real program under Xvfb, an EPUB
put on the X clipboard with xclip, the "In the book" line read and "Use Book's Data" pressed
through AT-SPI.

Run as: xvfb-run -a dbus-run-session -- /usr/bin/python3 book_data_e2e.py BUILD_DIR
"""
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import atspi_driver as ui  # noqa: E402
from epub_sample import write_epub  # noqa: E402
from main_window_e2e import ProgramCase, file_url  # noqa: E402


class BookData(ProgramCase):
    def book_line(self):
        return ui.find(self.main, role="label", description="Author and title that the book file itself names",
                       showing=True)

    def test_copied_book_fills_the_line_and_its_data_can_be_used(self):
        ui.select_tab(self.app, "Utilities")
        path = os.path.join(self.books, "scan_0042.epub")
        write_epub(path)
        self.copy_to_clipboard(file_url(path) + "\r\n", "text/uri-list")
        ui.wait_for("the file name", lambda: ui.text_of(self.file_field()) == "scan_0042.epub")
        ui.wait_for("the book's own data",
                    lambda: self.book_line().name == "In the book: Frank Herbert - Dune Messiah")
        self.assertNotEqual(ui.text_of(self.author_field()), "Frank Herbert")
        ui.press(self.button("Use Book's Data"))
        ui.wait_for("the book's author", lambda: ui.text_of(self.author_field()) == "Frank Herbert")
        self.assertEqual(ui.text_of(self.title_field()), "Dune Messiah")
        self.assertEqual(ui.text_of(self.file_field()), "scan_0042.epub")


def setUpModule():
    ui.start_registry()


if __name__ == "__main__":
    unittest.main(verbosity=2)
