#include "core/data_module.h"
#include "core/users.h"
#include "modal_steps.h"
#include "test_database.h"
#include "test_main.h"
#include "ui/buttons.h"
#include "ui/dialog_reporter.h"
#include "ui/dos_edit.h"
#include "ui/login_dialog.h"
#include "ui/next_answer.h"

#include <QLabel>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

AnsweredQuestion information(const QString& text)
{
    return AnsweredQuestion::message(text, u'I', u"R"_s, QString(), mrOk);
}

const QString kNotFound = u"A megadott felhasználónév nem található.;Kérem írjon be létezőt!"_s;
const QString kWrongPassword = u"A felhasználónévhez megadott jelszó hibás.;Kérem írja be helyesen!"_s;

// Types a name and a password as a user does: the name, Tab into the
// password field (which identifies the name), the password, Enter to
// "Rendben" and Enter again.
void logIn(TdlPasswd* dialog, const QString& name, const QString& password)
{
    dialog->deNev->selectAll();
    typeInto(dialog, name);
    press(dialog, Qt::Key_Tab);
    if (!dialog->deJelszo->hasFocus())
        return; // the name was not found: the focus is back on it
    typeInto(dialog, password);
    press(dialog, Qt::Key_Return);
    QCOMPARE(dialog->focusWidget(), dialog->gmRnb1);
    press(dialog, Qt::Key_Return);
}

} // namespace

// The login dialog on a real users table.
class TestLoginDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { installDialogReporter(ProgramKind::Main); }
    void init() { clearNextAnswers(); }
    void cleanup() { QCOMPARE(takeAnsweredQuestions(), QList<AnsweredQuestion>()); }

    void refusedAndAccepted_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("userId");
        for (const QString& backend : TestDatabase::backends()) {
            const QByteArray b = backend.toLatin1();
            QTest::newRow(QByteArray(b + ", main user"))
                << backend << u"admin"_s << u"titok"_s << QString() << QString() << u"USR001"_s;
            QTest::newRow(QByteArray(b + ", name with an apostrophe"))
                << backend << u"O'Brien"_s << u"ír'jel"_s << QString() << QString() << u"USR002"_s;
            QTest::newRow(QByteArray(b + ", unknown name"))
                << backend << u"Admin"_s << u"titok"_s << kNotFound << u"deNev"_s << QString();
            QTest::newRow(QByteArray(b + ", apostrophe does not match all"))
                << backend << u"x' or '1'='1"_s << u"titok"_s << kNotFound << u"deNev"_s << QString();
            QTest::newRow(QByteArray(b + ", wrong letter case in the password"))
                << backend << u"admin"_s << u"Titok"_s << kWrongPassword << u"deJelszo"_s << u"USR001"_s;
        }
    }
    void refusedAndAccepted()
    {
        OPEN_TEST_DATABASE(database);
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(QString, refusal);
        QFETCH(QString, focus);
        QFETCH(QString, userId);
        auto dm = database.dataModule();
        UserTable users(*dm);
        QVERIFY(users.add(u"admin"_s, u"titok"_s).has_value());
        QVERIFY(users.add(u"O'Brien"_s, u"ír'jel"_s).has_value());

        TdlPasswd dialog(*dm);
        ModalSteps steps;
        QString focusAfter;
        QString label;
        steps.when<TdlPasswd>([&](TdlPasswd* shown) {
            QCOMPARE(shown->deNev->text(), u"admin"_s);
            QVERIFY(shown->deNev->hasFocus());
            QCOMPARE(shown->lbAzon->text(), u"Azonosító:"_s);
            if (!refusal.isEmpty())
                setNextAnswer(mrOk);
            logIn(shown, name, password);
            if (refusal.isEmpty())
                return;
            // Refused: the dialog stays open; the user gives up.
            QCoreApplication::processEvents();
            QVERIFY(shown->isVisible());
            focusAfter = shown->focusWidget()->objectName();
            label = shown->lbAzon->text();
            press(shown, Qt::Key_Escape);
        });
        const LoginOutcome outcome = dialog.Execute(u"admin"_s);
        if (refusal.isEmpty()) {
            QCOMPARE(outcome.result, LoginOutcome::Accepted);
            QCOMPARE(outcome.name, name);
            QCOMPARE(outcome.userId, userId);
            return;
        }
        QCOMPARE(outcome.result, LoginOutcome::Cancelled);
        QCOMPARE(takeAnsweredQuestions(), QList<AnsweredQuestion>{information(refusal)});
        QCOMPARE(focusAfter, focus);
        QCOMPARE(label, userId.isEmpty() ? u"Azonosító:"_s : u"Azonosító: "_s + userId);
    }

    // Entering the password field identifies the name; changing the name
    // withdraws it, and "Rendben" identifies the new name first.
    void identificationFollowsTheName_data() { TestDatabase::addBackendRows(); }
    void identificationFollowsTheName()
    {
        OPEN_TEST_DATABASE(database);
        auto dm = database.dataModule();
        UserTable users(*dm);
        QVERIFY(users.add(u"admin"_s, u"titok"_s).has_value());
        QVERIFY(users.add(u"kati"_s, u"alma"_s).has_value());
        TdlPasswd dialog(*dm);
        ModalSteps steps;
        QStringList labels;
        steps.when<TdlPasswd>([&labels](TdlPasswd* shown) {
            press(shown, Qt::Key_Tab);
            labels.append(shown->lbAzon->text());
            typeInto(shown, u"alma"_s);
            shown->deNev->setFocus(Qt::BacktabFocusReason);
            shown->deNev->selectAll();
            typeInto(shown, u"kati"_s);
            labels.append(shown->lbAzon->text());
            shown->gmRnb1->click();
        });
        const LoginOutcome outcome = dialog.Execute(u"admin"_s);
        QCOMPARE(labels, (QStringList{u"Azonosító: USR001"_s, u"Azonosító:"_s}));
        QCOMPARE(outcome.result, LoginOutcome::Accepted);
        QCOMPARE(outcome.userId, u"USR002"_s);
        QCOMPARE(dialog.lbAzon->text(), u"Azonosító: USR002"_s);
    }

    // The password is typed as stars and cleared each time the dialog opens.
    void passwordHiddenAndCleared_data() { TestDatabase::addBackendRows(); }
    void passwordHiddenAndCleared()
    {
        OPEN_TEST_DATABASE(database);
        auto dm = database.dataModule();
        TdlPasswd dialog(*dm);
        QCOMPARE(dialog.windowTitle(), u" Belépés"_s);
        QCOMPARE(dialog.deJelszo->echoMode(), QLineEdit::Password);
        dialog.deJelszo->setText(u"régi"_s);
        ModalSteps steps;
        steps.when<TdlPasswd>([](TdlPasswd* shown) {
            QVERIFY(shown->deJelszo->text().isEmpty());
            shown->gmMgs1->click();
        });
        QCOMPARE(dialog.Execute(u"admin"_s).result, LoginOutcome::Cancelled);
    }
};

REGISTER_TEST(TestLoginDialog)
#include "test_login_dialog.moc"
