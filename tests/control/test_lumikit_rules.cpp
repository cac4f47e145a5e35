#include "contrast.h"
#include "event_codes.h"
#include "lumicap_drawing.h"
#include "ole_color.h"
#include "property_bag.h"
#include "saved_values.h"
#include "twips.h"

#include <QTest>

class TestLumikitRules : public QObject
{
    Q_OBJECT

private slots:
    void bagMatchesNamesWithoutCaseAndKeepsOrder()
    {
        PropertyBag bag;
        bag.WriteProperty("MouseOverColor", 255u);
        bag.WriteProperty("Caption", "Save");
        bag.WriteProperty("caption", "Save Config");
        QCOMPARE(bag.ReadProperty("CAPTION").toString(), QString("Save Config"));
        QCOMPARE(bag.ReadProperty("mouseovercolor").toUInt(), 255u);
        QCOMPARE(bag.Names(), QStringList({"MouseOverColor", "Caption"}));
        QCOMPARE(bag.ReadProperty("ToolTipText", "none").toString(), QString("none"));
    }

    void bagDropsValueWrittenEqualToDefault()
    {
        PropertyBag bag;
        bag.WriteProperty("Caption", "Exit", "Button");
        bag.WriteProperty("Enabled", false, true);
        QCOMPARE(bag.Names(), QStringList({"Caption", "Enabled"}));
        // Saving again into the same bag must not leave the older value behind.
        bag.WriteProperty("CAPTION", "Button", "Button");
        bag.WriteProperty("Enabled", true, true);
        QVERIFY(bag.IsEmpty());
        QCOMPARE(bag.ReadProperty("Caption", "Button").toString(), QString("Button"));
    }

