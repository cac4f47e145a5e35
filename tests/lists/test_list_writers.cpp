#include "lists/entry_names.h"
#include "lists/list_test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/file.h>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QString kTwo = QStringLiteral("  ");
const QString kThree = QStringLiteral("   ");

// The page script the tree test writes beside the lists, with each kind of line end
// and no line end after its last line.
const QByteArray kScript = "function init() { show(basefolder, basefolder); }\r\n"
                           "var BaseFolder = mybasefolders;\n"
                           "</SCRIPT></HEAD>\r"
                           "// end";

QStringList CopiedScript(const QString &topIdentifier)
{
    return {QStringLiteral("function init() { show(%1, %1); }").arg(topIdentifier),
            QStringLiteral("var BaseFolder = my%1s;").arg(topIdentifier), QStringLiteral("</SCRIPT></HEAD>"),
            QStringLiteral("// end")};
}

// The collection of the worked examples: a.txt and b.pdf at the top, an empty folder,
// and SF holding c.txt.
ListedTree ExampleTree(const QString &top, QChar separator)
{
    return {{top, {QStringLiteral("a.txt"), QStringLiteral("b.pdf")}},
            {top + separator + QStringLiteral("Empty"), {}},
            {top + separator + QStringLiteral("SF"), {QStringLiteral("c.txt")}}};
}

QStringList TextTail(int files, int directories)
{
    return {kThree, kThree, QStringLiteral("Files = %1").arg(files),
            QStringLiteral("Directories = %1").arg(directories), kThree};
}

QStringList TableHead(const QString &heading)
{
    return {QStringLiteral("<!DOCTYPE HTML PUBLIC '-//W3C//DTD HTML 4.0 Transitional//EN'>"),
            QStringLiteral("<HTML><head><title>Shelvana Table List</title></head>"),
            QStringLiteral("<BODY BGCOLOR='White'>"), QStringLiteral("<H1><B>%1</B></H1>").arg(heading)};
}

QStringList HtmlTotals(int files, int directories)
{
    return {QStringLiteral("<BR><BR><BR><B>Files = %1<BR>").arg(files),
            QStringLiteral("Directories = %1</B><BR><BR><BR>").arg(directories)};
}

QStringList TableTail(int files, int directories)
{
    return HtmlTotals(files, directories) << QStringLiteral("</Body></HTML>");
}

QString TableOpening(const QString &directory)
{
    return QStringLiteral("<Table Border=4><TR><TD><B>%1</B></TD></TR>").arg(directory);
}

QString TableRow(const QString &file)
{
    return QStringLiteral("<TR><TD>%1</TD></TR>").arg(file);
}

// The whole tree page around its generated statements.
QStringList TreePage(const QStringList &statements, const QString &topIdentifier, const QString &heading,
                     int files, int directories)
{
    QStringList page{QStringLiteral("<!DOCTYPE HTML PUBLIC '-//W3C//DTD HTML 4.0 Transitional//EN'>"),
                     QStringLiteral("<HTML><HEAD><TITLE>Shelvana Treeview List</TITLE>"),
                     QStringLiteral("<SCRIPT>"),
                     QStringLiteral("folders=new Array();"),
                     QStringLiteral("menuIndex =0;"),
                     QStringLiteral("selection = -1;"),
                     QStringLiteral("selectionIndex = -1;"),
                     QString()};
    page << statements << QString() << QString() << CopiedScript(topIdentifier);
    page << QStringLiteral("<BODY bgColor=white onload=init()>") << QStringLiteral("<FORM><TABLE><TBODY><TR>")
         << QStringLiteral("<TD align=left vAlign=top>") << QStringLiteral("<H2>%1</H2>").arg(heading)
         << QStringLiteral("<SELECT multiple name=menu")
         << QStringLiteral("onchange=toggleItem(this.options[this.options.selectedIndex].value)")
         << QStringLiteral("size=30>") << QStringLiteral("<SCRIPT>spacerOption(24)</SCRIPT>")
         << QStringLiteral("</SELECT> </TD></TR></TBODY></TABLE></FORM><PRE></PRE>");
    return page << HtmlTotals(files, directories) << QStringLiteral("</BODY></HTML>");
}

// Makes a write beyond the first bytes of a file fail as on a full disk, until destroyed.
class FullDisk
{
public:
    explicit FullDisk(rlim_t room)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        savedHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved_;
        small.rlim_cur = room;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FullDisk()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, savedHandler_);
    }
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

private:
    rlimit saved_{};
    void (*savedHandler_)(int) = nullptr;
};

} // namespace

