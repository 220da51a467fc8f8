#include "core/ini_file.h"
#include "core/parameter_store.h"
#include "core/setup_geometry.h"
#include "modal_steps.h"
#include "temp_folder.h"
#include "test_main.h"
#include "ui/buttons.h"
#include "ui/dialog_reporter.h"
#include "ui/dos_edit.h"
#include "ui/next_answer.h"
#include "ui/setup_dialog.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QStringList kPages{u"Alapvető működés"_s, u"Import kezelése"_s, u"Harmadik"_s};
const QStringList kItems{
    u"1;N;Csoportok;12;VONALAK;CSOP"_s,
    u"1;R;Percdíj;3;DIJHOZ;PERC"_s,
    u"1;L;Induláskor keresés;Igen;IMPORT;AUTOSTART"_s,
    u"2;C;Útvonal;/adat/;IMPORT;UTVONAL"_s,
    u"2;M;Csoportok száma;0;VONALAK;CSOPDRB;9"_s,
    u"3;C;Maszk;D*.txt;IMPORT;MASZK"_s,
};

// A parameter store over an INI file of a temporary folder, and its dialog.
struct SetupFixture {
    SetupFixture()
    {
        store.setDecimalSeparator(u',');
        QVERIFY(dialog.Init(u"Paraméterek"_s, file(), kPages, kItems));
    }
    QString file() const { return folder.file(u"Ceg.ini"_s); }
    TdosEdit* edit(int control) const { return qobject_cast<TdosEdit*>(dialog.parameterControls()[control]); }
    QCheckBox* box(int control) const
    {
        return qobject_cast<QCheckBox*>(dialog.parameterControls()[control]);
    }

    TempFolder folder;
    ParameterStore store;
    TdlSetup dialog{store};
};

} // namespace

