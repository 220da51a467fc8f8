#include "core/messages.h"
#include "modal_helper.h"
#include "test_main.h"
#include "ui/base_form.h"
#include "ui/buttons.h"
#include "ui/choice_box.h"
#include "ui/dos_edit.h"
#include "ui/program_kind.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>
#include <QWindow>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

void showActive(QWidget* window)
{
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

// A form that records the results it was asked to close with.
class ClosingForm : public TdlAlap {
public:
    bool FormCloseQuery(int modalResult) override
    {
        asked.append(modalResult);
        return allowClose;
    }
    QList<int> asked;
    bool allowClose = true;
};

// Resizes the window as the user's drag does, through the window system.
void dragTo(QWidget& form, QSize size)
{
    form.windowHandle()->resize(size);
    QTRY_COMPARE(form.size(), size);
}

QRect scaled(QRect r, int numerator, int denominator)
{
    return {mulDiv(r.x(), numerator, denominator), mulDiv(r.y(), numerator, denominator),
            mulDiv(r.width(), numerator, denominator), mulDiv(r.height(), numerator, denominator)};
}

} // namespace

class TestBaseForm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { setProgramKind(ProgramKind::Main); }

    void designDefaults()
    {
        TdlAlap form;
        form.FormCreate();
        QCOMPARE(ScaleFactor(), 1.0);
        QCOMPARE(form.size(), QSize(640, 480));
        QCOMPARE(form.font().family(), u"Courier New"_s);
        QCOMPARE(form.font().pixelSize(), 13);
    }

    void styleHolderLookTakenOnActivation_data()
    {
        QTest::addColumn<int>("program");
        QTest::addColumn<bool>("colourTaken");
        QTest::newRow("main program: font only") << int(ProgramKind::Main) << false;
        QTest::newRow("collector: font and colour") << int(ProgramKind::Collector) << true;
    }
    void styleHolderLookTakenOnActivation()
    {
        QFETCH(int, program);
        QFETCH(bool, colourTaken);
        setProgramKind(ProgramKind(program));
        const QFont designFont = dlAlap().font();
        const QPalette designColours = dlAlap().palette();
        QFont font(u"Arial"_s);
        font.setPixelSize(16);
        font.setBold(true);
        dlAlap().setFont(font);
        QPalette colours = dlAlap().palette();
        colours.setColor(QPalette::Window, Qt::darkCyan);
        dlAlap().setPalette(colours);

        TdlAlap form;
        auto* label = new QLabel(u"Árvíztűrő tükörfúrógép"_s, &form);
        showActive(&form);
        QCOMPARE(label->font().family(), u"Arial"_s);
        QCOMPARE(label->font().pixelSize(), 16);
        QVERIFY(label->font().bold());
        QCOMPARE(form.palette().color(QPalette::Window) == QColor(Qt::darkCyan), colourTaken);

        dlAlap().setFont(designFont);
        dlAlap().setPalette(designColours);
    }

    // A 400 x 300 form with a control it places itself, and one with a font of
    // its own, dragged by its edges and corner.
    void rescaleOnResize_data()
    {
        QTest::addColumn<QSize>("to");
        QTest::addColumn<int>("numerator");
        QTest::addColumn<int>("denominator");
        QTest::newRow("right edge: none") << QSize(500, 300) << 1 << 1;
        QTest::newRow("out 100 x 50: height") << QSize(500, 350) << 350 << 300;
        QTest::newRow("out 50 x 100: width") << QSize(450, 400) << 450 << 400;
        QTest::newRow("out 100 x 100: height") << QSize(500, 400) << 400 << 300;
        QTest::newRow("in 100 x 100: width") << QSize(300, 200) << 300 << 400;
        QTest::newRow("wider, lower: none") << QSize(500, 250) << 1 << 1;
    }
    void rescaleOnResize()
    {
        QFETCH(QSize, to);
        QFETCH(int, numerator);
        QFETCH(int, denominator);
        TdlAlap form;
        form.resize(400, 300);
        auto* button = new QPushButton(u"Gomb"_s, &form);
        const QRect place(40, 30, 100, 24);
        button->setGeometry(place);
        auto* title = new QLabel(u"Cím"_s, &form);
        QFont own = title->font();
        own.setPixelSize(30);
        title->setFont(own);
        auto* plain = new QLabel(u"sima"_s, &form);
        plain->move(10, 200);
        showActive(&form);
        const int formFontSize = plain->font().pixelSize();

        dragTo(form, to);
        QCOMPARE(button->geometry(), scaled(place, numerator, denominator));
        QCOMPARE(title->font().pixelSize(), mulDiv(30, numerator, denominator));
        QCOMPARE(plain->font().pixelSize(), formFontSize);
        QCOMPARE(form.rememberedSize(), to);
    }

    void programmedSizeIsNotRescaled()
    {
        TdlAlap form;
        form.resize(400, 300);
        auto* button = new QPushButton(u"Gomb"_s, &form);
        button->setGeometry(40, 30, 100, 24);
        showActive(&form);
        form.resize(500, 400);
        QCOMPARE(button->geometry(), QRect(40, 30, 100, 24));
        QCOMPARE(form.rememberedSize(), QSize(500, 400));
    }

    // Under a layout the places are the layout's; fixed sizes and own fonts scale.
    void layoutKeepsPlacesFixedSizesScale()
    {
        TdlAlap form;
        form.resize(400, 300);
        auto* layout = new QVBoxLayout(&form);
        auto* fixed = new QPushButton(u"Rögzített"_s, &form);
        fixed->setFixedSize(90, 24);
        auto* title = new QLabel(u"Cím"_s, &form);
        QFont own = title->font();
        own.setPixelSize(12);
        title->setFont(own);
        layout->addWidget(fixed);
        layout->addWidget(title);
        showActive(&form);
        dragTo(form, QSize(500, 400)); // height ratio 4/3
        QCOMPARE(fixed->size(), QSize(120, 32));
        QCOMPARE(title->font().pixelSize(), 16);
    }

    void groupMinimizeAndRestore()
    {
        TdlAlap first, second, third;
        for (TdlAlap* form : {&first, &second, &third})
            showActive(form);
        third.setWindowState(Qt::WindowMaximized);
        first.setWindowState(Qt::WindowMinimized);
        QVERIFY(second.windowState().testFlag(Qt::WindowMinimized));
        QVERIFY(third.windowState().testFlag(Qt::WindowMinimized));
        QVERIFY(second.isMinimizedTogether());

        first.setWindowState(Qt::WindowNoState);
        QCOMPARE(second.windowState(), Qt::WindowNoState);
        QCOMPARE(third.windowState(), Qt::WindowMaximized);
        QVERIFY(!second.isMinimizedTogether());
        QVERIFY(!first.isMinimizedTogether());
    }

    // before | group: one, two, three | check | after
    void radioAndCheckNavigation_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("to");
        QTest::newRow("Right leaves the group forwards") << u"two"_s << int(Qt::Key_Right) << u"check"_s;
        QTest::newRow("Enter leaves the group forwards") << u"two"_s << int(Qt::Key_Return) << u"check"_s;
        QTest::newRow("Left leaves the group backwards") << u"two"_s << int(Qt::Key_Left) << u"before"_s;
        QTest::newRow("Up on the first leaves backwards") << u"one"_s << int(Qt::Key_Up) << u"before"_s;
        QTest::newRow("Down on the last leaves forwards") << u"three"_s << int(Qt::Key_Down) << u"check"_s;
        QTest::newRow("Down inside moves within") << u"one"_s << int(Qt::Key_Down) << u"two"_s;
        QTest::newRow("Up inside moves within") << u"three"_s << int(Qt::Key_Up) << u"two"_s;
        QTest::newRow("check box on the form: Enter") << u"check"_s << int(Qt::Key_Return) << u"after"_s;
        QTest::newRow("check box on the form: Down") << u"check"_s << int(Qt::Key_Down) << u"after"_s;
        QTest::newRow("check box on the form: Up") << u"check"_s << int(Qt::Key_Up) << u"three"_s;
    }
    void radioAndCheckNavigation()
    {
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, to);
        TdlAlap form;
        auto* layout = new QVBoxLayout(&form);
        auto named = [&form](QWidget* w, const QString& name) {
            w->setObjectName(name);
            return w;
        };
        layout->addWidget(named(new QLineEdit(&form), u"before"_s));
        auto* group = new QGroupBox(u"Csoport"_s, &form);
        auto* inner = new QVBoxLayout(group);
        for (const QString& name : {u"one"_s, u"two"_s, u"three"_s})
            inner->addWidget(named(new QRadioButton(name, group), name));
        layout->addWidget(group);
        layout->addWidget(named(new QCheckBox(u"Jelölő"_s, &form), u"check"_s));
        layout->addWidget(named(new QLineEdit(&form), u"after"_s));
        showActive(&form);

        auto* start = form.findChild<QWidget*>(from);
        if (auto* radio = qobject_cast<QRadioButton*>(start))
            radio->setChecked(true);
        start->setFocus();
        QCOMPARE(QApplication::focusWidget(), start);
        QTest::keyClick(start, Qt::Key(key));
        QCOMPARE(QApplication::focusWidget()->objectName(), to);
    }

    // Check boxes of a choice group: the arrows move between them and out.
    void choiceGroupNavigation_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("to");
        QTest::newRow("Down inside") << u"b"_s << int(Qt::Key_Down) << u"c"_s;
        QTest::newRow("Up inside") << u"b"_s << int(Qt::Key_Up) << u"a"_s;
        QTest::newRow("Down on the last") << u"c"_s << int(Qt::Key_Down) << u"after"_s;
        QTest::newRow("Up on the first") << u"a"_s << int(Qt::Key_Up) << u"before"_s;
        QTest::newRow("Enter") << u"a"_s << int(Qt::Key_Return) << u"after"_s;
    }
    void choiceGroupNavigation()
    {
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, to);
        TdlAlap form;
        auto* layout = new QVBoxLayout(&form);
        auto* before = new TdosEdit(&form);
        before->setObjectName(u"before"_s);
        layout->addWidget(before);
        auto* group = new TChoiceGroup(u"Irány"_s, &form);
        auto* inner = new QVBoxLayout(group);
        for (const QString& name : {u"a"_s, u"b"_s, u"c"_s}) {
            auto* box = new TChoiceBox(name, group);
            box->setObjectName(name);
            inner->addWidget(box);
        }
        layout->addWidget(group);
        auto* after = new TdosEdit(&form);
        after->setObjectName(u"after"_s);
        layout->addWidget(after);
        showActive(&form);

        auto* start = form.findChild<QWidget*>(from);
        start->setFocus();
        QTest::keyClick(start, Qt::Key(key));
        QCOMPARE(QApplication::focusWidget()->objectName(), to);
    }

    void escPressesTheCancelButton()
    {
        ClosingForm form;
        auto* cancel = new TgmMgs(&form);
        cancel->setCancel(true);
        whenModalShown([](QWidget* shown) { pressKey(shown, Qt::Key_Escape); });
        QCOMPARE(form.exec(), int(mrCancel));
        QCOMPARE(form.asked, QList<int>{mrCancel});
    }

    void escWithoutCancelButtonDoesNothing()
    {
        ClosingForm form;
        auto* ok = new TgmRnb(&form);
        whenModalShown([ok](QWidget* shown) {
            pressKey(shown, Qt::Key_Escape);
            QTimer::singleShot(20, shown, [ok, shown] {
                QVERIFY(shown->isVisible());
                QTest::mouseClick(ok, Qt::LeftButton);
            });
        });
        QCOMPARE(form.exec(), int(mrOk));
        QCOMPARE(form.asked, QList<int>{mrOk});
    }

    void closeBoxAsksWithCancel()
    {
        ClosingForm form;
        form.allowClose = false;
        auto* ok = new TgmRnb(&form);
        whenModalShown([&form, ok](QWidget*) {
            QVERIFY(!form.close());
            QVERIFY(form.isVisible());
            form.allowClose = true;
            QTest::mouseClick(ok, Qt::LeftButton);
        });
        QCOMPARE(form.exec(), int(mrOk));
        QCOMPARE(form.asked, (QList<int>{mrCancel, mrOk}));
    }

    void positionByProgram()
    {
        setProgramKind(ProgramKind::Collector);
        TdlAlap collectorForm;
        QCOMPARE(collectorForm.position(), TdlAlap::Position::ScreenCenter);
        collectorForm.resize(200, 100);
        collectorForm.show();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(collectorForm.frameGeometry().center(), screen.center());

        setProgramKind(ProgramKind::Main);
        TdlAlap main;
        main.setPosition(TdlAlap::Position::Designed);
        main.setGeometry(20, 30, 400, 300);
        main.show();
        setMainForm(&main);
        TdlAlap form;
        QCOMPARE(form.position(), TdlAlap::Position::MainFormCenter);
        form.resize(200, 100);
        form.show();
        QCOMPARE(form.frameGeometry().center(), main.frameGeometry().center());
        setMainForm(nullptr);
    }
};

// Runs on a 1024 x 768 screen.
class TestScreenScaling : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void formGrowsWithItsControls()
    {
        if (QGuiApplication::primaryScreen()->geometry().height() != 768)
            QSKIP("needs a 1024 x 768 screen (ctest provides one)");
        TdlAlap form;
        auto* button = new QPushButton(u"Gomb"_s, &form);
        button->setGeometry(100, 100, 75, 25);
        auto* title = new QLabel(u"Cím"_s, &form);
        QFont own = title->font();
        own.setPixelSize(13);
        title->setFont(own);
        form.show();
        QCOMPARE(ScaleFactor(), 1.28);
        QCOMPARE(form.size(), QSize(819, 614));
        QCOMPARE(button->geometry(), QRect(128, 128, 96, 32));
        QCOMPARE(title->font().pixelSize(), 17);
        QCOMPARE(form.rememberedSize(), QSize(819, 614));
    }
};

REGISTER_TEST(TestBaseForm)
REGISTER_TEST(TestScreenScaling)
#include "test_base_form.moc"