class TestListWriters : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void writesListExactly_data();
    void writesListExactly();
    void hostileNamesStayContained_data();
    void hostileNamesStayContained();
    void closingTagsCannotEndAnElement();
    void emptyScriptAddsNothing();
    void totalsUseFullRange_data();
    void totalsUseFullRange();
    void emptyListDirectoryIsRefused_data();
    void emptyListDirectoryIsRefused();
    void joinsListFolderWithOneSeparator_data();
    void joinsListFolderWithOneSeparator();
    void removesDraftsOfKilledRuns_data();
    void removesDraftsOfKilledRuns();

    void openFailsWithoutWritableListDirectory_data();
    void openFailsWithoutWritableListDirectory();
    void closeFailureKeepsOldList_data();
    void closeFailureKeepsOldList();
    void abandonKeepsOldList_data();
    void abandonKeepsOldList();
    void treeOpenFailsWithoutScript_data();
    void treeOpenFailsWithoutScript();
    void replacesALinkNotItsTarget_data();
    void replacesALinkNotItsTarget();
    void failedReplacementKeepsOldList_data();
    void failedReplacementKeepsOldList();
    void scriptNamesGetASuffix_data();
    void scriptNamesGetASuffix();

private:
    void addEveryList();
    QString listPath(const QString &listName) const { return listDirectory_ + listName; }
    QStringList filesInListDirectory() const;

    std::unique_ptr<QTemporaryDir> temporary_;
    QString listDirectory_;
    QString scriptPath_;
};

void TestListWriters::init()
{
    temporary_ = std::make_unique<QTemporaryDir>();
    QVERIFY(temporary_->isValid());
    QVERIFY(QDir(temporary_->path()).mkdir(QStringLiteral("lists")));
    listDirectory_ = temporary_->filePath(QStringLiteral("lists")) + QLatin1Char('/');
    scriptPath_ = temporary_->filePath(QStringLiteral("Script.txt"));
    QVERIFY(WriteFile(scriptPath_, kScript));
}

void TestListWriters::addEveryList()
{
    QTest::addColumn<QString>("listName");
    for (const QString &listName : {kTextList, kTableList, kTreeList})
        QTest::newRow(qPrintable(listName)) << listName;
}

