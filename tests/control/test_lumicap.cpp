#include "lumicap_fixture.h"

#include <QAccessible>
#include <QApplication>
#include <QEnterEvent>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QFont kAmbientFont("Serif", 17);

PropertyBag bagOf(const QVariantMap &values)
{
    PropertyBag bag;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        bag.WriteProperty(it.key(), it.value());
    return bag;
}

} // namespace

class TestLumicap : public QObject
{
    Q_OBJECT

private slots:
    void createsButtonByIdentifier_data()
    {
        QTest::addColumn<QString>("identifier");
        QTest::newRow("as registered") << "Lumikit.Lumicap";
        QTest::newRow("any case") << "lumikit.lumicap";
    }
    void createsButtonByIdentifier()
    {
        QFETCH(QString, identifier);
        std::unique_ptr<QWidget> button(lumikit().createControl(identifier));
        QVERIFY2(button, qPrintable(lumikit().errorText()));
        QVERIFY(QtControlLoader::hosted(button.get()));
        QCOMPARE(button->size(), QSize(81, 33));
        QCOMPARE(lumikit().errorText(), QString());
    }

    void unknownIdentifierGivesNothingAndSaysWhy()
    {
        QCOMPARE(lumikit().createControl("Lumikit.Slider"), nullptr);
        QVERIFY(lumikit().errorText().contains("\"Lumikit.Slider\""));
        QVERIFY(lumikit().errorText().contains("Lumikit.Lumicap"));
    }

