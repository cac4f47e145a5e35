#pragma once

#include <QDir>
#include <QFile>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

// FOLDERS folders two levels deep (about sqrt(FOLDERS) at the top), FILES spread evenly.
inline void BuildSyntheticTree(const QString &root, int files, int folders)
{
    int perTop = 1;
    while (perTop * perTop < folders)
        ++perTop;
    QStringList leaves;
    for (int i = 0; i < folders; ++i) {
        const int top = i / perTop;
        const QString path = i % perTop == 0 ? QStringLiteral("%1/Author %2").arg(root).arg(top)
                                             : QStringLiteral("%1/Author %2/Series %3").arg(root).arg(top).arg(i);
        QDir().mkpath(path);
        leaves << path;
    }
    for (int i = 0; i < files; ++i) {
        QFile file(QStringLiteral("%1/Author %2 - Book Title %3.epub").arg(leaves[i % leaves.size()]).arg(i % 97).arg(i));
        if (!file.open(QIODevice::WriteOnly)) {
            std::fprintf(stderr, "cannot create %s\n", qPrintable(file.fileName()));
            std::exit(1);
        }
    }
}
