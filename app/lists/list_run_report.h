#pragma once

#include "lists/list_run.h"

#include <QStringList>

// What the list window says when a run has ended, as plain text in three parts so the
// window can show the list folder as a link: before + folder + after.
struct ListRunOutcome
{
    QString before;
    QString folder; // absolute; empty when no list was written
    QString after;

    QString text() const { return before + folder + after; }
};

// The list files a run with these inputs writes, in the order they are written.
QStringList ListFileNames(const ListRunInputs &inputs);

ListRunOutcome DescribeListRun(const ListRunInputs &inputs, const ListRunResult &result);
