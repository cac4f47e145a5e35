#include "lists/list_file_path.h"

#include "lists/entry_names.h"
#include "lists/list_run.h"

QString ListFilePath(const QString &listDirectory, const QString &fileName)
{
    return JoinFilePath(NormalizedDirectory(listDirectory), fileName);
}
