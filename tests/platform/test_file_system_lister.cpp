#include "platform/file_system_lister.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

void touch(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

QStringList shownPaths(const QList<DirectoryPath> &directories)
{
    QStringList paths;
    for (const DirectoryPath &directory : directories)
        paths << directory.path;
    return paths;
}

// Makes entries with raw bytes for names, which QFile cannot spell.
bool makeRaw(const QByteArray &path, bool directory)
{
    if (directory)
        return ::mkdir(path.constData(), 0755) == 0;
    const int descriptor = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    return descriptor >= 0 && ::close(descriptor) == 0;
}

// Reads the first batch of entries, then fails as a disk error would.
ssize_t readFirstBatchThenFail(int descriptor, void *buffer, size_t size)
{
    if (::lseek(descriptor, 0, SEEK_CUR) == 0)
        return ::getdents64(descriptor, buffer, size);
    errno = EIO;
    return -1;
}

} // namespace

class TestFileSystemLister : public QObject
{
    Q_OBJECT

private slots:
    void listsVisibleEntriesInCaseBlindOrder()
    {
        QTemporaryDir dir;
        const QString root = dir.path();
        for (const char *name : {"b.txt", "B.txt", "a.PDF", ".hidden", "Zed.epub"})
            touch(root + "/" + name);
        QDir(root).mkpath("sub");
        QDir(root).mkpath("Alpha");
        QDir(root).mkpath(".git");
        QVERIFY(QFile::link(root + "/a.PDF", root + "/link.txt"));
        QVERIFY(QFile::link(root + "/Alpha", root + "/linkdir"));
        QVERIFY(QFile::link(root + "/nowhere", root + "/dangling"));

        const std::optional<DirectoryEntries> entries = FileSystemLister().readDirectory(DirectoryPath(root));
        QVERIFY(entries);
        QCOMPARE(entries->files, QStringList({"a.PDF", "B.txt", "b.txt", "link.txt", "Zed.epub"}));
        QCOMPARE(shownPaths(entries->subdirectories), QStringList({root + "/Alpha", root + "/linkdir", root + "/sub"}));
    }