// The parameter dialog driven by keys, over a real INI file.
class TestSetupDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { installDialogReporter(ProgramKind::Main); }
    void init() { clearNextAnswers(); }
    void cleanup() { QCOMPARE(takeAnsweredQuestions(), QList<AnsweredQuestion>()); }

    // Rows from 15 down by 28, labels at 10, every edit of a page at the x of
    // the wide one, the check box up to the edits' column.
    void controlsPlacedByTheirRows()
    {
        SetupFixture f;
        f.dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.dialog));
        QCOMPARE(f.dialog.windowTitle(), u"Paraméterek"_s);
        QCOMPARE(f.dialog.pcSetup->count(), 3);
        QCOMPARE(f.dialog.pcSetup->tabText(1), u"Import kezelése"_s);
        const int pageWidth = f.dialog.pcSetup->widget(0)->width();
        const int left = setupgeometry::editLeft(pageWidth, 1.0);
        QCOMPARE(f.dialog.labelOf(0)->text(), u" 1. Csoportok"_s);
        QCOMPARE(f.dialog.labelOf(0)->pos(), QPoint(10, 15));
        QCOMPARE(f.edit(0)->geometry(), QRect(left, 10, 80, 21));
        QCOMPARE(f.dialog.labelOf(1)->pos(), QPoint(10, 43));
        QCOMPARE(f.box(2)->text(), u" 3. Induláskor keresés"_s);
        QCOMPARE(f.box(2)->geometry(), QRect(10, 71, pageWidth - 290 + 5, f.box(2)->height()));
        // The second page counts from 1 again; its text edit is wide.
        QCOMPARE(f.dialog.labelOf(3)->text(), u" 1. Útvonal"_s);
        QCOMPARE(f.edit(3)->geometry(), QRect(left, 10, 280, 21));
        QCOMPARE(f.edit(4)->geometry(), QRect(left, 38, 80, 21));
        QCOMPARE(f.dialog.pcSetup->widget(1), f.edit(3)->parentWidget());
        // Values from the defaults, the file being missing.
        QCOMPARE(f.edit(0)->text(), u"12"_s);
        QVERIFY(f.box(2)->isChecked());
        QCOMPARE(f.edit(4)->maskedText(), u"0"_s);
        // The buttons as the dialog's resizing places them.
        QCOMPARE(f.dialog.pcSetup->width(), 610);
        QCOMPARE(f.dialog.gmMgs1->x(), 535);
        QCOMPARE(f.dialog.gmRnb1->text(), u"Mentés"_s);
        f.dialog.hide();
    }

    // The number key filter of N and R edits, the decimal separator being
    // the comma.
    void numberKeys_data()
    {
        QTest::addColumn<int>("control");
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("selectAll");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("result");
        QTest::newRow("minus in front") << 0 << u"12"_s << false << u"-"_s << u"-12"_s;
        QTest::newRow("plus flips the sign") << 0 << u"12"_s << false << u"-+"_s << u"+12"_s;
        QTest::newRow("full stop in a whole number") << 0 << u"12"_s << false << u"."_s << u"12"_s;
        QTest::newRow("letters") << 0 << u"12"_s << false << u"a3b"_s << u"123"_s;
        QTest::newRow("all selected, minus") << 0 << u"12"_s << true << u"-"_s << u"-"_s;
        QTest::newRow("all selected, digits") << 0 << u"12"_s << true << u"7"_s << u"7"_s;
        QTest::newRow("comma in a real number") << 1 << u"3"_s << false << u","_s << u"3,"_s;
        QTest::newRow("one separator only") << 1 << u"3"_s << false << u",."_s << u"3,"_s;
        QTest::newRow("full stop typed as the separator") << 1 << u"3"_s << false << u".5"_s << u"3,5"_s;
        QTest::newRow("no separator first") << 1 << u""_s << false << u",1"_s << u"1"_s;
    }
    void numberKeys()
    {
        QFETCH(int, control);
        QFETCH(QString, start);
        QFETCH(bool, selectAll);
        QFETCH(QString, keys);
        SetupFixture f;
        f.dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&f.dialog));
        TdosEdit* edit = f.edit(control);
        edit->setText(start);
        edit->setFocus();
        edit->end(false);
        if (selectAll)
            edit->selectAll();
        QTest::keyClicks(edit, keys);
        QTEST(edit->text(), "result");
        // What the store reads is what the edit shows.
        QTEST(f.store.ParamC(control == 0 ? u"CSOP"_s : u"PERC"_s), "result");
        f.dialog.hide();
    }

    void backspaceAndSignsInTheMiddle()
    {
        SetupFixture f;
        f.dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&f.dialog));
        TdosEdit* edit = f.edit(0);
        edit->setText(u"-125"_s);
        edit->setFocus();
        edit->setCursorPosition(3);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), u"-15"_s);
        // A sign pasted into the middle is removed by the sign fixer.
        edit->insert(u"+"_s);
        QCOMPARE(edit->text(), u"-15"_s);
        f.dialog.hide();
    }

    // Page Up on the first page shows the last, Page Down on the last the first.
    void pageKeysWrapAround()
    {
        SetupFixture f;
        ModalSteps steps;
        QList<int> pages;
        steps.when<TdlSetup>([&pages](TdlSetup* dialog) {
            pages.append(dialog->pcSetup->currentIndex());
            for (Qt::Key key :
                 {Qt::Key_PageUp, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_PageDown}) {
                press(dialog, key);
                pages.append(dialog->pcSetup->currentIndex());
            }
            press(dialog, Qt::Key_Escape);
        });
        QVERIFY(!f.dialog.Execute());
        QCOMPARE(pages, (QList<int>{0, 2, 1, 2, 0, 1}));
    }

    // Ctrl+End saves the edits and closes the dialog as "Mentés" does.
    void ctrlEndSaves()
    {
        SetupFixture f;
        ModalSteps steps;
        steps.when<TdlSetup>([](TdlSetup* dialog) {
            // The first control has the focus: a new group count.
            QVERIFY(dialog->parameterControls()[0]->hasFocus());
            static_cast<QLineEdit*>(dialog->parameterControls()[0])->selectAll();
            typeInto(dialog, u"4"_s);
            press(dialog, Qt::Key_Down); // to the real number
            press(dialog, Qt::Key_Down); // to the check box
            press(dialog, Qt::Key_Space);
            press(dialog, Qt::Key_End, Qt::ControlModifier);
        });
        QVERIFY(f.dialog.Execute());
        QCOMPARE(f.store.ParamN(u"CSOP"_s), 4);
        QVERIFY(!f.store.ParamL(u"AUTOSTART"_s));
        const IniFile ini(f.file());
        QCOMPARE(ini.readString(u"VONALAK"_s, u"CSOP"_s, QString()), u"4"_s);
        QCOMPARE(ini.readString(u"IMPORT"_s, u"AUTOSTART"_s, QString()), u"0"_s);
        QCOMPARE(ini.readString(u"IMPORT"_s, u"MASZK"_s, QString()), u"D*.txt"_s);
    }

    // "Mégsem" and Esc leave the file and the values as they were, and the
    // dialog shows the file's values when it opens again.
    void cancelRestoresTheFile_data()
    {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("Mégsem") << false;
        QTest::newRow("Esc") << true;
    }
    void cancelRestoresTheFile()
    {
        QFETCH(bool, byEscape);
        SetupFixture f;
        QVERIFY(IniFile(f.file()).writeString(u"IMPORT"_s, u"UTVONAL"_s, u"/kalvix/"_s).has_value());
        f.store.LoadParams();
        const QByteArray before = f.folder.read(u"Ceg.ini"_s);
        ModalSteps steps;
        steps.when<TdlSetup>([byEscape](TdlSetup* dialog) {
            press(dialog, Qt::Key_PageDown);
            auto* path = static_cast<QLineEdit*>(dialog->parameterControls()[3]);
            path->setFocus();
            path->selectAll();
            typeInto(dialog, u"/mashol/"_s);
            QCOMPARE(path->text(), u"/mashol/"_s);
            if (byEscape)
                press(dialog, Qt::Key_Escape);
            else
                dialog->gmMgs1->click();
        });
        QVERIFY(!f.dialog.Execute());
        QCOMPARE(f.store.ParamC(u"UTVONAL"_s), u"/kalvix/"_s);
        QCOMPARE(f.folder.read(u"Ceg.ini"_s), before);
        QCOMPARE(f.edit(3)->text(), u"/kalvix/"_s);
        // Opened again: on its first page, with the file's values.
        steps.when<TdlSetup>([](TdlSetup* dialog) {
            QCOMPARE(dialog->pcSetup->currentIndex(), 0);
            QCOMPARE(static_cast<QLineEdit*>(dialog->parameterControls()[3])->text(), u"/kalvix/"_s);
            press(dialog, Qt::Key_Escape);
        });
        QVERIFY(!f.dialog.Execute());
    }

    // A file that cannot be written keeps the dialog open with the edits.
    void unwritableFileKeepsTheEdits()
    {
        SetupFixture f;
        QVERIFY(QDir(f.folder.path()).mkdir(u"Ceg.ini"_s));
        ModalSteps steps;
        bool stayedOpen = false;
        QString kept;
        steps.when<TdlSetup>([&](TdlSetup* dialog) {
            auto* count = static_cast<QLineEdit*>(dialog->parameterControls()[0]);
            count->selectAll();
            typeInto(dialog, u"5"_s);
            setNextAnswer(mrOk);
            dialog->gmRnb1->click();
            QCoreApplication::processEvents();
            stayedOpen = dialog->isVisible();
            kept = count->text();
            const QList<AnsweredQuestion> asked = takeAnsweredQuestions();
            QCOMPARE(asked.size(), 1);
            QVERIFY(asked[0].text.startsWith(u"INI-fájl írási hiba: "_s + f.file()));
            QCOMPARE(asked[0].kind, u'H');
            dialog->gmMgs1->click();
        });
        QVERIFY(!f.dialog.Execute());
        QVERIFY(stayedOpen);
        QCOMPARE(kept, u"5"_s);
    }

    void executeBeforeInit()
    {
        ParameterStore store;
        TdlSetup dialog(store);
        setNextAnswer(mrOk);
        QVERIFY(!dialog.Execute());
        QVERIFY(!dialog.isVisible());
        QCOMPARE(takeAnsweredQuestions(),
                 QList<AnsweredQuestion>{AnsweredQuestion::message(u"SETUP nincs inicializálva."_s, u'B',
                                                                   u"R"_s, QString(), mrOk)});
    }
};

REGISTER_TEST(TestSetupDialog)
#include "test_setup_dialog.moc"
