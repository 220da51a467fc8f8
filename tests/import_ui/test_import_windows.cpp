#include "import_fixture.h"
#include "modal_steps.h"
#include "test_main.h"
#include "ui/buttons.h"
#include "ui/dialog_reporter.h"
#include "ui/import_list_window.h"
#include "ui/import_window.h"
#include "ui/next_answer.h"

#include <QLabel>
#include <QListWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

AnsweredQuestion answered(const QString& text, QChar kind, const QString& buttons, int answer)
{
    return AnsweredQuestion::message(text, kind, buttons, QString(), answer);
}

// The import window's work is over when "Rendben" is back.
bool idle(TdlBeolv* window)
{
    return window->gmRnb1->isVisible();
}

// What the import window showed in one showing.
struct Showing {
    QString label1;
    QString label2;
    QString label3;
    QStringList painted; // the status texts as they were painted during the work
    bool rendbenFocused = false;
    bool rendbenHiddenWhileWorking = true;
};

// Watches the status line while the window works: "Rendben" must be hidden
// whenever a status text is painted.
class WorkWatch : public QObject {
public:
    WorkWatch(TdlBeolv& window, Showing& showing) : m_window(window), m_showing(showing)
    {
        window.Label3->installEventFilter(this);
        connect(&window, &TdlBeolv::workDone, this, [this] { m_working = false; });
    }
    ~WorkWatch() override { m_window.Label3->removeEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::Paint || !m_working)
            return false;
        if (m_showing.painted.isEmpty() || m_showing.painted.last() != m_window.Label3->text())
            m_showing.painted.append(m_window.Label3->text());
        if (m_window.gmRnb1->isVisible())
            m_showing.rendbenHiddenWhileWorking = false;
        return false;
    }

private:
    TdlBeolv& m_window;
    Showing& m_showing;
    bool m_working = true;
};

// Shows the import window in a mode and closes it with Esc once its work is over.
Showing showImportWindow(TdlBeolv& window, ImportMode mode)
{
    Showing showing;
    WorkWatch watch(window, showing);
    ModalSteps steps;
    steps.when<TdlBeolv>(
        [&showing](TdlBeolv* shown) {
            showing.label1 = shown->Label1->text();
            showing.label2 = shown->Label2->text();
            showing.label3 = shown->Label3->text();
            showing.rendbenFocused = shown->gmRnb1->hasFocus();
            press(shown, Qt::Key_Escape);
        },
        idle);
    window.Uzemmod = mode;
    window.exec();
    return showing;
}

} // namespace

