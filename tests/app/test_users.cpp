#include "core/login.h"
#include "core/password.h"
#include "core/users.h"
#include "recording_reporter.h"
#include "test_database.h"
#include "test_main.h"

#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using Mode = UserMaintenance::InputMode;
using Focus = UserMaintenance::InputFocus;

ReportedMessage message(const QString& text, QChar kind, const QString& buttons)
{
    return {ReportedMessage::Message, text, kind, buttons, -1};
}

// Adds users with the identifiers given, by writing the rows directly.
void addRows(Tdm1& dm, const QStringList& ids)
{
    auto query = dm.qrNevek();
    QVERIFY(query.has_value());
    for (const QString& id : ids) {
        query->prepare(u"insert into Nevek (nev, jelszo, azon) values (:nev, :jelszo, :azon)"_s);
        query->bindValue(u":nev"_s, QString(u"user "_s + id));
        query->bindValue(u":jelszo"_s, encodeUserPassword(u"pw"_s));
        query->bindValue(u":azon"_s, id);
        QVERIFY(query->exec());
    }
}

} // namespace

class TestUsers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void identifiersCountUpFromTheHighest_data() { TestDatabase::addBackendRows(); }
    void identifiersCountUpFromTheHighest()
    {
        OPEN_TEST_DATABASE(database);
        auto dm = database.dataModule();
        UserTable table(*dm);
        QCOMPARE(table.nextIdentifier().value(), u"USR001"_s);
        QCOMPARE(table.add(u"első"_s, u"a"_s).value(), u"USR001"_s);
        addRows(*dm, {u"USR002"_s, u"USR005"_s});
        QCOMPARE(table.add(u"új"_s, u"b"_s).value(), u"USR006"_s);
        const auto rows = table.rows();
        QCOMPARE(rows->size(), 4u);
        QCOMPARE(rows->back().nev, u"új"_s);
        QCOMPARE(rows->back().jelszo.size(), 50);
        QCOMPARE(DecodeTextA(rows->back().jelszo), u"b"_s);
    }

    void apostropheNameStoredFoundAndRefusedTwice_data() { TestDatabase::addBackendRows(); }
    void apostropheNameStoredFoundAndRefusedTwice()
    {
        OPEN_TEST_DATABASE(database);
        auto dm = database.dataModule();
        UserTable table(*dm);
        QVERIFY(table.add(u"admin"_s, u"x"_s).has_value());
        UserMaintenance users(table, u"USR001"_s);
        RecordingReporter reporter;
        const QString name = u"O'Brien'; --"_s;
        QVERIFY(users.checkInput(Mode::NewUser, name, u"pw"_s, u"pw"_s).accepted);
        QCOMPARE(users.addUser(name, u"pw"_s), std::optional<QString>(u"USR002"_s));
        const auto found = table.findByName(name);
        QVERIFY(found.has_value() && found->has_value());
        QCOMPARE((*found)->azon, u"USR002"_s);
        const auto check = users.checkInput(Mode::NewUser, name, u"pw"_s, u"pw"_s);
        QVERIFY(!check.accepted);
        QCOMPARE(check.focus, Focus::User);
        QCOMPARE(reporter.messages,
                 QList<ReportedMessage>{message(u"Ez a felhasználónév már foglalt !"_s, u'H', u"R"_s)});
        QCOMPARE(table.rows()->size(), 2u);
    }

    void inputChecks_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password1");
        QTest::addColumn<QString>("password2");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("focus");
        QTest::addColumn<bool>("clear");
        QTest::addColumn<QString>("text");
        for (const QString& b : TestDatabase::backends()) {
            const auto row = [&](const char* name) -> QTestData& {
                return QTest::newRow(qPrintable(b + u": "_s + QString::fromUtf8(name))) << b;
            };
            row("new name") << int(Mode::NewUser) << u"kati"_s << u"a"_s << u"a"_s << true << int(Focus::None)
                            << false << QString();
            row("empty passwords") << int(Mode::NewUser) << u"kati"_s << QString() << QString() << true
                                   << int(Focus::None) << false << QString();
            row("taken name") << int(Mode::NewUser) << u"admin"_s << u"a"_s << u"a"_s << false
                              << int(Focus::User) << false << u"Ez a felhasználónév már foglalt !"_s;
            // The database compares texts with regard to letter case.
            row("other case") << int(Mode::NewUser) << u"Admin"_s << u"a"_s << u"a"_s << true
                              << int(Focus::None) << false << QString();
            row("passwords differ") << int(Mode::NewUser) << u"kati"_s << u"a"_s << u"b"_s << false
                                    << int(Focus::Password1) << true << u"A két jelszó nem egyezik meg!"_s;
            row("password change ignores the name") << int(Mode::Password) << u"admin"_s << u"c"_s << u"c"_s
                                                    << true << int(Focus::None) << false << QString();
            row("empty name") << int(Mode::NewUser) << QString() << u"a"_s << u"a"_s << false
                              << int(Focus::User) << false << u"A felhasználónév nem lehet üres !"_s;
        }
    }
    void inputChecks()
    {
        OPEN_TEST_DATABASE(database);
        QFETCH(int, mode);
        QFETCH(QString, user);
        QFETCH(QString, password1);
        QFETCH(QString, password2);
        QFETCH(QString, text);
        auto dm = database.dataModule();
        UserTable table(*dm);
        QVERIFY(table.add(u"admin"_s, u"x"_s).has_value());
        UserMaintenance users(table, u"USR001"_s);
        RecordingReporter reporter;
        const auto check = users.checkInput(Mode(mode), user, password1, password2);
        QTEST(check.accepted, "accepted");
        QTEST(int(check.focus), "focus");
        QTEST(check.clearPasswords, "clear");
        QCOMPARE(reporter.texts(), text.isEmpty() ? QStringList() : QStringList{text});
    }

    void mainUserRights_data() { TestDatabase::addBackendRows(); }
    void mainUserRights()
    {
        OPEN_TEST_DATABASE(database);
        auto dm = database.dataModule();
        UserTable table(*dm);
        addRows(*dm, {u"USR001"_s, u"USR002"_s, u"USR003"_s});
        const auto rows = *table.rows();
        RecordingReporter reporter;

        UserMaintenance main(table, u"USR001"_s);
        QVERIFY(main.mainUserButtonsVisible());
        QVERIFY(main.mayChangePassword(rows[0]));
        QVERIFY(main.mayChangePassword(rows[2]));
        QVERIFY(!main.deleteUser(rows[0]));
        reporter.answerNext(mrNo);
        QVERIFY(!main.deleteUser(rows[1]));
        QVERIFY(main.deleteUser(rows[1])); // the default answer, Igen
        QCOMPARE(reporter.take(),
                 (QList<ReportedMessage>{message(u"A fő felhasználó (USR001) nem törölhető."_s, u'I', u"R"_s),
                                         message(u"Biztos benne? (Törlés: user USR002)"_s, u'K', u"IN"_s),
                                         message(u"Biztos benne? (Törlés: user USR002)"_s, u'K', u"IN"_s)}));
        QCOMPARE(table.rows()->size(), 2u);

        UserMaintenance other(table, u"USR002"_s);
        QVERIFY(!other.mainUserButtonsVisible());
        QVERIFY(!other.mayChangePassword(rows[2]));
        QVERIFY(other.mayChangePassword(rows[1]));
        QCOMPARE(reporter.take(),
                 QList<ReportedMessage>{message(u"Csak a saját jelszó módosítható."_s, u'I', u"R"_s)});
        QVERIFY(UserMaintenance::rowButtonsEnabled(1));
        QVERIFY(!UserMaintenance::rowButtonsEnabled(0));
    }

    void passwordChangeOnTheSameConnection_data() { TestDatabase::addBackendRows(); }
    void passwordChangeOnTheSameConnection()
    {
        OPEN_TEST_DATABASE(database);
        auto dm = database.dataModule();
        UserTable table(*dm);
        addRows(*dm, {u"USR001"_s, u"USR002"_s});
        UserMaintenance users(table, u"USR001"_s);
        RecordingReporter reporter;
        QVERIFY(users.changePassword(u"usr002"_s, u"Új"_s));
        QCOMPARE(DecodeTextA(table.findByName(u"user USR002"_s)->value().jelszo), u"Új"_s);
        QCOMPARE(DecodeTextA(table.findByName(u"user USR001"_s)->value().jelszo), u"pw"_s);
        QVERIFY(!users.changePassword(u"USR009"_s, u"x"_s));
        QCOMPARE(reporter.messages, QList<ReportedMessage>{message(
                                        u"Nem sikerült a frissítés. (Nevek.dbf íráshiba)"_s, u'H', u"R"_s)});
    }
};

REGISTER_TEST(TestUsers)
#include "test_users.moc"
