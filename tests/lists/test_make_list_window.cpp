#include "fakes/fake_sound_player.h"
#include "lists/windows/make_list_window.h"
#include "platform/file_system_lister.h"
#include "platform/qt_control_loader.h"
#include "platform/shell.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <atomic>
#include <memory>

namespace {

QString labelText(QWidget *window, const char *name)
{
    return window->findChild<QLabel *>(QLatin1String(name))->text();
}

// Reads the real tree, but slowly, and holds the walk at the gate (the third directory
// read) until the test opens it.
class GateLister final : public DirectoryLister
{
public:
    QSemaphore reached;
    QSemaphore opened;

    std::optional<DirectoryEntries> readDirectory(const DirectoryPath &directory) override
    {
        if (++reads_ == 3) {
            reached.release();
            opened.acquire();
        } else {
            QThread::msleep(60); // longer than the worker waits between reports
        }
        return real_.readDirectory(directory);
    }

private:
    FileSystemLister real_;
    std::atomic_int reads_ = 0;
};

class RecordingShell final : public Shell
{
public:
    QList<QUrl> opened;
    bool openUrl(const QUrl &url) override
    {
        opened << url;
        return true;
    }
};

} // namespace

class TestMakeListWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_; // fresh for every test
    Settings settings_;
    FakeSoundPlayer sound_;

    QString script() const { return dir_->filePath("Script.txt"); }
    QString lists() const { return dir_->filePath("lists"); }

    MakeListWindow *openWindow()
    {
        auto *window = new MakeListWindow(settings_, sound_, nullptr, script());
        window->show();
        return window;
    }

    // A window whose run stops at the gate; the gate stays alive as long as the window.
    MakeListWindow *openHeldWindow(GateLister *&gate)
    {
        auto *window = new MakeListWindow(settings_, sound_, nullptr, script());
        window->setListerFactory([&gate] {
            auto lister = std::make_unique<GateLister>();
            gate = lister.get();
            return lister;
        });
        window->show();
        return window;
    }

    void waitForDone(QWidget *window)
    {
        QPushButton *done = window->findChild<QPushButton *>("ExitNow");
        QTRY_VERIFY_WITH_TIMEOUT(done->isVisible(), 10000);
    }

    void writeEarlierLists()
    {
        for (const char *list : {"EBook.txt", "EBook.html", "EBookTree.html"})
            WriteTestFile(lists() + "/" + list, "earlier");
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        for (int i = 0; i < 100; ++i)
            WriteTestFile(dir_->filePath(QString("books/%1.txt").arg(i, 3, 10, QChar('0'))));
        WriteTestFile(dir_->filePath("books/SF/b.txt"));
        WriteTestFile(dir_->filePath("books/SF/Old/c.txt"));
        QDir().mkpath(lists());
        WriteTestFile(script(), "</SCRIPT></HEAD>\r\n");
        settings_ = Settings();
        settings_.ConfigEbookDir = dir_->filePath("books") + "/";
        settings_.ConfigListDir = lists() + "/";
        settings_.ConfigTextList = 1;
        settings_.configTableList = 1;
        settings_.ConfigTreeViewList = 1;
        settings_.ConfigSound = 1;
        sound_.played.clear();
    }

    void runsOnceAndShowsTotals()
    {
        QPointer<MakeListWindow> window = openWindow();
        QVERIFY(!window->findChild<QPushButton *>("ExitNow")->isVisible());
        QCOMPARE(sound_.played.size(), 1);
        QVERIFY(sound_.played.first().endsWith("/flubflip.wav"));
        QVERIFY(!window->windowIcon().isNull());
        QVERIFY(window->height() >= 480);

        waitForDone(window);
        QCOMPARE(labelText(window, "Label1"), QString("102"));
        QCOMPARE(labelText(window, "Label4"), QString("2"));
        QListWidget *found = window->findChild<QListWidget *>("List3");
        QCOMPARE(found->count(), 102);
        QCOMPARE(found->item(0)->text(), dir_->filePath("books/000.txt"));
        // The list followed the run to its newest file (once the view has laid it out).
        QTRY_VERIFY(found->verticalScrollBar()->maximum() > 0);
        QCOMPARE(found->verticalScrollBar()->value(), found->verticalScrollBar()->maximum());
        for (const char *list : {"EBook.txt", "EBook.html", "EBookTree.html"})
            QVERIFY2(QFile::exists(lists() + "/" + list), list);

        window->findChild<QPushButton *>("ExitNow")->click();
        QTRY_VERIFY(window.isNull());
    }

    // The closing line names the lists written and links to their folder.
    void saysWhichListsWentWhere_data()
    {
        QTest::addColumn<int>("table");
        QTest::addColumn<int>("text");
        QTest::addColumn<int>("tree");
        QTest::addColumn<QString>("names");
        QTest::newRow("all three") << 1 << 1 << 1 << "EBook.html, EBook.txt and EBookTree.html";
        QTest::newRow("two") << 0 << 1 << 1 << "EBook.txt and EBookTree.html";
        QTest::newRow("one") << 1 << 0 << 0 << "EBook.html";
    }
    void saysWhichListsWentWhere()
    {
        QFETCH(int, table);
        QFETCH(int, text);
        QFETCH(int, tree);
        QFETCH(QString, names);
        settings_.configTableList = qint16(table);
        settings_.ConfigTextList = qint16(text);
        settings_.ConfigTreeViewList = qint16(tree);
        RecordingShell shell;
        QPointer<MakeListWindow> window = new MakeListWindow(settings_, sound_, nullptr, script());
        window->setShell(shell);
        window->show();
        waitForDone(window);
        auto *outcome = window->findChild<QLabel *>("StatusMessage");
        QCOMPARE(outcome->text(), QString("Wrote %1 in <a href=\"%2\">%3</a>.")
                                      .arg(names, QUrl::fromLocalFile(lists()).toString(), lists()));
        emit outcome->linkActivated(QString());
        QCOMPARE(shell.opened, QList<QUrl>{QUrl::fromLocalFile(lists())});
        delete window;
    }

    void silentWithSoundOff()
    {
        settings_.ConfigSound = 0;
        QPointer<MakeListWindow> window = openWindow();
        QVERIFY(sound_.played.isEmpty());
        waitForDone(window);
        delete window;
    }

    void refusesWithoutTopDirectory()
    {
        settings_.ConfigEbookDir.clear();
        QPointer<MakeListWindow> window = openWindow();
        waitForDone(window);
        QVERIFY(labelText(window, "StatusMessage").contains("No e-book directory"));
        QVERIFY(!QFile::exists(lists() + "/EBook.txt"));
        delete window;
    }

    void reportsFailureAndKeepsEarlierLists()
    {
        writeEarlierLists();
        QFile::remove(script());
        QPointer<MakeListWindow> window = openWindow();
        waitForDone(window);
        QVERIFY(labelText(window, "StatusMessage").contains("Script.txt"));
        QCOMPARE(ReadTestFile(lists() + "/EBook.txt"), QByteArray("earlier"));
        delete window;
    }

    void reportsMissingListDirectory()
    {
        settings_.ConfigListDir = dir_->filePath("no-such-folder") + "/";
        QPointer<MakeListWindow> window = openWindow();
        waitForDone(window);
        QVERIFY(!labelText(window, "StatusMessage").isEmpty());
        QCOMPARE(labelText(window, "Label1"), QString("0"));
        delete window;
    }

    void doneIsAHoverButtonWhenTheLibraryLoads()
    {
        QtControlLoader controls(qEnvironmentVariable("SHELVANA_BUILD_DIR"));
        QVERIFY2(controls.load(), qPrintable(controls.errorText()));
        QPointer<MakeListWindow> window = new MakeListWindow(settings_, sound_, &controls, script());
        window->show();
        QWidget *done = window->findChild<QWidget *>("ExitNow");
        QCOMPARE(done->property("Caption").toString(), QString("Done"));
        QTRY_VERIFY_WITH_TIMEOUT(done->isVisible(), 10000);
        // The press lands on whichever inner part of the button lies under the pointer.
        const QPoint centre = done->rect().center();
        QWidget *part = done->childAt(centre) ? done->childAt(centre) : done;
        QTest::mouseClick(part, Qt::LeftButton, {}, part->mapFrom(done, centre));
        QTRY_VERIFY(window.isNull());
    }

    // While the run works the window shows it is busy, and the counts and found files grow.
    void showsTheRunAsItGoes()
    {
        GateLister *gate = nullptr;
        QPointer<MakeListWindow> window = openHeldWindow(gate);
        QTRY_VERIFY_WITH_TIMEOUT(gate && gate->reached.available() > 0, 10000);
        QListWidget *found = window->findChild<QListWidget *>("List3");
        QTRY_COMPARE(found->count(), 101);
        QVERIFY(labelText(window, "Label1") != "0");
        QVERIFY(labelText(window, "Label4") != "0");
        auto *bar = window->findChild<QProgressBar *>("MyBar");
        QVERIFY(bar->isVisible());
        QCOMPARE(bar->maximum(), 0); // busy, no made-up percentage
        QVERIFY(!window->findChild<QPushButton *>("ExitNow")->isVisible());

        // A user who scrolls up to read is not pulled down again.
        QTRY_VERIFY(found->verticalScrollBar()->maximum() > 0);
        QCOMPARE(found->verticalScrollBar()->value(), found->verticalScrollBar()->maximum());
        found->verticalScrollBar()->setValue(0);
        gate->opened.release();
        waitForDone(window);
        QCOMPARE(found->count(), 102);
        QCOMPARE(found->verticalScrollBar()->value(), 0);
        QVERIFY(!bar->isVisible());
        delete window;
    }

    // Closed in the middle of a run, the window stops it: the earlier lists stay as they
    // were and nothing is left beside them.
    void closingMidRunCancelsAndKeepsEarlierLists()
    {
        writeEarlierLists();
        GateLister *gate = nullptr;
        QPointer<MakeListWindow> window = openHeldWindow(gate);
        QTRY_VERIFY_WITH_TIMEOUT(gate && gate->reached.available() > 0, 10000);
        window->close();
        gate->opened.release();
        QTRY_VERIFY(window.isNull());
        for (const char *list : {"EBook.txt", "EBook.html", "EBookTree.html"})
            QCOMPARE(ReadTestFile(lists() + "/" + list), QByteArray("earlier"));
        QCOMPARE(QDir(lists()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot).size(), 3);
    }
};

QTEST_MAIN(TestMakeListWindow)
#include "test_make_list_window.moc"
