#include "comment_fixture.h"
#include "comments/comment_queries.h"
#include "comments/record_filter.h"
#include "comments/text/comment_text.h"
#include "comments/windows/comment_box.h"
#include "comments/windows/comment_db_window.h"
#include "comments/windows/comment_windows.h"
#include "comments/windows/comments_tab.h"
#include "comments/windows/font_options_window.h"
#include "comments/windows/record_widgets.h"
#include "comments/windows/rich_text.h"
#include "fakes/fake_database_opener.h"
#include "fakes/fake_directory_picker.h"
#include "fakes/fake_message_boxes.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleEditableTextInterface>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTextEdit>

namespace {

const QString kFile = QStringLiteral("File");
const QString kAuthor = QStringLiteral("Author");

QList<FixtureRow> rows()
{
    return {{"Ann Leckie", "Ancillary Justice", "SF", "ancillary.epub", "<p>first</p>"},
            {"Bob Shaw", "Orbitsville", "SF", "orbitsville.epub", "<p>second</p>"},
            {"Anne Rice", "Interview", "Horror", "interview.epub", "<p>third</p>"}};
}

template <typename T>
T *child(QWidget *window, const QString &name)
{
    T *found = window->findChild<T *>(name);
    if (!found)
        qFatal("no %s named %s", T::staticMetaObject.className(), qPrintable(name));
    return found;
}

void click(QWidget *window, const QString &name)
{
    child<QAbstractButton>(window, name)->click();
}

// What a screen reader or automation tool does through AT-SPI's EditableText.
void setThroughAccessibility(QWidget *field, const QString &text)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(field);
    QVERIFY(accessible && accessible->editableTextInterface() && accessible->textInterface());
    accessible->editableTextInterface()->replaceText(0, accessible->textInterface()->characterCount(), text);
}

// The main window's side: its data source, the Utilities fields and the desktop fakes.
struct Program
{
    explicit Program(const QString &path) : mainComments(path)
    {
        mainComments.open();
        windows = std::make_unique<CommentWindows>(
            mainComments, CommentDbWindow::Services{messages, picker, opener, nullptr, [this] { return utilities; }, {}},
            nullptr);
        windows->loadCommentDb();
        // As on the Comments page: a box out of sight lays out its comment only when it shows.
        windows->commentsTab()->show();
    }
    // The windows go first and their tab after them, as the main window's children do.
    ~Program()
    {
        const std::unique_ptr<QWidget> tab(windows->commentsTab());
        windows.reset();
    }
    QWidget *tab() const { return windows->commentsTab(); }
    CommentDbWindow *db() const { return windows->commentDb(); }

    CommentDataSource mainComments;
    FakeMessageBoxes messages;
    FakeDirectoryPicker picker;
    FakeDatabaseOpener opener;
    FileInfo utilities;
    std::unique_ptr<CommentWindows> windows;
};

} // namespace

class TestCommentWindows : public QObject
{
    Q_OBJECT

private slots:
    void typingIsAPendingEditThatNavigationWrites()
    {
        CommentDatabase db(rows());
        Program program(db.path());
        QLineEdit *author = child<QLineEdit>(program.tab(), "CommentAuthor");
        QCOMPARE(author->text(), QStringLiteral("Ann Leckie"));
        QCOMPARE(author->accessibleName(), QStringLiteral("Author"));
        QTest::keyClicks(author, "!");
        QVERIFY(program.mainComments.hasPendingEdits());
        QTest::keyClicks(program.windows->commentsTab()->commentBox(), "more");
        QVERIFY(program.mainComments.value(QStringLiteral("Comment")).contains(QLatin1String("more")));
        QCOMPARE(db.column(kAuthor)[0], QStringLiteral("Ann Leckie"));
        for (QAbstractButton *button : program.windows->commentsTab()->navigator()->findChildren<QAbstractButton *>()) {
            if (button->accessibleName() == QLatin1String("Next Record"))
                button->click();
        }
        QCOMPARE(db.column(kAuthor)[0], QStringLiteral("Ann Leckie!"));
        QVERIFY(db.column(QStringLiteral("Comment"))[0].contains(QLatin1String("more")));
        QCOMPARE(author->text(), QStringLiteral("Bob Shaw"));
        QCOMPARE(program.windows->commentsTab()->navigator()->positionText(), QStringLiteral("record 2 of 3"));
    }