// The import window in its three modes, on a real database and folder.
class TestImportWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { installDialogReporter(ProgramKind::Main); }
    void init() { clearNextAnswers(); }
    void cleanup() { QCOMPARE(takeAnsweredQuestions(), QList<AnsweredQuestion>()); }

    // AUTO reads every waiting file in name order and shows each step in
    // its status line at once.
    void autoReadsEveryWaitingFile_data() { TestDatabase::addBackendRows(); }
    void autoReadsEveryWaitingFile()
    {
        OPEN_TEST_DATABASE(database);
        ImportInstallation installation(database, false);
        installation.writeRecordFile(u"D2.txt"_s, 0);
        installation.writeRecordFile(u"D1.txt"_s, 3);
        installation.writeRecordFile(u"egyeb.txt"_s, 1);
        installation.logIn();
        TdlBeolv window(*installation.dm, *installation.session);
        QCOMPARE(window.windowTitle(), u" Beolvasható fájlok keresése és beolvasása"_s);

        const Showing showing = showImportWindow(window, ImportMode::Auto);
        const QString folder = installation.folder.path() + u'/';
        QCOMPARE(showing.label1, u"Útvonal: "_s + folder);
        QCOMPARE(showing.label2, u"F.maszk: D*.txt"_s);
        QCOMPARE(showing.label3, u"D2.txt - KÉSZ. (0 sor)"_s);
        QVERIFY(showing.rendbenFocused);
        QVERIFY(showing.rendbenHiddenWhileWorking);
        QVERIFY2(inOrder(showing.painted,
                         {u"2 darab beolvasásra váró fájl található."_s, u"D1.txt"_s, u"D1.txt - Sor: 1"_s,
                          u"D1.txt - KÉSZ. (3 sor)"_s, u"D2.txt"_s, u"D2.txt - KÉSZ. (0 sor)"_s}),
                 qPrintable(showing.painted.join(u" | "_s)));
        QVERIFY(window.VoltBeolvasas);
        QCOMPARE(installation.column(u"select count(*) from Forg"_s), QStringList{u"3"_s});
        QCOMPARE(installation.column(u"select nev || ' ' || tip || ' ' || usr from Importok order by nev"_s),
                 (QStringList{u"D1.txt A USR001"_s, u"D2.txt A USR001"_s}));
        QCOMPARE(window.files().waiting, (QStringList{u"D1.txt"_s, u"D2.txt"_s}));

        // Shown again: nothing waits.
        window.VoltBeolvasas = false;
        QCOMPARE(showImportWindow(window, ImportMode::Auto).label3, u"Nincs beolvasásra váró fájl."_s);
        QVERIFY(!window.VoltBeolvasas);
    }

    // Declining the question reads nothing, and the status line says so.
    void declinedQuestion_data() { TestDatabase::addBackendRows(); }
    void declinedQuestion()
    {
        OPEN_TEST_DATABASE(database);
        ImportInstallation installation(database, true);
        installation.writeRecordFile(u"D1.txt"_s, 2);
        installation.logIn();
        TdlBeolv window(*installation.dm, *installation.session);
        setNextAnswer(mrNo);
        const Showing showing = showImportWindow(window, ImportMode::Auto);
        QCOMPARE(takeAnsweredQuestions(),
                 QList<AnsweredQuestion>{answered(u"Elindítja most a beolvasást?"_s, u'K', u"NI"_s, mrNo)});
        QCOMPARE(showing.label3, u"1 darab beolvasásra váró fájl található. --> Beolvasás megszakítva."_s);
        QVERIFY(!window.VoltBeolvasas);
        QCOMPARE(installation.column(u"select count(*) from Forg"_s), QStringList{u"0"_s});
    }

    // The status line when there is nothing to read, or no file can be read.
    void nothingRead_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("importType");
        QTest::addColumn<int>("files");
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("messages");
        for (const QString& backend : TestDatabase::backends()) {
            QTest::newRow(qPrintable(backend + u", empty folder"_s))
                << backend << u"2"_s << 0 << u"A megadott útvonalon nincs beolvasható fájl."_s << 0;
            QTest::newRow(qPrintable(backend + u", unknown import type"_s))
                << backend << u"3"_s << 2 << u"D2.txt --> Beolvasás megszakítva."_s << 2;
        }
    }
    void nothingRead()
    {
        OPEN_TEST_DATABASE(database);
        QFETCH(QString, importType);
        QFETCH(int, files);
        QFETCH(int, messages);
        ImportInstallation installation(database, false, importType);
        for (int i = 1; i <= files; ++i)
            installation.writeRecordFile(u"D%1.txt"_s.arg(i), 1);
        installation.logIn();
        TdlBeolv window(*installation.dm, *installation.session);
        for (int i = 0; i < messages; ++i)
            setNextAnswer(mrOk);
        QTEST(showImportWindow(window, ImportMode::Auto).label3, "status");
        const QList<AnsweredQuestion> asked = takeAnsweredQuestions();
        QCOMPARE(asked.size(), messages);
        for (const AnsweredQuestion& question : asked)
            QCOMPARE(question,
                     answered(u"Ismeretlen import-fájl típus: 3; ;Állítson be megfelelőt, és indítsa "
                              "újra a beolvasást."_s,
                              u'I', u"R"_s, mrOk));
        QVERIFY(!window.VoltBeolvasas);
        QCOMPARE(installation.column(u"select count(*) from Importok"_s), QStringList{u"0"_s});
    }
};

