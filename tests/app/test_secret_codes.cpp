#include "core/data_module.h"
#include "core/password.h"
#include "core/secret_codes.h"
#include "test_database.h"
#include "test_main.h"

#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSecretCodes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void codesGetAccountsAndAreEncodedAgain_data() { TestDatabase::addBackendRows(); }
    void codesGetAccountsAndAreEncodedAgain()
    {
        OPEN_TEST_DATABASE(database);
        auto dm = database.dataModule();
        auto query = dm->qrMuv();
        QVERIFY(query.has_value());
        query->prepare(
            u"insert into Kodok (kod, tkod, nev, tipus, azon) values ('', :tkod, 'Régi', '1', 'A0007')"_s);
        query->bindValue(u":tkod"_s, EncodeTextA(u"1234"_s, 40));
        QVERIFY(query->exec());

        const auto highest = decodeSecretCodes(*dm);
        QVERIFY2(highest.has_value(), whyNot(highest));
        QCOMPARE(*highest, u"A0007"_s);
        QVERIFY(query->exec(u"select kod from Kodok"_s) && query->next());
        QCOMPARE(query->value(0).toString(), u"1234"_s);

        // Two codes entered in the table form, without account codes.
        QVERIFY(query->exec(u"insert into Kodok (kod, nev, tipus) values ('5555', 'Kiss Anna', '2')"_s));
        QVERIFY(query->exec(u"insert into Kodok (kod, nev, tipus) values ('6666', 'Nagy Béla', '1')"_s));
        QVERIFY(encodeSecretCodes(*dm, *highest).has_value());

        QVERIFY(query->exec(u"select azon, nev, tipus from Account order by azon"_s));
        QStringList accounts;
        while (query->next())
            accounts.append(query->value(0).toString() + u' ' + query->value(1).toString() + u' ' +
                            query->value(2).toString());
        QCOMPARE(accounts, (QStringList{u"A0007 Régi 1"_s, u"A0008 Kiss Anna 2"_s, u"A0009 Nagy Béla 1"_s}));
        QVERIFY(query->exec(u"select kod, tkod, azon from Kodok order by azon"_s));
        QStringList codes;
        while (query->next()) {
            QVERIFY(query->value(0).toString().isEmpty());
            codes.append(DecodeTextA(query->value(1).toString()) + u' ' + query->value(2).toString());
        }
        QCOMPARE(codes, (QStringList{u"1234 A0007"_s, u"5555 A0008"_s, u"6666 A0009"_s}));
    }
};

REGISTER_TEST(TestSecretCodes)
#include "test_secret_codes.moc"
