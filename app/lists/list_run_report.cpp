#include "lists/list_run_report.h"

#include "lists/list_file_names.h"
#include "lists/list_file_path.h"

#include <QFileInfo>

namespace {

QString skippedSentence(int skipped)
{
    if (skipped == 0)
        return {};
    return skipped == 1 ? QStringLiteral(" 1 directory could not be read in full and was skipped.")
                        : QStringLiteral(" %1 directories could not be read in full and were skipped.").arg(skipped);
}

// "a", "a and b", "a, b and c".
QString spokenList(const QStringList &items)
{
    if (items.size() < 2)
        return items.join(QString());
    return items.mid(0, items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") + items.last();
}

} // namespace

QStringList ListFileNames(const ListRunInputs &inputs)
{
    QStringList names;
    if (inputs.tableList)
        names << kTableListName;
    if (inputs.textList)
        names << kTextListName;
    if (inputs.treeList)
        names << kTreeListName;
    return names;
}

ListRunOutcome DescribeListRun(const ListRunInputs &inputs, const ListRunResult &result)
{
    const QString skipped = skippedSentence(result.skippedDirectories);
    if (result.cancelled)
        return {QStringLiteral("The run was cancelled; the earlier lists are as they were."), {}, {}};
    if (!result.error.isEmpty())
        return {result.error, {}, {}};
    const QStringList names = ListFileNames(inputs);
    if (names.isEmpty())
        return {QStringLiteral("No list is switched on in the settings, so none was written.") + skipped, {}, {}};
    // The folder that holds the lists, however the setting is spelled.
    const QString folder = QFileInfo(ListFilePath(inputs.listDirectory, names.first())).absolutePath();
    return {QStringLiteral("Wrote %1 in ").arg(spokenList(names)), folder, QStringLiteral(".") + skipped};
}