    void readsSavedValuesByKind_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<quint32>("color");
        QTest::addColumn<int>("style");
        QTest::addColumn<bool>("flag");
        QTest::addColumn<QString>("text");
        // Defaults: colour 0x8000000F, style 7, flag true, text "Button".
        QTest::newRow("absent") << QVariant() << 0x8000000Fu << 7 << true << "Button";
        QTest::newRow("unsigned 32-bit") << QVariant(0x8000000Du) << 0x8000000Du << 7 << true << "Button";
        QTest::newRow("signed 32-bit") << QVariant(int(0x80000012)) << 0x80000012u << 7 << true << "Button";
        QTest::newRow("small number") << QVariant(255) << 255u << 255 << true << "Button";
        QTest::newRow("zero") << QVariant(0) << 0u << 0 << false << "Button";
        QTest::newRow("negative style") << QVariant(-1) << 0xFFFFFFFFu << -1 << true << "Button";
        QTest::newRow("unsigned 16-bit style") << QVariant(65535) << 65535u << -1 << true << "Button";
        QTest::newRow("beyond 16 bits") << QVariant(70000) << 70000u << 7 << true << "Button";
        QTest::newRow("beyond 32 bits") << QVariant(qlonglong(1) << 33) << 0x8000000Fu << 7 << true << "Button";
        QTest::newRow("whole double") << QVariant(255.0) << 255u << 255 << true << "Button";
        QTest::newRow("fraction") << QVariant(2.5) << 0x8000000Fu << 7 << true << "Button";
        QTest::newRow("text") << QVariant("255") << 0x8000000Fu << 7 << true << "255";
        QTest::newRow("Boolean") << QVariant(false) << 0x8000000Fu << 7 << false << "Button";
        QTest::newRow("font") << QVariant::fromValue(QFont("Serif")) << 0x8000000Fu << 7 << true << "Button";
    }
    void readsSavedValuesByKind()
    {
        QFETCH(QVariant, stored);
        QFETCH(quint32, color);
        QFETCH(int, style);
        QFETCH(bool, flag);
        QFETCH(QString, text);
        PropertyBag bag;
        if (stored.isValid())
            bag.WriteProperty("Value", stored);
        QCOMPARE(ReadColor(bag, "value", 0x8000000F), color);
        QCOMPARE(int(ReadStyle(bag, "value", 7)), style);
        QCOMPARE(ReadBool(bag, "value", true), flag);
        QCOMPARE(ReadText(bag, "value", "Button"), text);
    }

    void readsFontOrDefault()
    {
        const QFont fallback("Sans", 9);
        QFont serif("Serif", 20);
        serif.setBold(true);
        PropertyBag bag;
        bag.WriteProperty("Font", QVariant::fromValue(serif));
        QCOMPARE(ReadFont(bag, "font", fallback), serif);
        bag.WriteProperty("Font", serif.toString());
        QCOMPARE(ReadFont(bag, "font", fallback), serif);
        bag.WriteProperty("Font", 12);
        QCOMPARE(ReadFont(bag, "font", fallback), fallback);
        bag.WriteProperty("Font", QString());
        QCOMPARE(ReadFont(bag, "font", fallback), fallback);
    }

    void resolvesOleColors_data()
    {
        QTest::addColumn<quint32>("ole");
        QTest::addColumn<QColor>("expected");
        // Against a palette with button face (1,2,3), highlight (4,5,6), window text (7,8,9).
        QTest::newRow("pure red") << 0x000000FFu << QColor(255, 0, 0);
        QTest::newRow("blue green red order") << 0x00332211u << QColor(0x11, 0x22, 0x33);
        QTest::newRow("high byte ignored") << 0x7F0000FFu << QColor(255, 0, 0);
        QTest::newRow("button face") << 0x8000000Fu << QColor(1, 2, 3);
        QTest::newRow("highlight") << 0x8000000Du << QColor(4, 5, 6);
        QTest::newRow("index in low byte only") << 0x8000FF0Fu << QColor(1, 2, 3);
        QTest::newRow("unassigned index") << 0x80000019u << QColor(7, 8, 9);
        QTest::newRow("index out of range") << 0x800000FFu << QColor(7, 8, 9);
    }
    void resolvesOleColors()
    {
        QFETCH(quint32, ole);
        QFETCH(QColor, expected);
        QPalette palette;
        palette.setColor(QPalette::Button, QColor(1, 2, 3));
        palette.setColor(QPalette::Highlight, QColor(4, 5, 6));
        palette.setColor(QPalette::WindowText, QColor(7, 8, 9));
        QCOMPARE(OleColorToQColor(ole, palette), expected);
    }

    void measuresContrast_data()
    {
        QTest::addColumn<QColor>("first");
        QTest::addColumn<QColor>("second");
        QTest::addColumn<double>("ratio");
        QTest::newRow("black on white") << QColor("#000000") << QColor("#ffffff") << 21.0;
        QTest::newRow("either order") << QColor("#ffffff") << QColor("#000000") << 21.0;
        QTest::newRow("same colour") << QColor("#336699") << QColor("#336699") << 1.0;
        QTest::newRow("grey just readable on white") << QColor("#767676") << QColor("#ffffff") << 4.54;
        QTest::newRow("grey just short on white") << QColor("#777777") << QColor("#ffffff") << 4.48;
        QTest::newRow("pure blue on white") << QColor("#0000ff") << QColor("#ffffff") << 8.59;
    }
    void measuresContrast()
    {
        QFETCH(QColor, first);
        QFETCH(QColor, second);
        QFETCH(double, ratio);
        QVERIFY2(qAbs(ContrastRatio(first, second) - ratio) < 0.01, qPrintable(QString::number(ContrastRatio(first, second))));
    }

    void makesColoursReadable_data()
    {
        QTest::addColumn<QColor>("color");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<bool>("kept");
        QTest::newRow("readable already") << QColor("#0000ff") << QColor("#efefef") << true;
        QTest::newRow("black on dark grey") << QColor("#000000") << QColor("#353535") << false;
        QTest::newRow("accent on dark grey") << QColor("#2a82da") << QColor("#353535") << false;
        QTest::newRow("accent on light grey") << QColor("#3daee9") << QColor("#fcfcfc") << false;
        QTest::newRow("invisible on mid grey") << QColor("#777777") << QColor("#777777") << false;
        QTest::newRow("darker than a dark face") << QColor("#101010") << QColor("#202020") << false;
    }
    void makesColoursReadable()
    {
        QFETCH(QColor, color);
        QFETCH(QColor, background);
        QFETCH(bool, kept);
        const QColor readable = ReadableOn(color, background);
        QVERIFY2(ContrastRatio(readable, background) >= 4.5, qPrintable(readable.name()));
        QCOMPARE(readable == color, kept);
    }

    void themeCaptionColoursStayReadable_data()
    {
        QTest::addColumn<quint32>("ole");
        QTest::addColumn<bool>("asResolved");
        // Against a dark button face (0x30,0x30,0x30) with dark button text and a dark link.
        QTest::newRow("stored black, drawn as stored") << 0x00000000u << true;
        QTest::newRow("stored dark blue, drawn as stored") << 0x00800000u << true;
        QTest::newRow("highlight, drawn as the theme's") << 0x8000000Du << true;
        QTest::newRow("button text, made readable") << 0x80000012u << false;
        QTest::newRow("hot-tracked item, made readable") << 0x8000001Au << false;
    }
    void themeCaptionColoursStayReadable()
    {
        QFETCH(quint32, ole);
        QFETCH(bool, asResolved);
        QPalette palette;
        palette.setColor(QPalette::Button, QColor(0x30, 0x30, 0x30));
        palette.setColor(QPalette::ButtonText, QColor(0x20, 0x20, 0x20));
        palette.setColor(QPalette::Link, QColor(0x00, 0x00, 0x80));
        palette.setColor(QPalette::Highlight, QColor(0x10, 0x10, 0x10));
        const QColor drawn = OleCaptionColor(ole, palette);
        if (asResolved)
            QCOMPARE(drawn, OleColorToQColor(ole, palette));
        else
            QVERIFY2(ContrastRatio(drawn, palette.color(QPalette::Button)) >= 4.5, qPrintable(drawn.name()));
    }

    void centresCaption_data()
    {
        QTest::addColumn<QSize>("surface");
        QTest::addColumn<QSize>("caption");
        QTest::addColumn<QPoint>("origin");
        QTest::newRow("fits") << QSize(81, 33) << QSize(41, 13) << QPoint(20, 10);
        QTest::newRow("half pixel") << QSize(81, 33) << QSize(40, 12) << QPoint(20, 10);
        QTest::newRow("wider than surface") << QSize(81, 33) << QSize(101, 13) << QPoint(-10, 10);
        QTest::newRow("taller than surface") << QSize(81, 10) << QSize(41, 30) << QPoint(20, -10);
        QTest::newRow("empty surface") << QSize(0, 0) << QSize(40, 12) << QPoint(-20, -6);
    }
    void centresCaption()
    {
        QFETCH(QSize, surface);
        QFETCH(QSize, caption);
        QFETCH(QPoint, origin);
        QCOMPARE(CaptionOrigin(surface, caption), origin);
    }

    void frameLiesAlongEdgesAtAnySize_data()
    {
        QTest::addColumn<QSize>("surface");
        QTest::newRow("new button") << QSize(81, 33);
        QTest::newRow("beyond 32767 twips") << QSize(2300, 2200);
        QTest::newRow("beyond 16-bit pixels") << QSize(40000, 70000);
    }
    void frameLiesAlongEdgesAtAnySize()
    {
        QFETCH(QSize, surface);
        const auto raised = FrameLines(surface, 2, false);
        QCOMPARE(raised[0].rect, QRect(0, 0, surface.width(), 2));
        QCOMPARE(raised[1].rect, QRect(0, 0, 2, surface.height()));
        QCOMPARE(raised[2].rect, QRect(surface.width() - 2, 0, 2, surface.height()));
        QCOMPARE(raised[3].rect, QRect(0, surface.height() - 2, surface.width(), 2));
        QCOMPARE(raised[0].color, QColor(Qt::white));
        QCOMPARE(raised[1].color, QColor(Qt::white));
        QCOMPARE(raised[2].color, QColor(Qt::black));
        QCOMPARE(raised[3].color, QColor(Qt::black));
        const auto sunken = FrameLines(surface, 2, true);
        QCOMPARE(sunken[0].color, QColor(Qt::black));
        QCOMPARE(sunken[3].color, QColor(Qt::white));
    }

    void hoverColourOnlyOverEnabledRunningButton()
    {
        QVERIFY(ShowsHoverColor(true, true, true));
        QVERIFY(!ShowsHoverColor(false, true, true));
        QVERIFY(!ShowsHoverColor(true, false, true));
        QVERIFY(!ShowsHoverColor(true, true, false));
    }

    void convertsTwipsAndEventCodes()
    {
        QCOMPARE(TwipsToPixels(1215), 81);
        QCOMPARE(TwipsToPixels(495), 33);
        QCOMPARE(KeyCodeFor(Qt::Key_A), qint16(65));
        QCOMPARE(KeyCodeFor(Qt::Key_7), qint16(55));
        QCOMPARE(KeyCodeFor(Qt::Key_Return), qint16(13));
        QCOMPARE(KeyCodeFor(Qt::Key_F1), qint16(112));
        QCOMPARE(KeyCodeFor(Qt::Key_Left), qint16(37));
        QCOMPARE(KeyCodeFor(Qt::Key_Eacute), qint16(0));
        QCOMPARE(ShiftStateFor(Qt::ShiftModifier | Qt::AltModifier), qint16(5));
        QCOMPARE(MouseButtonFor(Qt::RightButton), qint16(2));
        QCOMPARE(MouseButtonFor(Qt::LeftButton | Qt::MiddleButton), qint16(5));
    }
};

QTEST_MAIN(TestLumikitRules)
#include "test_lumikit_rules.moc"
