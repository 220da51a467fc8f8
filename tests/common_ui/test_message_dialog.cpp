#include "core/messages.h"
#include "modal_helper.h"
#include "test_main.h"
#include "ui/buttons.h"
#include "ui/message_dialog.h"
#include "ui/next_answer.h"

#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString lines(int count)
{
    QStringList text;
    for (int i = 1; i <= count; ++i)
        text.append(u"Sor "_s + QString::number(i));
    return text.join(u';');
}

int textBottom(const TdlMessage& dialog)
{
    return dialog.textArea->geometry().bottom() + 1;
}

} // namespace

// The message dialog on an 800 x 600 screen (spacing 20), driven like a user.
class TestMessageDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { clearNextAnswers(); }
    void cleanup() { QCOMPARE(takeAnsweredQuestions(), QList<AnsweredQuestion>()); }

    void heightFollowsTheText()
    {
        TdlMessage dialog;
        dialog.layOut(u"Rövid szöveg."_s, u'I', u"R"_s, QString());
        QCOMPARE(dialog.baseHeight(), 220);
        QCOMPARE(dialog.baseButtonTop(), 150);
        QCOMPARE(dialog.outerHeight(), 220);
        QCOMPARE(dialog.gmRnb1->y(), 150);

        dialog.layOut(lines(20), u'I', u"R"_s, QString());
        QCOMPARE(dialog.lbSzoveg->text().count(u'\n'), 19);
        QCOMPARE(dialog.outerHeight(), textBottom(dialog) + 70 + 20);
        QCOMPARE(dialog.gmRnb1->y(), textBottom(dialog) + 20);

        dialog.layOut(u"Megint rövid."_s, u'I', u"R"_s, QString());
        QCOMPARE(dialog.outerHeight(), 220);
        QCOMPARE(dialog.gmRnb1->y(), 150);
    }

    void widthAndPlaces()
    {
        TdlMessage dialog;
        // A one-word internal error: the title decides the width.
        dialog.layOut(u"Hiba"_s, u'B', u"R"_s, QString());
        QCOMPARE(dialog.width() + TdlMessage::kFrame.width(), dialog.lbInfo->width() + 2 * 20 + 32);
        QCOMPARE(dialog.lbInfo->geometry().right() + 1, dialog.width() - 20);
        // A long line: the text decides and stands in the middle.
        dialog.layOut(u"Ez egy jóval hosszabb sor, amely szélesebb a címnél és a gomboknál is."_s, u'F',
                      u"IN"_s, QString());
        QCOMPARE(dialog.width() + TdlMessage::kFrame.width(), dialog.textArea->width() + 2 * 20);
        const int leftMargin = dialog.textArea->x();
        const int rightMargin = dialog.width() - dialog.textArea->geometry().right() - 1;
        QVERIFY(std::abs(leftMargin - rightMargin) <= 1);
        // The buttons' row stands in the middle too.
        const int rowLeft = dialog.gmIgen1->x();
        const int rowRight = dialog.width() - dialog.gmNem1->geometry().right() - 1;
        QVERIFY(std::abs(rowLeft - rowRight) <= 1);
    }

    void titlesAndIcons_data()
    {
        QTest::addColumn<QChar>("kind");
        QTest::addColumn<QString>("title");
        QTest::newRow("H") << QChar(u'H') << u"H I B A"_s;
        QTest::newRow("K") << QChar(u'K') << u"K é r d é s"_s;
        QTest::newRow("X") << QChar(u'X') << u"E g y é b"_s;
    }
    void titlesAndIcons()
    {
        QFETCH(QChar, kind);
        QFETCH(QString, title);
        TdlMessage dialog;
        dialog.layOut(u"Szöveg"_s, kind, u"R"_s, QString());
        QCOMPARE(dialog.lbInfo->text(), title);
        QVERIFY(!dialog.Image1->pixmap().isNull());
    }

    void linesOfTheText()
    {
        TdlMessage dialog;
        dialog.layOut(u"egy;kettő;;három"_s, u'I', u"R"_s, QString());
        QCOMPARE(dialog.lbSzoveg->text(), u"egy\nkettő"_s);
        dialog.layOut(u"egy\rkettő"_s, u'I', u"R"_s, QString());
        QCOMPARE(dialog.lbSzoveg->text(), u"egy\nkettő"_s);
    }

    // A text taller than the screen scrolls; the buttons stay on the screen.
    void hugeTextStaysOnTheScreen()
    {
        TdlMessage dialog;
        dialog.layOut(lines(200), u'H', u"R"_s, QString());
        QCOMPARE(dialog.lbSzoveg->text().count(u'\n'), 199);
        QVERIFY(dialog.outerHeight() <= QGuiApplication::primaryScreen()->availableGeometry().height());
        QVERIFY(dialog.textArea->height() < dialog.lbSzoveg->height());
        QVERIFY(dialog.gmRnb1->geometry().bottom() < dialog.height());
    }

    void slotOrderDefaultAndFocus()
    {
        TdlMessage dialog;
        whenModalShown([&dialog](QWidget* shown) {
            QCOMPARE(shown, &dialog);
            QVERIFY(dialog.gmIgen1->x() < dialog.gmNem1->x());
            QVERIFY(dialog.gmNem1->isDefault());
            QCOMPARE(QApplication::focusWidget(), dialog.gmNem1);
            QVERIFY(!dialog.gmRnb1->isVisible());
            pressKey(shown, Qt::Key_Return);
        });
        QCOMPARE(dialog.Execute(u"Töröljem?"_s, u'K', u"NI"_s, QString()), int(mrNo));
    }

    void keys_data()
    {
        QTest::addColumn<QString>("buttons");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("result");
        QTest::newRow("IN, Enter") << u"IN"_s << QList<int>{Qt::Key_Return} << int(mrYes);
        QTest::newRow("IN, Tab then Enter")
            << u"IN"_s << QList<int>{Qt::Key_Tab, Qt::Key_Return} << int(mrNo);
        QTest::newRow("IN, arrow then Enter")
            << u"IN"_s << QList<int>{Qt::Key_Right, Qt::Key_Return} << int(mrNo);
        QTest::newRow("R, Enter") << u"R"_s << QList<int>{Qt::Key_Return} << int(mrOk);
        QTest::newRow("R, Esc gives Cancel") << u"R"_s << QList<int>{Qt::Key_Escape} << int(mrCancel);
        QTest::newRow("INM, Esc") << u"INM"_s << QList<int>{Qt::Key_Escape} << int(mrCancel);
        QTest::newRow("M default, Space") << u"MI"_s << QList<int>{Qt::Key_Space} << int(mrCancel);
    }
    void keys()
    {
        QFETCH(QString, buttons);
        QFETCH(QList<int>, keys);
        QFETCH(int, result);
        TdlMessage dialog;
        whenModalShown([keys](QWidget* shown) {
            for (const int key : keys)
                pressKey(shown, Qt::Key(key));
        });
        QCOMPARE(dialog.Execute(u"Kérdés"_s, u'K', buttons, QString()), result);
    }

    void extraButton()
    {
        TdlMessage dialog;
        whenModalShown([&dialog](QWidget*) {
            QCOMPARE(dialog.gmEgyeb1->text(), u"Mindet"_s);
            QTest::mouseClick(dialog.gmEgyeb1, Qt::LeftButton);
        });
        QCOMPARE(dialog.Execute(u"Mit töröljek?"_s, u'K', u"IEM"_s, u"Mindet"_s), int(mrAll));
    }

    // Esc with "Igen" and "Nem" only: the notice in the plain message box, and
    // the dialog waits for a button.
    void escRefusedWithNotice()
    {
        TdlMessage dialog;
        QString notice;
        QString noticeCaption;
        whenModalShown([&](QWidget* shown) {
            whenModalShown(
                [&](QWidget* box) {
                    notice = static_cast<QMessageBox*>(box)->text();
                    noticeCaption = box->windowTitle();
                    pressKey(box, Qt::Key_Return);
                    QTimer::singleShot(20, &dialog, [&dialog] {
                        QVERIFY(dialog.isVisible());
                        QTest::mouseClick(dialog.gmIgen1, Qt::LeftButton);
                    });
                },
                shown);
            pressKey(shown, Qt::Key_Escape);
        });
        QCOMPARE(dialog.Execute(u"Biztos?"_s, u'K', u"IN"_s, QString()), int(mrYes));
        QCOMPARE(notice, u"A beviteli ablak nem bezárható.\nKérem válasszon a gombok közül."_s);
        QCOMPARE(noticeCaption, QGuiApplication::applicationDisplayName());
    }

    void closeBoxRefused()
    {
        TdlMessage dialog;
        whenModalShown([&dialog](QWidget* shown) {
            setNextAnswer(mrOk); // the notice
            QVERIFY(!dialog.close());
            QCOMPARE(takeAnsweredQuestions(),
                     QList{AnsweredQuestion::plainMessage(messageCloseRefusedText(), mrOk)});
            QVERIFY(dialog.isVisible());
            pressKey(shown, Qt::Key_Return);
        });
        QCOMPARE(dialog.Execute(u"Biztos?"_s, u'K', u"NI"_s, QString()), int(mrNo));
    }

    void closeBoxWithOneButtonGivesCancel()
    {
        TdlMessage dialog;
        whenModalShown([&dialog](QWidget*) { dialog.close(); });
        QCOMPARE(dialog.Execute(u"Kész."_s, u'I', u"R"_s, QString()), int(mrCancel));
    }

    void shownInTheScreenCentreAfterTheFirstTime()
    {
        TdlMessage dialog;
        QCOMPARE(dialog.position(), TdlAlap::Position::MainFormCenter);
        setNextAnswer(mrOk);
        dialog.Execute(u"Első"_s, u'I', u"R"_s, QString());
        QCOMPARE(dialog.position(), TdlAlap::Position::ScreenCenter);
        takeAnsweredQuestions();
    }

    void answeredInAdvance()
    {
        TdlMessage dialog;
        setNextAnswer(mrYes);
        setNextAnswer(mrOk);
        QCOMPARE(dialog.Execute(u"Folytatja?"_s, u'K', u"IN"_s, QString()), int(mrYes));
        QCOMPARE(dialog.Execute(u"Kész."_s, u'I', u"R"_s, QString()), int(mrOk));
        QVERIFY(!hasNextAnswer());
        QCOMPARE(takeAnsweredQuestions(),
                 (QList{AnsweredQuestion::message(u"Folytatja?"_s, u'K', u"IN"_s, {}, mrYes),
                        AnsweredQuestion::message(u"Kész."_s, u'I', u"R"_s, {}, mrOk)}));
    }

    // An answer no user could give is returned, but marked and warned about.
    void impossibleAnswerIsMarked_data()
    {
        QTest::addColumn<QString>("buttons");
        QTest::addColumn<int>("answer");
        QTest::newRow("no such button") << u"R"_s << int(mrYes);
        QTest::newRow("Esc refused") << u"IN"_s << int(mrCancel);
    }
    void impossibleAnswerIsMarked()
    {
        QFETCH(QString, buttons);
        QFETCH(int, answer);
        TdlMessage dialog;
        setNextAnswer(answer);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"not possible"_s));
        QCOMPARE(dialog.Execute(u"Kérdés"_s, u'K', buttons, QString()), answer);
        const QList<AnsweredQuestion> asked = takeAnsweredQuestions();
        QCOMPARE(asked.size(), 1);
        QVERIFY(!asked.front().possible);
    }
};

REGISTER_TEST(TestMessageDialog)
#include "test_message_dialog.moc"
