#include "platform/qt_owned_window.h"

#include <QPointer>
#include <QTest>
#include <QWidget>

class TestOwnedWindow : public QObject
{
    Q_OBJECT

private slots:
    void ownerDeletesTheWindowStillOpen()
    {
        QPointer<QWidget> window;
        {
            OwnedWindow<QWidget> owner;
            window = owner.make();
            window->show();
        }
        QVERIFY(window.isNull());
    }

    // Closed by its frame, the window deletes itself; the owner neither deletes it again
    // nor hands it out, and the next use makes a new one.
    void windowThatDeletedItselfIsForgotten()
    {
        OwnedWindow<QWidget> owner;
        owner.make()->setAttribute(Qt::WA_DeleteOnClose);
        owner->show();
        owner->close();
        QTRY_VERIFY(!owner);
        QVERIFY(!owner.get());
        QVERIFY(owner.make());
    }

    void makingAgainReplacesTheWindow()
    {
        OwnedWindow<QWidget> owner;
        const QPointer<QWidget> first = owner.make();
        owner.make();
        QVERIFY(first.isNull());
        QVERIFY(owner.get());
    }
};

QTEST_MAIN(TestOwnedWindow)
#include "test_owned_window.moc"