QStringList TestListWriters::filesInListDirectory() const
{
    return QDir(listDirectory_).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

void TestListWriters::writesListExactly_data()
{
    QTest::addColumn<QString>("listName");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("topDirectory");
    QTest::addColumn<ListedTree>("tree");
    QTest::addColumn<QStringList>("lines");

    const QChar slash(u'/');
    const QChar backslash(u'\\');
    const QString t = QStringLiteral("T");
    const QString a = QStringLiteral("a.txt");
    const QString b = QStringLiteral("b.pdf");
    const QString c = QStringLiteral("c.txt");
    const ListedTree example = ExampleTree(QStringLiteral("/Books"), slash);
    const ListedTree windowsExample = ExampleTree(QStringLiteral("C:\\Books"), backslash);
    const ListedTree noFiles{{QStringLiteral("/Books"), {}}, {QStringLiteral("/Books/Empty"), {}}};
    const ListedTree root{{QStringLiteral("/"), {QStringLiteral("x.txt")}},
                          {QStringLiteral("/books"), {QStringLiteral("y.txt")}}};

    QTest::newRow("text example") << kTextList << slash << t << "/Books/" << example
                                  << (QStringList{t, kTwo, kTwo, "/Books", a, b, kTwo, kTwo, "/Books/SF", c, kTwo, kTwo}
                                      + TextTail(3, 2));
    QTest::newRow("text windows example")
        << kTextList << backslash << t << "C:\\Books\\" << windowsExample
        << (QStringList{t, kTwo, kTwo, "C:\\Books", a, b, kTwo, kTwo, "C:\\Books\\SF", c, kTwo, kTwo} + TextTail(3, 2));
    QTest::newRow("text empty title") << kTextList << slash << "" << "/Books" << noFiles
                                      << (QStringList{"", kTwo, kTwo} + TextTail(0, 1));
    // Far more than the list writer buffers before it writes.
    const QString huge(600000, QLatin1Char('x'));
    QTest::newRow("text line longer than the buffer")
        << kTextList << slash << t << "/Books" << ListedTree{{"/Books", {huge, a}}}
        << (QStringList{t, kTwo, kTwo, "/Books", huge, a, kTwo, kTwo} + TextTail(2, 0));
    QTest::newRow("text root") << kTextList << slash << t << "/" << root
                               << (QStringList{t, kTwo, kTwo, "/", "x.txt", kTwo, kTwo, "/books", "y.txt", kTwo, kTwo}
                                   + TextTail(2, 1));

    QTest::newRow("table example") << kTableList << slash << t << "/Books/" << example
                                   << (TableHead(t) + QStringList{TableOpening("/Books"), TableRow(a), TableRow(b),
                                                                  "</Table><BR>", TableOpening("/Books/SF"),
                                                                  TableRow(c), "</Table><BR>"}
                                       + TableTail(3, 2));
    QTest::newRow("table windows example")
        << kTableList << backslash << t << "C:\\Books\\" << windowsExample
        << (TableHead(t) + QStringList{TableOpening("C:\\Books"), TableRow(a), TableRow(b), "</Table><BR>",
                                       TableOpening("C:\\Books\\SF"), TableRow(c), "</Table><BR>"}
            + TableTail(3, 2));
    QTest::newRow("table empty title and no files") << kTableList << slash << "" << "/Books" << noFiles
                                                    << (TableHead("") + TableTail(0, 1));
    QTest::newRow("table allowed characters")
        << kTableList << slash << "Tom & Jerry's" << "/Books"
        << ListedTree{{"/Books", {"Tom & Jerry's.txt"}}}
        << (TableHead("Tom & Jerry's") + QStringList{TableOpening("/Books"), TableRow("Tom & Jerry's.txt"),
                                                     "</Table><BR>"}
            + TableTail(1, 0));

    const ListedTree treeExample{{"/Books", {a}}, {"/Books/SF", {c, "Tom's.txt"}}};
    QTest::newRow("tree example") << kTreeList << slash << t << "/Books/" << treeExample
                                  << TreePage({"_Books = Folder('Books',false);", "Add(_Books,'a.txt');",
                                               "_Books_SF = Add (_Books, 'SF');", "Add(_Books_SF,'c.txt');",
                                               "Add(_Books_SF,'Toms.txt');"},
                                              "_Books", t, 3, 1);
    QTest::newRow("tree windows example")
        << kTreeList << backslash << t << "C:\\Books\\"
        << ListedTree{{"C:\\Books", {a}}, {"C:\\Books\\SF", {c, "Tom's.txt"}}}
        << TreePage({"C__Books = Folder('Books',false);", "Add(C__Books,'a.txt');",
                     "C__Books_SF = Add (C__Books, 'SF');", "Add(C__Books_SF,'c.txt');", "Add(C__Books_SF,'Toms.txt');"},
                    "C__Books", t, 3, 1);
    QTest::newRow("tree declares empty folders") << kTreeList << slash << "" << "/Books" << noFiles
                                                 << TreePage({"_Books = Folder('Books',false);",
                                                              "_Books_Empty = Add (_Books, 'Empty');"},
                                                             "_Books", "", 0, 1);
    QTest::newRow("tree top alone") << kTreeList << slash << t << "/Books" << ListedTree{{"/Books", {}}}
                                    << TreePage({"_Books = Folder('Books',false);"}, "_Books", t, 0, 0);
    QTest::newRow("tree root") << kTreeList << slash << t << "/" << root
                               << TreePage({"_ = Folder('/',false);", "Add(_,'x.txt');", "_books = Add (_, 'books');",
                                            "Add(_books,'y.txt');"},
                                           "_", t, 2, 1);
    QTest::newRow("tree windows drive root")
        << kTreeList << backslash << t << "D:\\" << ListedTree{{"D:\\", {"x.txt"}}, {"D:\\SF", {}}}
        << TreePage({"D_ = Folder('D:',false);", "Add(D_,'x.txt');", "D__SF = Add (D_, 'SF');"}, "D_", t, 1, 1);
    // "a b" and "a-b" give the same identifier; each keeps its own files and subfolder.
    QTest::newRow("tree colliding identifiers")
        << kTreeList << slash << t << "/B"
        << ListedTree{{"/B", {}}, {"/B/a b", {"1.txt"}}, {"/B/a-b", {"2.txt"}}, {"/B/a b/x", {"3.txt"}},
                      {"/B/a-b/x", {"4.txt"}}}
        << TreePage({"_B = Folder('B',false);", "_B_a_b = Add (_B, 'a b');", "Add(_B_a_b,'1.txt');",
                     "_B_a_b_2 = Add (_B, 'a-b');", "Add(_B_a_b_2,'2.txt');", "_B_a_b_x = Add (_B_a_b, 'x');",
                     "Add(_B_a_b_x,'3.txt');", "_B_a_b_x_2 = Add (_B_a_b_2, 'x');", "Add(_B_a_b_x_2,'4.txt');"},
                    "_B", t, 4, 4);
}

void TestListWriters::writesListExactly()
{
    QFETCH(QString, listName);
    QFETCH(QChar, separator);
    QFETCH(QString, title);
    QFETCH(QString, topDirectory);
    QFETCH(ListedTree, tree);
    QFETCH(QStringList, lines);

    const auto writer = MakeWriter(listName, scriptPath_, separator);
    QVERIFY2(WriteList(*writer, listDirectory_, title, topDirectory, tree), qPrintable(writer->errorString()));
    QCOMPARE(ListLines(listPath(listName), StartsWithByteOrderMark(listName)), lines);
    QCOMPARE(filesInListDirectory(), QStringList{listName});
}

// A name holding characters this system allows but the lists cannot hold as they are:
// as a file name, as a folder name and as the title, each list stays one entry a line
// and no markup or script can get in.
void TestListWriters::hostileNamesStayContained_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("textForm");
    QTest::addColumn<QString>("htmlForm");
    QTest::addColumn<QString>("scriptForm");

    const QString mark(QChar(0xFFFD));
    QTest::newRow("line feed") << "a\nb" << "a" + mark + "b" << "a" + mark + "b" << "a\\nb";
    QTest::newRow("carriage return") << "a\rb" << "a" + mark + "b" << "a" + mark + "b" << "a\\rb";
    QTest::newRow("tab") << "a\tb" << "a" + mark + "b" << "a" + mark + "b" << "a\\tb";
    QTest::newRow("control character") << "a\x01" "b" << "a" + mark + "b" << "a" + mark + "b" << "a\\x01b";
    QTest::newRow("delete") << "a\x7F" "b" << "a" + mark + "b" << "a" + mark + "b" << "a\\x7Fb";
    QTest::newRow("next line") << "a\u0085b" << "a" + mark + "b" << "a" + mark + "b" << "a\\x85b";
    QTest::newRow("line separator") << "a\u2028b" << "a" + mark + "b" << "a" + mark + "b" << "a\\u2028b";
    QTest::newRow("backslash") << "a\\b" << "a\\b" << "a\\b" << "a\\\\b";
    QTest::newRow("markup") << "<b>x<i>" << "<b>x<i>" << "&lt;b&gt;x&lt;i&gt;" << "\\x3Cb\\x3Ex\\x3Ci\\x3E";
    QTest::newRow("script element") << "<script>alert(1)<" << "<script>alert(1)<"
                                    << "&lt;script&gt;alert(1)&lt;" << "\\x3Cscript\\x3Ealert(1)\\x3C";
    QTest::newRow("double quote") << "\"q\"" << "\"q\"" << "&quot;q&quot;" << "\\x22q\\x22";
    QTest::newRow("string breakout") << "x');alert(1)" << "x');alert(1)" << "x');alert(1)" << "x);alert(1)";
    QTest::newRow("undecodable bytes") << "a" + mark << "a" + mark << "a" + mark << "a" + mark;
    // Half a pair of surrogates at either end of a name is written as U+FFFD.
    const QString halves = QChar(0xDC00) + QStringLiteral("a") + QChar(0xD800);
    QTest::newRow("lone surrogates") << halves << mark + "a" + mark << mark + "a" + mark << mark + "a" + mark;
    QTest::newRow("allowed characters") << "Tom & Jerry's.txt" << "Tom & Jerry's.txt" << "Tom & Jerry's.txt"
                                        << "Tom & Jerrys.txt";
    // A browser reads "&" before a letter, digit or "#" as a character reference.
    QTest::newRow("named reference") << "Caf&eacute;.txt" << "Caf&eacute;.txt" << "Caf&amp;eacute;.txt"
                                     << "Caf&eacute;.txt";
    QTest::newRow("reference without semicolon") << "&lt;b&gt;x.pdf" << "&lt;b&gt;x.pdf"
                                                 << "&amp;lt;b&amp;gt;x.pdf" << "&lt;b&gt;x.pdf";
    QTest::newRow("numeric reference") << "&#233;&#x41;" << "&#233;&#x41;" << "&amp;#233;&amp;#x41;"
                                       << "&#233;&#x41;";
    QTest::newRow("ampersand before a digit") << "R&2" << "R&2" << "R&amp;2" << "R&2";
    QTest::newRow("lone and final ampersands") << "A & B && C&" << "A & B && C&" << "A & B && C&"
                                               << "A & B && C&";
    QTest::newRow("non-ASCII") << "Café – 書.txt" << "Café – 書.txt" << "Café – 書.txt" << "Café – 書.txt";
    const QString longer = QStringLiteral("A Plain Long Title Of Books – 書 and \U0001F4DA Café to end it.txt");
    QTest::newRow("non-ASCII past long ASCII") << longer << longer << longer << longer;
}

