"""A small EPUB that names its author and title, for the tests and the screenshots."""
import zipfile

PACKAGE = """<?xml version="1.0" encoding="UTF-8"?>
<package xmlns="http://www.idpf.org/2007/opf" version="3.0" unique-identifier="id">
 <metadata xmlns:dc="http://purl.org/dc/elements/1.1/">
  <dc:title>{title}</dc:title>
  <dc:creator>{author}</dc:creator>
 </metadata>
 <manifest/><spine/>
</package>
"""
CONTAINER = """<?xml version="1.0"?>
<container version="1.0" xmlns="urn:oasis:names:tc:opendocument:xmlns:container">
 <rootfiles><rootfile full-path="OEBPS/content.opf" media-type="application/oebps-package+xml"/></rootfiles>
</container>
"""


def write_epub(path, author="Frank Herbert", title="Dune Messiah"):
    """An EPUB 3 that names its author and title (plain words: no markup is escaped)."""
    package = PACKAGE.format(author=author, title=title)
    with zipfile.ZipFile(path, "w") as book:
        book.writestr("mimetype", "application/epub+zip", compress_type=zipfile.ZIP_STORED)
        book.writestr("META-INF/container.xml", CONTAINER, compress_type=zipfile.ZIP_DEFLATED)
        book.writestr("OEBPS/content.opf", package, compress_type=zipfile.ZIP_DEFLATED)
