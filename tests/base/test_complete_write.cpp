#include "base/complete_write.h"
#include "support/file_size_limit.h"
#include "support/test_files.h"

#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestCompleteWrite : public QObject
{
    Q_OBJECT

private slots:
    void replacesTheOldFileOnlyWhenComplete_data()
    {
        QTest::addColumn<qsizetype>("size");
        QTest::addColumn<bool>("diskFull");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("written in full") << qsizetype(1000) << false << true;
        QTest::newRow("cut short by a full disk") << qsizetype(100000) << true << false;
    }
    void replacesTheOldFileOnlyWhenComplete()
    {
        QFETCH(qsizetype, size);
        QFETCH(bool, diskFull);
        QFETCH(bool, replaced);
        QTemporaryDir dir;
        const QString path = dir.filePath("list.txt");
        const QByteArray old = "the old file\r\n";
        WriteTestFile(path, old);
        const QByteArray bytes(size, 'x');
        QString reason;
        bool committed = false;
        {
            QSaveFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            const auto limit = diskFull ? std::make_unique<FileSizeLimit>(64) : nullptr;
            committed = CommitComplete(file, WriteAll(file, bytes), &reason);
        }
        QCOMPARE(committed, replaced);
        QCOMPARE(ReadTestFile(path), replaced ? bytes : old);
        QCOMPARE(reason.isEmpty(), replaced);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"list.txt"});
    }

    void aFailedWriteOfTheCallerKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Comments.csv");
        WriteTestFile(path, "kept");
        QSaveFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(WriteAll(file, "Author,Title\r\n"));
        QString reason;
        QVERIFY(!CommitComplete(file, false, &reason));
        QVERIFY2(reason.contains("completely"), qPrintable(reason));
        QCOMPARE(ReadTestFile(path), QByteArray("kept"));
    }
};

QTEST_GUILESS_MAIN(TestCompleteWrite)
#include "test_complete_write.moc"
