#pragma once

#include "lists/list_run.h"

// A list run on the real file system with the enabled writers (table, text, tree).
ListRunResult PerformListRun(const ListRunInputs &inputs, const QString &scriptPath, ListRunProgress &progress);
