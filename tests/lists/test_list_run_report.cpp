#include "lists/list_run_report.h"

#include <QDir>
#include <QTest>

class TestListRunReport : public QObject
{
    Q_OBJECT

private slots:
    void saysWhatTheRunDid_data()
    {
        QTest::addColumn<QString>("listDirectory");
        QTest::addColumn<QString>("switches"); // table, text, tree
        QTest::addColumn<int>("skipped");
        QTest::addColumn<QString>("error");
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("folder");

        QTest::newRow("all three") << "/home/ann/Lists/" << "111" << 0 << "" << false
                                   << "Wrote EBook.html, EBook.txt and EBookTree.html in /home/ann/Lists."
                                   << "/home/ann/Lists";
        QTest::newRow("one, with skipped directories")
            << "/home/ann/Lists/" << "010" << 2 << "" << false
            << "Wrote EBook.txt in /home/ann/Lists. 2 directories could not be read in full and were skipped."
            << "/home/ann/Lists";
        QTest::newRow("one skipped directory")
            << "/l/" << "001" << 1 << "" << false
            << "Wrote EBookTree.html in /l. 1 directory could not be read in full and was skipped." << "/l";
        QTest::newRow("folder without its separator")
            << "/home/ann/Lists" << "010" << 0 << "" << false << "Wrote EBook.txt in /home/ann/Lists."
            << "/home/ann/Lists";
        QTest::newRow("folder with two separators")
            << "/home/ann/Lists//" << "010" << 0 << "" << false << "Wrote EBook.txt in /home/ann/Lists."
            << "/home/ann/Lists";
        QTest::newRow("current directory") << "" << "100" << 0 << "" << false
                                           << "Wrote EBook.html in " + QDir::currentPath() + "."
                                           << QDir::currentPath();
        QTest::newRow("all switched off") << "/l/" << "000" << 0 << "" << false
                                          << "No list is switched on in the settings, so none was written." << "";
        QTest::newRow("failed") << "/l/" << "111" << 0 << "Cannot create the list \"/l/EBook.html\": No space"
                                << false << "Cannot create the list \"/l/EBook.html\": No space" << "";
        QTest::newRow("cancelled") << "/l/" << "111" << 0 << "" << true
                                   << "The run was cancelled; the earlier lists are as they were." << "";
    }
    void saysWhatTheRunDid()
    {
        QFETCH(QString, listDirectory);
        QFETCH(QString, switches);
        QFETCH(int, skipped);
        QFETCH(QString, error);
        QFETCH(bool, cancelled);
        QFETCH(QString, text);
        QFETCH(QString, folder);

        ListRunInputs inputs;
        inputs.listDirectory = listDirectory;
        inputs.tableList = switches[0] == '1';
        inputs.textList = switches[1] == '1';
        inputs.treeList = switches[2] == '1';
        ListRunResult result;
        result.skippedDirectories = skipped;
        result.error = error;
        result.cancelled = cancelled;
        const ListRunOutcome outcome = DescribeListRun(inputs, result);
        QCOMPARE(outcome.text(), text);
        QCOMPARE(outcome.folder, folder);
    }
};

QTEST_GUILESS_MAIN(TestListRunReport)
#include "test_list_run_report.moc"
