#include "core/messages.h"
#include "modal_helper.h"
#include "test_main.h"
#include "ui/base_form.h"
#include "ui/buttons.h"
#include "ui/choice_box.h"
#include "ui/dos_edit.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// A shown, active window to type into.
void showActive(QWidget* window)
{
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

} // namespace

class TestButtons : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void standardButtons_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("expectedResult");
        QTest::newRow("TgmRnb") << TgmRnb().text() << TgmRnb().modalResult() << int(mrOk);
        QTest::newRow("TgmMgs") << TgmMgs().text() << TgmMgs().modalResult() << int(mrCancel);
        QTest::newRow("TgmIgen") << TgmIgen().text() << TgmIgen().modalResult() << int(mrYes);
        QTest::newRow("TgmNem") << TgmNem().text() << TgmNem().modalResult() << int(mrNo);
    }
    void standardButtons()
    {
        QFETCH(QString, caption);
        QFETCH(int, result);
        QFETCH(int, expectedResult);
        const QHash<int, QString> captions{
            {mrOk, u"Rendben"_s}, {mrCancel, u"Mégsem"_s}, {mrYes, u"Igen"_s}, {mrNo, u"Nem"_s}};
        QCOMPARE(caption, captions.value(expectedResult));
        QCOMPARE(result, expectedResult);
    }

    void standardSizeAndNoCancelByItself()
    {
        TgmMgs button;
        QCOMPARE(button.size(), QSize(75, 25));
        QVERIFY(button.sizeHint().width() >= 75);
        QVERIFY(!button.isCancel());
        QVERIFY(!button.isDefault());
    }

    void clickClosesModalFormWithItsResult()
    {
        TdlAlap form;
        auto* yes = new TgmIgen(&form);
        whenModalShown([yes](QWidget*) { QTest::mouseClick(yes, Qt::LeftButton); });
        QCOMPARE(form.exec(), int(mrYes));
    }

    // A handler of the click may keep the form open by taking the result back.
    void clickHandlerMayKeepFormOpen()
    {
        TdlAlap form;
        auto* ok = new TgmRnb(&form);
        auto* cancel = new TgmMgs(&form);
        cancel->move(100, 0);
        int refused = 0;
        connect(ok, &QPushButton::clicked, &form, [&] {
            if (refused++ == 0)
                form.setModalResult(0);
        });
        whenModalShown([ok](QWidget* shown) {
            QTest::mouseClick(ok, Qt::LeftButton);
            QTimer::singleShot(20, shown, [ok, shown] {
                QVERIFY(shown->isVisible());
                QTest::mouseClick(ok, Qt::LeftButton);
            });
        });
        QCOMPARE(form.exec(), int(mrOk));
        QCOMPARE(refused, 2);
    }

    void buttonWithoutResultLeavesFormOpen()
    {
        TdlAlap form;
        auto* plain = new TGomb(u"Súgó"_s, 0, &form);
        auto* ok = new TgmRnb(&form);
        ok->move(100, 0);
        whenModalShown([plain, ok](QWidget* shown) {
            QTest::mouseClick(plain, Qt::LeftButton);
            QTimer::singleShot(20, shown, [ok, shown] {
                QVERIFY(shown->isVisible());
                QTest::mouseClick(ok, Qt::LeftButton);
            });
        });
        QCOMPARE(form.exec(), int(mrOk));
    }
};

// A panel with edits and other controls, keyed like a user.
class TestDosEdit : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QWidget> window;
    QWidget* panel = nullptr;
    QList<TdosEdit*> edits;

    TdosEdit* addEdit(QWidget* parent, const QString& name)
    {
        auto* edit = new TdosEdit(parent);
        edit->setObjectName(name);
        parent->layout()->addWidget(edit);
        return edit;
    }

    QString focused() const
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }

    void press(TdosEdit* edit, Qt::Key key)
    {
        edit->setFocus();
        QCOMPARE(QApplication::focusWidget(), edit);
        QTest::keyClick(edit, key);
    }

