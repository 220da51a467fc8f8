#include "core/data_module.h"
#include "core/login.h"
#include "core/users.h"
#include "modal_steps.h"
#include "test_database.h"
#include "test_main.h"
#include "ui/buttons.h"
#include "ui/dialog_reporter.h"
#include "ui/dos_edit.h"
#include "ui/input_dialog.h"
#include "ui/next_answer.h"
#include "ui/user_list_model.h"
#include "ui/users_form.h"

#include <QAbstractItemModelTester>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

AnsweredQuestion answered(const QString& text, QChar kind, const QString& buttons, int answer)
{
    return AnsweredQuestion::message(text, kind, buttons, QString(), answer);
}

// Users USR001 to USR003 on a test database, and the form with its input dialog.
struct UsersFixture {
    explicit UsersFixture(TestDatabase& database) : dm(database.dataModule()), users(*dm)
    {
        for (const auto& [name, password] :
             {std::pair{u"admin"_s, u"titok"_s}, std::pair{u"kati"_s, u"alma"_s},
              std::pair{u"zoli"_s, u"korte"_s}})
            QVERIFY(users.add(name, password).has_value());
    }
    QStringList names() const
    {
        QStringList result;
        const auto rows = users.rows();
        for (const UserRow& row : *rows)
            result.append(row.azon + u' ' + row.nev);
        return result;
    }
    // A refusal's message is answered and forgotten.
    bool canLogIn(const QString& name, const QString& password)
    {
        setNextAnswer(mrOk);
        const bool accepted = LoginCheck(users).gmRnb1Click(name, password).accepted;
        takeAnsweredQuestions();
        clearNextAnswers();
        return accepted;
    }

    std::unique_ptr<Tdm1> dm;
    UserTable users;
    TdlInput3 input;
    TdlUserkarb form{*dm, input};
};

void typeField(TdlInput3* dialog, TdosEdit* field, const QString& text)
{
    field->setFocus(Qt::TabFocusReason);
    field->selectAll();
    typeInto(dialog, text);
}

} // namespace