    // The lists' order is Qt's case-blind comparison, exact order breaking ties; the
    // quicker comparison of ASCII names must agree with it on every pair.
    void compareNamesKeepsCaseBlindOrder_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::newRow("mixed case") << QStringList{"abc", "ABC", "Abc", "aBc", "abC", "abd", "ABD", "ab",
                                                   "AB",  "abcd", "ABCD", "",  "a",   "A",   "b",   "B"};
        QTest::newRow("digits and punctuation")
            << QStringList{"a1",  "a10", "a2",  "A2", "a_",  "A_", "a-", "a.", "a~",   "a[",  "a`",   "a{",
                           "a@",  "A@",  "Z",   "z",  "_",   "^",  "[",  "`",  "{",    "Book 9.epub", "book 10.epub",
                           "Book_1", "BookA", "booka", "book a", "Book!", "9", "10"};
        QTest::newRow("non-ASCII")
            << QStringList{u"\u00c9clair"_s, u"\u00e9clair"_s, "Eclair", "eclair", "Ezra", "ezra",
                           u"\u00df"_s, "ss", "SS", "s", u"\u1e9e"_s, u"\u01c4"_s, u"\u01c5"_s, u"\u01c6"_s,
                           u"D\u017d"_s, "K", "k", u"\u212a"_s, u"\u017f"_s, u"\u017fa"_s, "sa", u"\u0130"_s,
                           u"\u0131"_s, "i", "I", u"a\u00e9"_s, u"A\u00c9"_s, u"a\u00c9b"_s, u"\u00ff"_s,
                           u"\u0178"_s, u"\u03a3"_s, u"\u03c3"_s, u"\u03c2"_s, u"\ufffd"_s, u"a\u2028"_s};
        QTest::newRow("surrogate pairs")
            << QStringList{u"\U00010400"_s, u"\U00010428"_s, u"a\U00010400"_s, u"A\U00010428"_s,
                           u"\U0001d11e"_s, u"x\U0001d11ey"_s, u"X\U0001D11EY"_s, QString(QChar(0xd801)),
                           QString(QChar(0xdc00)), QChar(0xd801) + u"a"_s, u"\uffff"_s, u"\ue000"_s, "a", "A"};
        QStringList everyAscii;
        for (char16_t c = 0; c < 0x80; ++c) {
            everyAscii << QString(QChar(c)) << u"n"_s + QChar(c) + u"x"_s;
        }
        everyAscii << u"n\u00e9x"_s << u"n\u212ax"_s << u"N\u0131X"_s;
        QTest::newRow("every ASCII character") << everyAscii;
    }
    void compareNamesKeepsCaseBlindOrder()
    {
        QFETCH(QStringList, names);
        const auto sign = [](int value) { return (value > 0) - (value < 0); };
        for (const QString &a : names) {
            for (const QString &b : names) {
                const int blind = a.compare(b, Qt::CaseInsensitive);
                const int expected = blind != 0 ? blind : a.compare(b, Qt::CaseSensitive);
                QVERIFY2(sign(FileSystemLister::compareNames(a, b)) == sign(expected),
                         qPrintable(u"\"%1\" against \"%2\""_s.arg(a, b)));
            }
        }
    }

    // Entries are read in batches of some kilobytes: a large folder takes many.
    void listsAFolderLargerThanOneBatch()
    {
        QTemporaryDir dir;
        QStringList expected;
        for (int i = 0; i < 3000; ++i)
            expected << QStringLiteral("book number %1 with a name of some length.epub").arg(i, 4, 10, QLatin1Char('0'));
        for (const QString &name : std::as_const(expected))
            touch(dir.filePath(name));
        const std::optional<DirectoryEntries> entries = FileSystemLister().readDirectory(DirectoryPath(dir.path()));
        QVERIFY(entries);
        QCOMPARE(entries->files, expected);
    }

    void missingDirectoryGivesNothing()
    {
        QVERIFY(!FileSystemLister().readDirectory(DirectoryPath("/no/such/directory")));
    }

    void linkedDirectorySharesIdentity()
    {
        QTemporaryDir dir;
        QDir(dir.path()).mkpath("real");
        QVERIFY(QFile::link(dir.path() + "/real", dir.path() + "/again"));
        FileSystemLister lister;
        const auto identity = [&](const QString &name) {
            return lister.readDirectory(DirectoryPath(dir.filePath(name)))->identity;
        };
        QCOMPARE(identity("again"), identity("real"));
        QVERIFY(identity(".") != identity("real"));
    }

    // Names copied from other systems need not be UTF-8: they are shown with U+FFFD and
    // opened by their own bytes. Two names that show alike stay two folders.
    void namesThatAreNotUtf8_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("shown");
        const QString mark(QChar(0xFFFD));
        QTest::newRow("Latin-1") << QByteArray("Caf\xe9") << "Caf" + mark;
        QTest::newRow("encoded surrogate") << QByteArray("a\xed\xa0\x80z") << "a" + mark + mark + mark + "z";
        QTest::newRow("overlong") << QByteArray("a\xc0\xafz") << "a" + mark + mark + "z";
        QTest::newRow("byte-order mark") << QByteArray("\xef\xbb\xbfx") << QString(QChar(0xFEFF)) + "x";
    }
    void namesThatAreNotUtf8()
    {
        QFETCH(QByteArray, name);
        QFETCH(QString, shown);
        QTemporaryDir dir;
        const QByteArray root = QFile::encodeName(dir.path());
        QVERIFY(makeRaw(root + '/' + name, true));
        QVERIFY(makeRaw(root + '/' + name + '/' + name + ".txt", false));
        QVERIFY(makeRaw(root + '/' + name + ".txt", false));

        FileSystemLister lister;
        const std::optional<DirectoryEntries> top = lister.readDirectory(DirectoryPath(dir.path()));
        QVERIFY(top);
        QCOMPARE(top->files, QStringList{shown + ".txt"});
        QCOMPARE(top->subdirectories.size(), 1);
        const DirectoryPath sub = top->subdirectories.first();
        QCOMPARE(sub.path, dir.path() + "/" + shown);
        QCOMPARE(sub.native, root + '/' + name);
        const std::optional<DirectoryEntries> inside = lister.readDirectory(sub);
        QVERIFY(inside);
        QCOMPARE(inside->files, QStringList{shown + ".txt"});
    }

    void namesThatShowAlikeStayApart()
    {
        QTemporaryDir dir;
        const QByteArray root = QFile::encodeName(dir.path());
        QVERIFY(makeRaw(root + "/Caf\xe9", true));
        QVERIFY(makeRaw(root + "/Caf\xe8", true));
        const std::optional<DirectoryEntries> top = FileSystemLister().readDirectory(DirectoryPath(dir.path()));
        QVERIFY(top);
        QCOMPARE(top->subdirectories.size(), 2);
        QVERIFY(top->subdirectories[0].native != top->subdirectories[1].native);
    }

    // A deep tree of long names goes past the system's path limit.
    void pathsLongerThanThePathLimit()
    {
        QTemporaryDir dir;
        FileSystemLister lister;
        DirectoryPath current(dir.path());
        const QByteArray longName(200, 'd');
        int descriptor = ::open(current.native.constData(), O_RDONLY | O_DIRECTORY);
        while (current.native.size() < 5000) {
            QVERIFY(::mkdirat(descriptor, longName.constData(), 0755) == 0);
            const int next = ::openat(descriptor, longName.constData(), O_RDONLY | O_DIRECTORY);
            ::close(descriptor);
            descriptor = next;
            const std::optional<DirectoryEntries> entries = lister.readDirectory(current);
            QVERIFY2(entries, current.native.right(40).constData());
            QCOMPARE(entries->subdirectories.size(), 1);
            current = entries->subdirectories.first();
        }
        QVERIFY(::close(::openat(descriptor, "deep.txt", O_WRONLY | O_CREAT, 0644)) == 0);
        ::close(descriptor);
        const std::optional<DirectoryEntries> deepest = lister.readDirectory(current);
        QVERIFY(deepest);
        QCOMPARE(deepest->files, QStringList{"deep.txt"});
        QVERIFY(current.path.size() > 5000);
    }

    // A read that fails part way is no complete folder: the run skips it and says so.
    void readErrorIsNoEnd()
    {
        QTemporaryDir dir;
        for (const char *name : {"a.txt", "b.txt", "c.txt"})
            touch(dir.filePath(name));
        QVERIFY(!FileSystemLister(readFirstBatchThenFail).readDirectory(DirectoryPath(dir.path())));
        QVERIFY(FileSystemLister().readDirectory(DirectoryPath(dir.path())));
    }
};

QTEST_GUILESS_MAIN(TestFileSystemLister)
#include "test_file_system_lister.moc"
