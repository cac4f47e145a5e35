#include "lists/entry_names.h"
#include "lists/list_test_support.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A page script that builds the tree as plain objects and prints it, so a script
// engine shows what the page would show.
const QByteArray kRecordingScript = "function Folder(name, open) { return {name: name, items: []}; }\n"
                                    "function Add(parent, name) {\n"
                                    "  var entry = {name: name, items: []};\n"
                                    "  parent.items.push(entry);\n"
                                    "  return entry;\n"
                                    "}\n"
                                    "process.stdout.write(JSON.stringify(basefolder));\n"
                                    "</SCRIPT></HEAD>\n";

QJsonObject Entry(const QString &name, const QJsonArray &items = {})
{
    return QJsonObject{{QStringLiteral("name"), StripApostrophes(name)}, {QStringLiteral("items"), items}};
}

// The script element as a browser reads it: from the head's opening tag up to the
// first closing tag, whatever case it is written in.
QString ScriptElement(const QString &page)
{
    const QString opening = QStringLiteral("<SCRIPT>\r\n");
    const qsizetype start = page.indexOf(opening) + opening.size();
    const qsizetype end = page.indexOf(QStringLiteral("</script"), start, Qt::CaseInsensitive);
    return page.mid(start, end - start);
}

} // namespace

// Runs the generated statements of the tree page in a script engine: every name,
// whatever it holds, comes out as the same shown name, and nothing ends the script
// element early.
class TestTreePageScript : public QObject
{
    Q_OBJECT

private slots:
    void namesSurviveTheScript();
};

void TestTreePageScript::namesSurviveTheScript()
{
    const QString node = QStandardPaths::findExecutable(QStringLiteral("node"));
    if (node.isEmpty())
        QSKIP("No script engine (node) installed.");

    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    const QString scriptPath = temporary.filePath(QStringLiteral("Script.txt"));
    QVERIFY(WriteFile(scriptPath, kRecordingScript));

    const QStringList names{"a\nb", "a\rb", "a\tb", "a\x01" "b", "a\u0085b", "a\u2028b", "a\u2029b", "a\\b",
                            "<script>", "<!--", "-->", "x');alert(1)", "\"q\"", "Tom & Jerry's.txt",
                            "Café 書 \U0001F4DA", QString(QChar(0xFFFD)), "${x}`"};
    const QString top = QStringLiteral("/");
    ListedTree tree{{top, names}};
    QJsonArray topItems;
    for (const QString &name : names)
        topItems.append(Entry(name));
    for (const QString &name : names) {
        tree.append({top + name, {QStringLiteral("f.txt")}});
        topItems.append(Entry(name, {Entry(QStringLiteral("f.txt"))}));
    }

    TreeListWriter writer(scriptPath);
    QVERIFY2(WriteList(writer, temporary.path() + QLatin1Char('/'), QStringLiteral("T"), top, tree),
             qPrintable(writer.errorString()));

    const QString page = QString::fromUtf8(FileContent(temporary.filePath(kTreeList)));
    const QString programPath = temporary.filePath(QStringLiteral("page.js"));
    QVERIFY(WriteFile(programPath, ScriptElement(page).toUtf8()));
    QProcess engine;
    engine.start(node, {programPath});
    QVERIFY(engine.waitForFinished(60000));
    QVERIFY2(engine.exitCode() == 0, engine.readAllStandardError().constData());

    const QJsonDocument shown = QJsonDocument::fromJson(engine.readAllStandardOutput());
    QCOMPARE(shown.object(), Entry(QStringLiteral("/"), topItems));
}

QTEST_GUILESS_MAIN(TestTreePageScript)
#include "test_tree_page_script.moc"
