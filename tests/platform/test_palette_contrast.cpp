#include "contrast.h"
#include "control/lumicap_fixture.h"
#include "platform/qt_button_table.h"
#include "platform/qt_color_scheme.h"
#include "shell/intro_tab.h"

#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>

#include <memory>

namespace {

struct Colours
{
    QColor window, windowText, button, buttonText, link, highlight;
};

QPalette paletteOf(const Colours &c)
{
    QPalette palette(c.windowText, c.button, c.button.lighter(130), c.button.darker(130), c.button.darker(115),
                     c.windowText, Qt::white, c.window, c.window);
    palette.setColor(QPalette::ButtonText, c.buttonText);
    palette.setColor(QPalette::Link, c.link);
    palette.setColor(QPalette::Highlight, c.highlight);
    return palette;
}

QPalette fusionLight()
{
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    return fusion->standardPalette();
}

QString ratioText(const QColor &text, const QColor &background)
{
    return QStringLiteral("%1 on %2: %3:1")
        .arg(text.name(), background.name())
        .arg(ContrastRatio(text, background), 0, 'f', 2);
}

} // namespace

// What the program draws stays readable in light and dark themes alike.
class TestPaletteContrast : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(lumikit().load());
    }

    void palettes_data()
    {
        QTest::addColumn<QPalette>("palette");
        QTest::newRow("Fusion light") << fusionLight();
        QTest::newRow("the program's dark colours") << DarkPalette();
        // Window, window text, button, button text, link, highlight.
        QTest::newRow("Breeze light") << paletteOf({"#eff0f1", "#232629", "#fcfcfc", "#232629", "#2980b9", "#3daee9"});
        QTest::newRow("Breeze dark") << paletteOf({"#31363b", "#eff0f1", "#31363b", "#eff0f1", "#1d99f3", "#3daee9"});
        QTest::newRow("high contrast") << paletteOf({"#000000", "#ffffff", "#000000", "#ffffff", "#ffff00", "#00ffff"});
        QTest::newRow("link colour of the button face")
            << paletteOf({"#808080", "#000000", "#808080", "#000000", "#808080", "#808080"});
        QTest::newRow("dark, dark link") << paletteOf({"#202020", "#e0e0e0", "#2a2a2a", "#e0e0e0", "#0000a0", "#2a82da"});
    }

    void commandButtonCaptionsRead_data() { palettes_data(); }
    void commandButtonCaptionsRead()
    {
        QFETCH(QPalette, palette);
        QWidget window;
        window.setPalette(palette);
        QWidget *button = MakeCommandButton(&lumikit(), CommandButtonRow(QString(), -1, QStringLiteral("Go")).saved,
                                            &window, [] {});
        QVERIFY(QtControlLoader::hosted(button));
        const QColor face = palette.color(QPalette::Active, QPalette::Button);
        const QColor rest = captionColor(button);
        QVERIFY2(ContrastRatio(rest, face) >= 4.5, qPrintable(ratioText(rest, face)));
        sendEnter(button);
        const QColor hover = captionColor(button);
        QVERIFY2(ContrastRatio(hover, face) >= 4.5, qPrintable(ratioText(hover, face)));
        QVERIFY2(hover != rest, qPrintable(hover.name()));
    }

    void buttonsFollowAThemeSwitch()
    {
        QWidget window;
        window.setPalette(fusionLight());
        QWidget *button = MakeCommandButton(&lumikit(), CommandButtonRow(QString(), -1, QStringLiteral("Go")).saved,
                                            &window, [] {});
        window.setPalette(DarkPalette());
        QCOMPARE(captionColor(button), DarkPalette().color(QPalette::ButtonText));
    }

    void linksTakeTheLinkColour_data() { palettes_data(); }
    void linksTakeTheLinkColour()
    {
        QFETCH(QPalette, palette);
        QWidget window;
        auto *intro = new IntroTab(QString(), &window);
        window.setPalette(fusionLight());
        window.setPalette(palette); // a theme switch while the program runs
        for (const char *name : {"LabelAbout(0)", "LabelAbout(1)"}) {
            auto *link = intro->findChild<QPushButton *>(QLatin1String(name));
            QVERIFY(link);
            QCOMPARE(link->palette().color(QPalette::Active, QPalette::ButtonText), palette.color(QPalette::Active, QPalette::Link));
            QCOMPARE(link->palette().color(QPalette::Inactive, QPalette::ButtonText),
                     palette.color(QPalette::Inactive, QPalette::Link));
        }
    }

    void darkColoursAreReadable_data()
    {
        QTest::addColumn<QPalette::ColorRole>("text");
        QTest::addColumn<QPalette::ColorRole>("background");
        QTest::newRow("window text") << QPalette::WindowText << QPalette::Window;
        QTest::newRow("text") << QPalette::Text << QPalette::Base;
        QTest::newRow("button text") << QPalette::ButtonText << QPalette::Button;
        QTest::newRow("link") << QPalette::Link << QPalette::Window;
        QTest::newRow("link on a field") << QPalette::Link << QPalette::Base;
        QTest::newRow("selected text") << QPalette::HighlightedText << QPalette::Highlight;
        QTest::newRow("tool tip") << QPalette::ToolTipText << QPalette::ToolTipBase;
    }
    void darkColoursAreReadable()
    {
        QFETCH(QPalette::ColorRole, text);
        QFETCH(QPalette::ColorRole, background);
        const QPalette dark = DarkPalette();
        QVERIFY2(ContrastRatio(dark.color(text), dark.color(background)) >= 4.5,
                 qPrintable(ratioText(dark.color(text), dark.color(background))));
    }
};

QTEST_MAIN(TestPaletteContrast)
#include "test_palette_contrast.moc"