// The menu-started import: the search step, the lists, the reading step.
class TestImportListWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { installDialogReporter(ProgramKind::Main); }
    void init() { clearNextAnswers(); }
    void cleanup() { QCOMPARE(takeAnsweredQuestions(), QList<AnsweredQuestion>()); }

    void searchListsAndReadTheSelected_data() { TestDatabase::addBackendRows(); }
    void searchListsAndReadTheSelected()
    {
        OPEN_TEST_DATABASE(database);
        ImportInstallation installation(database, false);
        for (const QString& name : {u"D0.txt"_s, u"D1.txt"_s, u"D2.txt"_s})
            installation.writeRecordFile(name, 2);
        installation.logIn();
        // D0.txt was imported under another letter case.
        QVERIFY(installation.dm->qrMuv()->exec(
            u"insert into Importok (nev, usr, dat, ido, tip, ut) values ('d0.TXT', 'USR001', '2025.05.23', "
            "'08:00:00', 'K', '/')"_s));
        TdlBeolv beolv(*installation.dm, *installation.session);
        TdlBeolvas window(beolv, *installation.session);
        QCOMPARE(window.windowTitle(), u"Menüből indított beolvasás"_s);
        bool listsShown = false;
        connect(&window, &TdlBeolvas::listsShown, this, [&listsShown] { listsShown = true; });

        ModalSteps steps;
        QString searchStatus;
        QString readStatus;
        PaintedTexts painted(beolv.Label3);
        steps.when<TdlBeolv>(
            [&](TdlBeolv* shown) {
                QCOMPARE(shown->Uzemmod, ImportMode::Search);
                searchStatus = shown->Label3->text();
                press(shown, Qt::Key_Escape);
            },
            idle);
        steps.when<TdlBeolvas>(
            [&](TdlBeolvas* shown) {
                QCOMPARE(shown->Label1->text(), u"Útvonal: "_s + installation.folder.path() + u'/');
                QCOMPARE(shown->lb1->count(), 1);
                QCOMPARE(shown->lb1->item(0)->text(), u"d0.TXT"_s);
                QCOMPARE(shown->lb2->count(), 2);
                QCOMPARE(shown->lb2->item(0)->text(), u"D1.txt"_s);
                // Nothing selected: the window says so and stays.
                setNextAnswer(mrOk);
                shown->gmRnb1->click();
                QCoreApplication::processEvents();
                QVERIFY(shown->isVisible());
                QCOMPARE(takeAnsweredQuestions(), QList<AnsweredQuestion>{answered(
                                                      u"Nincs kiválasztott fájl."_s, u'I', u"R"_s, mrOk)});
                steps.when<TdlBeolv>(
                    [&](TdlBeolv* reading) {
                        QCOMPARE(reading->Uzemmod, ImportMode::Read);
                        readStatus = reading->Label3->text();
                        press(reading, Qt::Key_Escape);
                    },
                    idle);
                shown->lb2->item(1)->setSelected(true);
                shown->gmRnb1->click();
            },
            [&listsShown](TdlBeolvas*) { return listsShown; });
        QCOMPARE(window.exec(), int(mrOk));
        QCOMPARE(searchStatus, u"2 darab beolvasásra váró fájl található."_s);
        QCOMPARE(readStatus, u"D2.txt - KÉSZ. (2 sor)"_s);
        QVERIFY(inOrder(painted.texts, {u"1 kiválasztott fájl beolvasása."_s, u"D2.txt - KÉSZ. (2 sor)"_s}));
        QCOMPARE(installation.column(u"select nev || ' ' || tip from Importok order by nev"_s),
                 (QStringList{u"D2.txt K"_s, u"d0.TXT K"_s}));
        QCOMPARE(installation.column(u"select distinct importfajl from Forg"_s), QStringList{u"D2.txt"_s});
    }

    // "Bezárás" after the search reads nothing.
    void closedWithoutReading()
    {
        TestDatabase database(u"sqlite"_s);
        ImportInstallation installation(database, false);
        installation.writeRecordFile(u"D1.txt"_s, 1);
        installation.logIn();
        TdlBeolv beolv(*installation.dm, *installation.session);
        TdlBeolvas window(beolv, *installation.session);
        bool listsShown = false;
        connect(&window, &TdlBeolvas::listsShown, this, [&listsShown] { listsShown = true; });
        ModalSteps steps;
        steps.when<TdlBeolv>([](TdlBeolv* shown) { shown->gmRnb1->click(); }, idle);
        steps.when<TdlBeolvas>([](TdlBeolvas* shown) { shown->gmMgs1->click(); },
                               [&listsShown](TdlBeolvas*) { return listsShown; });
        QCOMPARE(window.exec(), int(mrCancel));
        QCOMPARE(window.lb2->count(), 1);
        QCOMPARE(installation.column(u"select count(*) from Importok"_s), QStringList{u"0"_s});
    }
};

REGISTER_TEST(TestImportWindow)
REGISTER_TEST(TestImportListWindow)
#include "test_import_windows.moc"
