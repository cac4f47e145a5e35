#include "fakes/fake_clipboard.h"
#include "names/clipboard_files.h"
#include "names/comment_lookup.h"

#include <QSet>
#include <QUrl>
#include <QTest>

namespace {

// A comment table holding records for the given file names.
class FakeLookup final : public CommentLookup
{
public:
    QSet<QString> files;
    QString findFile(const QString &fileName) override { return files.contains(fileName) ? fileName : QString(); }
};

// The frame a look shows, or none; checks that it was shown before the clipboard was emptied.
std::optional<FileInfo> look(ClipboardPoll &poll, FakeClipboard &clipboard, const FileInfo &current,
                             CommentLookup *lookup)
{
    std::optional<FileInfo> shown;
    const int clearsBefore = clipboard.clears;
    const bool analysed = poll.poll(current, lookup, [&](const FileInfo &info) {
        QCOMPARE(clipboard.clears, clearsBefore);
        shown = info;
    });
    return analysed ? shown : std::nullopt;
}

// One look with a poll of its own.
std::optional<FileInfo> poll(FakeClipboard &clipboard, const FileInfo &current, CommentLookup *lookup)
{
    ClipboardPoll poll(clipboard);
    return look(poll, clipboard, current, lookup);
}

const QString kUriList = QString::fromLatin1(kUriListFormat);
const QString kGnome = QString::fromLatin1(kGnomeCopiedFilesFormat);

// What a file manager offers on the clipboard: data by format.
using Offer = QHash<QString, QByteArray>;

// Two books in folders with non-ASCII names, as file managers put them in addresses.
const QString kCapek = QStringLiteral("/home/anna/Bücher/Čapek/Karel Čapek - Válka s mloky.epub");
const QString kDune = QStringLiteral("/home/anna/Bücher/Herbert - Dune.pdf");
const QByteArray kCapekUri = "file:///home/anna/B%C3%BCcher/%C4%8Capek/Karel%20%C4%8Capek%20-%20V%C3%A1lka%20s%20mloky.epub";
const QByteArray kDuneUri = "file:///home/anna/B%C3%BCcher/Herbert%20-%20Dune.pdf";

} // namespace