private Q_SLOTS:
    void init()
    {
        window = std::make_unique<QWidget>();
        new QVBoxLayout(window.get());
        panel = new QWidget(window.get());
        new QVBoxLayout(panel);
        window->layout()->addWidget(panel);
        edits = {addEdit(panel, u"first"_s), addEdit(panel, u"second"_s), addEdit(panel, u"third"_s)};
        showActive(window.get());
    }
    void cleanup() { window.reset(); }

    void navigation_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("to");
        QTest::newRow("Enter in the last wraps to the first") << 2 << int(Qt::Key_Return) << u"first"_s;
        QTest::newRow("keypad Enter moves on") << 0 << int(Qt::Key_Enter) << u"second"_s;
        QTest::newRow("Up in the first wraps to the last") << 0 << int(Qt::Key_Up) << u"third"_s;
        QTest::newRow("Down in the second goes to the third") << 1 << int(Qt::Key_Down) << u"third"_s;
        QTest::newRow("Up in the third goes to the second") << 2 << int(Qt::Key_Up) << u"second"_s;
    }
    void navigation()
    {
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(QString, to);
        press(edits[from], Qt::Key(key));
        QCOMPARE(focused(), to);
    }

    // Tab order, not the order of creation, decides.
    void followsTabOrder()
    {
        QWidget::setTabOrder(edits[2], edits[1]);
        QWidget::setTabOrder(edits[0], edits[2]);
        press(edits[0], Qt::Key_Return);
        QCOMPARE(focused(), u"third"_s);
        press(edits[2], Qt::Key_Return);
        QCOMPARE(focused(), u"second"_s);
    }

    void hiddenAndDisabledControlsAreSkipped_data()
    {
        QTest::addColumn<bool>("hide");
        QTest::newRow("hidden") << true;
        QTest::newRow("disabled") << false;
    }
    void hiddenAndDisabledControlsAreSkipped()
    {
        QFETCH(bool, hide);
        if (hide)
            edits[1]->hide();
        else
            edits[1]->setEnabled(false);
        press(edits[0], Qt::Key_Return);
        QCOMPARE(focused(), u"third"_s);
        press(edits[2], Qt::Key_Up);
        QCOMPARE(focused(), u"first"_s);
    }

    void labelsAreNotStops()
    {
        auto* label = new QLabel(u"Címke"_s, panel);
        panel->layout()->addWidget(label);
        QWidget::setTabOrder(edits[0], label);
        press(edits[0], Qt::Key_Return);
        QCOMPARE(focused(), u"second"_s);
    }

    void containerIsEnteredAtItsFirstControl()
    {
        auto* inner = new QWidget(panel);
        new QVBoxLayout(inner);
        panel->layout()->addWidget(inner);
        auto* innerFirst = addEdit(inner, u"innerFirst"_s);
        addEdit(inner, u"innerSecond"_s);
        inner->show();
        press(edits[2], Qt::Key_Return);
        QCOMPARE(focused(), u"innerFirst"_s);
        // Inside the container the edits go round among themselves.
        press(innerFirst, Qt::Key_Up);
        QCOMPARE(focused(), u"innerSecond"_s);
    }

    void enterNeverTypesAndNeverReachesTheForm()
    {
        TdlAlap form;
        new QVBoxLayout(&form);
        auto* edit = addEdit(&form, u"alone"_s);
        auto* ok = new TgmRnb(&form);
        ok->setDefault(true);
        form.layout()->addWidget(ok);
        QSignalSpy pressed(ok, &QPushButton::clicked);
        showActive(&form);
        edit->setFocus();
        QTest::keyClicks(edit, u"ab"_s);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(edit->text(), u"ab"_s);
        QCOMPARE(pressed.count(), 0);
        QCOMPARE(QApplication::focusWidget(), ok);
    }

    void nextOnMaxlenMovesOnWhenFull()
    {
        edits[0]->setMaxLength(3);
        edits[0]->setNextOnMaxlen(true);
        edits[0]->setFocus();
        QTest::keyClicks(edits[0], u"ab"_s);
        QCOMPARE(focused(), u"first"_s);
        QTest::keyClick(edits[0], Qt::Key_C);
        QCOMPARE(focused(), u"second"_s);
        // Off by default: a full field stays.
        edits[1]->setMaxLength(1);
        QTest::keyClick(edits[1], Qt::Key_X);
        QCOMPARE(focused(), u"second"_s);
    }

    void fullDateMovesOn()
    {
        auto* date = new TdosDatum(panel);
        date->setObjectName(u"date"_s);
        panel->layout()->addWidget(date);
        date->setNextOnMaxlen(true);
        date->show();
        date->setFocus();
        date->setCursorPosition(0);
        QTest::keyClicks(date, u"2025052"_s);
        QCOMPARE(focused(), u"date"_s);
        QTest::keyClick(date, Qt::Key_3);
        QCOMPARE(date->maskedText(), u"2025.05.23"_s);
        QCOMPARE(focused(), u"first"_s);
    }
};

