#pragma once

#include "lists/list_run.h"

// A list run with the enabled writers (table, text, tree).
ListRunResult PerformListRun(const ListRunInputs &inputs, const QString &scriptPath, DirectoryLister &lister,
                             ListRunProgress &progress);
