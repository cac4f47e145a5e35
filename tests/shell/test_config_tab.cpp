#include "fakes/fake_desktop.h"
#include "shell/config_commands.h"
#include "shell/config_tab.h"
#include "shell/launchers.h"
#include "support/file_size_limit.h"
#include "support/test_files.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestConfigTab : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    Settings settings_;
    std::unique_ptr<UserPreferences> preferences_;
    std::unique_ptr<FakeDesktop> fakes_;
    std::unique_ptr<Launchers> launchers_;
    std::unique_ptr<ConfigTab> tab_;

    QString path() const { return dir_->filePath("Path.txt"); }
    void press(int index) { tab_->findChild<QPushButton *>(QStringLiteral("ButtonConfig(%1)").arg(index))->click(); }
    template <typename T> T *control(const char *name) { return tab_->findChild<T *>(QLatin1String(name)); }

    // The per-user settings of this test live in its temporary folder, never in the user's own.
    void keepPreferencesIn(const QString &folder)
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
    }
    void makeTab()
    {
        preferences_ = std::make_unique<UserPreferences>();
        tab_ = std::make_unique<ConfigTab>(settings_, *preferences_, fakes_->desktop, *launchers_, nullptr, path());
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        keepPreferencesIn(dir_->filePath("config"));
        settings_ = Settings();
        fakes_ = std::make_unique<FakeDesktop>();
        launchers_ = std::make_unique<Launchers>(settings_, fakes_->desktop);
        makeTab();
    }

    void cleanup()
    {
        tab_.reset();
        preferences_.reset();
    }

    void tickingChangesTheSettingWithoutSaving_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("field");
        QTest::newRow("Text List") << "ConfigTextList" << 0;
        QTest::newRow("HTML Tables List") << "configTableList" << 1;
        QTest::newRow("HTML/JS TreeView List") << "ConfigTreeViewList" << 2;
        QTest::newRow("Use Sound") << "ConfigSound" << 3;
    }
    void tickingChangesTheSettingWithoutSaving()
    {
        QFETCH(QString, box);
        QFETCH(int, field);
        qint16 Settings::*const fields[] = {&Settings::ConfigTextList, &Settings::configTableList,
                                            &Settings::ConfigTreeViewList, &Settings::ConfigSound};
        auto *check = tab_->findChild<QCheckBox *>(box);
        check->click();
        QCOMPARE(settings_.*fields[field], qint16(1));
        check->click();
        QCOMPARE(settings_.*fields[field], qint16(0));
        QVERIFY(!QFile::exists(path()));
    }

    void typingTheTitleChangesTheSettingWithoutSaving()
    {
        QTest::keyClicks(control<QLineEdit>("ConfigListTitle"), "My Books");
        QCOMPARE(settings_.ConfigListTitle, QString("My Books"));
        QVERIFY(!QFile::exists(path()));
    }

    void showsLoadedSettingsAndKeepsOddSwitchValues()
    {
        settings_.ConfigEbookDir = "/books/";
        settings_.ConfigTreeViewList = 2; // hand-edited file
        settings_.ConfigListTitle = "Mine";
        tab_->showSettings();
        QCOMPARE(control<QLineEdit>("ConfigEbookDir")->text(), QString("/books/"));
        QVERIFY(control<QLineEdit>("ConfigEbookDir")->isReadOnly());
        QVERIFY(control<QCheckBox>("ConfigTreeViewList")->isChecked());
        QCOMPARE(settings_.ConfigTreeViewList, qint16(2));
        QCOMPARE(control<QLineEdit>("ConfigListTitle")->text(), QString("Mine"));
    }

    void directoryButtonsUseThePicker()
    {
        fakes_->directories.answer = "/home/ann/Books";
        press(0);
        QCOMPARE(settings_.ConfigEbookDir, QString("/home/ann/Books/"));
        QCOMPARE(control<QLineEdit>("ConfigEbookDir")->text(), QString("/home/ann/Books/"));
        QCOMPARE(fakes_->directories.askedTitle, QString("Choose Directory"));
        fakes_->directories.answer.reset();
        press(1);
        QCOMPARE(settings_.ConfigListDir, QString());
        fakes_->directories.answer = "/home/ann/Lists/";
        press(1);
        QCOMPARE(control<QLineEdit>("ConfigListDir")->text(), QString("/home/ann/Lists/"));
        QVERIFY(!QFile::exists(path()));
    }

    void saveConfigWritesTheFileThenPlaysItsCue()
    {
        QSignalSpy saved(tab_.get(), &ConfigTab::saved);
        control<QCheckBox>("ConfigTextList")->click();
        control<QCheckBox>("ConfigSound")->click();
        QTest::keyClicks(control<QLineEdit>("ConfigListTitle"), "T");
        press(2);
        QCOMPARE(ReadTestFile(path()), QByteArray("\r\n\r\n 1 \r\n 0 \r\n 0 \r\nT\r\n 1 \r\n"));
        QCOMPARE(fakes_->sound.played.size(), 1);
        QVERIFY(fakes_->sound.played[0].endsWith("/vuuum.wav"));
        QCOMPARE(saved.count(), 1);
        QVERIFY(fakes_->messages.shown.isEmpty());
    }

    void failedSaveSaysWhyAndKeepsTheOldFile()
    {
        const QByteArray old = "/old/\r\n/old/\r\n 1 \r\n 1 \r\n 1 \r\nOld\r\n 1 \r\n";
        WriteTestFile(path(), old);
        QSignalSpy saved(tab_.get(), &ConfigTab::saved);
        settings_.ConfigSound = 1;
        settings_.ConfigListTitle = QString(200, 'x');
        {
            FileSizeLimit full(64);
            press(2);
        }
        QCOMPARE(ReadTestFile(path()), old);
        QCOMPARE(fakes_->messages.shown.size(), 1);
        QVERIFY(fakes_->messages.shown[0].second.contains("Could not save"));
        QVERIFY(fakes_->sound.played.isEmpty());
        QCOMPARE(saved.count(), 0);
    }

    void leaveCopiedFilesIsKeptPerUserAtOnce()
    {
        auto *box = control<QCheckBox>("LeaveCopiedFiles");
        QVERIFY(!box->isChecked()); // by default the analysis empties the clipboard
        QCOMPARE(box->accessibleName(), QString("Leave copied files on the clipboard"));
        QCOMPARE(box->text(), box->accessibleName());
        QVERIFY(box->toolTip().contains("pasted elsewhere"));
        QCOMPARE(box->accessibleDescription(), box->toolTip());

        QSignalSpy changed(tab_.get(), &ConfigTab::leaveCopiedFilesChanged);
        box->click();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed[0][0].toBool(), true);
        QVERIFY(UserPreferences().leaveCopiedFiles());
        QVERIFY(!QFile::exists(path())); // Path.txt stays as it was
        QVERIFY(settings_ == Settings());

        makeTab(); // the next start shows the kept choice
        QVERIFY(control<QCheckBox>("LeaveCopiedFiles")->isChecked());
        control<QCheckBox>("LeaveCopiedFiles")->click();
        QVERIFY(!UserPreferences().leaveCopiedFiles());
        QVERIFY(fakes_->messages.shown.isEmpty());
    }

    void leaveCopiedFilesThatCannotBeKeptSaysSo()
    {
        const QString blocked = dir_->filePath("not-a-folder");
        WriteTestFile(blocked, "a file where the settings folder would go");
        keepPreferencesIn(blocked);
        makeTab();
        QSignalSpy changed(tab_.get(), &ConfigTab::leaveCopiedFilesChanged);
        control<QCheckBox>("LeaveCopiedFiles")->click();
        QCOMPARE(fakes_->messages.shown.size(), 1);
        QVERIFY(fakes_->messages.shown[0].second.contains("Could not keep the choice"));
        QCOMPARE(changed.count(), 1); // still in effect for this run
    }

    void editBrowserLinksOpensTheLinksFile()
    {
        press(3);
        QCOMPARE(fakes_->shell.opened.size(), 1);
        QVERIFY(fakes_->shell.opened[0].toLocalFile().endsWith("/Links.txt"));
    }
};

QTEST_MAIN(TestConfigTab)
#include "test_config_tab.moc"
