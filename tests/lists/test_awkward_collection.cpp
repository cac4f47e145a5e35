// A collection with every awkward thing a real one may hold, run through the real
// program (shelvana-listrun): names that are not UTF-8, a path longer than the system's
// path limit, "&" before letters, a relative top directory named "new", a list file
// that is a symbolic link, and a disk that fills while the lists are written. The test
// walks the tree itself and finds every directory and file in all three lists.
#include "lists/list_test_support.h"
#include "support/test_files.h"

#include <QDir>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Listing = QMap<QString, QStringList>; // shown directory path -> file names in order

QString Shown(const char *name)
{
    // Bytes that are not UTF-8 show as U+FFFD, also at the end of a name.
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(QByteArrayView(name));
}

bool MakeDirectoryAt(int at, const QByteArray &name)
{
    return ::mkdirat(at, name.constData(), 0755) == 0;
}

bool MakeFileAt(int at, const QByteArray &name)
{
    const int descriptor = ::openat(at, name.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    return descriptor >= 0 && ::close(descriptor) == 0;
}

// The test's own walk: every directory below, opened relative to its parent, with its
// files in the lists' order (case-blind, ties by exact order).
void Walk(int descriptor, const QString &path, Listing &listing)
{
    DIR *handle = ::fdopendir(descriptor);
    QStringList files;
    QList<QPair<QString, QByteArray>> subdirectories;
    while (const dirent *entry = ::readdir(handle)) {
        if (entry->d_name[0] == '.')
            continue;
        struct stat info {};
        ::fstatat(::dirfd(handle), entry->d_name, &info, 0);
        if (S_ISDIR(info.st_mode))
            subdirectories.append({Shown(entry->d_name), QByteArray(entry->d_name)});
        else if (S_ISREG(info.st_mode))
            files << Shown(entry->d_name);
    }
    std::sort(files.begin(), files.end(), [](const QString &a, const QString &b) {
        const int blind = a.compare(b, Qt::CaseInsensitive);
        return blind != 0 ? blind < 0 : a < b;
    });
    listing.insert(path, files);
    for (const auto &[name, native] : subdirectories)
        Walk(::openat(::dirfd(handle), native.constData(), O_RDONLY | O_DIRECTORY), path + "/" + name, listing);
    ::closedir(handle);
}

// Directories without files stand in neither of the sectioned lists.
Listing WithFiles(const Listing &listing)
{
    Listing kept;
    for (auto it = listing.cbegin(); it != listing.cend(); ++it) {
        if (!it.value().isEmpty())
            kept.insert(it.key(), it.value());
    }
    return kept;
}

QString HtmlDecoded(QString text)
{
    return text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&amp;", "&");
}

QString ScriptDecoded(const QString &text)
{
    QString decoded;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 >= text.size()) {
            decoded += text[i];
            continue;
        }
        const QChar kind = text[++i];
        const int digits = kind == 'x' ? 2 : kind == 'u' ? 4 : 0;
        if (digits > 0) {
            decoded += QChar(char16_t(text.mid(i + 1, digits).toUInt(nullptr, 16)));
            i += digits;
        } else {
            decoded += kind == 'n' ? QChar('\n') : kind == 'r' ? QChar('\r') : kind == 't' ? QChar('\t') : kind;
        }
    }
    return decoded;
}

// The text list: a heading line, the files, two two-space lines.
Listing FromTextList(const QStringList &lines)
{
    Listing listing;
    QString directory;
    for (const QString &line : lines.mid(3)) {
        if (line == "   ")
            break;
        if (line == "  ")
            directory.clear();
        else if (directory.isEmpty())
            listing.insert(directory = line, {});
        else
            listing[directory] << line;
    }
    return listing;
}

Listing FromTableList(const QStringList &lines)
{
    static const QRegularExpression heading("^<Table Border=4><TR><TD><B>(.*)</B></TD></TR>$");
    static const QRegularExpression row("^<TR><TD>(.*)</TD></TR>$");
    Listing listing;
    QString directory;
    for (const QString &line : lines) {
        if (const auto match = heading.match(line); match.hasMatch())
            listing.insert(directory = HtmlDecoded(match.captured(1)), {});
        else if (const auto file = row.match(line); file.hasMatch())
            listing[directory] << HtmlDecoded(file.captured(1));
    }
    return listing;
}

// The tree list's statements, each folder's path rebuilt through its parents.
Listing FromTreeList(const QStringList &lines, const QString &top)
{
    static const QRegularExpression root("^(\\w+) = Folder\\('(.*)',false\\);$");
    static const QRegularExpression folder("^(\\w+) = Add \\((\\w+), '(.*)'\\);$");
    static const QRegularExpression file("^Add\\((\\w+),'(.*)'\\);$");
    QHash<QString, QString> paths;
    Listing listing;
    for (const QString &line : lines) {
        if (const auto match = root.match(line); match.hasMatch()) {
            paths.insert(match.captured(1), top);
            listing.insert(top, {});
        } else if (const auto sub = folder.match(line); sub.hasMatch()) {
            const QString path = paths.value(sub.captured(2)) + "/" + ScriptDecoded(sub.captured(3));
            paths.insert(sub.captured(1), path);
            listing.insert(path, {});
        } else if (const auto entry = file.match(line); entry.hasMatch()) {
            listing[paths.value(entry.captured(1))] << ScriptDecoded(entry.captured(2));
        }
    }
    return listing;
}

struct Run
{
    int exitCode = -1;
    QString out;
};

