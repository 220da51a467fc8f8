#include "core/administrator.h"
#include "core/collector_program.h"
#include "core/layout.h"
#include "core/pbx_type.h"
#include "kalvix_window_fixture.h"
#include "test_main.h"
#include "ui/buttons.h"
#include "ui/choice_box.h"
#include "ui/dos_edit.h"
#include "ui/main_window.h"
#include "ui/settings_dialog.h"
#include "ui/window_mode.h"

#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolButton>

namespace {

// The collector with its forms on a settings file of the given PBX type.
struct SettingsFixture {
    explicit SettingsFixture(const QString& kind = u"1-999-01"_s, const QString& extra = QString())
    {
        writeKalvixIni(folder, settingsText(kind, 0, u"ttyS0"_s) + extra);
        forms = std::make_unique<KalvixForms>(folder.path());
        dialog = forms->dlBeall1.get();
    }
    // The dialog on the screen, as "2." shows it, but without its own loop.
    bool showDialog()
    {
        dialog->FormActivate();
        dialog->show();
        return QTest::qWaitForWindowActive(dialog);
    }
    IniFile& ini() { return forms->dlAform1->program().settings(); }
    qint64 stored(const QString& key) { return ini().readInteger(kSectionLayout, key, -99); }

    TempFolder folder;
    std::unique_ptr<KalvixForms> forms;
    TdlBeall1* dialog = nullptr;
};

// Edits a cell of the layout table as a user does: F2, everything selected,
// the new text typed, Enter.
void editCell(QTableWidget* table, int row, int column, const QString& text)
{
    table->setFocus();
    table->setCurrentCell(row, column);
    pressKeyInFocus(Qt::Key_F2);
    pressKeyInFocus(Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        pressKeyInFocus(Qt::Key_Backspace);
    typeKeys(text);
    pressKeyInFocus(Qt::Key_Return);
    // The check runs once the cell's editor has closed.
    QTest::qWait(50);
}

// Selects the n-th PBX type with the keys of the closed list.
void chooseType(QComboBox* list, int index)
{
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(list, Qt::Key_Down);
}

} // namespace

// The settings dialog "Beállítás": PBX type, layout editor, line end.
class TestSettingsDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { prepareCollectorWindows(); }
    void init() { clearNextAnswers(); }