class TestClipboardFiles : public QObject
{
    Q_OBJECT

private slots:
    void readsUriList_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QStringList>("paths");
        QTest::newRow("one file") << QByteArray("file:///home/ann/Books/Dune.pdf\r\n")
                                  << QStringList{"/home/ann/Books/Dune.pdf"};
        QTest::newRow("several files, in order") << QByteArray("file:///b/Two.txt\r\nfile:///a/One.txt\r\n")
                                                 << QStringList{"/b/Two.txt", "/a/One.txt"};
        QTest::newRow("percent-encoded blank") << QByteArray("file:///home/ann/My%20Books/A%20-%20B.txt")
                                               << QStringList{"/home/ann/My Books/A - B.txt"};
        QTest::newRow("non-ASCII as UTF-8") << QByteArray("file:///b/B%C3%BCcher/%C4%8Capek.epub\n")
                                            << QStringList{QStringLiteral("/b/Bücher/Čapek.epub")};
        QTest::newRow("encoded characters that mean something in addresses")
            << QByteArray("file:///b/C%23%20%26%20Co%3F%25.txt") << QStringList{"/b/C# & Co?%.txt"};
        QTest::newRow("other addresses left out")
            << QByteArray("https://example.org/x.pdf\r\nfile:///b/x.pdf\r\nsmb://server/share/y.pdf\r\n")
            << QStringList{"/b/x.pdf"};
        QTest::newRow("files of another host left out") << QByteArray("file://server/b/x.pdf\r\nfile://localhost/b/y.pdf")
                                                         << QStringList{"/b/y.pdf"};
        QTest::newRow("comment lines") << QByteArray("# copied\r\nfile:///b/x.pdf\r\n") << QStringList{"/b/x.pdf"};
        QTest::newRow("folder") << QByteArray("file:///b/Asimov") << QStringList{"/b/Asimov"};
        QTest::newRow("plain text is no address") << QByteArray("/b/x.pdf\r\nhello") << QStringList{};
    }
    void readsUriList()
    {
        QFETCH(QByteArray, data);
        QFETCH(QStringList, paths);
        QCOMPARE(PathsFromUriList(data), paths);
    }

    void readsGnomeCopiedFiles_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QStringList>("paths");
        QTest::newRow("copy") << QByteArray("copy\nfile:///b/One.txt\nfile:///b/Two%20B.txt")
                              << QStringList{"/b/One.txt", "/b/Two B.txt"};
        QTest::newRow("cut") << QByteArray("cut\nfile:///b/One.txt\n") << QStringList{"/b/One.txt"};
        QTest::newRow("no action line") << QByteArray("file:///b/One.txt\n") << QStringList{};
        QTest::newRow("empty") << QByteArray() << QStringList{};
    }
    void readsGnomeCopiedFiles()
    {
        QFETCH(QByteArray, data);
        QFETCH(QStringList, paths);
        QCOMPARE(PathsFromGnomeCopiedFiles(data), paths);
    }

    // The exact bytes that each file manager offers for a copy or a cut of the two books.
    void readsWhatFileManagersCopy_data()
    {
        QTest::addColumn<Offer>("offer");
        QTest::addColumn<QStringList>("paths");
        const QStringList both{kCapek, kDune};
        const QByteArray uriList = kCapekUri + "\r\n" + kDuneUri + "\r\n";
        const QByteArray plainPaths = (kCapek + "\n" + kDune).toUtf8();
        for (const char *name : {"copy", "cut"}) {
            const QByteArray action(name);
            const QByteArray gnome = action + "\n" + kCapekUri + "\n" + kDuneUri;
            QTest::addRow("Thunar %s", name) << Offer{{kUriList, uriList}, {kGnome, gnome}, {"text/plain", plainPaths}}
                                             << both;
            Offer pcmanfm{{kUriList, uriList}, {kGnome, gnome + "\n"}, {"text/plain", plainPaths},
                          {"text/x-libfmqt-pid", "4242"}};
            if (action == "cut")
                pcmanfm.insert("application/x-kde-cutselection", "1");
            QTest::addRow("PCManFM-Qt %s", name) << pcmanfm << both;
            QTest::addRow("Caja %s", name) << Offer{{kGnome, gnome}, {"text/plain", plainPaths}} << both;
            QTest::addRow("Nautilus 3.28 %s", name) << Offer{{kGnome, gnome}, {"text/plain", plainPaths}} << both;
            const QByteArray nautilusText = "x-special/nautilus-clipboard\n" + action + "\n" + kCapekUri + "\n" + kDuneUri + "\n";
            QTest::addRow("Nautilus 3.30 to 42 %s", name) << Offer{{"text/plain", nautilusText}} << both;
            QTest::addRow("Nautilus on Wayland %s", name) << Offer{{"text/plain;charset=utf-8", nautilusText}} << both;
            QTest::addRow("Nautilus 43 %s", name) << Offer{{kGnome, gnome}, {"text/plain", nautilusText}} << both;
            Offer dolphin{{kUriList, uriList}, {"application/x-kde4-urilist", uriList}};
            if (action == "cut")
                dolphin.insert("application/x-kde-cutselection", "1");
            QTest::addRow("Dolphin %s", name) << dolphin << both;
        }
        QTest::newRow("copied text that reads as a path") << Offer{{"text/plain", plainPaths}} << QStringList();
        QTest::newRow("text that starts like Nautilus's")
            << Offer{{"text/plain", "x-special/nautilus-clipboard"}} << QStringList();
    }
    void readsWhatFileManagersCopy()
    {
        QFETCH(Offer, offer);
        QFETCH(QStringList, paths);
        FakeClipboard clipboard;
        clipboard.content = offer;
        QCOMPARE(ClipboardGetFiles(clipboard), paths);
        // Each file list of the offer on its own names the same files.
        for (auto format = offer.cbegin(); format != offer.cend(); ++format) {
            FakeClipboard alone;
            alone.content.insert(format.key(), format.value());
            const QStringList found = ClipboardGetFiles(alone);
            if (!found.isEmpty())
                QCOMPARE(found, paths);
        }
        // A cut is analysed like a copy: the last file counts.
        const std::optional<FileInfo> info = poll(clipboard, FileInfo(), nullptr);
        QCOMPARE(info.has_value(), !paths.isEmpty());
        if (info) {
            QCOMPARE(info->file, QString("Herbert - Dune.pdf"));
            QCOMPARE(info->title, QString("Dune"));
            QVERIFY(clipboard.content.isEmpty());
        }
    }

    void clipboardTextJoinsWithCrLf()
    {
        QCOMPARE(ClipboardText({"/a/x.txt", "/b/y.txt"}), QString("/a/x.txt\r\n/b/y.txt"));
        QCOMPARE(ClipboardText({}), QString(kNoFilesInClipboard));
    }

    void pollAnalysesCopiedFilesAndEmptiesTheClipboard_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("author");
        QTest::addColumn<QString>("title");
        QTest::newRow("uri-list") << kUriList << QByteArray("file:///b/Asimov/Isaac%20Asimov%20-%20Foundation.pdf\r\n")
                                  << "Isaac Asimov - Foundation.pdf" << "Isaac Asimov" << "Foundation";
        QTest::newRow("GNOME format") << kGnome << QByteArray("copy\nfile:///b/Foundation%20by%20Isaac%20Asimov.txt")
                                      << "Foundation by Isaac Asimov.txt" << "Isaac Asimov" << "Foundation";
        QTest::newRow("several files: the last counts")
            << kUriList << QByteArray("file:///b/A%20-%20One.txt\r\nfile:///c/Herbert%20-%20Dune.txt\r\n")
            << "Herbert - Dune.txt" << "Herbert" << "Dune";
    }
    void pollAnalysesCopiedFilesAndEmptiesTheClipboard()
    {
        QFETCH(QString, format);
        QFETCH(QByteArray, data);
        QFETCH(QString, file);
        QFETCH(QString, author);
        QFETCH(QString, title);
        FakeClipboard clipboard;
        clipboard.content.insert(format, data);
        const std::optional<FileInfo> info = poll(clipboard, FileInfo(), nullptr);
        QVERIFY(info);
        QCOMPARE(info->file, file);
        QCOMPARE(info->author, author);
        QCOMPARE(info->title, title);
        QCOMPARE(clipboard.clears, 1);
        QVERIFY(clipboard.content.isEmpty());
    }

    void pollLeavesOtherContentAlone_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("copied text") << "text/plain" << QByteArray("/b/Herbert - Dune.txt");
        QTest::newRow("the root folder") << kUriList << QByteArray("file:///");
        QTest::newRow("web addresses only") << kUriList << QByteArray("https://example.org/a.pdf");
        QTest::newRow("nothing") << QString() << QByteArray();
    }
    void pollLeavesOtherContentAlone()
    {
        QFETCH(QString, format);
        QFETCH(QByteArray, data);
        FakeClipboard clipboard;
        if (!format.isEmpty())
            clipboard.content.insert(format, data);
        const FileInfo current{"old.txt", "Old Author", "Old Title", Indicator::Green};
        QVERIFY(!poll(clipboard, current, nullptr));
        QCOMPARE(clipboard.clears, 0);
        QCOMPARE(clipboard.content.value(format), data);
    }

    void pollPrefersUriListAndLooksUpTheComment()
    {
        FakeClipboard clipboard;
        clipboard.content.insert(kUriList, "file:///b/Herbert%20-%20Dune.txt");
        clipboard.content.insert(kGnome, "copy\nfile:///b/Other%20-%20Book.txt");
        FakeLookup lookup;
        lookup.files.insert("Herbert - Dune.txt");
        const std::optional<FileInfo> info = poll(clipboard, FileInfo(), &lookup);
        QVERIFY(info);
        QCOMPARE(info->file, QString("Herbert - Dune.txt"));
        QCOMPARE(info->indicator, Indicator::Green);

        clipboard.content.insert(kUriList, "file:///b/Unknown%20-%20Book.txt");
        QCOMPARE(poll(clipboard, *info, &lookup)->indicator, Indicator::Grey);
    }

    void emptyingThatReportsAChangeAtOnceAnalysesOnce()
    {
        FakeClipboard clipboard;
        clipboard.clearEchoesOldOffer = true;
        clipboard.content.insert(kUriList, "file:///b/Herbert%20-%20Dune.txt");
        ClipboardPoll poll(clipboard);
        int shown = 0;
        int depth = 0;
        const auto lookAgain = [&] {
            if (++depth < 5) // a bound, so that a look from inside a look fails here, not by stack overflow
                poll.poll(FileInfo(), nullptr, [&](const FileInfo &) { ++shown; });
            --depth;
        };
        clipboard.onChanged(nullptr, lookAgain);
        lookAgain();
        QCOMPARE(shown, 1);
        QCOMPARE(clipboard.clears, 1);
        lookAgain(); // the offer is still there: already analysed
        lookAgain();
        QCOMPARE(shown, 1);
    }

    void aCopyIsAnalysedOnce_data()
    {
        QTest::addColumn<bool>("leaveFiles");
        QTest::addColumn<bool>("emptyingRefused");
        QTest::newRow("files emptied from the clipboard") << false << false;
        QTest::newRow("emptying refused by the desktop") << false << true;
        QTest::newRow("files left on the clipboard") << true << false;
    }
    void aCopyIsAnalysedOnce()
    {
        QFETCH(bool, leaveFiles);
        QFETCH(bool, emptyingRefused);
        FakeClipboard clipboard;
        clipboard.clearEchoesOldOffer = emptyingRefused;
        ClipboardPoll poll(clipboard);
        poll.setLeaveFilesOnClipboard(leaveFiles);
        const QByteArray dune = "file:///b/Herbert%20-%20Dune.txt";
        const FileInfo edited{"mine.txt", "Edited", "By Hand"};
        clipboard.content.insert(kUriList, dune);
        QVERIFY(look(poll, clipboard, FileInfo(), nullptr));
        QCOMPARE(clipboard.clears, leaveFiles ? 0 : 1);
        const bool stillThere = !clipboard.content.isEmpty();
        QCOMPARE(stillThere, leaveFiles || emptyingRefused);

        // Looked at again: files still there are not analysed again (the user's edits stay);
        // the same files copied again after the clipboard was emptied are a new copy.
        clipboard.content.insert(kUriList, dune);
        QCOMPARE(look(poll, clipboard, edited, nullptr).has_value(), !stillThere);

        clipboard.content.insert(kUriList, "file:///b/Herbert%20-%20Dune.txt\nfile:///b/Asimov%20-%20Robots.txt");
        QCOMPARE(look(poll, clipboard, edited, nullptr)->title, QString("Robots"));

        clipboard.content.clear(); // something else copied, then the first file once more
        QVERIFY(!look(poll, clipboard, edited, nullptr));
        clipboard.content.insert(kUriList, dune);
        QCOMPARE(look(poll, clipboard, edited, nullptr)->title, QString("Dune"));
    }

    void longPathsAreTakenWhole()
    {
        const QString folder = "/b/" + QString(1100, 'x');
        FakeClipboard clipboard;
        clipboard.content.insert(kUriList, QUrl::fromLocalFile(folder + "/Herbert - Dune.txt").toEncoded());
        const std::optional<FileInfo> info = poll(clipboard, FileInfo(), nullptr);
        QVERIFY(info);
        QCOMPARE(info->file, QString("Herbert - Dune.txt"));
        QCOMPARE(info->title, QString("Dune"));
    }
};

QTEST_GUILESS_MAIN(TestClipboardFiles)
#include "test_clipboard_files.moc"