    void missingOrBrokenLibraryIsReportedNotFatal()
    {
        QTemporaryDir dir;
        QtControlLoader missing(dir.path());
        QCOMPARE(missing.createControl("Lumikit.Lumicap"), nullptr);
        QVERIFY(missing.errorText().contains("lumikit"));
        QVERIFY(missing.errorText().contains(dir.path()));

        QFile broken(dir.filePath("liblumikit.so"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not a library");
        broken.close();
        QtControlLoader loader(dir.path());
        QVERIFY(!loader.load());
        QCOMPARE(loader.createControl("Lumikit.Lumicap"), nullptr);
        QVERIFY(loader.errorText().contains("lumikit"));
    }

    void loadsSavedProperties_data()
    {
        QTest::addColumn<PropertyBag>("saved");
        QTest::addColumn<uint>("mouseOverColor");
        QTest::addColumn<uint>("backColor");
        QTest::addColumn<uint>("foreColor");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QFont>("font"); // an unset font: the host's own
        QTest::addColumn<int>("backStyle");
        QTest::addColumn<int>("borderStyle");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("toolTip");

        QTest::newRow("nothing stored")
            << PropertyBag() << 0x8000000Fu << 0u << 0x8000000Du << true << QFont() << 0 << 0 << "Button" << "";
        const QFont courier("Courier", 11);
        QTest::newRow("every name")
            << bagOf({{"MouseOverColor", 0xFFu}, {"BackColor", 0x123456u}, {"ForeColor", 0u},
                      {"Enabled", false}, {"Font", QVariant::fromValue(courier)}, {"BackStyle", 1},
                      {"BorderStyle", 2}, {"Caption", "Save Config"}, {"ToolTipText", "Store settings"}})
            << 0xFFu << 0x123456u << 0u << false << courier << 1 << 2 << "Save Config" << "Store settings";
        QTest::newRow("lower-case names")
            << bagOf({{"mouseovercolor", 0xFFu}, {"forecolor", 0u}, {"caption", "Exit"}})
            << 0xFFu << 0u << 0u << true << QFont() << 0 << 0 << "Exit" << "";
        QTest::newRow("any 32-bit colour and 16-bit style")
            << bagOf({{"BackColor", 0xFFFFFFFFu}, {"ForeColor", 0x800000FFu}, {"BackStyle", -1},
                      {"BorderStyle", 32767}})
            << 0x8000000Fu << 0xFFFFFFFFu << 0x800000FFu << true << QFont() << -1 << 32767 << "Button" << "";
        QTest::newRow("values of the wrong kind")
            << bagOf({{"MouseOverColor", "red"}, {"ForeColor", QVariant::fromValue(courier)},
                      {"Enabled", "no"}, {"Font", 12}, {"BackStyle", "1"}, {"Caption", 5},
                      {"ToolTipText", QVariant()}})
            << 0x8000000Fu << 0u << 0x8000000Du << true << QFont() << 0 << 0 << "Button" << "";
    }
    void loadsSavedProperties()
    {
        QFETCH(PropertyBag, saved);
        QFETCH(uint, mouseOverColor);
        QFETCH(uint, backColor);
        QFETCH(uint, foreColor);
        QFETCH(bool, enabled);
        QFETCH(QFont, font);
        QFETCH(int, backStyle);
        QFETCH(int, borderStyle);
        QFETCH(QString, caption);
        QFETCH(QString, toolTip);
        HostWindow host(kAmbientFont);
        QWidget *button = host.add(&saved);
        QVERIFY(button);
        QCOMPARE(button->property("MouseOverColor").toUInt(), mouseOverColor);
        QCOMPARE(button->property("BackColor").toUInt(), backColor);
        QCOMPARE(button->property("ForeColor").toUInt(), foreColor);
        QCOMPARE(button->property("Enabled").toBool(), enabled);
        QCOMPARE(button->property("Font").value<QFont>(), font == QFont() ? kAmbientFont : font);
        QCOMPARE(button->property("BackStyle").toInt(), backStyle);
        QCOMPARE(button->property("BorderStyle").toInt(), borderStyle);
        QCOMPARE(button->property("Caption").toString(), caption);
        QCOMPARE(button->property("ToolTipText").toString(), toolTip);
    }

    void loadedCaptionShowsForeColor_data()
    {
        QTest::addColumn<PropertyBag>("saved");
        QTest::addColumn<QColor>("expected"); // invalid: the palette's highlight colour
        QTest::newRow("stored colour") << bagOf({{"ForeColor", 0x0000FF00u}}) << QColor(0, 255, 0);
        QTest::newRow("no colour stored") << PropertyBag() << QColor();
        QTest::newRow("system colour out of range")
            << bagOf({{"ForeColor", 0x800000FFu}}) << QColor(1, 2, 3);
    }
    void loadedCaptionShowsForeColor()
    {
        QFETCH(PropertyBag, saved);
        QFETCH(QColor, expected);
        HostWindow host(kAmbientFont);
        QPalette palette = host.window.palette();
        palette.setColor(QPalette::WindowText, QColor(1, 2, 3));
        host.window.setPalette(palette);
        QWidget *button = host.add(&saved);
        QCOMPARE(captionColor(button), expected.isValid() ? expected : palette.color(QPalette::Highlight));
    }

    void savesWhatDiffersFromDefaults_data()
    {
        QTest::addColumn<bool>("newInstance");
        QTest::addColumn<QVariantMap>("changes");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QVariantList>("values");
        QTest::newRow("new instance saved at once")
            << true << QVariantMap() << QStringList({"MouseOverColor", "ForeColor", "Caption"})
            << QVariantList({0xFFu, 0u, "Label1"});
        QTest::newRow("loaded without names") << false << QVariantMap() << QStringList() << QVariantList();
        QTest::newRow("stored-only properties")
            << false << QVariantMap({{"BackColor", 5u}, {"BackStyle", 1}, {"BorderStyle", 2}})
            << QStringList({"BackColor", "BackStyle", "BorderStyle"}) << QVariantList({5u, 1, 2});
        const QFont courier("Courier", 11);
        QTest::newRow("every property, in order")
            << false
            << QVariantMap({{"ToolTipText", "Tip"}, {"Caption", "Go"}, {"BorderStyle", 1},
                            {"BackStyle", -2}, {"Font", QVariant::fromValue(courier)},
                            {"Enabled", false}, {"ForeColor", 0xFFu}, {"BackColor", 7u},
                            {"MouseOverColor", 0xFF00u}})
            << QStringList({"MouseOverColor", "BackColor", "ForeColor", "Enabled", "Font", "BackStyle",
                            "BorderStyle", "Caption", "ToolTipText"})
            << QVariantList({0xFF00u, 7u, 0xFFu, false, QVariant::fromValue(courier), -2, 1, "Go", "Tip"});
        QTest::newRow("values equal to defaults")
            << true << QVariantMap({{"MouseOverColor", 0x8000000Fu}, {"ForeColor", 0x8000000Du},
                                    {"Caption", "Button"}, {"Font", QVariant::fromValue(kAmbientFont)}})
            << QStringList() << QVariantList();
    }
    void savesWhatDiffersFromDefaults()
    {
        QFETCH(bool, newInstance);
        QFETCH(QVariantMap, changes);
        QFETCH(QStringList, names);
        QFETCH(QVariantList, values);
        HostWindow host(kAmbientFont);
        const PropertyBag empty;
        QWidget *button = newInstance ? host.add() : host.add(&empty);
        for (auto it = changes.cbegin(); it != changes.cend(); ++it)
            QVERIFY(button->setProperty(qPrintable(it.key()), it.value()));
        const PropertyBag saved = QtControlLoader::saveControl(button);
        QCOMPARE(saved.Names(), names);
        for (qsizetype i = 0; i < names.size(); ++i)
            QCOMPARE(saved.ReadProperty(names.at(i)), values.at(i));
        // Saving does not change the control.
        QCOMPARE(QtControlLoader::saveControl(button), saved);
    }

    void savedButtonLoadsBackAsItWas()
    {
        HostWindow host(kAmbientFont);
        QWidget *original = host.add();
        original->setProperty("Caption", "Make List");
        original->setProperty("ToolTipText", "Write the lists");
        original->setProperty("Font", QVariant::fromValue(QFont("Courier", 13)));
        original->setProperty("Enabled", false);
        original->setProperty("BorderStyle", 1);
        const PropertyBag saved = QtControlLoader::saveControl(original);
        QWidget *copy = host.add(&saved);
        for (const char *name : {"BackColor", "ForeColor", "MouseOverColor", "Enabled", "Font", "BackStyle",
                                 "BorderStyle", "Caption", "ToolTipText"})
            QCOMPARE(copy->property(name), original->property(name));
    }

    void resavingIntoSameBagDropsOldValues()
    {
        HostWindow host(kAmbientFont);
        QWidget *button = host.add();
        PropertyBag layout;
        button->setProperty("Caption", "Old");
        QtControlLoader::hosted(button)->WriteProperties(layout);
        button->setProperty("Caption", "Button");
        QtControlLoader::hosted(button)->WriteProperties(layout);
        QVERIFY(!layout.Contains("Caption"));
    }

    void everyWriteTellsTheHost_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("BackColor") << "BackColor" << QVariant(0x00FF00u);
        QTest::newRow("ForeColor") << "ForeColor" << QVariant(0x00FF00u);
        QTest::newRow("MouseOverColor") << "MouseOverColor" << QVariant(0x00FF00u);
        QTest::newRow("Enabled") << "Enabled" << QVariant(false);
        QTest::newRow("Font") << "Font" << QVariant::fromValue(QFont("Courier", 20));
        QTest::newRow("BackStyle") << "BackStyle" << QVariant(3);
        QTest::newRow("BorderStyle") << "BorderStyle" << QVariant(3);
        QTest::newRow("Caption") << "Caption" << QVariant("Exit");
        QTest::newRow("ToolTipText") << "ToolTipText" << QVariant("Leave the program");
        QTest::newRow("same value again") << "Caption" << QVariant("Label1");
    }
    void everyWriteTellsTheHost()
    {
        QFETCH(QString, name);
        QFETCH(QVariant, value);
        std::unique_ptr<QWidget> button(newLumicap());
        QSignalSpy changed(button.get(), SIGNAL(PropertyChanged(QString)));
        QVERIFY(button->setProperty(qPrintable(name), value));
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.at(0).at(0).toString(), name);
        QVariant readBack = button->property(qPrintable(name));
        QVERIFY(readBack.convert(value.metaType()));
        QCOMPARE(readBack, value);
    }

