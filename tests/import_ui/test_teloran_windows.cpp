#include "core/login.h"
#include "core/users.h"
#include "import_fixture.h"
#include "modal_steps.h"
#include "teloran_windows.h"
#include "test_main.h"
#include "ui/buttons.h"
#include "ui/dialog_reporter.h"
#include "ui/dos_edit.h"
#include "ui/import_list_window.h"
#include "ui/import_window.h"
#include "ui/login_dialog.h"
#include "ui/main_window.h"
#include "ui/next_answer.h"

#include <QAction>
#include <QListWidget>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Teloran's windows on an installation with the main user admin, whose
// program parameters start the import at start-up.
struct Program {
    Program(TestDatabase& database, bool askFirst) : installation(database, askFirst)
    {
        auto dm = database.dataModule();
        QVERIFY(UserTable(*dm).add(u"admin"_s, u"titok"_s).has_value());
        IniFile ceg(database.baseDirectory() + u"Ceg.ini"_s);
        QVERIFY(ceg.writeString(u"IMPORT"_s, u"AUTOSTART"_s, u"1"_s).has_value());
    }
    // Starts the program; the user logs in as admin.
    bool start(ModalSteps& steps)
    {
        windows =
            std::make_unique<TeloranWindows>(installation.database.iniFileName(), registry.path(), lastUser);
        steps.when<TdlPasswd>([](TdlPasswd* dialog) {
            dialog->deNev->setFocus();
            press(dialog, Qt::Key_Tab);
            typeInto(dialog, u"titok"_s);
            dialog->gmRnb1->click();
        });
        QSignalSpy finished(&windows->dlAform1(), &TdlAform1::startupFinished);
        windows->dlAform1().show();
        return finished.wait(30000) && finished.front().front().toBool();
    }

    ImportInstallation installation;
    TempFolder registry;
    QSettings settings{registry.file(u"registry.ini"_s), QSettings::IniFormat};
    LastUser lastUser{&settings};
    std::unique_ptr<TeloranWindows> windows;
};

bool idle(TdlBeolv* window)
{
    return window->gmRnb1->isVisible();
}

} // namespace

// The import windows in the program: at start-up and from the menu.
class TestTeloranWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { installDialogReporter(ProgramKind::Main); }
    void init() { clearNextAnswers(); }
    void cleanup() { QCOMPARE(takeAnsweredQuestions(), QList<AnsweredQuestion>()); }

    // AUTOSTART: after the login the import window reads the waiting files;
    // then "Beolvasás" in the menu finds nothing new.
    void importAtStartAndFromTheMenu_data() { TestDatabase::addBackendRows(); }
    void importAtStartAndFromTheMenu()
    {
        OPEN_TEST_DATABASE(database);
        Program program(database, false);
        program.installation.writeRecordFile(u"D052325A.txt"_s, 2);
        ModalSteps steps;
        QString autoStatus;
        steps.when<TdlBeolv>(
            [&autoStatus](TdlBeolv* window) {
                QCOMPARE(window->Uzemmod, ImportMode::Auto);
                autoStatus = window->Label3->text();
                press(window, Qt::Key_Escape);
            },
            idle);
        QVERIFY(program.start(steps));
        QCOMPARE(autoStatus, u"D052325A.txt - KÉSZ. (2 sor)"_s);
        QVERIFY(program.windows->dlBeolv().VoltBeolvasas);
        program.installation.logIn();
        QCOMPARE(program.installation.column(u"select tip || usr from Importok"_s),
                 QStringList{u"AUSR001"_s});

        QString searchStatus;
        QStringList imported;
        int waiting = -1;
        steps.when<TdlBeolv>(
            [&searchStatus](TdlBeolv* window) {
                searchStatus = window->Label3->text();
                press(window, Qt::Key_Escape);
            },
            idle);
        steps.when<TdlBeolvas>(
            [&](TdlBeolvas* window) {
                for (int i = 0; i < window->lb1->count(); ++i)
                    imported.append(window->lb1->item(i)->text());
                waiting = window->lb2->count();
                press(window, Qt::Key_Escape);
            },
            [](TdlBeolvas* window) { return window->lb1->count() > 0; });
        program.windows->dlAform1().menuAction(u"mpBeolvas"_s)->trigger();
        QCOMPARE(searchStatus, u"Nincs beolvasásra váró fájl."_s);
        QCOMPARE(imported, QStringList{u"D052325A.txt"_s});
        QCOMPARE(waiting, 0);

        setNextAnswer(mrYes);
        program.windows->dlAform1().close();
        QCOMPARE(takeAnsweredQuestions().size(), 1);
    }

    // Declining the question at start-up leaves the files waiting; the
    // program starts all the same.
    void declinedAtStart()
    {
        TestDatabase database(u"sqlite"_s);
        Program program(database, true);
        program.installation.writeRecordFile(u"D1.txt"_s, 1);
        ModalSteps steps;
        setNextAnswer(mrNo);
        steps.when<TdlBeolv>([](TdlBeolv* window) { press(window, Qt::Key_Escape); }, idle);
        QVERIFY(program.start(steps));
        QCOMPARE(takeAnsweredQuestions(),
                 QList<AnsweredQuestion>{AnsweredQuestion::message(u"Elindítja most a beolvasást?"_s, u'K',
                                                                   u"NI"_s, QString(), mrNo)});
        QVERIFY(!program.windows->dlBeolv().VoltBeolvasas);
        QVERIFY(program.windows->dlBeolv().Label3->text().endsWith(u" --> Beolvasás megszakítva."_s));
    }
};

REGISTER_TEST(TestTeloranWindows)
#include "test_teloran_windows.moc"
