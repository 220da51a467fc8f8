#include "core/schema.h"
#include "recording_reporter.h"
#include "test_database.h"
#include "test_main.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlTableModel>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

bool hasTable(QSqlDatabase db, const QString& table)
{
    for (const QString& t : db.tables()) {
        if (t.compare(table, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

int count(QSqlDatabase db, const QString& sql)
{
    QSqlQuery query(db);
    if (!query.exec(sql) || !query.next())
        return -1;
    return query.value(0).toInt();
}

// Turns the users' catalog into one made before versions were recorded: no
// SchemaVersion, a Nevek without its indexes, holding the given users.
bool makeUnversionedUsers(QSqlDatabase db, const QStringList& rows)
{
    QSqlQuery query(db);
    bool ok = query.exec(u"drop table SchemaVersion"_s) && query.exec(u"drop table Nevek"_s) &&
              query.exec(u"create table Nevek (nev varchar(16), jelszo varchar(50), azon varchar(6))"_s);
    for (const QString& row : rows)
        ok = ok && query.exec(u"insert into Nevek values ("_s + row + u')');
    return ok;
}

} // namespace

class TestSchema : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyTableAndColumnOnBothConnections_data() { TestDatabase::addBackendRows(); }
    void everyTableAndColumnOnBothConnections()
    {
        OPEN_TEST_DATABASE(database);
        auto dm = database.dataModule();
        for (SchemaPart part : {SchemaPart::Users, SchemaPart::Data}) {
            auto db = part == SchemaPart::Users ? dm->acMain() : dm->acAdatok();
            QVERIFY2(db.has_value(), whyNot(db));
            QCOMPARE(schemaVersion(*db, part).value(), kSchemaVersion);
            for (const TableDefinition& table : schemaTables(part)) {
                const QSqlRecord record = db->record(dm->dialect().storedName(table.name));
                QCOMPARE(record.count(), table.columns.size());
                for (const ColumnDefinition& column : table.columns)
                    QVERIFY2(record.contains(column.name), qPrintable(table.name + u'.' + column.name));
            }
        }
        QCOMPARE(schemaTables(SchemaPart::Data).size(), 8);
    }

    void creationIsIdempotent_data() { TestDatabase::addBackendRows(); }
    void creationIsIdempotent()
    {
        OPEN_TEST_DATABASE(database);
        auto dm = database.dataModule();
        auto db = dm->acAdatok();
        QVERIFY(db.has_value());
        QSqlQuery insert(*db);
        QVERIFY(insert.exec(u"insert into Ceges (telszam, megnev) values ('0630', 'Partner')"_s));
        QVERIFY(ensureSchema(*db, dm->dialect(), SchemaPart::Data).has_value());
        QVERIFY(ensureSchema(*db, dm->dialect(), SchemaPart::Data).has_value());
        QCOMPARE(count(*db, u"select count(*) from Ceges"_s), 1);
        QCOMPARE(count(*db, u"select count(*) from SchemaVersion where part = 'data'"_s), 1);
    }

    void olderCatalogKeepsItsRows_data() { TestDatabase::addBackendRows(); }
    void olderCatalogKeepsItsRows()
    {
        // Tables made before versions were recorded: the missing ones are
        // added, the rows stay.
        OPEN_TEST_DATABASE(database);
        auto dm = database.dataModule();
        auto db = dm->acMain();
        QVERIFY(db.has_value());
        QVERIFY(makeUnversionedUsers(*db, {u"'admin', 'x', 'USR001'"_s}));
        QSqlQuery query(*db);
        QCOMPARE(schemaVersion(*db, SchemaPart::Users).value(), 0);
        QVERIFY(ensureSchema(*db, dm->dialect(), SchemaPart::Users).has_value());
        QCOMPARE(schemaVersion(*db, SchemaPart::Users).value(), kSchemaVersion);
        QCOMPARE(count(*db, u"select count(*) from Nevek"_s), 1);
        // The unique index arrived with the version.
        QVERIFY(!query.exec(u"insert into Nevek values ('admin', 'y', 'USR002')"_s));
    }

    void failedUpgradeLeavesTheCatalogAsItWas_data() { TestDatabase::addBackendRows(); }
    void failedUpgradeLeavesTheCatalogAsItWas()
    {
        OPEN_TEST_DATABASE(database);
        auto dm = database.dataModule();
        auto db = dm->acMain();
        QVERIFY(db.has_value());
        // Two users of one name: the unique index cannot be made.
        QVERIFY(makeUnversionedUsers(*db, {u"'admin', 'x', 'USR001'"_s, u"'admin', 'y', 'USR002'"_s}));
        QVERIFY(!ensureSchema(*db, dm->dialect(), SchemaPart::Users).has_value());
        QVERIFY(!hasTable(*db, u"SchemaVersion"_s));
        QCOMPARE(count(*db, u"select count(*) from Nevek"_s), 2);
    }

    void newerCatalogIsRefused_data() { TestDatabase::addBackendRows(); }
    void newerCatalogIsRefused()
    {
        OPEN_TEST_DATABASE(database);
        auto dm = database.dataModule();
        auto db = dm->acAdatok();
        QVERIFY(db.has_value());
        QVERIFY(QSqlQuery(*db).exec(u"update SchemaVersion set version = 99 where part = 'data'"_s));
        const auto result = ensureSchema(*db, dm->dialect(), SchemaPart::Data);
        QVERIFY(!result.has_value());
        QVERIFY(result.error().contains(u"újabb változatához"_s));
    }

    void keysAreUniqueWhereTheProgramNeedsIt_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("bothStored");
        for (const QString& backend : TestDatabase::backends()) {
            const auto row = [&](const char* name) -> QTestData& {
                return QTest::newRow(qPrintable(backend + u": "_s + QString::fromUtf8(name))) << backend;
            };
            row("Forg.ID") << u"insert into Forg (ID, osszeg) values ('000000000000000001', -999999)"_s
                           << u"insert into Forg (ID, osszeg) values ('000000000000000001', 0)"_s << false;
            row("Importok.nev repeats") << u"insert into Importok (nev) values ('D052325A.txt')"_s
                                        << u"insert into Importok (nev) values ('D052325A.txt')"_s << true;
            row("Dijak3.Kulcs")
                << u"insert into Dijak3 (ID, Tol, Kulcs) values ('1', '08:00:00', '1-08:00:00')"_s
                << u"insert into Dijak3 (ID, Tol, Kulcs) values ('1', '08:00:00', '1-08:00:00')"_s << false;
            row("Account.azon") << u"insert into Account (azon) values ('A0001')"_s
                                << u"insert into Account (azon) values ('A0001')"_s << false;
        }
    }
    void keysAreUniqueWhereTheProgramNeedsIt()
    {
        OPEN_TEST_DATABASE(database);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, bothStored);
        auto dm = database.dataModule();
        auto db = dm->acAdatok();
        QVERIFY(db.has_value());
        QSqlQuery query(*db);
        QVERIFY2(query.exec(first), qPrintable(query.lastError().text()));
        QCOMPARE(query.exec(second), bothStored);
    }

    void groupTablesOnDemand_data() { TestDatabase::addBackendRows(); }
    void groupTablesOnDemand()
    {
        OPEN_TEST_DATABASE(database);
        auto dm = database.dataModule();
        auto db = dm->acAdatok();
        QVERIFY(db.has_value());
        QVERIFY(!hasTable(*db, u"Dijak1B"_s));
        QVERIFY(dm->bindTariffGroup(u"B"_s).has_value());
        for (const QString& table : {u"Dijak1B"_s, u"Dijak2B"_s, u"Dijak3B"_s})
            QVERIFY2(hasTable(*db, table), qPrintable(table));
        QCOMPARE(db->record(dm->dialect().storedName(u"Dijak3B"_s)).count(), 6);
        auto table = dm->tbDij1();
        QVERIFY(table.has_value());
        QVERIFY((*table)->select());
        QCOMPARE((*table)->record().count(), 5);
        QVERIFY((*table)->tableName().compare(u"Dijak1B"_s, Qt::CaseInsensitive) == 0);
        QVERIFY(dm->bindTariffGroup(u"B"_s).has_value());
        QVERIFY(!dm->bindTariffGroup(u"G"_s).has_value());
        QVERIFY(!dm->bindTariffGroup(u"A; drop table Forg"_s).has_value());
        QCOMPARE(dm->tariffGroup(), u"B"_s);
    }

    void dialectRunsOnTheDatabase_data() { TestDatabase::addBackendRows(); }
    void dialectRunsOnTheDatabase()
    {
        OPEN_TEST_DATABASE(database);
        auto dm = database.dataModule();
        const SqlDialect& d = dm->dialect();
        auto query = dm->qrMuv();
        QVERIFY(query.has_value());
        query->prepare(
            u"insert into Forg (ID, belso, nev1, nev2, osszeg) values (:id, :belso, 'A', 'B', :osszeg)"_s);
        for (int n = 1; n <= 3; ++n) {
            query->bindValue(u":id"_s, u"%1"_s.arg(n, 18, 10, QChar(u'0')));
            query->bindValue(u":belso"_s, n == 2);
            query->bindValue(u":osszeg"_s, n == 3 ? -999999.0 : 12.5);
            QVERIFY(query->exec());
        }
        QVERIFY(query->exec(d.selectFirst(u"ID"_s, u"from Forg order by ID desc"_s)) && query->next());
        QCOMPARE(query->value(0).toString(), u"000000000000000003"_s);
        QVERIFY(query->exec(u"select count(*) from Forg where "_s + d.isFalse(u"belso"_s)) && query->next());
        QCOMPARE(query->value(0).toInt(), 2);
        QVERIFY(query->exec(u"select count(*) from Forg where "_s + d.isTrue(u"belso"_s)) && query->next());
        QCOMPARE(query->value(0).toInt(), 1);
        QVERIFY(query->exec(u"select count(*) from Forg where belso = "_s + d.booleanLiteral(false)) &&
                query->next());
        QCOMPARE(query->value(0).toInt(), 2);
        QVERIFY(query->exec(u"select "_s + d.firstValue(d.concat({u"nev1"_s, u"'/'"_s, u"nev2"_s})) +
                            u", sum(osszeg) from Forg where osszeg <> -999999"_s) &&
                query->next());
        QCOMPARE(query->value(0).toString(), u"A/B"_s);
        QCOMPARE(query->value(1).toDouble(), 25.0);
    }

    void columnWidthsForTheForms()
    {
        QCOMPARE(columnWidth(u"nevek"_s, u"NEV"_s), 16);
        QCOMPARE(columnWidth(u"Nevek"_s, u"jelszo"_s), 50);
        QCOMPARE(columnWidth(u"Account"_s, u"tipus"_s), 1);
        QCOMPARE(columnWidth(u"Kodok"_s, u"tkod"_s), 40);
        QCOMPARE(columnWidth(u"Dijak2C"_s, u"telszam"_s), 20);
        QCOMPARE(columnWidth(u"Forg"_s, u"osszeg"_s), 0);
        QCOMPARE(columnWidth(u"Dijak1G"_s, u"ID"_s), -1);
        QCOMPARE(columnWidth(u"Forg"_s, u"nincs"_s), -1);
    }
};

REGISTER_TEST(TestSchema)
#include "test_schema.moc"
