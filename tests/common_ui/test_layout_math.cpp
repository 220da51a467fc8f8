#include "test_main.h"
#include "ui/layout_math.h"

#include <QTest>

using Ratio = std::optional<ScaleRatio>;
Q_DECLARE_METATYPE(Ratio)

class TestLayoutMath : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rounding_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("halfEven");
        QTest::addColumn<int>("halfAway");
        QTest::newRow("2.5") << 2.5 << 2 << 3;
        QTest::newRow("3.5") << 3.5 << 4 << 4;
        QTest::newRow("-2.5") << -2.5 << -2 << -3;
        QTest::newRow("-3.5") << -3.5 << -4 << -4;
        QTest::newRow("127.5 (Rendben of a small dialog)") << 127.5 << 128 << 128;
        QTest::newRow("128.5") << 128.5 << 128 << 129;
        QTest::newRow("2.4") << 2.4 << 2 << 2;
        QTest::newRow("-0.6") << -0.6 << -1 << -1;
        QTest::newRow("25.6 (spacing at 1.28)") << 25.6 << 26 << 26;
    }
    void rounding()
    {
        QFETCH(double, x);
        QFETCH(int, halfEven);
        QFETCH(int, halfAway);
        QCOMPARE(roundHalfEven(x), halfEven);
        QCOMPARE(roundWith(Rounding::HalfEven, x), halfEven);
        QCOMPARE(roundWith(Rounding::HalfAway, x), halfAway);
    }

    void mulDivRoundsHalvesAway()
    {
        QCOMPARE(mulDiv(150, 614, 480), 192); // 191.875
        QCOMPARE(mulDiv(5, 1, 2), 3);
        QCOMPARE(mulDiv(-5, 1, 2), -3);
        QCOMPARE(mulDiv(100, 3, 4), 75);
        QCOMPARE(mulDiv(1000000, 3000, 1000), 3000000); // the product exceeds 32 bits
        QCOMPARE(mulDiv(7, 1, 0), 7);
    }

    void scaleFactor_data()
    {
        QTest::addColumn<int>("screenHeight");
        QTest::addColumn<double>("factor");
        QTest::addColumn<QSize>("formSize");
        QTest::newRow("1024 x 768") << 768 << 1.28 << QSize(819, 614);
        QTest::newRow("800 x 600") << 600 << 1.0 << QSize(640, 480);
        QTest::newRow("640 x 480") << 480 << 1.0 << QSize(640, 480);
        QTest::newRow("1920 x 1080") << 1080 << 1.8 << QSize(1152, 864);
    }
    void scaleFactor()
    {
        QFETCH(int, screenHeight);
        QFETCH(double, factor);
        QFETCH(QSize, formSize);
        QCOMPARE(scaleFactorForScreenHeight(screenHeight), factor);
        QCOMPARE(scaledFormSize(QSize(640, 480), scaleFactorForScreenHeight(screenHeight)), formSize);
    }

    // Dragging a 400 x 300 form's edges and corner.
    void rescaleRatio_data()
    {
        QTest::addColumn<QSize>("to");
        QTest::addColumn<Ratio>("ratio");
        const Ratio none;
        QTest::newRow("right edge only") << QSize(500, 300) << none;
        QTest::newRow("bottom edge only") << QSize(400, 400) << none;
        QTest::newRow("corner out 100 x 50: height") << QSize(500, 350) << Ratio(ScaleRatio{350, 300});
        QTest::newRow("corner out 50 x 100: width") << QSize(450, 400) << Ratio(ScaleRatio{450, 400});
        QTest::newRow("corner out 100 x 100: height") << QSize(500, 400) << Ratio(ScaleRatio{400, 300});
        QTest::newRow("corner in 100 x 100: width") << QSize(300, 200) << Ratio(ScaleRatio{300, 400});
        QTest::newRow("corner in 100 x 50: height") << QSize(300, 250) << Ratio(ScaleRatio{250, 300});
        QTest::newRow("corner in 50 x 100: width") << QSize(350, 200) << Ratio(ScaleRatio{350, 400});
        QTest::newRow("wider by 100, lower by 50") << QSize(500, 250) << none;
        QTest::newRow("narrower, higher") << QSize(350, 350) << none;
        QTest::newRow("unchanged") << QSize(400, 300) << none;
        QTest::newRow("created on a 768 screen: height") << QSize(512, 384) << Ratio(ScaleRatio{384, 300});
    }
    void rescaleRatio()
    {
        QFETCH(QSize, to);
        QFETCH(Ratio, ratio);
        QCOMPARE(::rescaleRatio(QSize(400, 300), to), ratio);
    }

    void formCreatedOnLargeScreenScalesByHeight()
    {
        QCOMPARE(::rescaleRatio(QSize(640, 480), QSize(819, 614)), Ratio(ScaleRatio{614, 480}));
    }
};

REGISTER_TEST(TestLayoutMath)
#include "test_layout_math.moc"
