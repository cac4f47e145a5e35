#include "comments/font_options.h"
#include "twips.h"

#include <QTest>

class TestFontOptions : public QObject
{
    Q_OBJECT

private slots:
    void swatchesHaveTheirColourAndPlace_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QList<int>>("rgb");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::newRow("1, bright red") << 1 << QList<int>{255, 0, 0} << 600 << 120;
        QTest::newRow("3, dark red") << 3 << QList<int>{128, 0, 0} << 120 << 120;
        QTest::newRow("4, pale red") << 4 << QList<int>{255, 192, 192} << 840 << 120;
        QTest::newRow("6") << 6 << QList<int>{192, 64, 0} << 360 << 360;
        QTest::newRow("8") << 8 << QList<int>{255, 224, 192} << 840 << 360;
        QTest::newRow("17, cyan") << 17 << QList<int>{0, 255, 255} << 600 << 1080;
        QTest::newRow("24") << 24 << QList<int>{192, 192, 255} << 840 << 1320;
        QTest::newRow("26") << 26 << QList<int>{192, 0, 192} << 360 << 1560;
        QTest::newRow("30, grey") << 30 << QList<int>{128, 128, 128} << 360 << 1800;
        QTest::newRow("31, black") << 31 << QList<int>{0, 0, 0} << 120 << 1800;
        QTest::newRow("32, white") << 32 << QList<int>{255, 255, 255} << 840 << 1800;
    }
    void swatchesHaveTheirColourAndPlace()
    {
        QFETCH(int, index);
        QFETCH(QList<int>, rgb);
        QFETCH(int, left);
        QFETCH(int, top);
        const Swatch &swatch = Swatches()[index - 1];
        QCOMPARE(swatch.index, index);
        QCOMPARE((QList<int>{swatch.red, swatch.green, swatch.blue}), rgb);
        QCOMPARE(swatch.leftTwips, left);
        QCOMPARE(swatch.topTwips, top);
        QCOMPARE(TwipsToPixels(left), left / 15);
    }

    void everyPlaceHoldsOneSwatch()
    {
        QSet<QPair<int, int>> places;
        for (const Swatch &swatch : Swatches())
            places.insert({swatch.leftTwips, swatch.topTwips});
        QCOMPARE(places.size(), 32);
        QCOMPARE(TwipsToPixels(kSwatchSizeTwips), 17);
    }

    void sizesRunFrom8To72InEvenSteps()
    {
        const QStringList sizes = FontSizes();
        QCOMPARE(sizes.size(), 33);
        QCOMPARE(sizes.first(), QStringLiteral("8"));
        QCOMPARE(sizes[1], QStringLiteral("10"));
        QCOMPARE(sizes.last(), QStringLiteral("72"));
    }

    void boldUnderlineItalicFollowTheThreeWayRule_data()
    {
        QTest::addColumn<AttributeState>("state");
        QTest::addColumn<std::optional<bool>>("after");
        QTest::newRow("mixed: off") << AttributeState::Mixed << std::optional<bool>(false);
        QTest::newRow("nowhere: on") << AttributeState::Nowhere << std::optional<bool>(true);
        QTest::newRow("everywhere: unchanged") << AttributeState::Everywhere << std::optional<bool>();
    }
    void boldUnderlineItalicFollowTheThreeWayRule()
    {
        QFETCH(AttributeState, state);
        QFETCH(std::optional<bool>, after);
        QCOMPARE(AttributeAfterPress(state), after);
    }

    void theVisibleDatabaseWindowsBoxIsTheTarget()
    {
        QCOMPARE(FontTarget(true), CommentBoxTarget::CommentDatabaseWindow);
        QCOMPARE(FontTarget(false), CommentBoxTarget::MainWindow);
    }
};

QTEST_GUILESS_MAIN(TestFontOptions)
#include "test_font_options.moc"
