#include "platform/qt_button_table.h"

#include <QPointer>
#include <QPushButton>
#include <QTest>

class TestCommandButton : public QObject
{
    Q_OBJECT

private slots:
    // A control without a Click to connect would leave the button dead.
    void controlWithoutClickFallsBackToAStandardButton()
    {
        QWidget parent;
        QPointer<QWidget> control = new QWidget(&parent);
        int clicks = 0;
        QWidget *button = CommandButtonFrom(control, SavedProperties({{"Caption", "Done"}, {"ToolTipText", "Close this window"}}), &parent, [&] { ++clicks; });
        auto *push = qobject_cast<QPushButton *>(button);
        QVERIFY(push);
        QVERIFY(control.isNull());
        QCOMPARE(push->text(), QString("Done"));
        QCOMPARE(push->toolTip(), QString("Close this window"));
        push->click();
        QCOMPARE(clicks, 1);
    }

    void noControlGivesAStandardButton()
    {
        QWidget parent;
        QVERIFY(qobject_cast<QPushButton *>(CommandButtonFrom(nullptr, SavedProperties({{"Caption", "Done"}}), &parent, [] {})));
    }
};

QTEST_MAIN(TestCommandButton)
#include "test_command_button.moc"