void TestListWriters::hostileNamesStayContained()
{
    QFETCH(QString, name);
    QFETCH(QString, textForm);
    QFETCH(QString, htmlForm);
    QFETCH(QString, scriptForm);

    const QString top = QStringLiteral("/Books");
    const QString folder = top + QLatin1Char('/') + name;
    const ListedTree tree{{top, {name}}, {folder, {QStringLiteral("f.txt")}}};
    for (const QString &listName : {kTextList, kTableList, kTreeList}) {
        const auto writer = MakeWriter(listName, scriptPath_);
        QVERIFY2(WriteList(*writer, listDirectory_, name, top, tree), qPrintable(writer->errorString()));
    }

    const QString folderText = top + QLatin1Char('/') + textForm;
    QCOMPARE(ListLines(listPath(kTextList), false),
             QStringList({textForm, kTwo, kTwo, top, textForm, kTwo, kTwo, folderText, "f.txt", kTwo, kTwo})
                 + TextTail(2, 1));

    const QString folderHtml = top + QLatin1Char('/') + htmlForm;
    const QStringList tables{TableOpening(top), TableRow(htmlForm), "</Table><BR>", TableOpening(folderHtml),
                             TableRow("f.txt"), "</Table><BR>"};
    QCOMPARE(ListLines(listPath(kTableList), true), TableHead(htmlForm) + tables + TableTail(2, 1));

    const QString identifier = FolderIdentifier(folder);
    const QStringList statements{"_Books = Folder('Books',false);", "Add(_Books,'" + scriptForm + "');",
                                 identifier + " = Add (_Books, '" + scriptForm + "');",
                                 "Add(" + identifier + ",'f.txt');"};
    QCOMPARE(ListLines(listPath(kTreeList), true), TreePage(statements, "_Books", htmlForm, 2, 1));
}

