// tree_page_fixture SCRIPT_FILE LIST_FOLDER < collection.json
// Writes EBookTree.html for a collection described in JSON, with the program's own list
// run and tree writer, so the page tests and benchmarks open the page the program writes:
//   {"top": "/home/ann/Books", "title": "My Books",
//    "tree": {"files": ["a.txt"], "dirs": [{"name": "SF", "files": [], "dirs": []}]}}
#include "base/path_routines.h"
#include "fakes/fake_directory_lister.h"
#include "lists/list_run.h"
#include "lists/tree_list_writer.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace {

QStringList Strings(const QJsonValue &value)
{
    QStringList strings;
    for (const QJsonValue &item : value.toArray())
        strings << item.toString();
    return strings;
}

void AddTree(FakeDirectoryLister &lister, const QString &path, const QJsonObject &directory)
{
    lister.addDirectory(path, Strings(directory.value(QStringLiteral("files"))));
    for (const QJsonValue &sub : directory.value(QStringLiteral("dirs")).toArray()) {
        const QJsonObject subdirectory = sub.toObject();
        AddTree(lister, PathRoutines::JoinPath(path, subdirectory.value(QStringLiteral("name")).toString()),
                subdirectory);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: tree_page_fixture SCRIPT_FILE LIST_FOLDER < collection.json\n");
        return 2;
    }
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return 1;
    const QJsonObject collection = QJsonDocument::fromJson(input.readAll()).object();

    ListRunInputs inputs;
    inputs.topDirectory = collection.value(QStringLiteral("top")).toString(QStringLiteral("/home/ann/Books"));
    inputs.listDirectory = QFile::decodeName(argv[2]) + QLatin1Char('/');
    inputs.title = collection.value(QStringLiteral("title")).toString(QStringLiteral("My Books"));
    inputs.treeList = true;
    FakeDirectoryLister lister;
    AddTree(lister, NormalizedDirectory(inputs.topDirectory), collection.value(QStringLiteral("tree")).toObject());
    TreeListWriter writer(QFile::decodeName(argv[1]));
    ListRunProgress quiet;
    const ListRunResult result = MakeListRun(inputs, lister, {&writer}, quiet);
    if (!result.succeeded()) {
        std::fprintf(stderr, "tree_page_fixture: %s\n", qPrintable(result.error));
        return 1;
    }
    return 0;
}
