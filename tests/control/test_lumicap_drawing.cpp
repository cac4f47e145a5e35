#include "lumicap_fixture.h"

#include <QImage>
#include <QTest>

#include <memory>

namespace {

// The colours along the four edges of a grabbed button, read in device pixels half-way
// along each edge, on the frame's outer and inner pixel rows, and on the first row inside.
struct Edges
{
    QRgb top, left, right, bottom;
    QRgb topInner, bottomInner;
    QRgb insideTop;
};

Edges edgesOf(QWidget *button)
{
    const QImage image = button->grab().toImage();
    const int pen = qRound(2 * image.devicePixelRatio());
    const int w = image.width();
    const int h = image.height();
    return {image.pixel(w / 2, 0),           image.pixel(0, h / 2),
            image.pixel(w - 1, h / 2),       image.pixel(w / 2, h - 1),
            image.pixel(w / 2, pen - 1),     image.pixel(w / 2, h - pen),
            image.pixel(w / 2, pen)};
}

// Raised: white top and left, black right and bottom; sunken: the other way round.
void verifyFrame(QWidget *button, bool sunken)
{
    const QRgb light = sunken ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
    const QRgb dark = sunken ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
    const Edges edges = edgesOf(button);
    QCOMPARE(edges.top, light);
    QCOMPARE(edges.left, light);
    QCOMPARE(edges.topInner, light);
    QCOMPARE(edges.right, dark);
    QCOMPARE(edges.bottom, dark);
    QCOMPARE(edges.bottomInner, dark);
    // The line ends sharply: the next row is the plain background.
    QCOMPARE(edges.insideTop, surfaceOf(button)->palette().color(QPalette::Button).rgb());
}

void verifyRaised(QWidget *button)
{
    verifyFrame(button, false);
}

void verifySunken(QWidget *button)
{
    verifyFrame(button, true);
}

QPoint centerOf(const QRect &rect)
{
    return QPoint(rect.x() + rect.width() / 2, rect.y() + rect.height() / 2);
}

} // namespace

class TestLumicapDrawing : public QObject
{
    Q_OBJECT

private slots:
    void frameIsRaisedSunkenWhilePressedRaisedAgain_data()
    {
        QTest::addColumn<bool>("onCaption");
        QTest::newRow("pressed on the caption") << true;
        QTest::newRow("pressed beside the caption") << false;
    }
    void frameIsRaisedSunkenWhilePressedRaisedAgain()
    {
        QFETCH(bool, onCaption);
        HostWindow host;
        QWidget *button = host.add();
        QVERIFY(button);
        QVERIFY(host.show());
        int clicks = 0;
        QVERIFY(QtControlLoader::onClick(button, [&clicks] { ++clicks; }));
        verifyRaised(button);
        const QPoint at = onCaption ? captionOf(button)->geometry().center() : QPoint(5, 5);
        QTest::mousePress(surfaceOf(button), Qt::LeftButton, {}, at);
        verifySunken(button);
        QTest::mouseRelease(surfaceOf(button), Qt::LeftButton, {}, at);
        verifyRaised(button);
        QCOMPARE(clicks, 1);
    }

    void drawButtonRefreshAndResizeDrawTheFrame()
    {
        HostWindow host;
        QWidget *button = host.add();
        QVERIFY(host.show());
        QVariant result;
        QVERIFY(QMetaObject::invokeMethod(button, "DrawButton", Q_RETURN_ARG(QVariant, result),
                                          Q_ARG(short, 4)));
        QVERIFY(!result.isValid());
        verifySunken(button);
        QVERIFY(QMetaObject::invokeMethod(button, "Refresh"));
        verifyRaised(button);

        // Resized while held: drawn raised, as the button is laid out anew.
        QTest::mousePress(surfaceOf(button), Qt::LeftButton, {}, QPoint(5, 5));
        button->resize(120, 40);
        verifyRaised(button);
        QTest::mouseRelease(surfaceOf(button), Qt::LeftButton, {}, QPoint(5, 5));
    }

    void veryLargeButtonDrawsItsFrame()
    {
        std::unique_ptr<QWidget> button(newLumicap());
        button->resize(2300, 2200); // beyond 32,767 twips both ways
        button->show();
        QVERIFY(QTest::qWaitForWindowExposed(button.get()));
        verifyRaised(button.get());
        QVERIFY(QMetaObject::invokeMethod(button.get(), "DrawButton", Q_ARG(short, -1)));
        verifySunken(button.get());
    }

    void storedOnlyPropertiesAndDisablingLeaveTheLookAlone_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("BackColor") << "BackColor" << QVariant(0x00FF00FFu);
        QTest::newRow("BackStyle") << "BackStyle" << QVariant(1);
        QTest::newRow("BorderStyle") << "BorderStyle" << QVariant(-7);
        QTest::newRow("Enabled") << "Enabled" << QVariant(false);
    }
    void storedOnlyPropertiesAndDisablingLeaveTheLookAlone()
    {
        QFETCH(QString, name);
        QFETCH(QVariant, value);
        std::unique_ptr<QWidget> button(newLumicap());
        const QImage before = button->grab().toImage();
        button->setProperty(qPrintable(name), value);
        QCOMPARE(button->grab().toImage(), before);
    }

    void captionStaysCentred_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("pointSize");
        QTest::newRow("short") << "Go" << 0;
        QTest::newRow("longer text") << "Make the lists now" << 0;
        QTest::newRow("larger font") << "Exit" << 30;
        QTest::newRow("wider and taller than the button") << "A caption far too long for it" << 40;
    }
    void captionStaysCentred()
    {
        QFETCH(QString, caption);
        QFETCH(int, pointSize);
        std::unique_ptr<QWidget> button(newLumicap());
        button->setProperty("Caption", caption);
        if (pointSize > 0) {
            QFont font = button->property("Font").value<QFont>();
            font.setPointSize(pointSize);
            button->setProperty("Font", QVariant::fromValue(font));
        }
        QCOMPARE(button->property("Caption").toString(), caption);
        const QRect label = captionOf(button.get())->geometry();
        QCOMPARE(label.size(), captionOf(button.get())->sizeHint());
        const QPoint offset = centerOf(label) - centerOf(surfaceOf(button.get())->rect());
        QVERIFY2(qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1, qPrintable(caption));
        if (label.width() > button->width())
            QVERIFY(label.x() < 0);
        if (label.height() > button->height())
            QVERIFY(label.y() < 0);
    }

    void badSystemColourDrawsReadably()
    {
        std::unique_ptr<QWidget> button(newLumicap());
        button->setProperty("ForeColor", 0x800000FFu);
        button->setProperty("MouseOverColor", 0x8000FFFFu);
        QCOMPARE(captionColor(button.get()), button->palette().color(QPalette::WindowText));
        QVERIFY(!button->grab().isNull());
    }
};

QTEST_MAIN(TestLumicapDrawing)
#include "test_lumicap_drawing.moc"
