#pragma once

#include <QString>

// Where a list file of the list folder lies: the folder and the name joined by exactly
// one separator, whether or not the folder was given with its trailing one (a hand-made
// settings file often leaves it out). An empty folder gives the bare name.
QString ListFilePath(const QString &listDirectory, const QString &fileName);