// A path spells a closing tag over two folder names, and the title holds some.
void TestListWriters::closingTagsCannotEndAnElement()
{
    const QString title = QStringLiteral("</H1></H2></SCRIPT>");
    const ListedTree tree{{"/Books", {}}, {"/Books/<", {}}, {"/Books/</SCRIPT>", {"x.txt"}}};
    for (const QString &listName : {kTextList, kTableList, kTreeList}) {
        const auto writer = MakeWriter(listName, scriptPath_);
        QVERIFY2(WriteList(*writer, listDirectory_, title, "/Books", tree), qPrintable(writer->errorString()));
    }

    QVERIFY(ListLines(listPath(kTextList), false).contains("/Books/</SCRIPT>"));
    const QByteArray table = FileContent(listPath(kTableList)).toLower();
    QCOMPARE(table.count("</h1>"), 1);
    QCOMPARE(table.count("</script"), 0);
    const QByteArray page = FileContent(listPath(kTreeList)).toLower();
    QCOMPARE(page.count("</h2>"), 1);
    // The page script's own end and the spacer call.
    QCOMPARE(page.count("</script"), 2);
}

void TestListWriters::emptyScriptAddsNothing()
{
    QVERIFY(WriteFile(scriptPath_, QByteArray()));
    TreeListWriter writer(scriptPath_);
    QVERIFY2(WriteList(writer, listDirectory_, "T", "/Books", {{"/Books", {}}}), qPrintable(writer.errorString()));

    const QStringList lines = ListLines(listPath(kTreeList), true);
    const qsizetype body = lines.indexOf(QStringLiteral("<BODY bgColor=white onload=init()>"));
    QVERIFY(body > 3);
    QCOMPARE(lines.mid(body - 3, 3), QStringList({"_Books = Folder('Books',false);", "", ""}));
}

void TestListWriters::totalsUseFullRange_data()
{
    addEveryList();
}

// The totals of a large collection go far beyond the count of one folder.
void TestListWriters::totalsUseFullRange()
{
    QFETCH(QString, listName);

    const auto writer = MakeWriter(listName, scriptPath_);
    QVERIFY(writer->openList(listDirectory_, "T", "/Books"));
    QVERIFY(writer->closeList(2147483647, 70000, "T"));
    QVERIFY(writer->replaceOldList());
    const QByteArray content = FileContent(listPath(listName));
    QVERIFY(content.contains("Files = 2147483647"));
    QVERIFY(content.contains("Directories = 70000"));
}

