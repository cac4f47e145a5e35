#include "platform/qt_button_table.h"
#include "platform/qt_control_loader.h"

#include <QFont>
#include <QPushButton>
#include <QTest>
#include <QWidget>

namespace {

QtControlLoader &lumikit()
{
    static QtControlLoader loader(qEnvironmentVariable("SHELVANA_BUILD_DIR"));
    return loader;
}

QList<SavedButton> table()
{
    const PropertyBag look = CommandButtonLook();
    return {
        {"ButtonConfig", 0, SavedProperties({{"Caption", "First"}, {"ToolTipText", "The first"}}, look)},
        {"ButtonConfig", 7, SavedProperties({{"Caption", "Eighth"}}, look)},
        {"ButtonHyperJump", -1, SavedProperties({{"Caption", "Go"}}, CommandButtonLook(9.75))},
        {"Unhandled", 0, SavedProperties({{"Caption", "Nothing"}})},
    };
}

void click(QWidget *button)
{
    if (auto *push = qobject_cast<QPushButton *>(button))
        push->click();
    else
        QVERIFY(QMetaObject::invokeMethod(button, "PerformClick"));
}

} // namespace

class TestButtonTable : public QObject
{
    Q_OBJECT

private slots:
    void buttonsFromTheTable_data()
    {
        QTest::addColumn<bool>("library");
        QTest::newRow("hover buttons") << true;
        QTest::newRow("standard buttons without the library") << false;
    }
    void buttonsFromTheTable()
    {
        QFETCH(bool, library);
        QVERIFY(lumikit().load());
        QWidget window;
        QList<QPair<QString, int>> clicks;
        const auto record = [&clicks](const char *name) {
            return [&clicks, name](int index) { clicks.append({QLatin1String(name), index}); };
        };
        const CommandButtons buttons = MakeCommandButtons(
            library ? &lumikit() : nullptr, table(), &window,
            {{"ButtonConfig", record("ButtonConfig")}, {"ButtonHyperJump", record("ButtonHyperJump")}});

        QWidget *first = buttons.at("ButtonConfig", 0);
        QVERIFY(first);
        QCOMPARE(first->objectName(), QString("ButtonConfig(0)"));
        QCOMPARE(buttons.at("ButtonHyperJump")->objectName(), QString("ButtonHyperJump"));
        QCOMPARE(QtControlLoader::hosted(first) != nullptr, library);
        QCOMPARE(first->accessibleName().isEmpty() ? qobject_cast<QPushButton *>(first)->text() : first->accessibleName(),
                 QString("First"));
        const QString toolTip = library ? first->property("ToolTipText").toString() : first->toolTip();
        QCOMPARE(toolTip, QString("The first"));
        const QFont font = library ? buttons.at("ButtonHyperJump")->property("Font").value<QFont>()
                                   : buttons.at("ButtonHyperJump")->font();
        QVERIFY(font.bold());
        QCOMPARE(font.pointSizeF(), 9.75);

        click(buttons.at("ButtonConfig", 7));
        click(first);
        click(buttons.at("ButtonHyperJump"));
        click(buttons.at("Unhandled", 0)); // an array without a handler does nothing
        QCOMPARE(clicks, (QList<QPair<QString, int>>{{"ButtonConfig", 7}, {"ButtonConfig", 0}, {"ButtonHyperJump", -1}}));
        QVERIFY(!buttons.at("ButtonConfig", 3));
    }
};

QTEST_MAIN(TestButtonTable)
#include "test_button_table.moc"
