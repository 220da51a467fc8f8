#include "core/data_module.h"
#include "core/ini_file.h"
#include "core/login.h"
#include "core/parameter_store.h"
#include "core/users.h"
#include "modal_steps.h"
#include "test_database.h"
#include "test_main.h"
#include "ui/about_box.h"
#include "ui/buttons.h"
#include "ui/dialog_reporter.h"
#include "ui/dos_edit.h"
#include "ui/login_dialog.h"
#include "ui/main_window.h"
#include "ui/next_answer.h"
#include "ui/setup_dialog.h"
#include "ui/simple_dialog_layout.h"
#include "ui/users_form.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

AnsweredQuestion answered(const QString& text, QChar kind, const QString& buttons, int answer)
{
    return AnsweredQuestion::message(text, kind, buttons, QString(), answer);
}

AnsweredQuestion noTask(const QString& name)
{
    return answered(u"A menüponthoz nincs feladat megadva:;"_s + name, u'B', u"R"_s, mrOk);
}

// An installation on a test database with users admin (USR001) and kati
// (USR002), program parameters in Ceg.ini, and a registry of its own.
struct Installation {
    explicit Installation(TestDatabase& db) : database(db)
    {
        auto dm = database.dataModule();
        UserTable users(*dm);
        QVERIFY(users.add(u"admin"_s, u"titok"_s).has_value());
        QVERIFY(users.add(u"kati"_s, u"alma"_s).has_value());
        // No import at start unless a test asks for it.
        setProgramParameter(u"IMPORT"_s, u"AUTOSTART"_s, u"0"_s);
    }
    void setProgramParameter(const QString& section, const QString& key, const QString& value)
    {
        QVERIFY(
            IniFile(database.baseDirectory() + u"Ceg.ini"_s).writeString(section, key, value).has_value());
    }
    std::unique_ptr<TdlAform1> mainWindow()
    {
        return std::make_unique<TdlAform1>(database.iniFileName(), registry.path(), lastUser);
    }

    TestDatabase& database;
    TempFolder registry;
    QSettings settings{registry.file(u"registry.ini"_s), QSettings::IniFormat};
    LastUser lastUser{&settings};
};

// The user logs in with the name and password when the login dialog shows.
void logInWhenAsked(ModalSteps& steps, const QString& name, const QString& password)
{
    steps.when<TdlPasswd>([name, password](TdlPasswd* dialog) {
        dialog->deNev->selectAll();
        typeInto(dialog, name);
        press(dialog, Qt::Key_Tab);
        typeInto(dialog, password);
        dialog->gmRnb1->click();
    });
}

// Shows the main window and waits for its start-up to end.
bool start(TdlAform1& window)
{
    QSignalSpy finished(&window, &TdlAform1::startupFinished);
    window.show();
    if (!finished.wait(30000))
        return false;
    return finished.front().front().toBool();
}

QStringList menuShown(const QMenuBar* bar)
{
    QStringList shown;
    for (const QAction* menu : bar->actions()) {
        shown.append(menu->objectName() + u' ' + menu->text());
        if (!menu->menu())
            continue;
        for (const QAction* item : menu->menu()->actions()) {
            if (item->isVisible())
                shown.append(u"  "_s +
                             (item->isSeparator() ? u"-"_s : item->objectName() + u' ' + item->text()));
        }
    }
    return shown;
}

} // namespace

