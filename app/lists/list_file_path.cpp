#include "lists/list_file_path.h"

#include "base/path_routines.h"
#include "lists/list_run.h"

QString ListFilePath(const QString &listDirectory, const QString &fileName)
{
    return PathRoutines::JoinPath(NormalizedDirectory(listDirectory), fileName);
}
