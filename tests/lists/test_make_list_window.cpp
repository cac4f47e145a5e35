#include "fakes/fake_sound_player.h"
#include "lists/make_list_window.h"
#include "platform/qt_control_loader.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

QString labelText(QWidget *window, const char *name)
{
    return window->findChild<QLabel *>(QLatin1String(name))->text();
}

} // namespace

class TestMakeListWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_; // fresh for every test
    Settings settings_;
    FakeSoundPlayer sound_;

    QString script() const { return dir_->filePath("Script.txt"); }

    MakeListWindow *openWindow()
    {
        auto *window = new MakeListWindow(settings_, sound_, nullptr, script());
        window->show();
        return window;
    }

    void waitForDone(QWidget *window)
    {
        QPushButton *done = window->findChild<QPushButton *>("ExitNow");
        QTRY_VERIFY_WITH_TIMEOUT(done->isVisible(), 10000);
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        WriteTestFile(dir_->filePath("books/a.txt"));
        WriteTestFile(dir_->filePath("books/SF/b.txt"));
        QDir().mkpath(dir_->filePath("lists"));
        WriteTestFile(script(), "</SCRIPT></HEAD>\r\n");
        settings_ = Settings();
        settings_.ConfigEbookDir = dir_->filePath("books") + "/";
        settings_.ConfigListDir = dir_->filePath("lists") + "/";
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

        waitForDone(window);
        QCOMPARE(labelText(window, "Label1"), QString("2"));
        QCOMPARE(labelText(window, "Label4"), QString("1"));
        QListWidget *found = window->findChild<QListWidget *>("List3");
        QCOMPARE(found->count(), 2);
        QCOMPARE(found->item(0)->text(), dir_->filePath("books/a.txt"));
        QCOMPARE(labelText(window, "StatusMessage"), QString());
        for (const char *list : {"EBook.txt", "EBook.html", "EBookTree.html"})
            QVERIFY2(QFile::exists(dir_->filePath(QString("lists/") + list)), list);

        window->findChild<QPushButton *>("ExitNow")->click();
        QTRY_VERIFY(window.isNull());
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
        QVERIFY(!QFile::exists(dir_->filePath("lists/EBook.txt")));
        delete window;
    }

    void reportsFailureAndKeepsEarlierLists()
    {
        WriteTestFile(dir_->filePath("lists/EBook.txt"), "earlier list");
        QFile::remove(script());
        QPointer<MakeListWindow> window = openWindow();
        waitForDone(window);
        QVERIFY(labelText(window, "StatusMessage").contains("Script.txt"));
        QFile earlier(dir_->filePath("lists/EBook.txt"));
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), QByteArray("earlier list"));
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

    void closingBeforeTheEndIsSafe()
    {
        for (int i = 0; i < 300; ++i)
            WriteTestFile(dir_->filePath(QString("books/many/%1.txt").arg(i)));
        QPointer<MakeListWindow> window = openWindow();
        QTest::qWait(520);
        window->close();
        QTRY_VERIFY(window.isNull());
    }
};

QTEST_MAIN(TestMakeListWindow)
#include "test_make_list_window.moc"