// Teloran's main window from its start to its end, on a real installation.
class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        installDialogReporter(ProgramKind::Main);
        m_designFont = dlAlap().font();
    }
    void init() { clearNextAnswers(); }
    void cleanup()
    {
        dlAlap().setFont(m_designFont);
        QCOMPARE(takeAnsweredQuestions(), QList<AnsweredQuestion>());
    }

    void startMenuAndExit_data() { TestDatabase::addBackendRows(); }
    void startMenuAndExit()
    {
        OPEN_TEST_DATABASE(database);
        Installation installation(database);
        auto window = installation.mainWindow();
        ModalSteps steps;
        logInWhenAsked(steps, u"admin"_s, u"titok"_s);
        QVERIFY(start(*window));
        QCOMPARE(window->windowTitle(), u"Teloran Hívásnyilvántartó  ( ver 1.60 )"_s);
        QCOMPARE(window->session().currentUser(), u"USR001"_s);
        QVERIFY(FoFormJellem().isSet());
        QCOMPARE(menuShown(window->MainMenu1), (QStringList{u"mListak Listák"_s,
                                                            u"  mpForgList1 Forgalom listák "_s,
                                                            u"  mpTorzsList1 Törzs listák"_s,
                                                            u"mTorzsek Törzsek"_s,
                                                            u"  mpDijak1 Körzeti hívásdíjak"_s,
                                                            u"  mpCeges Céges telefonszámok"_s,
                                                            u"  mpDijak2 Egyedi tel.szám hívásdíjak"_s,
                                                            u"  mpAzonok Számlázási kódok (account)"_s,
                                                            u"  -"_s,
                                                            u"  mpUsers Felhasználók"_s,
                                                            u"mMuvelet Műveletek"_s,
                                                            u"  mpBeolvas Beolvasás"_s,
                                                            u"  mpDijszam Díjszámolás"_s,
                                                            u"mBeallit Beállítások"_s,
                                                            u"  mpCeginit Program"_s,
                                                            u"  mpUsrinit Felhasználó"_s,
                                                            u"  mpDijinit Alap  percdíjak"_s,
                                                            u"mSugo Súgó"_s,
                                                            u"  mpNevjegy Névjegy"_s,
                                                            u"mKilepes Kilépés"_s}));

        // Items whose windows the frame does not have, and the window's own click.
        setNextAnswer(mrOk);
        window->menuAction(u"mpDijszam"_s)->trigger();
        setNextAnswer(mrOk);
        QTest::mouseClick(window.get(), Qt::LeftButton, Qt::NoModifier, QPoint(30, window->height() / 2));
        QCOMPARE(takeAnsweredQuestions(),
                 (QList<AnsweredQuestion>{noTask(u"mpDijszam"_s), noTask(u"dlAform1"_s)}));

        // The About box.
        steps.when<TdlNevjegy>([](TdlNevjegy* about) {
            QCOMPARE(about->lbVersion->text(), u"version 1.60"_s);
            press(about, Qt::Key_Escape);
        });
        window->menuAction(u"mpNevjegy"_s)->trigger();

        // Leaving: "Nem" keeps the program running, "Igen" ends it.
        setNextAnswer(mrNo);
        window->close();
        QVERIFY(window->isVisible());
        setNextAnswer(mrYes);
        window->menuAction(u"mKilepes"_s)->trigger();
        QVERIFY(!window->isVisible());
        const AnsweredQuestion question = answered(u"Valóban kilép?"_s, u'K', u"IN"_s, mrNo);
        AnsweredQuestion yes = question;
        yes.answer = mrYes;
        QCOMPARE(takeAnsweredQuestions(), (QList<AnsweredQuestion>{question, yes}));
        QVERIFY(!window->session().CegParameterek());
    }

    // Cancelling the login ends the program without the exit question.
    void loginCancelled()
    {
        TestDatabase database(u"sqlite"_s);
        Installation installation(database);
        auto window = installation.mainWindow();
        ModalSteps steps;
        steps.when<TdlPasswd>([](TdlPasswd* dialog) { press(dialog, Qt::Key_Escape); });
        QVERIFY(!start(*window));
        QVERIFY(!window->isVisible());
        QVERIFY(!installation.settings.contains(u"LastUser"_s));
    }

    // The name that logged in is remembered when it differs from the one
    // proposed ("admin" when none is remembered).
    void lastUserRemembered_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("written");
        QTest::newRow("admin: nothing written") << u"admin"_s << u"titok"_s << false;
        QTest::newRow("another user") << u"kati"_s << u"alma"_s << true;
    }
    void lastUserRemembered()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(bool, written);
        TestDatabase database(u"sqlite"_s);
        Installation installation(database);
        {
            auto window = installation.mainWindow();
            ModalSteps steps;
            logInWhenAsked(steps, name, password);
            QVERIFY(start(*window));
        }
        QCOMPARE(installation.settings.contains(u"LastUser"_s), written);
        auto again = installation.mainWindow();
        ModalSteps steps;
        QString proposed;
        steps.when<TdlPasswd>([&proposed](TdlPasswd* dialog) {
            proposed = dialog->deNev->text();
            press(dialog, Qt::Key_Escape);
        });
        QVERIFY(!start(*again));
        QCOMPARE(proposed, name);
    }

    // The user's font size and boldness reach every form.
    void userFontOnEveryForm()
    {
        TestDatabase database(u"sqlite"_s);
        Installation installation(database);
        IniFile usr(database.baseDirectory() + u"Usr002.ini"_s);
        QVERIFY(usr.writeString(u"MEGJELENES"_s, u"BETUMERET"_s, u"12"_s).has_value());
        QVERIFY(usr.writeString(u"MEGJELENES"_s, u"BETUFORMA1"_s, u"0"_s).has_value());
        auto window = installation.mainWindow();
        ModalSteps steps;
        logInWhenAsked(steps, u"kati"_s, u"alma"_s);
        QVERIFY(start(*window));
        QCOMPARE(dlAlap().font().pointSize(), 12);
        QVERIFY(!dlAlap().font().bold());
        QCOMPARE(window->font().pointSize(), 12);
        steps.when<TdlUserkarb>([](TdlUserkarb* form) {
            QCOMPARE(form->font().pointSize(), 12);
            QVERIFY(!form->font().bold());
            press(form, Qt::Key_Escape);
        });
        window->menuAction(u"mpUsers"_s)->trigger();

        // Changed in the user parameters: bold from now on.
        steps.when<TdlSetup>([](TdlSetup* dialog) {
            QCOMPARE(dialog->windowTitle(), u"Felhasználóra vonatkozó paraméterek beállítása"_s);
            auto* bold = qobject_cast<QCheckBox*>(dialog->parameterControls()[1]);
            bold->setFocus(Qt::TabFocusReason);
            press(dialog, Qt::Key_Space);
            press(dialog, Qt::Key_End, Qt::ControlModifier);
        });
        window->menuAction(u"mpUsrinit"_s)->trigger();
        QVERIFY(dlAlap().font().bold());
        QCOMPARE(IniFile(database.baseDirectory() + u"Usr002.ini"_s)
                     .readString(u"MEGJELENES"_s, u"BETUFORMA1"_s, QString()),
                 u"1"_s);
        setNextAnswer(mrYes);
        window->close();
        QCOMPARE(takeAnsweredQuestions().size(), 1);
    }

    // With accounts generated from secret codes only the main user sees
    // "Titok kódok nevesítése"; saving the program parameters adjusts the menu.
    void codeItemsFollowParametersAndUser_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("kodok");
        QTest::newRow("main user") << u"admin"_s << u"titok"_s << true;
        QTest::newRow("other user") << u"kati"_s << u"alma"_s << false;
    }
    void codeItemsFollowParametersAndUser()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(bool, kodok);
        TestDatabase database(u"sqlite"_s);
        Installation installation(database);
        auto window = installation.mainWindow();
        ModalSteps steps;
        logInWhenAsked(steps, name, password);
        QVERIFY(start(*window));
        QVERIFY(window->menuAction(u"mpAzonok"_s)->isVisible());
        QVERIFY(!window->menuAction(u"mpKodok"_s)->isVisible());

        // "Import=2: Titkos kódból generált Account" switched on, on the second page.
        steps.when<TdlSetup>([](TdlSetup* dialog) {
            QCOMPARE(dialog->windowTitle(), u"Programra vonatkozó paraméterek beállítása"_s);
            press(dialog, Qt::Key_PageDown);
            QCOMPARE(dialog->pcSetup->currentIndex(), 1);
            auto* codes = qobject_cast<QCheckBox*>(dialog->parameterControls().last());
            QVERIFY(!codes->isChecked());
            codes->setFocus(Qt::TabFocusReason);
            press(dialog, Qt::Key_Space);
            dialog->gmRnb1->click();
        });
        window->menuAction(u"mpCeginit"_s)->trigger();
        QVERIFY(window->session().CegParameterek()->ParamL(u"EGYENIKODOK"_s));
        QVERIFY(!window->menuAction(u"mpAzonok"_s)->isVisible());
        QCOMPARE(window->menuAction(u"mpKodok"_s)->isVisible(), kodok);
        setNextAnswer(mrYes);
        window->close();
        QCOMPARE(takeAnsweredQuestions().size(), 1);
    }

    // Failures while starting: a missing base directory is reported and the
    // start goes on; a database that cannot be reached ends the program.
    void unreachableDatabaseEndsTheProgram()
    {
        TempFolder folder;
        const QString ini = folder.file(u"Teloran.ini"_s);
        IniFile main(ini);
        QVERIFY(main.writeString(u"CONNECT1"_s, u"Provider"_s, u"Provider=PostgreSQL;"_s).has_value());
        QVERIFY(main.writeString(u"CONNECT1"_s, u"DataSource"_s, u"Data Source="_s + folder.path() + u",1;"_s)
                    .has_value());
        QVERIFY(main.writeString(u"CONNECT1"_s, u"Type"_s, u"PGSQL"_s).has_value());
        TempFolder registry;
        QSettings settings(registry.file(u"registry.ini"_s), QSettings::IniFormat);
        LastUser lastUser(&settings);
        setNextAnswer(mrOk);
        TdlAform1 window(ini, folder.path(), lastUser);
        QCOMPARE(takeAnsweredQuestions(),
                 QList<AnsweredQuestion>{
                     answered(u"Hiányzó INI bejegyzés: MAIN / BaseDirectory"_s, u'H', u"R"_s, mrOk)});
        setNextAnswer(mrOk); // the database's own error text
        setNextAnswer(mrOk);
        QVERIFY(!start(window));
        QVERIFY(!window.isVisible());
        const QList<AnsweredQuestion> asked = takeAnsweredQuestions();
        QCOMPARE(asked.size(), 2);
        QCOMPARE(asked[0].source, AnsweredQuestion::PlainMessage);
        QCOMPARE(asked[1], answered(u"Ismeretlen hiba a felhasználó beléptetése közben.;"
                                    "(valószínűen adatbázis hozzáférési hiba)"_s,
                                    u'H', u"R"_s, mrOk));
    }

private:
    QFont m_designFont;
};

REGISTER_TEST(TestMainWindow)
#include "test_main_window.moc"
