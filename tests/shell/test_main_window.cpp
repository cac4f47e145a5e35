#include "books/book_fixtures.h"
#include "fakes/fake_desktop.h"
#include "lists/windows/make_list_window.h"
#include "names/clipboard_files.h"
#include "platform/qt_control_loader.h"
#include "shell/main_window.h"
#include "support/test_files.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QCheckBox>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace {

QtControlLoader &lumikit()
{
    static QtControlLoader loader(qEnvironmentVariable("SHELVANA_BUILD_DIR"));
    return loader;
}

void click(QWidget *button)
{
    QVERIFY(button);
    QVERIFY(QMetaObject::invokeMethod(button, "PerformClick"));
}

QString writeBook(const QString &path)
{
    const QByteArray package = fixtures::Epub3Package({{"Frank Herbert", ""}}, "Dune Messiah");
    return fixtures::WriteZip(path, fixtures::EpubEntries(package)) ? path : QString();
}

// Drags the addresses (or text) onto the target and drops them there; whether each step
// was taken.
std::pair<bool, bool> dragAndDrop(QWidget *target, const QMimeData &data)
{
    const QPoint centre = target->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return {enter.isAccepted(), drop.isAccepted()};
}

QList<MakeListWindow *> openListWindows()
{
    QList<MakeListWindow *> open;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *list = qobject_cast<MakeListWindow *>(widget); list && list->isVisible())
            open.append(list);
    }
    return open;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<FakeDesktop> fakes_;
    std::unique_ptr<MainWindow> window_;

    void open()
    {
        window_ = std::make_unique<MainWindow>(fakes_->desktop, &lumikit());
        window_->show();
        QTRY_VERIFY(fakes_->clipboard.changed); // the clipboard is watched once the window is up
    }
    QWidget *button(const QString &key) const { return window_->findChild<QWidget *>(key); }
    QString field(const char *name) const { return window_->findChild<QLineEdit *>(QLatin1String(name))->text(); }
    QString bookLine() const { return window_->findChild<QLabel *>("BookData")->text(); }
    QPushButton *useBookData() const { return window_->findChild<QPushButton *>("UseBookData"); }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY2(lumikit().load(), qPrintable(lumikit().errorText()));
        // The PDF plugin that the window loads is in the build folder, beside the program.
        QCoreApplication::addLibraryPath(qEnvironmentVariable("SHELVANA_BUILD_DIR"));
    }

    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir::setCurrent(dir_->path())); // Path.txt and db25.mdb are found here
        // and the per-user settings, never the user's own
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_->filePath("config"));
        fakes_ = std::make_unique<FakeDesktop>();
    }

    void cleanup()
    {
        window_.reset();
    }

    void startsOnIntroWithTheSavedSettings()
    {
        WriteTestFile("Path.txt", "/books/\r\n/lists/\r\n 1 \r\n 0 \r\n 0 \r\nMine\r\n 1 \r\n");
        open();
        QCOMPARE(window_->windowTitle(), QString("Shelvana"));
        auto *tabs = window_->tabs();
        QCOMPARE(tabs->count(), 4);
        const QStringList captions{tabs->tabText(0), tabs->tabText(1), tabs->tabText(2), tabs->tabText(3)};
        QCOMPARE(captions, QStringList({"Intro", "Utilities", "Comments", "Config"}));
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(window_->settings().ConfigEbookDir, QString("/books/"));
        QCOMPARE(field("ConfigListDir"), QString("/lists/"));
        QCOMPARE(field("ConfigListTitle"), QString("Mine"));
        QCOMPARE(fakes_->sound.played.size(), 1);
        QVERIFY(fakes_->sound.played[0].endsWith("/welcomef.wav"));
        QVERIFY(window_->findChild<QLabel *>("FirstStartHint")->isHidden());
    }

    void firstStartIsSilentAndSaysWhatToDo()
    {
        open();
        QCOMPARE(window_->settings(), Settings());
        QVERIFY(fakes_->sound.played.isEmpty());
        auto *hint = window_->findChild<QLabel *>("FirstStartHint");
        QVERIFY(hint->isVisible());
        QVERIFY(hint->text().contains("Save Config"));
        click(button("ButtonConfig(2)"));
        QVERIFY(QFile::exists("Path.txt"));
        QVERIFY(hint->isHidden());
    }

    void aSoundProblemIsSaidUnderTheTabs()
    {
        WriteTestFile("Path.txt", "/books/\r\n/lists/\r\n 1 \r\n 0 \r\n 0 \r\nMine\r\n 1 \r\n");
        open();
        QVERIFY(fakes_->sound.problemHandler);
        fakes_->sound.problemHandler("The sound welcomef.wav could not be played.");
        auto *hint = window_->findChild<QLabel *>("FirstStartHint");
        QVERIFY(hint->isVisible());
        QCOMPARE(hint->text(), QString("The sound welcomef.wav could not be played."));
    }

    void commandButtonsAreHoverButtonsAsSaved_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<qreal>("pointSize");
        QTest::newRow("Go") << "ButtonHyperJump" << "Go" << "Go to web page" << 8.25;
        QTest::newRow("Make List") << "ButtonMakeList(0)" << "Make List" << "Make E-Book list" << 8.25;
        QTest::newRow("View List") << "ButtonMakeList(1)" << "View List" << "View E-Book list" << 8.25;
        QTest::newRow("File Find") << "ButtonExplorer(0)" << "File Find" << "Find Files in E-Book directory" << 8.25;
        QTest::newRow("WinExplorer") << "ButtonExplorer(1)" << "WinExplorer"
                                     << "Loads Windows Explorer to E-Book directory" << 8.25;
        QTest::newRow("E-Book Directory") << "ButtonConfig(0)" << "E-Book Directory" << "Choose E-Book directory" << 8.25;
        QTest::newRow("List Directory") << "ButtonConfig(1)" << "List Directory" << "Choose List directory" << 8.25;
        QTest::newRow("Save Config") << "ButtonConfig(2)" << "Save Config" << "Save config" << 9.75;
        QTest::newRow("Edit Browser Links") << "ButtonConfig(3)" << "Edit Browser Links" << "Edit Links for Browser"
                                            << 8.25;
        QTest::newRow("Exit on Utilities") << "Lumicap1(0)" << "Exit" << "" << 8.25;
        QTest::newRow("Exit on Comments") << "Lumicap1(1)" << "Exit" << "" << 8.25;
        QTest::newRow("Exit on Config") << "Lumicap1(2)" << "Exit" << "" << 8.25;
    }
    void commandButtonsAreHoverButtonsAsSaved()
    {
        QFETCH(QString, key);
        QFETCH(QString, caption);
        QFETCH(QString, toolTip);
        QFETCH(qreal, pointSize);
        open();
        QWidget *hover = button(key);
        QVERIFY(QtControlLoader::hosted(hover));
        QCOMPARE(hover->property("Caption").toString(), caption);
        QCOMPARE(hover->property("ToolTipText").toString(), toolTip);
        const QFont font = hover->property("Font").value<QFont>();
        QVERIFY(font.bold());
        QCOMPARE(font.pointSizeF(), pointSize);
        QCOMPARE(hover->property("ForeColor").toUInt(), 0x80000012u); // the theme's button text
        QCOMPARE(hover->property("MouseOverColor").toUInt(), 0x8000001Au); // its hot-tracked item
        QCOMPARE(hover->accessibleName(), caption);
    }

    void copiedFileFillsFileInfoAndEmptiesTheClipboard()
    {
        open();
        QSignalSpy analysed(window_.get(), &MainWindow::fileAnalysed);
        fakes_->clipboard.content.insert(kUriListFormat, "file:///b/Asimov/Isaac%20Asimov%20-%20Foundation.pdf");
        fakes_->clipboard.changed(); // the desktop reports the change
        QCOMPARE(field("UtilFile"), QString("Isaac Asimov - Foundation.pdf"));
        QCOMPARE(field("UtilAuthor"), QString("Isaac Asimov"));
        QCOMPARE(field("UtilTitle"), QString("Foundation"));
        QVERIFY(fakes_->clipboard.content.isEmpty());
        QCOMPARE(analysed.count(), 1);

        // Where no change is reported, the poll finds it.
        fakes_->clipboard.content.insert(kGnomeCopiedFilesFormat, "copy\nfile:///b/Herbert%20-%20Dune.txt");
        QTRY_COMPARE(field("UtilTitle"), QString("Dune"));
        QVERIFY(fakes_->clipboard.content.isEmpty());

        // Copied text stays where it is.
        fakes_->clipboard.content.insert("text/plain", "Herbert - Children of Dune.txt");
        fakes_->clipboard.changed();
        QTest::qWait(200);
        QCOMPARE(field("UtilTitle"), QString("Dune"));
        QCOMPARE(fakes_->clipboard.clears, 2);
    }

    void copiedBookShowsWhatItSaysAboutItself()
    {
        const QString book = writeBook(dir_->filePath("Scan - 0042.epub"));
        QVERIFY(!book.isEmpty());
        open();
        QVERIFY(!useBookData()->isEnabled());
        fakes_->clipboard.content.insert(kUriListFormat, QUrl::fromLocalFile(book).toEncoded());
        fakes_->clipboard.changed();
        QCOMPARE(field("UtilAuthor"), QString("Scan")); // the guess comes first, as ever
        QTRY_COMPARE(bookLine(), QString("In the book: Frank Herbert - Dune Messiah"));
        QCOMPARE(field("UtilTitle"), QString("0042"));
        useBookData()->click();
        QCOMPARE(field("UtilAuthor"), QString("Frank Herbert"));
        QCOMPARE(field("UtilTitle"), QString("Dune Messiah"));
        QCOMPARE(field("UtilFile"), QString("Scan - 0042.epub"));

        // The next file that says nothing empties the line.
        fakes_->clipboard.content.insert(kUriListFormat, "file:///b/Herbert%20-%20Dune.txt");
        fakes_->clipboard.changed();
        QCOMPARE(field("UtilTitle"), QString("Dune"));
        QTest::qWait(100);
        QCOMPARE(bookLine(), QString("In the book:"));
        QVERIFY(!useBookData()->isEnabled());
    }

    void droppedBookIsAnalysedLikeACopiedOne_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("window") << "Main";
        QTest::newRow("a field that takes text") << "UtilTitle";
        QTest::newRow("the comment box") << "RichTextBox1";
    }

    void droppedBookIsAnalysedLikeACopiedOne()
    {
        QFETCH(QString, target);
        const QString book = writeBook(dir_->filePath("Herbert - Messiah.epub"));
        const QString second = writeBook(dir_->filePath("Other - Book.epub"));
        open();
        QSignalSpy analysed(window_.get(), &MainWindow::fileAnalysed);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(book), QUrl::fromLocalFile(second)});
        data.setText(book);
        QWidget *widget = target == "Main" ? window_.get() : window_->findChild<QWidget *>(target);
        if (auto *box = qobject_cast<QAbstractScrollArea *>(widget))
            widget = box->viewport(); // where the pointer is
        QCOMPARE(dragAndDrop(widget, data), std::make_pair(true, true));
        QCOMPARE(field("UtilFile"), QString("Herbert - Messiah.epub"));
        QCOMPARE(field("UtilAuthor"), QString("Herbert"));
        QCOMPARE(field("UtilTitle"), QString("Messiah"));
        QCOMPARE(analysed.count(), 1);
        QCOMPARE(fakes_->clipboard.clears, 0);
        QTRY_COMPARE(bookLine(), QString("In the book: Frank Herbert - Dune Messiah"));
    }

    // Refused drags show the forbidden cursor and change nothing.
    void foldersAndFilesElsewhereAreRefused_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("folder") << "folder";
        QTest::newRow("web address") << "https://example.org/Herbert%20-%20Dune.epub";
        QTest::newRow("file on another machine") << "file://server/books/Herbert%20-%20Dune.epub";
    }

    void foldersAndFilesElsewhereAreRefused()
    {
        QFETCH(QString, address);
        QVERIFY(QDir(dir_->path()).mkdir("Herbert - Dune"));
        const QUrl url = address == "folder" ? QUrl::fromLocalFile(dir_->filePath("Herbert - Dune")) : QUrl(address);
        open();
        QMimeData data;
        data.setUrls({url});
        QCOMPARE(dragAndDrop(window_->findChild<QWidget *>("UtilFile"), data), std::make_pair(false, false));
        QCOMPARE(field("UtilFile"), QString());
    }

    void fileCopiedBeforeTheStartIsAnalysed()
    {
        fakes_->clipboard.reports = true;
        fakes_->clipboard.content.insert(kUriListFormat, "file:///b/Herbert%20-%20Dune.txt");
        open();
        QCOMPARE(field("UtilTitle"), QString("Dune"));
        QVERIFY(fakes_->clipboard.content.isEmpty());
    }

    void desktopThatReportsChangesIsNotPolled()
    {
        fakes_->clipboard.reports = true;
        open();
        QVERIFY(!window_->findChild<QTimer *>("Timer1"));
        QVERIFY(QTest::qWaitForWindowActive(window_.get())); // coming to the front looks once
        fakes_->clipboard.content.insert(kUriListFormat, "file:///b/Herbert%20-%20Dune.txt");
        QTest::qWait(300);
        QCOMPARE(field("UtilTitle"), QString());
        fakes_->clipboard.changed();
        QCOMPARE(field("UtilTitle"), QString("Dune"));
    }

    void clipboardThatEchoesItsEmptyingIsAnalysedOnce()
    {
        fakes_->clipboard.reports = true;
        fakes_->clipboard.clearEchoesOldOffer = true;
        fakes_->clipboard.content.insert(kUriListFormat, "file:///b/Herbert%20-%20Dune.txt");
        open();
        QSignalSpy analysed(window_.get(), &MainWindow::fileAnalysed);
        QCOMPARE(field("UtilTitle"), QString("Dune"));
        fakes_->clipboard.changed();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        QCOMPARE(analysed.count(), 0);
        QCOMPARE(fakes_->clipboard.clears, 1);
    }

    void tickedLeaveCopiedFilesKeepsTheClipboardAndAnalysesOnce()
    {
        open();
        window_->findChild<QCheckBox *>("LeaveCopiedFiles")->click();
        QSignalSpy analysed(window_.get(), &MainWindow::fileAnalysed);
        fakes_->clipboard.content.insert(kUriListFormat, "file:///b/Herbert%20-%20Dune.txt");
        fakes_->clipboard.changed();
        QCOMPARE(field("UtilTitle"), QString("Dune"));
        fakes_->clipboard.changed();
        QTest::qWait(200); // several polls
        QCOMPARE(analysed.count(), 1);
        QCOMPARE(fakes_->clipboard.clears, 0);
        QVERIFY(!fakes_->clipboard.content.isEmpty());

        window_.reset(); // the choice holds at the next start
        fakes_ = std::make_unique<FakeDesktop>();
        fakes_->clipboard.content.insert(kUriListFormat, "file:///b/Asimov%20-%20Robots.txt");
        open();
        QCOMPARE(field("UtilTitle"), QString("Robots"));
        QCOMPARE(fakes_->clipboard.clears, 0);
    }

    void saysWhereCopiedFilesArePickedUpOnlyInFront_data()
    {
        QTest::addColumn<bool>("onlyInFront");
        QTest::newRow("Wayland") << true;
        QTest::newRow("X11") << false;
    }
    void saysWhereCopiedFilesArePickedUpOnlyInFront()
    {
        QFETCH(bool, onlyInFront);
        fakes_->clipboard.onlyInFront = onlyInFront;
        open();
        auto *hint = window_->findChild<QLabel *>("ClipboardHint");
        QCOMPARE(hint->isVisible(), onlyInFront);
        QVERIFY(hint->text().contains("when Shelvana comes to the front"));
    }

    void makeListOpensOneListWindowAtATime()
    {
        open();
        click(button("ButtonMakeList(0)"));
        click(button("ButtonMakeList(0)"));
        QCOMPARE(openListWindows().size(), 1);
        QPointer<MakeListWindow> list = openListWindows().first();
        QVERIFY(!list->parentWidget()); // a window of its own
        // One still open when the program ends goes with the main window.
        window_.reset();
        QVERIFY(list.isNull());
    }

    void exitClosesTheMainWindowButNotTheListWindow_data()
    {
        QTest::addColumn<QString>("exit"); // empty: the frame's close box
        QTest::newRow("Exit on Utilities") << "Lumicap1(0)";
        QTest::newRow("Exit on Comments") << "Lumicap1(1)";
        QTest::newRow("Exit on Config") << "Lumicap1(2)";
        QTest::newRow("close box") << "";
    }
    void exitClosesTheMainWindowButNotTheListWindow()
    {
        QFETCH(QString, exit);
        open();
        click(button("ButtonMakeList(0)"));
        QPointer<MakeListWindow> list = openListWindows().value(0);
        if (exit.isEmpty())
            QVERIFY(window_->close());
        else
            click(button(exit));
        QVERIFY(!window_->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(openListWindows(), QList<MakeListWindow *>{list});
        QVERIFY(fakes_->messages.shown.isEmpty());
        // Closed later, it is deleted.
        QVERIFY(list->close());
        QTRY_VERIFY(list.isNull());
    }

    void goWithEmptyFieldsWarns()
    {
        open();
        click(button("ButtonHyperJump"));
        QCOMPARE(fakes_->messages.shown.size(), 1);
        QCOMPARE(fakes_->messages.shown[0].first, QString("Warning:"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