// The user maintenance form on a real users table, driven by clicks.
class TestUsersForm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { installDialogReporter(ProgramKind::Main); }
    void init() { clearNextAnswers(); }
    void cleanup() { QCOMPARE(takeAnsweredQuestions(), QList<AnsweredQuestion>()); }

    // Only the main user sees "Új felvtel" and "Törlés".
    void buttonsByRights_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("user");
        QTest::addColumn<bool>("mainUserButtons");
        for (const QString& backend : TestDatabase::backends()) {
            QTest::newRow(qPrintable(backend + u", USR001"_s)) << backend << u"USR001"_s << true;
            QTest::newRow(qPrintable(backend + u", USR002"_s)) << backend << u"USR002"_s << false;
        }
    }
    void buttonsByRights()
    {
        OPEN_TEST_DATABASE(database);
        QFETCH(QString, user);
        QFETCH(bool, mainUserButtons);
        UsersFixture f(database);
        ModalSteps steps;
        steps.when<TdlUserkarb>([mainUserButtons](TdlUserkarb* form) {
            QCOMPARE(form->windowTitle(), u"Felhasználó karbantartás"_s);
            QCOMPARE(form->model()->rowCount(), 3);
            QCOMPARE(form->gmUjfelvitel->isVisible(), mainUserButtons);
            QCOMPARE(form->gmTorles->isVisible(), mainUserButtons);
            QVERIFY(form->gmModositas->isVisible() && form->gmModositas->isEnabled());
            QCOMPARE(form->gmMgs1->text(), u"Bezárás"_s);
            press(form, Qt::Key_Escape);
        });
        QCOMPARE(f.form.Execute(user), int(mrCancel));
    }

    // USR002 may change only his own password; the name is shown, not editable.
    void ownPasswordOnly_data() { TestDatabase::addBackendRows(); }
    void ownPasswordOnly()
    {
        OPEN_TEST_DATABASE(database);
        UsersFixture f(database);
        ModalSteps steps;
        QString shownName;
        bool nameEditable = true;
        steps.when<TdlUserkarb>([&](TdlUserkarb* form) {
            form->selectRow(2); // zoli
            setNextAnswer(mrOk);
            form->gmModositas->click();
            QCOMPARE(
                takeAnsweredQuestions(),
                QList<AnsweredQuestion>{answered(u"Csak a saját jelszó módosítható."_s, u'I', u"R"_s, mrOk)});
            steps.when<TdlInput3>([&](TdlInput3* input) {
                shownName = input->deUser->text();
                nameEditable = input->deUser->isEnabled();
                QVERIFY(input->dePwd1->hasFocus());
                typeInto(input, u"uj'jelszo"_s);
                press(input, Qt::Key_Return);
                typeInto(input, u"uj'jelszo"_s);
                input->gmRnb1->click();
            });
            form->selectRow(1); // kati, himself
            form->gmModositas->click();
            QCOMPARE(form->selectedRow(), std::optional<int>(1));
            press(form, Qt::Key_Escape);
        });
        f.form.Execute(u"USR002"_s);
        QCOMPARE(shownName, u"kati"_s);
        QVERIFY(!nameEditable);
        QVERIFY(f.canLogIn(u"kati"_s, u"uj'jelszo"_s));
        QVERIFY(!f.canLogIn(u"kati"_s, u"alma"_s));
        QVERIFY(f.canLogIn(u"zoli"_s, u"korte"_s));
    }

    // The main user adds a user (a taken name and two different passwords
    // are refused first), changes another's password, and deletes anyone but
    // himself.
    void mainUserMaintains_data() { TestDatabase::addBackendRows(); }
    void mainUserMaintains()
    {
        OPEN_TEST_DATABASE(database);
        UsersFixture f(database);
        ModalSteps steps;
        QList<AnsweredQuestion> inputQuestions;
        steps.when<TdlUserkarb>([&](TdlUserkarb* form) {
            steps.when<TdlInput3>([&](TdlInput3* input) {
                QCOMPARE(input->windowTitle(), u"Adatbekérés"_s);
                QVERIFY(input->deUser->hasFocus());
                typeInto(input, u"kati"_s);
                typeField(input, input->dePwd1, u"abc"_s);
                typeField(input, input->dePwd2, u"abc"_s);
                setNextAnswer(mrOk);
                input->gmRnb1->click();
                QVERIFY(input->deUser->hasFocus());
                typeField(input, input->deUser, u"O'Neil"_s);
                typeField(input, input->dePwd1, u"abc"_s);
                typeField(input, input->dePwd2, u"abd"_s);
                setNextAnswer(mrOk);
                input->gmRnb1->click();
                QVERIFY(input->dePwd1->hasFocus());
                QVERIFY(input->dePwd1->text().isEmpty() && input->dePwd2->text().isEmpty());
                inputQuestions = takeAnsweredQuestions();
                typeInto(input, u"abc"_s);
                typeField(input, input->dePwd2, u"abc"_s);
                input->gmRnb1->click();
            });
            form->gmUjfelvitel->click();
            QCOMPARE(form->model()->user(*form->selectedRow()).azon, u"USR004"_s);

            form->selectRow(0);
            setNextAnswer(mrOk);
            form->gmTorles->click();
            form->selectRow(1);
            setNextAnswer(mrNo);
            form->gmTorles->click();
            setNextAnswer(mrYes);
            form->gmTorles->click();
            QCOMPARE(form->model()->rowCount(), 3);
            press(form, Qt::Key_Escape);
        });
        f.form.Execute(u"USR001"_s);
        QCOMPARE(inputQuestions, (QList<AnsweredQuestion>{
                                     answered(u"Ez a felhasználónév már foglalt !"_s, u'H', u"R"_s, mrOk),
                                     answered(u"A két jelszó nem egyezik meg!"_s, u'H', u"R"_s, mrOk)}));
        QCOMPARE(takeAnsweredQuestions(),
                 (QList<AnsweredQuestion>{
                     answered(u"A fő felhasználó (USR001) nem törölhető."_s, u'I', u"R"_s, mrOk),
                     answered(u"Biztos benne? (Törlés: kati)"_s, u'K', u"IN"_s, mrNo),
                     answered(u"Biztos benne? (Törlés: kati)"_s, u'K', u"IN"_s, mrYes)}));
        QCOMPARE(f.names(), (QStringList{u"USR001 admin"_s, u"USR003 zoli"_s, u"USR004 O'Neil"_s}));
        QVERIFY(f.canLogIn(u"O'Neil"_s, u"abc"_s));
    }

    // The last row deleted leaves "Törlés" and "Módosítás" disabled.
    void emptyTableDisablesRowButtons_data() { TestDatabase::addBackendRows(); }
    void emptyTableDisablesRowButtons()
    {
        OPEN_TEST_DATABASE(database);
        auto dm = database.dataModule();
        TdlInput3 input;
        TdlUserkarb form(*dm, input);
        ModalSteps steps;
        steps.when<TdlUserkarb>([](TdlUserkarb* shown) {
            QCOMPARE(shown->model()->rowCount(), 0);
            QVERIFY(!shown->gmTorles->isEnabled());
            QVERIFY(!shown->gmModositas->isEnabled());
            press(shown, Qt::Key_Escape);
        });
        form.Execute(u"USR001"_s);
    }

    void modelChecked()
    {
        UserListModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setRows({{u"admin"_s, u"x"_s, u"USR001"_s}, {u"kati"_s, u"y"_s, u"USR002"_s}});
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), u"Felhasználónév"_s);
        QCOMPARE(model.index(1, UserListModel::Azon).data().toString(), u"USR002"_s);
        QCOMPARE(model.rowOf(u"USR002"_s), std::optional<int>(1));
        model.setRows({});
        QCOMPARE(model.rowCount(), 0);
    }
};

REGISTER_TEST(TestUsersForm)
#include "test_users_form.moc"
