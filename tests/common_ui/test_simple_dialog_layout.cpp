#include "core/messages.h"
#include "test_main.h"
#include "ui/simple_dialog_layout.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(DialogSize)

namespace {

TFoFormJellem mainWindow(int left, int top, int width, int height)
{
    TFoFormJellem main;
    main.Init(left, top, width, height);
    return main;
}

} // namespace

class TestSimpleDialogLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void kinds_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QList<int>>("results");
        QTest::newRow("0") << 0 << u"Kérdés"_s << QList<int>{mrYes, mrNo};
        QTest::newRow("1") << 1 << u"Kérdés"_s << QList<int>{mrOk, mrCancel};
        QTest::newRow("2") << 2 << u"Információ"_s << QList<int>{mrOk};
        QTest::newRow("3") << 3 << u"Figyelmeztetés"_s << QList<int>{mrOk};
        QTest::newRow("4") << 4 << u"Hiba"_s << QList<int>{mrOk};
        QTest::newRow("5") << 5 << u"Választás"_s << QList<int>{mrYes, mrNo, mrCancel};
    }
    void kinds()
    {
        QFETCH(int, kind);
        QFETCH(QString, caption);
        QFETCH(QList<int>, results);
        QCOMPARE(simpleDialogKind(kind)->caption, caption);
        QCOMPARE(simpleDialogKind(kind)->results, results);
    }

    void kindAboveFiveHasNoDialog()
    {
        QVERIFY(!simpleDialogKind(6));
        QVERIFY(!simpleDialogKind(-1));
    }

    // The call of the date check: kind 4, default position and size.
    void errorDialogAtTheDefaults()
    {
        const TFoFormJellem main = mainWindow(100, 50, 800, 600);
        const SimpleDialogLayout out = layOutSimpleDialog(*simpleDialogKind(4), DialogPosition::centre(),
                                                          DialogSize::small(), main, Rounding::HalfEven);
        QCOMPARE(out.clientSize, QSize(330, 110));
        QCOMPARE(out.position, QPoint(100 + 235, 50 + 245));
        QCOMPARE(out.buttonLefts, QList<int>{128});
        QCOMPARE(out.buttonTop, 70);
        QCOMPARE(out.textRect, QRect(75, 15, 240, 40));
    }

    void buttonRows_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<DialogSize>("size");
        QTest::addColumn<QList<int>>("lefts");
        QTest::addColumn<int>("top");
        QTest::newRow("choice, large") << 5 << DialogSize::large() << QList<int>{58, 163, 268} << 90;
        QTest::newRow("yes/no, small") << 0 << DialogSize::small() << QList<int>{75, 180} << 70;
        QTest::newRow("ok/cancel, large") << 1 << DialogSize::large() << QList<int>{110, 215} << 90;
        QTest::newRow("information, explicit") << 2 << DialogSize::of(500, 200) << QList<int>{212} << 160;
    }
    void buttonRows()
    {
        QFETCH(int, kind);
        QFETCH(DialogSize, size);
        QFETCH(QList<int>, lefts);
        QFETCH(int, top);
        const SimpleDialogLayout out = layOutSimpleDialog(*simpleDialogKind(kind), DialogPosition::at(10, 20),
                                                          size, TFoFormJellem(), Rounding::HalfEven);
        QCOMPARE(out.buttonLefts, lefts);
        QCOMPARE(out.buttonTop, top);
        QCOMPARE(out.position, QPoint(10, 20));
    }

    // The collector rounds halves away from zero, the main program to even.
    void roundingDiffersByProgram()
    {
        QCOMPARE(simpleDialogButtonLefts(332, 75, 1, Rounding::HalfEven), QList<int>{128});
        QCOMPARE(simpleDialogButtonLefts(332, 75, 1, Rounding::HalfAway), QList<int>{129});
        const TFoFormJellem main = mainWindow(0, 0, 331, 601);
        QCOMPARE(centredOverMainWindow(QSize(330, 110), main, Rounding::HalfEven), QPoint(0, 246));
        QCOMPARE(centredOverMainWindow(QSize(330, 110), main, Rounding::HalfAway), QPoint(1, 246));
    }

    // Without a recorded main window the dialog is centred on the screen
    // rather than placed half off it.
    void unrecordedMainWindowLeavesPlacingToTheScreen()
    {
        QVERIFY(!centredOverMainWindow(QSize(330, 110), TFoFormJellem(), Rounding::HalfEven));
    }
};

REGISTER_TEST(TestSimpleDialogLayout)
#include "test_simple_dialog_layout.moc"
