#include "lists/perform_list_run.h"

#include "lists/table_list_writer.h"
#include "lists/text_list_writer.h"
#include "lists/tree_list_writer.h"

ListRunResult PerformListRun(const ListRunInputs &inputs, const QString &scriptPath, DirectoryLister &lister,
                             ListRunProgress &progress)
{
    TableListWriter table;
    TextListWriter text;
    TreeListWriter tree(scriptPath);
    QList<ListWriter *> writers;
    if (inputs.tableList)
        writers << &table;
    if (inputs.textList)
        writers << &text;
    if (inputs.treeList)
        writers << &tree;
    return MakeListRun(inputs, lister, writers, progress);
}