    void textSetByAssistiveToolsIsStored_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("field");
        QTest::newRow("Comments tab author") << "tab" << "CommentAuthor" << "Author";
        QTest::newRow("Comments tab title") << "tab" << "commentTitle" << "Title";
        QTest::newRow("Comments tab genre") << "tab" << "CommentGenre" << "Genre";
        QTest::newRow("Comments tab file") << "tab" << "CommentFile" << "File";
        QTest::newRow("Comments tab comment") << "tab" << "RichTextBox1" << "Comment";
        QTest::newRow("database window genre") << "db" << "TextGenre" << "Genre";
        QTest::newRow("database window comment") << "db" << "RichTextBox1" << "Comment";
    }
    void textSetByAssistiveToolsIsStored()
    {
        QFETCH(QString, window);
        QFETCH(QString, name);
        QFETCH(QString, field);
        CommentDatabase db(rows());
        Program program(db.path());
        if (window == "db")
            program.windows->showAdvanced();
        QWidget *root = window == "db" ? static_cast<QWidget *>(program.db()) : program.tab();
        setThroughAccessibility(child<QWidget>(root, name), QStringLiteral("set from outside"));
        click(root, "ButtonComment(2)");
        QVERIFY(PlainTextOfComment(db.column(field)[0]).contains(QLatin1String("set from outside")));
        // Moving shows the next record without making it an edit.
        QVERIFY(program.mainComments.moveFirst());
        QVERIFY(program.db()->records().moveFirst());
        QVERIFY(!program.mainComments.hasPendingEdits());
        QVERIFY(!program.db()->records().hasPendingEdits());
    }

    void searchSetByAssistiveToolsNarrowsTheGrid()
    {
        CommentDatabase db(rows());
        Program program(db.path());
        program.windows->showAdvanced();
        setThroughAccessibility(child<QLineEdit>(program.db(), "SearchGenre"), QStringLiteral("hor"));
        QCOMPARE(program.db()->grid()->model()->rowCount(), 2);
    }

    void addNewShowsTheUtilityFieldsAndSaveWritesThem()
    {
        CommentDatabase db(rows());
        Program program(db.path());
        program.utilities = {"Asimov - Foundation.pdf", "Asimov", "Foundation"};
        click(program.tab(), "ButtonComment(0)");
        QCOMPARE(child<QLineEdit>(program.tab(), "CommentFile")->text(), program.utilities.file);
        QCOMPARE(child<QLineEdit>(program.tab(), "commentTitle")->text(), QStringLiteral("Foundation"));
        QVERIFY(program.windows->commentsTab()->commentBox()->toPlainText().isEmpty());
        QTest::keyClicks(program.windows->commentsTab()->commentBox(), "a classic");
        click(program.tab(), "ButtonComment(2)");
        QCOMPARE(db.column(kFile).last(), program.utilities.file);
        click(program.tab(), "ButtonComment(6)");
        QCOMPARE(program.messages.shown.last().text, QStringLiteral("Record Count: 4"));
    }

    void searchNarrowsTheGridAndClearAllListsEveryFile()
    {
        CommentDatabase db(rows() + QList<FixtureRow>{{"Al", "T", "G", std::nullopt, "c"}});
        Program program(db.path());
        CommentDbWindow *window = program.db();
        QVERIFY(!window->isVisible());
        program.windows->showAdvanced();
        QVERIFY(window->isVisible());
        QCOMPARE(window->commentBox()->toPlainText(), QStringLiteral("first"));
        QTableView *grid = window->grid();
        QCOMPARE(grid->model()->rowCount(), 5); // four records and the empty row
        QLineEdit *search = child<QLineEdit>(window, "SearchAuthor");
        QCOMPARE(search->accessibleName(), QStringLiteral("Author Search"));
        QTest::keyClicks(search, "an");
        QCOMPARE(grid->model()->rowCount(), 3);
        QCOMPARE(grid->model()->index(1, 0).data().toString(), QStringLiteral("Anne Rice"));
        QTest::keyClicks(search, "n l");
        QCOMPARE(grid->model()->rowCount(), 2);
        QCOMPARE(child<QLineEdit>(window, "TextAuthor")->text(), QStringLiteral("Ann Leckie"));
        click(window, "ButtonComment(6)");
        QCOMPARE(search->text(), QString());
        QCOMPARE(window->records().recordSource(), ClearAllQueryText());
        QCOMPARE(grid->model()->rowCount(), 4);
        // Close refreshes the main window's data source and keeps the search.
        QTest::keyClicks(search, "bob");
        program.mainComments.moveLast();
        click(window, "HideNow");
        QVERIFY(!window->isVisible());
        QCOMPARE(program.mainComments.currentIndex(), 0);
        program.windows->showAdvanced();
        QCOMPARE(search->text(), QStringLiteral("bob"));
        QCOMPARE(grid->model()->rowCount(), 2);
    }

    void gridRowIsTheCurrentRecordAndEditsGoToTheDataSource()
    {
        CommentDatabase db(rows());
        Program program(db.path());
        CommentDbWindow *window = program.db();
        QTableView *grid = window->grid();
        grid->setCurrentIndex(grid->model()->index(2, 1));
        QCOMPARE(window->records().currentIndex(), 2);
        QCOMPARE(child<QLineEdit>(window, "TextTitle")->text(), QStringLiteral("Interview"));
        QVERIFY(grid->model()->setData(grid->model()->index(1, 2), QStringLiteral("Classic")));
        QCOMPARE(window->records().currentIndex(), 1);
        QCOMPARE(child<QLineEdit>(window, "TextGenre")->text(), QStringLiteral("Classic"));
        // Typing into the empty last row starts a new record.
        QVERIFY(grid->model()->setData(grid->model()->index(3, 3), QStringLiteral("new.epub")));
        QVERIFY(window->records().isNewRecord());
        QCOMPARE(db.column(QStringLiteral("Genre"))[1], QStringLiteral("Classic"));
        click(window, "ButtonComment(2)");
        QCOMPARE(db.column(kFile).last(), QStringLiteral("new.epub"));
        // Selected rows are deleted after a question.
        program.messages.confirmations = {true};
        grid->selectRow(0);
        QTest::keyClick(grid, Qt::Key_Delete);
        QCOMPARE(db.column(kFile), (QStringList{"orbitsville.epub", "interview.epub", "new.epub"}));
    }

    // The grid keeps Tab to move between its cells, the comment box to type a tab; Ctrl+Tab
    // and Ctrl+Shift+Tab leave either of them.
    void ctrlTabLeavesTheGridAndTheBox_data()
    {
        QTest::addColumn<bool>("box");
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        const auto forwards = Qt::KeyboardModifiers(Qt::ControlModifier);
        const auto backwards = Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier);
        QTest::newRow("grid, forwards") << false << Qt::Key_Tab << forwards;
        QTest::newRow("grid, backwards") << false << Qt::Key_Backtab << backwards;
        QTest::newRow("box, forwards") << true << Qt::Key_Tab << forwards;
        QTest::newRow("box, backwards") << true << Qt::Key_Backtab << backwards;
    }

    void ctrlTabLeavesTheGridAndTheBox()
    {
        QFETCH(bool, box);
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        CommentDatabase db(rows());
        Program program(db.path());
        CommentDbWindow *window = program.db();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTableView *grid = window->grid();
        grid->setCurrentIndex(grid->model()->index(0, 0));
        QWidget *control = box ? static_cast<QWidget *>(window->commentBox()) : grid;
        control->setFocus();
        const QString comment = window->commentBox()->toPlainText();
        QTest::keyClick(control, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), control);
        QTest::keyClick(control, key, modifiers);
        QVERIFY(QApplication::focusWidget() != control);
        QVERIFY(window->isAncestorOf(QApplication::focusWidget()));
        // Only the plain Tab did the control's own work.
        if (box)
            QCOMPARE(window->commentBox()->toPlainText(), QLatin1Char('\t') + comment);
        else
            QCOMPARE(grid->currentIndex().column(), 1);
    }

    void gridShowsRowsAsItScrolls()
    {
        QList<FixtureRow> many;
        for (int i = 0; i < 300; ++i)
            many << fileRow(QStringLiteral("%1.epub").arg(i));
        CommentDatabase db(many);
        Program program(db.path());
        QAbstractItemModel *model = program.db()->grid()->model();
        QCOMPARE(model->rowCount(), 65); // the first page and the empty row
        QVERIFY(model->canFetchMore(QModelIndex()));
        model->fetchMore(QModelIndex());
        QCOMPARE(model->rowCount(), 301);
        QVERIFY(!model->canFetchMore(QModelIndex()));
        QCOMPARE(model->index(299, 3).data().toString(), QStringLiteral("299.epub"));
        // Once the navigation bar has counted the records, the grid has a row for each.
        program.db()->records().refresh();
        QCOMPARE(model->rowCount(), 65);
        QTRY_COMPARE(model->rowCount(), 301);
    }

    // A search that has to look through a long table leaves the window free meanwhile: the
    // grid shows what it has found, the navigation bar says it is still searching.
    void slicedSearchShowsWhatItHasFound_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("found");
        QTest::addColumn<QString>("position");
        QTest::newRow("no match") << "q" << 0 << "no records";
        QTest::newRow("far apart") << "z" << 3 << "record 1 of 3";
    }
    void slicedSearchShowsWhatItHasFound()
    {
        QFETCH(QString, typed);
        QFETCH(int, found);
        QFETCH(QString, position);
        CommentDatabase db(farApartRows());
        Program program(db.path());
        program.windows->showAdvanced();
        CommentDbWindow *window = program.db();
        window->records().setReadSliceTime(0);
        auto *navigator = window->findChild<RecordNavigator *>();
        QTest::keyClicks(child<QLineEdit>(window, "SearchAuthor"), typed);
        QVERIFY(window->records().isReading());
        QCOMPARE(navigator->positionText(), found ? QStringLiteral("record 1 of ...") : QStringLiteral("searching..."));
        QCOMPARE(window->grid()->model()->rowCount(), found ? 2 : 1);
        QTRY_COMPARE(navigator->positionText(), position);
        QCOMPARE(window->grid()->model()->rowCount(), found + 1);
        if (found)
            QCOMPARE(window->grid()->model()->index(found - 1, 3).data().toString(), QStringLiteral("19990.epub"));
        if (found)
            QCOMPARE(window->grid()->currentIndex().row(), 0);
    }

    // Last before the count is known ends where it always did, with the edits written when
    // it is pressed; a record chosen before the count arrives stays current.
    void lastRecordWaitsForTheCount_data()
    {
        QTest::addColumn<QString>("search");
        QTest::addColumn<int>("chosen");
        QTest::newRow("every record") << QString() << -1;
        QTest::newRow("another record chosen meanwhile") << QString() << 7;
        QTest::newRow("during a sliced search") << "y" << -1;
    }
    void lastRecordWaitsForTheCount()
    {
        QFETCH(QString, search);
        QFETCH(int, chosen);
        CommentDatabase db(search.isEmpty() ? numberedRows(1000) : farApartRows());
        const RecordFilter filter = search.isEmpty() ? RecordFilter() : RecordFilter::search(search, {}, {}, {});
        CommentDataSource reference(db.path());
        reference.setRecordFilter(filter);
        QVERIFY(reference.open());
        QVERIFY(reference.moveLast());
        Program program(db.path());
        program.windows->showAdvanced();
        CommentDbWindow *window = program.db();
        CommentDataSource &source = window->records();
        source.setReadSliceTime(0);
        auto *navigator = window->findChild<RecordNavigator *>();
        // The search has found nothing yet when Last is pressed.
        QTest::keyClicks(child<QLineEdit>(window, "SearchAuthor"), search);
        const int from = search.isEmpty() ? 5 : -1;
        if (from >= 0) {
            QVERIFY(source.moveTo(from));
            QVERIFY(source.setValue(QStringLiteral("Genre"), QStringLiteral("typed")));
        }
        QVERIFY(!source.knownRecordCount());
        for (QAbstractButton *button : navigator->findChildren<QAbstractButton *>()) {
            if (button->accessibleName() == QLatin1String("Last Record"))
                button->click();
        }
        if (from >= 0)
            QCOMPARE(db.column(QStringLiteral("Genre"))[from], QStringLiteral("typed"));
        QCOMPARE(source.currentIndex(), from);
        if (chosen >= 0)
            window->grid()->setCurrentIndex(window->grid()->model()->index(chosen, 0));
        // The count may be known before the search has read its records.
        while (!search.isEmpty() && !source.countSomeRecords()) {
        }
        QCOMPARE(source.isReading(), !search.isEmpty());
        QTRY_VERIFY(source.knownRecordCount());
        const int expected = chosen >= 0 ? chosen : reference.currentIndex();
        QTRY_COMPARE(source.currentIndex(), expected);
        QCOMPARE(source.value(kFile), chosen >= 0 ? QStringLiteral("%1.epub").arg(chosen) : reference.value(kFile));
        QCOMPARE(window->grid()->currentIndex().row(), expected);
        QCOMPARE(navigator->positionText(),
                 QStringLiteral("record %1 of %2").arg(expected + 1).arg(*reference.knownRecordCount()));
        QVERIFY(program.messages.shown.isEmpty());
    }

    void closingByTheFrameWritesEditsOrStays()
    {
        CommentDatabase db(rows());
        Program program(db.path());
        program.windows->showAdvanced();
        QPointer<CommentDbWindow> window = program.db();
        QTest::keyClicks(child<QLineEdit>(window, "TextGenre"), "!");
        QVERIFY(window->close());
        QTRY_VERIFY(!window);
        QCOMPARE(db.column(QStringLiteral("Genre"))[0], QStringLiteral("SF!"));
        // The next Advanced loads it anew, with the whole table and empty search boxes.
        program.windows->showAdvanced();
        QVERIFY(program.db());
        QCOMPARE(program.db()->records().recordSource(), QStringLiteral("Table1"));
    }

    void exitAsksWhenEditsCannotBeWritten()
    {
        CommentDatabase db(rows());
        Program program(db.path());
        QTest::keyClicks(child<QLineEdit>(program.tab(), "CommentGenre"), "!");
        TestConnection otherProgram(db.path());
        QVERIFY(otherProgram.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        program.messages.commitChoices = {MessageBoxes::FailedCommitChoice::Stay};
        QVERIFY(!program.windows->commitAll());
        QCOMPARE(program.messages.kinds(), QStringList{"ask"});
        QVERIFY(program.messages.shown[0].text.contains(QLatin1String("locked")));
        QVERIFY(otherProgram.exec(QStringLiteral("COMMIT")));
        QVERIFY(program.windows->commitAll());
        QCOMPARE(db.column(QStringLiteral("Genre"))[0], QStringLiteral("SF!"));
    }

    void fileLookupSaysAfterTheAnalysisWhenEditsCannotBeWritten()
    {
        CommentDatabase db(rows());
        Program program(db.path());
        QTest::keyClicks(child<QLineEdit>(program.tab(), "CommentGenre"), "!");
        TestConnection otherProgram(db.path());
        QVERIFY(otherProgram.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        CommentLookup *lookup = program.windows->commentsTab();
        lookup->findFile(QStringLiteral("interview.epub"));
        QVERIFY(program.messages.shown.isEmpty());
        QTRY_COMPARE(program.messages.kinds(), QStringList{"warn"});
        QVERIFY(program.messages.shown[0].text.contains(QLatin1String("not looked up")));
        QCOMPARE(child<QLineEdit>(program.tab(), "CommentGenre")->text(), QStringLiteral("SF!"));
        QVERIFY(otherProgram.exec(QStringLiteral("COMMIT")));
        QCOMPARE(lookup->findFile(QStringLiteral("interview.epub")), QStringLiteral("interview.epub"));
        QCOMPARE(db.column(QStringLiteral("Genre"))[0], QStringLiteral("SF!"));
        QTest::qWait(10);
        QCOMPARE(program.messages.shown.size(), 1);
    }

    void hugeCommentIsShownReadOnlyAndStaysAsStored()
    {
        const QString huge(1 << 20, u'x');
        CommentDatabase db({{"A", "T", "G", "huge.epub", huge}, {"B", "T", "G", "small.epub", "<p>small</p>"}});
        Program program(db.path());
        CommentBox *box = program.windows->commentsTab()->commentBox();
        QVERIFY(box->isReadOnly());
        QVERIFY2(box->toPlainText().startsWith(QLocale().toString(huge.size()).prepend("[This comment of ")),
                 qPrintable(box->toPlainText().left(80)));
        QVERIFY(!box->toPlainText().contains(QString(4097, u'x')));
        QCOMPARE(box->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
        // Formatting from the font window changes only what is shown.
        box->selectAll();
        SetSelectionAttribute(box, TextAttribute::Bold, true);
        QVERIFY(!program.mainComments.hasPendingEdits());
        QVERIFY(program.mainComments.moveNext());
        QVERIFY(!box->isReadOnly());
        QCOMPARE(box->toPlainText(), QStringLiteral("small"));
        QCOMPARE(db.column(QStringLiteral("Comment"))[0], huge);
    }

    void popUpMenuHasItsSixItems()
    {
        CommentDatabase db(rows());
        Program program(db.path());
        for (CommentBox *box : {program.windows->commentsTab()->commentBox(), program.db()->commentBox()}) {
            QStringList items;
            for (QAction *action : box->popUpMenu()->actions())
                items << (action->isSeparator() ? QStringLiteral("-") : action->text());
            QCOMPARE(items, (QStringList{"C&ut", "&Copy", "&Paste", "-", "&Undo", "&Font"}));
        }
        CommentBox *box = program.windows->commentsTab()->commentBox();
        box->selectAll();
        box->popUpMenu()->actions()[0]->trigger();
        QVERIFY(box->toPlainText().isEmpty());
        box->popUpMenu()->actions()[4]->trigger();
        QCOMPARE(box->toPlainText(), QStringLiteral("first"));
    }

    void fontCommandsWorkOnTheVisibleWindowsBox()
    {
        CommentDatabase db(rows());
        Program program(db.path());
        program.windows->commentsTab()->commentBox()->popUpMenu()->actions()[5]->trigger();
        FontOptionsWindow *font = program.windows->fontWindow();
        QVERIFY(font && font->isVisible());
        QVERIFY(font->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(font->fontNames()->currentText(), QStringLiteral("Arial"));
        QCOMPARE(font->fontSizes()->currentText(), QStringLiteral("10"));
        QCOMPARE(font->fontSizes()->count(), 33);
        QCOMPARE(program.windows->fontTarget(), program.windows->commentsTab()->commentBox());
        program.windows->showAdvanced();
        QTextEdit *box = program.db()->commentBox();
        QCOMPARE(program.windows->fontTarget(), box);
        // Bold: partly bold becomes plain, plain becomes bold, bold stays bold.
        box->setHtml(QStringLiteral("<b>bold</b> plain"));
        box->selectAll();
        const auto boldEverywhere = [box] { return SelectionAttribute(box, TextAttribute::Bold); };
        QCOMPARE(boldEverywhere(), AttributeState::Mixed);
        font->rtfEdit(0);
        QCOMPARE(boldEverywhere(), AttributeState::Nowhere);
        font->rtfEdit(0);
        QCOMPARE(boldEverywhere(), AttributeState::Everywhere);
        font->rtfEdit(0);
        QCOMPARE(boldEverywhere(), AttributeState::Everywhere);
        // A typed name applies at each keystroke; a typed size never does.
        box->selectAll();
        font->fontNames()->setCurrentText(QString());
        QTest::keyClicks(font->fontNames()->lineEdit(), "Se");
        QCOMPARE(box->textCursor().charFormat().fontFamilies().toStringList(), QStringList{"Se"});
        font->fontSizes()->lineEdit()->clear();
        QTest::keyClicks(font->fontSizes()->lineEdit(), "40");
        QTest::keyClick(font->fontSizes()->lineEdit(), Qt::Key_Return);
        QVERIFY(box->textCursor().charFormat().fontPointSize() != 40);
        QCOMPARE(font->fontSizes()->count(), 33);
        emit font->fontSizes()->textActivated(QStringLiteral("24"));
        QCOMPARE(box->textCursor().charFormat().fontPointSize(), 24.0);
        // A swatch colours the selected text, or with BackColor the whole box.
        font->label(1)->clicked();
        QCOMPARE(box->textCursor().charFormat().foreground().color(), QColor(255, 0, 0));
        font->backColorOption()->setChecked(true);
        emit font->label(16)->clicked();
        QCOMPARE(box->palette().color(QPalette::Base), QColor(192, 255, 192));
        emit font->label(0)->clicked();
        QCOMPARE(box->palette().color(QPalette::Base), font->label(0)->palette().color(QPalette::Window));
        // Once that window is hidden the main window's box is the target again.
        click(program.db(), "HideNow");
        QCOMPARE(program.windows->fontTarget(), program.windows->commentsTab()->commentBox());
        QVERIFY(font->close());
        QTRY_VERIFY(!program.windows->fontWindow());
    }

    void accessTwoThousandSaysWhenNothingCanOpenTheFile()
    {
        CommentDatabase db(rows());
        Program program(db.path());
        program.db()->utilComment(2);
        QCOMPARE(program.opener.opened, QStringList{db.path()});
        QVERIFY(program.messages.shown.isEmpty());
        program.opener.canOpen = false;
        program.db()->utilComment(2);
        QCOMPARE(program.messages.kinds(), QStringList{"warn"});
    }

    void missingDatabaseOpensEmptyWithOneMessage()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("db25.mdb");
        Program program(path);
        QVERIFY(program.messages.shown.isEmpty());
        for (RecordNavigator *navigator :
             {program.windows->commentsTab()->navigator(), program.db()->findChild<RecordNavigator *>()})
            QVERIFY2(navigator->positionText().contains(QLatin1String("was not found")),
                     qPrintable(navigator->positionText()));
        QVERIFY(child<QLineEdit>(program.tab(), "CommentAuthor")->isReadOnly());
        click(program.tab(), "ButtonComment(0)");
        click(program.tab(), "ButtonComment(1)");
        click(program.tab(), "ButtonComment(6)");
        QCOMPARE(program.messages.shown.last().text, QStringLiteral("Record Count: 0"));
        QVERIFY(!QFileInfo::exists(path));
    }
};

QTEST_MAIN(TestCommentWindows)
#include "test_comment_windows.moc"
