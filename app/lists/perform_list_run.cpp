#include "lists/perform_list_run.h"

#include "lists/table_list_writer.h"
#include "lists/text_list_writer.h"
#include "lists/tree_list_writer.h"
#include "platform/file_system_lister.h"

ListRunResult PerformListRun(const ListRunInputs &inputs, const QString &scriptPath, ListRunProgress &progress)
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
    FileSystemLister lister;
    return MakeListRun(inputs, lister, writers, progress);
}