class TestChoiceBox : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QWidget> window;
    TChoiceGroup* group = nullptr;
    QList<TChoiceBox*> boxes;

    QList<bool> states() const
    {
        QList<bool> checked;
        for (const TChoiceBox* box : boxes)
            checked.append(box->isChecked());
        return checked;
    }

private Q_SLOTS:
    void init()
    {
        window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window.get());
        auto* before = new QPushButton(u"előtte"_s, window.get());
        before->setObjectName(u"before"_s);
        layout->addWidget(before);
        group = new TChoiceGroup(u"Választás"_s, window.get());
        auto* inner = new QVBoxLayout(group);
        boxes.clear();
        for (const QString& name : {u"egy"_s, u"kettő"_s, u"három"_s}) {
            auto* box = new TChoiceBox(name, group);
            box->setObjectName(name);
            inner->addWidget(box);
            boxes.append(box);
        }
        layout->addWidget(group);
        showActive(window.get());
    }
    void cleanup() { window.reset(); }

    void singleChoice()
    {
        QTest::mouseClick(boxes[0], Qt::LeftButton);
        QCOMPARE(states(), (QList<bool>{true, false, false}));
        // Clicking the checked box again leaves it checked.
        QTest::mouseClick(boxes[0], Qt::LeftButton);
        QCOMPARE(states(), (QList<bool>{true, false, false}));
        QTest::mouseClick(boxes[2], Qt::LeftButton);
        QCOMPARE(states(), (QList<bool>{false, false, true}));
        // The program checking a box follows the same rule.
        boxes[1]->setChecked(true);
        QCOMPARE(states(), (QList<bool>{false, true, false}));
        QCOMPARE(group->ItemIndex(), 1);
        QCOMPARE(group->SelectedItem(), boxes[1]);
    }

    void spaceKeyFollowsTheRule()
    {
        boxes[0]->setChecked(true);
        boxes[1]->setFocus();
        QTest::keyClick(boxes[1], Qt::Key_Space);
        QCOMPARE(states(), (QList<bool>{false, true, false}));
        QTest::keyClick(boxes[1], Qt::Key_Space);
        QCOMPARE(states(), (QList<bool>{false, true, false}));
    }

    void multiSelectToggles()
    {
        group->setCanMultiSelect(true);
        QTest::mouseClick(boxes[0], Qt::LeftButton);
        QTest::mouseClick(boxes[2], Qt::LeftButton);
        QCOMPARE(states(), (QList<bool>{true, false, true}));
        QTest::mouseClick(boxes[0], Qt::LeftButton);
        QCOMPARE(states(), (QList<bool>{false, false, true}));
        QCOMPARE(group->ItemIndex(), 2);
    }

    // The click is reported for the box clicked, not for those the rule cleared.
    void clicksReportedOnce()
    {
        boxes[0]->setChecked(true);
        QSignalSpy first(boxes[0], &TChoiceBox::choiceClicked);
        QSignalSpy third(boxes[2], &TChoiceBox::choiceClicked);
        QTest::mouseClick(boxes[2], Qt::LeftButton);
        QCOMPARE(first.count(), 0);
        QCOMPARE(third.count(), 1);
    }

    void itemIndexCountsEveryChildControl()
    {
        TChoiceGroup fresh;
        new QLabel(u"címke"_s, &fresh);
        new TChoiceBox(u"a"_s, &fresh);
        auto* b = new TChoiceBox(u"b"_s, &fresh);
        b->setChecked(true);
        QCOMPARE(fresh.ItemIndex(), 2);
        QCOMPARE(fresh.SelectedItem(), b);
        b->setCheckedQuietly(false);
        QCOMPARE(fresh.ItemIndex(), -1);
        QCOMPARE(fresh.SelectedItem(), nullptr);
    }

    void focusEnteringTheGroupGoesToTheCheckedBox()
    {
        boxes[2]->setChecked(true);
        window->findChild<QPushButton*>(u"before"_s)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), boxes[2]);
    }
};

REGISTER_TEST(TestButtons)
REGISTER_TEST(TestDosEdit)
REGISTER_TEST(TestChoiceBox)
#include "test_controls.moc"
