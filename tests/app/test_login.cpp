#include "core/login.h"
#include "core/password.h"
#include "core/users.h"
#include "recording_reporter.h"
#include "test_database.h"
#include "test_main.h"

#include <QSettings>
#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using Focus = LoginCheck::Focus;

ReportedMessage information(const QString& text)
{
    return {ReportedMessage::Message, text, u'I', u"R"_s, -1};
}

} // namespace

class TestLogin : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void loginRefusedAndAccepted_data() { TestDatabase::addBackendRows(); }
    void loginRefusedAndAccepted()
    {
        OPEN_TEST_DATABASE(database);
        auto dm = database.dataModule();
        UserTable table(*dm);
        QVERIFY(table.add(u"admin"_s, u"Titok"_s).has_value());
        QVERIFY(table.add(u"D'Artagnan"_s, u"kard"_s).has_value());
        LoginCheck login(table);
        RecordingReporter reporter;

        QCOMPARE(login.lbAzon(), u"Azonosító:"_s);
        QCOMPARE(login.deJelszoEnter(u"nincs"_s), Focus::Name);
        QCOMPARE(login.lbAzon(), u"Azonosító:"_s);
        QCOMPARE(login.gmRnb1Click(u"nincs"_s, u"x"_s).accepted, false);
        QCOMPARE(login.deJelszoEnter(u"admin"_s), Focus::None);
        QCOMPARE(login.lbAzon(), u"Azonosító: USR001"_s);
        // The comparison is case-sensitive.
        const auto wrong = login.gmRnb1Click(u"admin"_s, u"titok"_s);
        QVERIFY(!wrong.accepted);
        QCOMPARE(wrong.focus, Focus::Password);
        QVERIFY(login.gmRnb1Click(u"admin"_s, u"Titok"_s).accepted);
        QCOMPARE(login.currentUser(), u"USR001"_s);

        // A changed name withdraws the identification; "Rendben" identifies again.
        login.deNevChange();
        QCOMPARE(login.lbAzon(), u"Azonosító:"_s);
        QVERIFY(login.gmRnb1Click(u"D'Artagnan"_s, u"kard"_s).accepted);
        QCOMPARE(login.currentUser(), u"USR002"_s);
        QCOMPARE(reporter.messages,
                 (QList<ReportedMessage>{
                     information(u"A megadott felhasználónév nem található.;Kérem írjon be létezőt!"_s),
                     information(u"A megadott felhasználónév nem található.;Kérem írjon be létezőt!"_s),
                     information(u"A felhasználónévhez megadott jelszó hibás.;Kérem írja be helyesen!"_s)}));
    }

    void storedPasswordVariants_data() { TestDatabase::addBackendRows(); }
    void storedPasswordVariants()
    {
        OPEN_TEST_DATABASE(database);
        auto dm = database.dataModule();
        UserTable table(*dm);
        auto query = dm->qrNevek();
        QVERIFY(query.has_value());
        const QList<std::pair<QString, QString>> rows{{u"a"_s, EncodeTextA(u"jelszó"_s, 50)},
                                                      {u"b"_s, EncodeTextB(u"jelszó"_s, 50)},
                                                      {u"c"_s, QString()},
                                                      {u"d"_s, EncodeTextA(QString(), 50)}};
        int n = 0;
        for (const auto& [name, stored] : rows) {
            query->prepare(u"insert into Nevek (nev, jelszo, azon) values (:n, :j, :a)"_s);
            query->bindValue(u":n"_s, name);
            query->bindValue(u":j"_s, stored);
            query->bindValue(u":a"_s, QString(u"USR00"_s + QString::number(++n)));
            QVERIFY(query->exec());
        }
        QVERIFY(EncodeTextB(u"x"_s, 50).front().unicode() >= 130);
        RecordingReporter reporter;
        QVERIFY(LoginCheck(table).gmRnb1Click(u"a"_s, u"jelszó"_s).accepted);
        QVERIFY(LoginCheck(table).gmRnb1Click(u"b"_s, u"jelszó"_s).accepted);
        QVERIFY(LoginCheck(table).gmRnb1Click(u"d"_s, QString()).accepted);
        const auto damaged = LoginCheck(table).gmRnb1Click(u"c"_s, QString());
        QVERIFY(!damaged.accepted);
        QCOMPARE(damaged.focus, Focus::Password);
        QCOMPARE(reporter.messages,
                 QList<ReportedMessage>{information(
                     u"A jelszavakat tartalmazó fájl megsérült.;Kérem gondoskodjon a helyreállításról!"_s)});
    }

    void lastUser()
    {
        TempFolder folder;
        QSettings settings(folder.file(u"registry.ini"_s), QSettings::IniFormat);
        LastUser last(&settings);
        QCOMPARE(last.read(), u"admin"_s);
        last.writeIfChanged(u"admin"_s, u"admin"_s);
        QVERIFY(!settings.contains(u"LastUser"_s));
        last.writeIfChanged(u"admin"_s, u"O'Hara"_s);
        QCOMPARE(settings.value(u"LastUser"_s).toString(), u"O'Hara"_s);
        QCOMPARE(last.read(), u"O'Hara"_s);
        last.write(QString());
        QCOMPARE(last.read(), u"admin"_s);
    }
};

REGISTER_TEST(TestLogin)
#include "test_login.moc"