    void positionCellIsChecked_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<int>("stored");
        QTest::newRow("above 1000") << u"1001"_s << u"0"_s << true << 0;
        QTest::newRow("below 0") << u"-5"_s << u"0"_s << true << 0;
        QTest::newRow("letters") << u"abc"_s << QString() << true << 0;
        QTest::newRow("decimal") << u"1.5"_s << QString() << true << 0;
        QTest::newRow("leading zero") << u"07"_s << u"7"_s << false << 7;
        QTest::newRow("blanks around") << u" 12 "_s << u"12"_s << false << 12;
        QTest::newRow("highest") << u"1000"_s << u"1000"_s << false << 1000;
        QTest::newRow("emptied") << QString() << QString() << false << 0;
    }
    void positionCellIsChecked()
    {
        QFETCH(QString, typed);
        QFETCH(QString, cell);
        QFETCH(bool, refused);
        QFETCH(int, stored);
        SettingsFixture f;
        QVERIFY(f.showDialog());
        QTableWidget* table = f.dialog->dxtLeir;
        QCOMPARE(table->item(0, 0)->text(), u"Dátum"_s);
        QCOMPARE(table->item(0, 1)->text(), u"1"_s);
        if (refused)
            setNextAnswer(mrOk);
        editCell(table, 0, 1, typed);
        QCOMPARE(table->item(0, 1)->text(), cell);
        QCOMPARE(answeredTexts(), refused ? QStringList{kPositionCellRefusal} : QStringList());
        QTest::mouseClick(f.dialog->gmRnb1, Qt::LeftButton);
        QCOMPARE(f.stored(u"DatKzd"_s), stored);
        QCOMPARE(f.stored(u"DatVeg"_s), 8);
    }

    void nameColumnCannotBeEdited()
    {
        SettingsFixture f;
        QVERIFY(f.showDialog());
        QTableWidget* table = f.dialog->dxtLeir;
        QCOMPARE(table->rowCount(), 9);
        QCOMPARE(table->horizontalHeaderItem(1)->text(), u"Ettől"_s);
        QCOMPARE(table->horizontalHeaderItem(2)->text(), u"Eddig"_s);
        table->setFocus();
        table->setCurrentCell(6, 0);
        typeKeys(u"x"_s);
        QCOMPARE(table->item(6, 0)->text(), u"---"_s);
        // Positions of 0 show as empty cells.
        QCOMPARE(table->item(6, 1)->text(), QString());
    }

    void layoutEditorOnlyForConfiguredTypes_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("editor");
        for (int i = 0; i < 5; ++i)
            QTest::newRow(qPrintable(pbxTypeListTexts()[i])) << i << (i >= 3);
    }
    void layoutEditorOnlyForConfiguredTypes()
    {
        QFETCH(int, index);
        QFETCH(bool, editor);
        SettingsFixture f(u"1-001-01"_s);
        QVERIFY(f.showDialog());
        QCOMPARE(f.dialog->cbAdatstru->currentText(), u"1-001-01 : Panasonic KX-TA"_s);
        QVERIFY(f.dialog->gbEgyeni->isHidden());
        chooseType(f.dialog->cbAdatstru, index);
        QCOMPARE(f.dialog->cbAdatstru->currentIndex(), index);
        QCOMPARE(f.dialog->gbEgyeni->isVisible(), editor);
        QTest::mouseClick(f.dialog->gmRnb1, Qt::LeftButton);
        QCOMPARE(f.ini().readString(kSectionOther, kKeyKind), pbxTypeListTexts()[index].left(8));
        // The layout is stored for the configured types only.
        QCOMPARE(f.ini().sectionExists(kSectionLayout), editor);
        QCOMPARE(f.forms->dlAform1->program().collector().parser().pbxType().layoutType,
                 PbxType::fromCode(pbxTypeListTexts()[index]).layoutType);
    }

    void editorShowsTheStoredLayout()
    {
        SettingsFixture f(u"1-999-02"_s,
                          u"[KIND999]\r\nDatKzd=3\r\nDatSor=5\r\nIdo24E=1\r\nHivBEJ=BE\r\nLineFd=1\r\n"_s);
        QVERIFY(f.showDialog());
        QCOMPARE(f.dialog->dxtLeir->item(0, 1)->text(), u"3"_s);
        QCOMPARE(f.dialog->cbDatSor->currentText(), u"év-hó-nap"_s);
        QVERIFY(f.dialog->cbIdo24E->isChecked());
        QVERIFY(f.dialog->cbAccVan->isChecked());
        QCOMPARE(f.dialog->deHivBEJ->text(), u"BE"_s);
        QCOMPARE(f.dialog->deIdoDEJ->text(), u"am"_s);
        QCOMPARE(f.dialog->lineEndIndex(), 1);
    }

    // "2.": the login for the settings, then the dialog; LF-CR chosen there
    // is used by the parser and the line splitter at once.
    void lineEndTakesEffectAtOnce()
    {
        SettingsFixture f;
        TdlAform1& window = *f.forms->dlAform1;
        LoginSeen seen;
        bool shown = false;
        answerLogin(kAdmin, kAdminPassword, true, &seen, [&](QWidget* shownWindow) {
            auto* dialog = qobject_cast<TdlBeall1*>(shownWindow);
            shown = dialog != nullptr;
            if (!dialog) {
                static_cast<QDialog*>(shownWindow)->reject();
                return;
            }
            QCOMPARE(dialog->windowTitle(), u" Beállítás"_s);
            QTest::mouseClick(dialog->rgSorveg->findChildren<QRadioButton*>()[1], Qt::LeftButton);
            QTest::mouseClick(dialog->gmRnb1, Qt::LeftButton);
        });
        QTest::mouseClick(window.sbBeall1, Qt::LeftButton);
        QVERIFY(shown);
        QCOMPARE(seen.panelLines, loginPanel(LoginPurpose::Settings).lines);
        QVERIFY(!f.dialog->isVisible());
        QCOMPARE(f.stored(u"LineFd"_s), 1);
        CollectorProgram& program = window.program();
        QCOMPARE(program.collector().parser().lineEnd(), kLineEndLfCr);
        QCOMPARE(program.reception().splitter().stopString(), kLineEndLfCr);
    }

    void cancelStoresNothing()
    {
        SettingsFixture f(u"1-002-01"_s);
        answerLogin(kAdmin, kAdminPassword, true, nullptr, [](QWidget* shownWindow) {
            auto* dialog = qobject_cast<TdlBeall1*>(shownWindow);
            if (dialog)
                chooseType(dialog->cbAdatstru, 0);
            pressKeyInFocus(Qt::Key_Escape);
        });
        QTest::mouseClick(f.forms->dlAform1->sbBeall1, Qt::LeftButton);
        QVERIFY(!f.dialog->isVisible());
        QCOMPARE(f.ini().readString(kSectionOther, kKeyKind), u"1-002-01"_s);
    }

    void settingsNeedTheLogin()
    {
        SettingsFixture f;
        answerLogin(kAdmin, u"rossz"_s);
        setNextAnswer(mrOk);
        QTest::mouseClick(f.forms->dlAform1->sbBeall1, Qt::LeftButton);
        QCOMPARE(answeredTexts(), QStringList{kLoginRefused});
        QVERIFY(!f.dialog->isVisible());
    }

    void unknownTypeSelectsNothing()
    {
        SettingsFixture f(u"9-123-45"_s);
        QVERIFY(f.showDialog());
        QCOMPARE(f.dialog->cbAdatstru->currentIndex(), -1);
        QVERIFY(f.dialog->gbEgyeni->isHidden());
        QTest::mouseClick(f.dialog->gmRnb1, Qt::LeftButton);
        QCOMPARE(f.ini().readString(kSectionOther, kKeyKind, u"-"_s), QString());
    }
};