void TestListWriters::emptyListDirectoryIsRefused_data()
{
    addEveryList();
}

// An empty list folder is no folder chosen, not the working folder beside the database.
void TestListWriters::emptyListDirectoryIsRefused()
{
    QFETCH(QString, listName);

    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(listDirectory_));
    const auto writer = MakeWriter(listName, scriptPath_);
    const bool written = WriteList(*writer, QString(), "T", "/Books", {{"/Books", {"a.txt"}}});
    QVERIFY(QDir::setCurrent(previous));
    QVERIFY(!written);
    QCOMPARE(writer->errorString(), QString("No list folder is chosen for %1.").arg(listName));
    QCOMPARE(filesInListDirectory(), QStringList());
}

void TestListWriters::joinsListFolderWithOneSeparator_data()
{
    QTest::addColumn<QString>("listName");
    QTest::addColumn<QString>("ending"); // what follows the folder's name
    for (const QString &listName : {kTextList, kTableList, kTreeList}) {
        for (const char *ending : {"/", "", "//"})
            QTest::addRow("%s, folder + \"%s\"", qPrintable(listName), ending) << listName << QString(ending);
    }
}

// A folder typed by hand often lacks its trailing separator: the lists still go inside it.
void TestListWriters::joinsListFolderWithOneSeparator()
{
    QFETCH(QString, listName);
    QFETCH(QString, ending);

    const auto writer = MakeWriter(listName, scriptPath_);
    const QString folder = listDirectory_.chopped(1) + ending;
    QVERIFY2(WriteList(*writer, folder, "T", "/Books", {{"/Books", {"a.txt"}}}), qPrintable(writer->errorString()));
    QCOMPARE(filesInListDirectory(), QStringList{listName});
    QCOMPARE(QDir(temporary_->path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{"Script.txt"});
}

void TestListWriters::removesDraftsOfKilledRuns_data()
{
    addEveryList();
}

// A run killed midway leaves its hidden draft; the next run removes such drafts, but
// only its own kind, and not the draft of a run still writing.
void TestListWriters::removesDraftsOfKilledRuns()
{
    QFETCH(QString, listName);

    const QString draft = listDirectory_ + "." + listName + ".new-";
    QStringList kept{listName, "." + listName + ".new-held", "." + listName + ".new-Up", "." + listName + ".old-k3x9a",
                     "." + listName + ".new-", "notes.new-k3x9a"};
    for (const QString &name : kept.mid(1))
        QVERIFY(WriteFile(listDirectory_ + name, "other"));
    QVERIFY(WriteFile(draft + "k3x9a", "killed"));
    QVERIFY(WriteFile(draft + "0z", "killed"));
    QVERIFY(QDir(listDirectory_).mkdir("." + listName + ".new-dir"));
    QFile held(draft + "held");
    QVERIFY(held.open(QIODevice::ReadOnly));
    QCOMPARE(::flock(held.handle(), LOCK_EX | LOCK_NB), 0);

    const auto writer = MakeWriter(listName, scriptPath_);
    QVERIFY2(WriteList(*writer, listDirectory_, "T", "/Books", {{"/Books", {"a.txt"}}}),
             qPrintable(writer->errorString()));
    kept << "." + listName + ".new-dir";
    QStringList found = QDir(listDirectory_).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    std::sort(kept.begin(), kept.end());
    std::sort(found.begin(), found.end());
    QCOMPARE(found, kept);
}

void TestListWriters::openFailsWithoutWritableListDirectory_data()
{
    QTest::addColumn<QString>("listName");
    QTest::addColumn<QString>("problem");
    for (const QString &listName : {kTextList, kTableList, kTreeList}) {
        for (const char *problem : {"missing", "a file", "read-only"})
            QTest::addRow("%s, %s", qPrintable(listName), problem) << listName << QString::fromLatin1(problem);
    }
}

void TestListWriters::openFailsWithoutWritableListDirectory()
{
    QFETCH(QString, listName);
    QFETCH(QString, problem);

    QString listDirectory = temporary_->filePath(QStringLiteral("elsewhere")) + QLatin1Char('/');
    if (problem == QLatin1String("a file")) {
        QVERIFY(WriteFile(listDirectory.chopped(1), "not a folder"));
    } else if (problem == QLatin1String("read-only")) {
        if (geteuid() == 0)
            QSKIP("The superuser may write into a read-only folder.");
        listDirectory = listDirectory_;
        QVERIFY(QFile::setPermissions(listDirectory, QFile::ReadOwner | QFile::ExeOwner));
    }

    const auto writer = MakeWriter(listName, scriptPath_);
    QVERIFY(!writer->openList(listDirectory, "T", "/Books"));
    QVERIFY2(writer->errorString().contains(listDirectory + listName), qPrintable(writer->errorString()));
    QVERIFY(!QFile::exists(listDirectory + listName));
    // A run that goes on regardless finishes nothing.
    QVERIFY(!writer->closeList(0, 0, "T"));
    QVERIFY(!writer->errorString().isEmpty());
}

void TestListWriters::closeFailureKeepsOldList_data()
{
    QTest::addColumn<QString>("listName");
    QTest::addColumn<int>("books");
    QTest::addColumn<bool>("diskFull");
    for (const QString &listName : {kTextList, kTableList, kTreeList}) {
        // A small list fails only when its last lines are written at the close;
        // a large one fails on the way as well.
        QTest::addRow("%s, disk full, small list", qPrintable(listName)) << listName << 0 << true;
        QTest::addRow("%s, disk full, large list", qPrintable(listName)) << listName << 3000 << true;
        QTest::addRow("%s, list folder removed", qPrintable(listName)) << listName << 0 << false;
    }
}

void TestListWriters::closeFailureKeepsOldList()
{
    QFETCH(QString, listName);
    QFETCH(int, books);
    QFETCH(bool, diskFull);

    const QByteArray oldList = "old list\r\n";
    QVERIFY(WriteFile(listPath(listName), oldList));
    const auto writer = MakeWriter(listName, scriptPath_);
    ListedTree tree = ExampleTree(QStringLiteral("/Books"), QLatin1Char('/'));
    for (int i = 0; i < books; ++i)
        tree.front().files.append(QStringLiteral("book-%1.txt").arg(i));
    bool written = false;
    if (diskFull) {
        FullDisk full(64);
        written = WriteList(*writer, listDirectory_, "T", "/Books", tree);
    } else {
        QVERIFY(writer->openList(listDirectory_, "T", "/Books"));
        QVERIFY(QDir(listDirectory_).removeRecursively());
        written = writer->closeList(3, 2, "T") && writer->replaceOldList();
    }

    QVERIFY(!written);
    QVERIFY2(writer->errorString().contains(listPath(listName)), qPrintable(writer->errorString()));
    if (diskFull) {
        QVERIFY2(!writer->errorString().contains("Unknown error"), qPrintable(writer->errorString()));
        QCOMPARE(FileContent(listPath(listName)), oldList);
        QCOMPARE(filesInListDirectory(), QStringList{listName});
    }
}

void TestListWriters::abandonKeepsOldList_data()
{
    QTest::addColumn<QString>("listName");
    QTest::addColumn<bool>("replaced");
    for (const QString &listName : {kTextList, kTableList, kTreeList}) {
        QTest::addRow("%s, while written", qPrintable(listName)) << listName << false;
        // The run undoes a replacement when a later list cannot be replaced.
        QTest::addRow("%s, after replacing", qPrintable(listName)) << listName << true;
    }
}

void TestListWriters::abandonKeepsOldList()
{
    QFETCH(QString, listName);
    QFETCH(bool, replaced);

    const QByteArray oldList = "old list\r\n";
    QVERIFY(WriteFile(listPath(listName), oldList));
    const auto writer = MakeWriter(listName, scriptPath_);
    QVERIFY(writer->openList(listDirectory_, "T", "/Books"));
    writer->startDirectory("/Books", 1);
    writer->listFile("/Books", "a.txt");
    if (replaced) {
        QVERIFY(writer->closeList(1, 0, "T"));
        QVERIFY(writer->replaceOldList());
        QVERIFY(FileContent(listPath(listName)) != oldList);
        writer->restoreOldList();
    }
    writer->abandon();

    QCOMPARE(FileContent(listPath(listName)), oldList);
    QCOMPARE(filesInListDirectory(), QStringList{listName});
}

void TestListWriters::treeOpenFailsWithoutScript_data()
{
    QTest::addColumn<bool>("scriptIsFolder");
    QTest::newRow("missing") << false;
    QTest::newRow("unreadable") << true;
}

// The run stops before its walk, and the old tree list stays.
void TestListWriters::treeOpenFailsWithoutScript()
{
    QFETCH(bool, scriptIsFolder);

    QVERIFY(QFile::remove(scriptPath_));
    if (scriptIsFolder)
        QVERIFY(QDir().mkdir(scriptPath_));
    const QByteArray oldList = "old list\r\n";
    QVERIFY(WriteFile(listPath(kTreeList), oldList));

    TreeListWriter writer(scriptPath_);
    QVERIFY(!writer.openList(listDirectory_, "T", "/Books"));
    QVERIFY2(writer.errorString().contains(scriptPath_), qPrintable(writer.errorString()));
    QVERIFY(!writer.closeList(0, 0, "T"));
    QCOMPARE(FileContent(listPath(kTreeList)), oldList);
    QCOMPARE(filesInListDirectory(), QStringList{kTreeList});
}

void TestListWriters::replacesALinkNotItsTarget_data()
{
    addEveryList();
}

// The list file is a symbolic link to a file elsewhere: the link is replaced by the list,
// and the file it pointed to stays as it was.
void TestListWriters::replacesALinkNotItsTarget()
{
    QFETCH(QString, listName);

    const QString target = temporary_->filePath(QStringLiteral("precious.txt"));
    QVERIFY(WriteFile(target, "precious\r\n"));
    QVERIFY(QFile::link(target, listPath(listName)));
    const auto writer = MakeWriter(listName, scriptPath_);
    QVERIFY2(WriteList(*writer, listDirectory_, "T", "/Books", {{"/Books", {"a.txt"}}}),
             qPrintable(writer->errorString()));

    QCOMPARE(FileContent(target), QByteArray("precious\r\n"));
    QVERIFY(!QFileInfo(listPath(listName)).isSymLink());
    QVERIFY(FileContent(listPath(listName)).contains("a.txt"));
    QCOMPARE(filesInListDirectory(), QStringList{listName});
}

void TestListWriters::failedReplacementKeepsOldList_data()
{
    addEveryList();
}

// A folder stands where the list should go: nothing is replaced and nothing is left over.
void TestListWriters::failedReplacementKeepsOldList()
{
    QFETCH(QString, listName);

    QVERIFY(QDir().mkpath(listPath(listName) + QStringLiteral("/inside")));
    const auto writer = MakeWriter(listName, scriptPath_);
    QVERIFY(!WriteList(*writer, listDirectory_, "T", "/Books", {{"/Books", {"a.txt"}}}));
    QVERIFY2(writer->errorString().contains(listPath(listName)), qPrintable(writer->errorString()));
    writer->abandon();
    QVERIFY(QFileInfo(listPath(listName) + QStringLiteral("/inside")).isDir());
    QCOMPARE(filesInListDirectory(), QStringList());
}

void TestListWriters::scriptNamesGetASuffix_data()
{
    QTest::addColumn<QString>("top");
    QTest::addColumn<QStringList>("statements");
    // A relative top directory gives an identifier without the leading "_" of an absolute one:
    // a reserved word, a global the page sets up, a name the page script declares, a
    // browser global, an event handler.
    for (const char *top : {"new/", "folders", "init", "location", "onload"}) {
        const QString plain = TrimmedPath(QString::fromLatin1(top));
        const QString suffixed = plain + "_2";
        QTest::newRow(top) << QString::fromLatin1(top)
                           << QStringList{suffixed + " = Folder('" + plain + "',false);", "Add(" + suffixed + ",'a.txt');",
                                          plain + "_x = Add (" + suffixed + ", 'x');"};
    }
    // Ordinary names, and names that only resemble an event handler.
    for (const char *top : {"books", "on", "onLoad", "on2"}) {
        const QString plain = QString::fromLatin1(top);
        QTest::newRow(top) << plain
                           << QStringList{plain + " = Folder('" + plain + "',false);", "Add(" + plain + ",'a.txt');",
                                          plain + "_x = Add (" + plain + ", 'x');"};
    }
}

void TestListWriters::scriptNamesGetASuffix()
{
    QFETCH(QString, top);
    QFETCH(QStringList, statements);

    const QString plain = TrimmedPath(top);
    TreeListWriter writer(scriptPath_);
    QVERIFY2(WriteList(writer, listDirectory_, "T", top, {{plain, {"a.txt"}}, {plain + "/x", {}}}),
             qPrintable(writer.errorString()));
    const QString topIdentifier = statements.first().section(QLatin1Char(' '), 0, 0);
    QCOMPARE(ListLines(listPath(kTreeList), true), TreePage(statements, topIdentifier, "T", 1, 1));
}

QTEST_GUILESS_MAIN(TestListWriters)
#include "test_list_writers.moc"
