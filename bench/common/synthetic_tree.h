#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// FOLDERS folders two levels deep (about sqrt(FOLDERS) at the top), FILES spread evenly.
// Made with plain system calls relative to each folder: a million files take seconds.
inline void BuildSyntheticTree(const QString &root, int files, int folders)
{
    const auto fail = [](const QByteArray &what) {
        std::fprintf(stderr, "cannot create %s\n", what.constData());
        std::exit(1);
    };
    QDir().mkpath(root);
    int perTop = 1;
    while (perTop * perTop < folders)
        ++perTop;
    const QByteArray top = QFile::encodeName(root);
    for (int i = 0; i < folders; ++i) {
        const QByteArray author = top + "/Author " + QByteArray::number(i / perTop);
        const QByteArray path = i % perTop == 0 ? author : author + "/Series " + QByteArray::number(i);
        if (::mkdir(path.constData(), 0755) != 0)
            fail(path);
        const int folder = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder < 0)
            fail(path);
        // File i goes to folder i % folders, as the files were always dealt out.
        for (int f = i; f < files; f += folders) {
            const QByteArray name = "Author " + QByteArray::number(f % 97) + " - Book Title " + QByteArray::number(f) + ".epub";
            const int file = ::openat(folder, name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
            if (file < 0)
                fail(path + "/" + name);
            ::close(file);
        }
        ::close(folder);
    }
}

// The tree kept in the build folder, made on the first run only: a marker written last
// says a tree is whole, so an interrupted build is made again.
inline QString PreparedSyntheticTree(const QString &parent, int files, int folders)
{
    const QString root = QStringLiteral("%1/tree-%2-files-%3-folders").arg(parent).arg(files).arg(folders);
    const QString marker = root + QStringLiteral(".complete");
    if (QFileInfo::exists(marker))
        return root;
    std::printf("building the tree %s (once; later runs reuse it)\n", qPrintable(root));
    std::fflush(stdout);
    QDir(root).removeRecursively();
    BuildSyntheticTree(root, files, folders);
    QFile(marker).open(QIODevice::WriteOnly);
    return root;
}