// Runs a shell script in the directory with the list tool as "$0".
Run RunShell(const QString &script, const QString &directory)
{
    QProcess shell;
    shell.setWorkingDirectory(directory);
    shell.setProcessChannelMode(QProcess::MergedChannels);
    shell.start("sh", {"-c", script, qEnvironmentVariable("SHELVANA_BUILD_DIR") + "/shelvana-listrun"});
    shell.waitForFinished(120000);
    return {shell.exitCode(), QString::fromUtf8(shell.readAll())};
}

const QByteArray kSettings = "new/\r\nlists/\r\n 1 \r\n 1 \r\n 1 \r\nAwkward\r\n 0 \r\n";

} // namespace

class TestAwkwardCollection : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir work_;

    void buildCollection()
    {
        const QByteArray top = QFile::encodeName(work_.filePath("new"));
        QVERIFY(::mkdir(top.constData(), 0755) == 0);
        const int at = ::open(top.constData(), O_RDONLY | O_DIRECTORY);
        for (const QByteArray &name : {QByteArray("Caf\xe9"), QByteArray("a\xed\xa0\x80z"), QByteArray("new"),
                                       QByteArray("Tom & Jerry")}) {
            QVERIFY(MakeDirectoryAt(at, name));
            const int inside = ::openat(at, name.constData(), O_RDONLY | O_DIRECTORY);
            QVERIFY(MakeFileAt(inside, name + ".txt"));
            ::close(inside);
        }
        for (const QByteArray &name : {QByteArray("a\xc0\xafz.pdf"), QByteArray("\xef\xbb\xbf" "bom.txt"),
                                       QByteArray("Caf&eacute;.txt"), QByteArray("&lt;b&gt;x.pdf"),
                                       QByteArray("&#39;.txt"), QByteArray("R&D & more&.txt")})
            QVERIFY(MakeFileAt(at, name));
        // Deeper than the path limit: 25 levels of 200-byte names.
        int deep = ::dup(at);
        for (int level = 0; level < 25; ++level) {
            const QByteArray name = QByteArray::number(level).rightJustified(3, '0') + QByteArray(197, 'd');
            QVERIFY(MakeDirectoryAt(deep, name));
            const int next = ::openat(deep, name.constData(), O_RDONLY | O_DIRECTORY);
            ::close(deep);
            deep = next;
        }
        QVERIFY(MakeFileAt(deep, "deep.txt"));
        ::close(deep);
        ::close(at);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(work_.isValid());
        buildCollection();
        WriteTestFile(work_.filePath("Path.txt"), kSettings);
        QVERIFY(QDir().mkpath(work_.filePath("lists")));
    }

    void everyDirectoryAndFileIsInEveryList()
    {
        WriteTestFile(work_.filePath("precious.txt"), "precious");
        QVERIFY(QFile::link(work_.filePath("precious.txt"), work_.filePath("lists/EBook.txt")));

        const Run run = RunShell("\"$0\" Path.txt", work_.path()); // the top directory is relative
        QVERIFY2(run.exitCode == 0, qPrintable(run.out));

        Listing walked;
        Walk(::open(QFile::encodeName(work_.filePath("new")).constData(), O_RDONLY | O_DIRECTORY), "new", walked);
        QVERIFY(walked.size() == 30);
        QVERIFY(std::any_of(walked.keyBegin(), walked.keyEnd(), [](const QString &path) { return path.size() > 5000; }));
        QCOMPARE(run.out, QString("Files = %1\nDirectories = %2\n")
                              .arg(std::accumulate(walked.cbegin(), walked.cend(), 0,
                                                   [](int sum, const QStringList &files) { return sum + files.size(); }))
                              .arg(walked.size() - 1));

        const QString lists = work_.filePath("lists/");
        QCOMPARE(FromTextList(ListLines(lists + kTextList, false)), WithFiles(walked));
        QCOMPARE(FromTableList(ListLines(lists + kTableList, true)), WithFiles(walked));
        QCOMPARE(FromTreeList(ListLines(lists + kTreeList, true), "new"), walked);

        QVERIFY(FileContent(lists + kTableList).contains("<TR><TD>Caf&amp;eacute;.txt</TD></TR>"));
        QVERIFY(FileContent(lists + kTreeList).contains("new_2 = Folder('new',false);"));
        QCOMPARE(ReadTestFile(work_.filePath("precious.txt")), QByteArray("precious"));
        QVERIFY(!QFileInfo(lists + kTextList).isSymLink());
    }

    // The disk fills while the last list is written: every earlier list stays as it was.
    void aFullDiskReplacesNoList()
    {
        const QString old = "printf old > lists/EBook.txt; printf old > lists/EBook.html; "
                            "printf old > lists/EBookTree.html; ";
        const QString report = "; echo \"exit $?\"; ls -A lists; cat lists/EBook.txt lists/EBook.html "
                               "lists/EBookTree.html";
        // A small file system of its own where the system lets the test make one; else
        // the size of any file is limited, which fails the writes the same way.
        QString script = "unshare --user --map-root-user --mount sh -c 'mount -t tmpfs -o size=24k tmpfs lists && "
                         + old + "\"$0\" Path.txt" + report + "' \"$0\"";
        if (RunShell("unshare --user --map-root-user --mount true", work_.path()).exitCode != 0) {
            QWARN("No small file system can be made here: the list files are limited to 8000 bytes instead.");
            script = old + "(trap '' XFSZ; exec prlimit --fsize=8000 \"$0\" Path.txt)" + report;
        }
        const Run run = RunShell(script, work_.path());
        QVERIFY2(run.out.contains("No space left on device") || run.out.contains("File too large"), qPrintable(run.out));
        QVERIFY2(run.out.endsWith("exit 1\nEBook.html\nEBook.txt\nEBookTree.html\noldoldold"), qPrintable(run.out));
    }
};

QTEST_GUILESS_MAIN(TestAwkwardCollection)
#include "test_awkward_collection.moc"
