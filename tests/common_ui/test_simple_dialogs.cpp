#include "core/fields.h"
#include "core/messages.h"
#include "core/text_utils.h"
#include "modal_helper.h"
#include "test_main.h"
#include "ui/buttons.h"
#include "ui/dialog_reporter.h"
#include "ui/message_dialog.h"
#include "ui/next_answer.h"
#include "ui/simple_dialogs.h"

#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QScreen>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QList<TGomb*> visibleButtons(QWidget* dialog)
{
    QList<TGomb*> shown;
    for (TGomb* button : dialog->findChildren<TGomb*>()) {
        if (button->isVisible())
            shown.append(button);
    }
    std::sort(shown.begin(), shown.end(), [](TGomb* a, TGomb* b) { return a->x() < b->x(); });
    return shown;
}

} // namespace

class TestSimpleDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        FoFormJellem().Init(100, 50, 600, 400);
        clearNextAnswers();
    }
    void cleanup() { FoFormJellem().Init(0, 0, 0, 0); }

    // The date check's error: kind 4, default position and size.
    void errorDialog()
    {
        QRect geometry;
        QString caption;
        QList<QPoint> places;
        whenModalShown([&](QWidget* shown) {
            geometry = shown->geometry();
            caption = shown->windowTitle();
            for (TGomb* button : visibleButtons(shown))
                places.append(button->pos());
            QCOMPARE(visibleButtons(shown).front()->text(), u"Rendben"_s);
            pressKey(shown, Qt::Key_Return);
        });
        QCOMPARE(showParbeszed(4, u"Évszám nem lehet nulla."_s), int(mrOk));
        QCOMPARE(geometry, QRect(100 + 135, 50 + 145, 330, 110));
        QCOMPARE(caption, u"Hiba"_s);
        QCOMPARE(places, QList<QPoint>{QPoint(128, 70)});
    }

    void choiceDialog()
    {
        QList<int> lefts;
        whenModalShown([&](QWidget* shown) {
            const QList<TGomb*> buttons = visibleButtons(shown);
            for (TGomb* button : buttons)
                lefts.append(button->x());
            QCOMPARE(QApplication::focusWidget(), buttons.front());
            QCOMPARE(shown->windowTitle(), u"Választás"_s);
            pressKey(shown, Qt::Key_Right);
            pressKey(shown, Qt::Key_Return);
        });
        QCOMPARE(showParbeszed(5, u"Mit tegyek?"_s, DialogPosition::at(10, 20), 8, DialogSize::large()),
                 int(mrNo));
        QCOMPARE(lefts, (QList<int>{58, 163, 268}));
    }

    void noCancelKeyNoCloseBox()
    {
        whenModalShown([](QWidget* shown) {
            pressKey(shown, Qt::Key_Escape);
            QVERIFY(!shown->close());
            QTimer::singleShot(20, shown, [shown] {
                QVERIFY(shown->isVisible());
                QTest::mouseClick(visibleButtons(shown).back(), Qt::LeftButton);
            });
        });
        QCOMPARE(showParbeszed(1, u"Mehet?"_s), int(mrCancel));
    }

    void longTextWraps()
    {
        TUzenetOK dialog;
        const QString text = u"Dátumban csak számjegy és pont szerepelhet.\rSzóköz sem lehet."_s;
        dialog.Init(u"Hiba"_s, text, 0, 0, 330, 110, 8, Qt::lightGray);
        QCOMPARE(dialog.DialogSzoveg->geometry(), QRect(75, 15, 240, 40));
        QCOMPARE(dialog.DialogSzoveg->text(),
                 u"Dátumban csak számjegy és pont szerepelhet.\nSzóköz sem lehet."_s);
        const QString longLine =
            u"A kért időszakban egyetlen díjazatlan hívás sem található, ezért nincs mit számolni."_s;
        dialog.Init(u"Információ"_s, longLine, 0, 0, 330, 110, 8, Qt::lightGray);
        const QFontMetrics metrics = dialog.DialogSzoveg->fontMetrics();
        QVERIFY(metrics.horizontalAdvance(longLine) > 240);
        QVERIFY(dialog.DialogSzoveg->heightForWidth(240) >= 2 * metrics.height());
    }

    void kindAboveFiveShowsNothing()
    {
        QCOMPARE(showParbeszed(6, u"Semmi"_s), int(mrOk));
        QCOMPARE(Parbeszed(9, u"Semmi"_s), int(mrOk));
    }

    void centredOnScreenWithoutMainWindow()
    {
        FoFormJellem().Init(0, 0, 0, 0);
        QRect geometry;
        whenModalShown([&](QWidget* shown) {
            geometry = shown->frameGeometry();
            pressKey(shown, Qt::Key_Return);
        });
        QCOMPARE(showParbeszed(2, u"Kész."_s), int(mrOk));
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY((geometry.center() - screen.center()).manhattanLength() <= 2);
    }

    void answeredInAdvance()
    {
        setNextAnswer(mrNo);
        QCOMPARE(showParbeszed(0, u"Folytatja?"_s), int(mrNo));
        QCOMPARE(takeAnsweredQuestions(), QList{AnsweredQuestion::simpleDialog(0, u"Folytatja?"_s, mrNo)});
    }

    void progress()
    {
        TFolyamatjelzo& progress = Folyamatjelzo();
        progress.Letrehoz(u"Beolvasás"_s, 0, 10);
        QVERIFY(progress.isVisible());
        QCOMPARE(progress.windowTitle(), u"Beolvasás"_s);
        QCOMPARE(progress.size(), QSize(305, 75));
        QCOMPARE(progress.pos(), QPoint(100 + 148, 50 + 162));
        QCOMPARE(progress.Jelzocsik->geometry(), QRect(15, 25, 275, 25));
        progress.Lepes(4);
        QCOMPARE(progress.Jelzocsik->value(), 4);
        progress.Lepes(100);
        QCOMPARE(progress.Jelzocsik->value(), 10);
        progress.Lepes(-50);
        QCOMPARE(progress.Jelzocsik->value(), 0);
        progress.Vege();
        QVERIFY(!progress.isVisible());
    }
};