// The administrator editor of the settings dialog.
class TestAdministratorEditor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { prepareCollectorWindows(); }
    void init() { clearNextAnswers(); }

    void refusals_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("again");
        QTest::addColumn<QString>("message");
        QTest::newRow("entry 1 deleted")
            << 1 << QString() << QString() << QString() << u"1. azonosító nem törölhető!"_s;
        QTest::newRow("placeholder as a name")
            << 2 << u"Nincs Megadva"_s << u"x"_s << u"x"_s << u"Ezt nem adhatja azonosítónak!"_s;
        QTest::newRow("password without a name")
            << 2 << QString() << u"x"_s << u"x"_s << u"Azonosító nem lehet üres!"_s;
        QTest::newRow("passwords differ")
            << 3 << u"kata"_s << u"egy"_s << u"ketto"_s << u"A kétszer megadott jelszó nem azonos!"_s;
    }
    void refusals()
    {
        QFETCH(int, entry);
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(QString, again);
        QFETCH(QString, message);
        SettingsFixture f;
        const QString before = cp1250::decode(f.folder.read(u"Kalvix.ini"_s));
        QVERIFY(f.showDialog());
        fillEditor(f.dialog, entry, name, password, again);
        setNextAnswer(mrOk);
        pressKeyInFocus(Qt::Key_Return); // on "Rendben"
        QCOMPARE(answeredTexts(), QStringList{message});
        QVERIFY(f.dialog->Panel2->isVisible());
        QCOMPARE(cp1250::decode(f.folder.read(u"Kalvix.ini"_s)), before);
    }

    void storesAndDeletesAnEntry()
    {
        SettingsFixture f;
        QVERIFY(f.showDialog());
        QCOMPARE(f.dialog->lbNev[0]->text(), kAdmin);
        QCOMPARE(f.dialog->lbNev[1]->text(), u"nincs megadva"_s);
        QVERIFY(f.dialog->Panel2->isHidden());

        fillEditor(f.dialog, 2, u"kata"_s, u"pw"_s, u"pw"_s);
        QCOMPARE(f.dialog->Label5->text(), u"2. bejegyzés szerkesztése vagy törlése"_s);
        pressKeyInFocus(Qt::Key_Return);
        QCOMPARE(answeredTexts(), QStringList());
        QVERIFY(f.dialog->Panel2->isHidden());
        QCOMPARE(f.dialog->lbNev[1]->text(), u"kata"_s);
        QVERIFY(!checkAdministrator(f.ini(), u"kata"_s, u"pw"_s));

        // The editor opens with the stored name; an empty name and password delete the entry.
        QTest::mouseClick(f.dialog->SB[1], Qt::LeftButton);
        QCOMPARE(f.dialog->deAzon->text(), u"kata"_s);
        fillEditor(f.dialog, 2, QString(), QString(), QString());
        pressKeyInFocus(Qt::Key_Return);
        QCOMPARE(f.dialog->lbNev[1]->text(), u"nincs megadva"_s);
        QCOMPARE(f.ini().readString(u"ADMIN"_s, u"NEV2"_s), QString());
        QCOMPARE(checkAdministrator(f.ini(), u"kata"_s, u"pw"_s).value_or(QString()), kLoginRefused);
    }

    void fieldsTakeFifteenCharacters()
    {
        SettingsFixture f;
        QVERIFY(f.showDialog());
        fillEditor(f.dialog, 3, u"abcdefghijklmnopqrst"_s, u"x"_s, u"x"_s);
        QCOMPARE(f.dialog->deAzon->text(), u"abcdefghijklmno"_s);
        QCOMPARE(f.dialog->deJsz1->displayText(), u"*"_s);
        QTest::mouseClick(f.dialog->gmMgs2, Qt::LeftButton);
        QVERIFY(f.dialog->Panel2->isHidden());
        QCOMPARE(f.dialog->lbNev[2]->text(), u"nincs megadva"_s);
    }

    // Storing an administrator keeps what the dialog shows of the PBX type,
    // not yet confirmed.
    void typeChoiceSurvivesStoringAnEntry()
    {
        SettingsFixture f;
        QVERIFY(f.showDialog());
        chooseType(f.dialog->cbAdatstru, 2);
        fillEditor(f.dialog, 2, u"kata"_s, u"pw"_s, u"pw"_s);
        pressKeyInFocus(Qt::Key_Return);
        QCOMPARE(f.dialog->lbNev[1]->text(), u"kata"_s);
        QCOMPARE(f.dialog->cbAdatstru->currentIndex(), 2);
    }

private:
    // Opens the editor of an entry and types into its three fields, moving
    // on with Enter; the focus ends on the editor's "Rendben".
    static void fillEditor(TdlBeall1* dialog, int entry, const QString& name, const QString& password,
                           const QString& again)
    {
        QTest::mouseClick(dialog->SB[size_t(entry - 1)], Qt::LeftButton);
        QVERIFY(dialog->Panel2->isVisible());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog->deAzon));
        for (const QString& text : {name, password, again}) {
            pressKeyInFocus(Qt::Key_A, Qt::ControlModifier);
            pressKeyInFocus(Qt::Key_Backspace);
            QTest::keyClicks(QApplication::focusWidget(), text);
            pressKeyInFocus(Qt::Key_Return);
        }
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog->gmRnb2));
    }
};

REGISTER_TEST(TestSettingsDialog)
REGISTER_TEST(TestAdministratorEditor)
#include "test_settings_dialog.moc"