    void pressReleasedElsewhereIsNoClick()
    {
        HostWindow host(kAmbientFont);
        QWidget *button = host.add();
        QVERIFY(host.show());
        int clicks = 0;
        QVERIFY(QtControlLoader::onClick(button, [&clicks] { ++clicks; }));
        QTest::mousePress(surfaceOf(button), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(surfaceOf(button), QPoint(150, 80));
        QTest::mouseRelease(surfaceOf(button), Qt::LeftButton, {}, QPoint(150, 80));
        QCOMPARE(clicks, 0);
    }

    void mouseSignalsComeFromTheButton()
    {
        HostWindow host(kAmbientFont);
        QWidget *button = host.add();
        QVERIFY(host.show());
        QSignalSpy down(button, SIGNAL(MouseDown(short, short, float, float)));
        QSignalSpy up(button, SIGNAL(MouseUp(short, short, float, float)));
        QSignalSpy clicks(button, SIGNAL(Click()));
        QSignalSpy doubleClicks(button, SIGNAL(DblClick()));
        QTest::mouseClick(surfaceOf(button), Qt::RightButton, Qt::ShiftModifier, QPoint(10, 12));
        QCOMPARE(down.size(), 1);
        QCOMPARE(down.at(0), QVariantList({short(2), short(1), 10.0f, 12.0f}));
        QCOMPARE(up.size(), 1);
        QCOMPARE(clicks.size(), 0); // only the main button clicks

        // A double-click is one Click, then DblClick for the second press.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        QTest::mouseClick(surfaceOf(button), Qt::LeftButton, {}, QPoint(10, 12));
        QTest::mouseDClick(surfaceOf(button), Qt::LeftButton, {}, QPoint(10, 12));
        QCOMPARE(clicks.size(), 1);
        QCOMPARE(doubleClicks.size(), 1);
    }

    void keyboardPressesTheButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("keyCode");
        QTest::addColumn<int>("clicks");
        QTest::newRow("space") << int(Qt::Key_Space) << 32 << 1;
        QTest::newRow("return") << int(Qt::Key_Return) << 13 << 1;
        QTest::newRow("enter") << int(Qt::Key_Enter) << 13 << 1;
        QTest::newRow("letter") << int(Qt::Key_A) << 65 << 0;
    }
    void keyboardPressesTheButton()
    {
        QFETCH(int, key);
        QFETCH(int, keyCode);
        QFETCH(int, clicks);
        std::unique_ptr<QWidget> button(newLumicap());
        QCOMPARE(button->focusPolicy(), Qt::TabFocus);
        QSignalSpy click(button.get(), SIGNAL(Click()));
        QSignalSpy keyDown(button.get(), SIGNAL(KeyDown(short, short)));
        QSignalSpy keyUp(button.get(), SIGNAL(KeyUp(short, short)));
        QTest::keyClick(button.get(), Qt::Key(key));
        QCOMPARE(click.size(), clicks);
        QCOMPARE(keyDown.size(), 1);
        QCOMPARE(keyDown.at(0).at(0).toInt(), keyCode);
        QCOMPARE(keyUp.size(), 1);
    }