// The core's messages shown in the real dialogs.
class TestDialogReporter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { installDialogReporter(ProgramKind::Main); }
    void cleanupTestCase() { setReporter(nullptr); }
    void init() { clearNextAnswers(); }

    void coreMessagesReachTheDialogs()
    {
        for (int i = 0; i < 3; ++i)
            setNextAnswer(mrOk);
        QCOMPARE(ERTC(4, u"a;b;c"_s, true), QString());
        QVERIFY(!IsValidDate(u"2023.02.29"_s, true));
        QCOMPARE(IncTrailingNumber(u"ABC"_s, 1), u"ABC"_s);
        QCOMPARE(takeAnsweredQuestions(),
                 (QList{AnsweredQuestion::message(u"ERTC funkció - Nincs 4. pozíció:;a;b;c"_s, u'B', u"R"_s,
                                                  {}, mrOk),
                        AnsweredQuestion::simpleDialog(4, u"Napok száma 2023.02 hónapban 28."_s, mrOk),
                        AnsweredQuestion::plainMessage(u"Nem növelhető: ABC"_s, mrOk)}));
    }

    void questionAnsweredByKey()
    {
        whenModalShown([](QWidget* shown) {
            QCOMPARE(shown, &dlMessage());
            QCOMPARE(static_cast<TdlMessage*>(shown)->lbSzoveg->text(), u"Valóban kilép?"_s);
            pressKey(shown, Qt::Key_Return);
        });
        QCOMPARE(Uzenet(u"Valóban kilép?"_s, u'K', u"IN"_s), int(mrYes));
    }

    // A message raised while the message dialog is open gets its own dialog.
    void messageWhileAnotherIsOpen()
    {
        int inner = 0;
        whenModalShown([&inner](QWidget* outer) {
            whenModalShown(
                [](QWidget* second) {
                    QCOMPARE(static_cast<TdlMessage*>(second)->lbSzoveg->text(), u"Belső"_s);
                    pressKey(second, Qt::Key_Return);
                },
                outer);
            inner = Uzenet(u"Belső"_s, u'I', u"R"_s);
            QCOMPARE(static_cast<TdlMessage*>(outer)->lbSzoveg->text(), u"Külső"_s);
            pressKey(outer, Qt::Key_Return);
        });
        QCOMPARE(Uzenet(u"Külső"_s, u'K', u"NI"_s), int(mrNo));
        QCOMPARE(inner, int(mrOk));
    }

    void plainMessageBox()
    {
        QString caption;
        QString text;
        whenModalShown([&](QWidget* shown) {
            caption = shown->windowTitle();
            text = static_cast<QMessageBox*>(shown)->text();
            pressKey(shown, Qt::Key_Return);
        });
        ShowPlainMessage(u"Nincs ilyen kódlap: XYZ"_s);
        QCOMPARE(caption, u"Teloran"_s);
        QCOMPARE(text, u"Nincs ilyen kódlap: XYZ"_s);
    }
};

REGISTER_TEST(TestSimpleDialogs)
REGISTER_TEST(TestDialogReporter)
#include "test_simple_dialogs.moc"
