#include "platform/qt_command_button.h"

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
        QWidget *button = CommandButtonFrom(control, "Done", "Close this window", &parent, [&] { ++clicks; });
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
        QVERIFY(qobject_cast<QPushButton *>(CommandButtonFrom(nullptr, "Done", QString(), &parent, [] {})));
    }
};

QTEST_MAIN(TestCommandButton)
#include "test_command_button.moc"