    void keyPressCarriesTheCharacter()
    {
        std::unique_ptr<QWidget> button(newLumicap());
        QSignalSpy keyPress(button.get(), SIGNAL(KeyPress(short)));
        QTest::keyClick(button.get(), Qt::Key_A, Qt::NoModifier);
        QCOMPARE(keyPress.size(), 1);
        QCOMPARE(keyPress.at(0).at(0).toInt(), int('a'));
    }

    void hoverColourFollowsThePointer()
    {
        HostWindow host(kAmbientFont);
        QWidget *button = host.add();
        button->setProperty("ForeColor", 0x00000000u);
        button->setProperty("MouseOverColor", 0x000000FFu);
        QCOMPARE(captionColor(button), QColor(Qt::black));
        sendEnter(button);
        QCOMPARE(captionColor(button), QColor(Qt::red));
        button->setProperty("MouseOverColor", 0x00FF0000u);
        QCOMPARE(captionColor(button), QColor(Qt::blue));
        sendLeave(button);
        QCOMPARE(captionColor(button), QColor(Qt::black));
        button->setProperty("ForeColor", 0x0000FF00u);
        QCOMPARE(captionColor(button), QColor(Qt::green));
    }

    void hoverColourFollowsPointerWhilePressed()
    {
        HostWindow host(kAmbientFont);
        QWidget *button = host.add();
        QVERIFY(host.show());
        sendEnter(button);
        QTest::mousePress(surfaceOf(button), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(captionColor(button), QColor(Qt::red));
        QTest::mouseMove(surfaceOf(button), QPoint(150, 80));
        QCOMPARE(captionColor(button), QColor(Qt::black));
        QTest::mouseMove(surfaceOf(button), QPoint(6, 6));
        QCOMPARE(captionColor(button), QColor(Qt::red));
        QTest::mouseRelease(surfaceOf(button), Qt::LeftButton, {}, QPoint(6, 6));
    }

    void disabledButtonNeitherHoversNorClicks()
    {
        HostWindow host(kAmbientFont);
        QWidget *button = host.add();
        QVERIFY(host.show());
        QSignalSpy clicks(button, SIGNAL(Click()));
        button->setProperty("Enabled", false);
        QVERIFY(!button->property("Enabled").toBool());
        sendEnter(button);
        QCOMPARE(captionColor(button), QColor(Qt::black));
        QTest::mouseClick(surfaceOf(button), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::keyClick(button, Qt::Key_Space);
        QMetaObject::invokeMethod(button, "PerformClick");
        QCOMPARE(clicks.size(), 0);
        // Enabled again with the pointer still over it: the hover colour is back.
        button->setProperty("Enabled", true);
        QCOMPARE(captionColor(button), QColor(Qt::red));
        QTest::mouseClick(surfaceOf(button), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(clicks.size(), 1);
    }

    void formDesignerGetsNoHoverAndNoEvents()
    {
        HostWindow host(kAmbientFont);
        QWidget *button = host.add();
        QVERIFY(host.show());
        QtControlLoader::hosted(button)->SetUserMode(false);
        QSignalSpy clicks(button, SIGNAL(Click()));
        QSignalSpy down(button, SIGNAL(MouseDown(short, short, float, float)));
        sendEnter(button);
        QCOMPARE(captionColor(button), QColor(Qt::black));
        QTest::mouseClick(surfaceOf(button), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::keyClick(button, Qt::Key_Return);
        QCOMPARE(clicks.size(), 0);
        QCOMPARE(down.size(), 0);
        QtControlLoader::hosted(button)->SetUserMode(true);
        QCOMPARE(captionColor(button), QColor(Qt::red));
    }

    void reportsItselfAsPushButton()
    {
        HostWindow host(kAmbientFont);
        QWidget *button = host.add();
        button->setProperty("Caption", "Save Config");
        button->setProperty("ToolTipText", "Store the settings");
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(button);
        QVERIFY(accessible);
        QCOMPARE(accessible->role(), QAccessible::Button);
        QCOMPARE(accessible->text(QAccessible::Name), QString("Save Config"));
        QCOMPARE(accessible->text(QAccessible::Description), QString("Store the settings"));
        QCOMPARE(accessible->childCount(), 0);
        QAccessibleActionInterface *actions = accessible->actionInterface();
        QVERIFY(actions);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        QSignalSpy clicks(button, SIGNAL(Click()));
        actions->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(clicks.size(), 1);
        button->setProperty("Enabled", false);
        QVERIFY(accessible->state().disabled);
    }

    void buttonsOfOneWindowAreIndependent()
    {
        HostWindow host(kAmbientFont);
        QWidget *first = host.add();
        QWidget *second = host.add();
        first->setProperty("Caption", "One");
        sendEnter(first);
        QCOMPARE(second->property("Caption").toString(), QString("Label1"));
        QCOMPARE(captionColor(second), QColor(Qt::black));
        QVERIFY(!QtControlLoader::onClick(&host.window, [] {}));
    }
};

QTEST_MAIN(TestLumicap)
#include "test_lumicap.moc"
