#include "platform/file_system_lister.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void touch(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

} // namespace

class TestFileSystemLister : public QObject
{
    Q_OBJECT

private slots:
    void listsVisibleEntriesInCaseBlindOrder()
    {
        QTemporaryDir dir;
        const QString root = dir.path();
        for (const char *name : {"b.txt", "B.txt", "a.PDF", ".hidden", "Zed.epub"})
            touch(root + "/" + name);
        QDir(root).mkpath("sub");
        QDir(root).mkpath("Alpha");
        QDir(root).mkpath(".git");
        QVERIFY(QFile::link(root + "/a.PDF", root + "/link.txt"));
        QVERIFY(QFile::link(root + "/Alpha", root + "/linkdir"));
        QVERIFY(QFile::link(root + "/nowhere", root + "/dangling"));

        const std::optional<DirectoryEntries> entries = FileSystemLister().readDirectory(root);
        QVERIFY(entries);
        QCOMPARE(entries->files, QStringList({"a.PDF", "B.txt", "b.txt", "link.txt", "Zed.epub"}));
        QCOMPARE(entries->subdirectories, QStringList({root + "/Alpha", root + "/linkdir", root + "/sub"}));
    }

    void missingDirectoryGivesNothing()
    {
        QVERIFY(!FileSystemLister().readDirectory("/no/such/directory"));
    }

    void linkedDirectorySharesIdentity()
    {
        QTemporaryDir dir;
        QDir(dir.path()).mkpath("real");
        QVERIFY(QFile::link(dir.path() + "/real", dir.path() + "/again"));
        FileSystemLister lister;
        const auto identity = [&](const QString &name) { return lister.readDirectory(dir.filePath(name))->identity; };
        QCOMPARE(identity("again"), identity("real"));
        QVERIFY(identity(".") != identity("real"));
    }

    void childPathNeverDoublesTheSeparator()
    {
        QCOMPARE(FileSystemLister::childPath("/", "home"), QString("/home"));
        QCOMPARE(FileSystemLister::childPath("/home", "ann"), QString("/home/ann"));
    }
};

QTEST_GUILESS_MAIN(TestFileSystemLister)
#include "test_file_system_lister.moc"
