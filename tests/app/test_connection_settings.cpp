#include "core/connection_settings.h"
#include "core/ini_file.h"
#include "core/sql_connection.h"
#include "core/sql_dialect.h"
#include "temp_folder.h"
#include "test_database.h"
#include "test_main.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(DatabaseType)

class TestConnectionSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void connectionStrings_data()
    {
        QTest::addColumn<QByteArray>("connect");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("mainString");
        QTest::addColumn<QString>("dataString");
        QTest::addColumn<bool>("recognised");
        const QByteArray fragments =
            "Provider=Provider=P;\r\nDataSource=Data Source=S;\r\nUserID=User ID=u;\r\n"
            "Password=Password=p;\r\nInitCatalog=Initial Catalog=Main;\r\n"
            "ExtProp=Extended Properties=X;\r\n";
        QTest::newRow("dbase: data in Adat of the base directory")
            << fragments + "Type=DBASE\r\n"
            << u"/tel/"_s
            << u"Provider=P;Data Source=S;User ID=u;Password=p;Initial Catalog=Main;Extended Properties=X;"_s
            << u"Provider=P;Data Source=S;User ID=u;Password=p;Initial Catalog=/tel/Adat/;Extended Properties=X;"_s
            << true;
        QTest::newRow("mssql: data catalog always Teloran")
            << fragments + "Type=MSSQL\r\n"
            << u"/tel/"_s
            << u"Provider=P;Data Source=S;User ID=u;Password=p;Initial Catalog=Main;Extended Properties=X;"_s
            << u"Provider=P;Data Source=S;User ID=u;Password=p;Initial Catalog=Teloran;Extended Properties=X;"_s
            << true;
        QTest::newRow("pgsql: one database for users and data")
            << fragments + "Type=PGSQL\r\n"
            << u"/tel/"_s
            << u"Provider=P;Data Source=S;User ID=u;Password=p;Initial Catalog=Main;Extended Properties=X;"_s
            << u"Provider=P;Data Source=S;User ID=u;Password=p;Initial Catalog=Main;Extended Properties=X;"_s
            << true;
        QTest::newRow("lower-case type not recognised")
            << fragments + "Type=dbase\r\n"
            << u"/tel/"_s
            << u"Provider=P;Data Source=S;User ID=u;Password=p;Initial Catalog=Main;Extended Properties=X;"_s
            << u"Provider=P;Data Source=S;User ID=u;Password=p;Initial Catalog=Main;Extended Properties=X;"_s
            << false;
        QTest::newRow("without ExtProp the string ends after the catalog")
            << QByteArray("Provider=Provider=P;\r\nInitCatalog=Initial Catalog=Main;\r\nType=MSSQL\r\n")
            << u"/tel/"_s << u"Provider=P;Initial Catalog=Main;"_s << u"Provider=P;Initial Catalog=Teloran;"_s
            << true;
        QTest::newRow("empty section") << QByteArray() << u"/tel/"_s << QString() << QString() << false;
    }
    void connectionStrings()
    {
        QFETCH(QByteArray, connect);
        QFETCH(QString, base);
        TempFolder folder;
        folder.write(u"Teloran.ini"_s, "[MAIN]\r\nBaseDirectory=/tel/\r\n[CONNECT1]\r\n" + connect);
        const ConnectionSettings settings = ConnectionSettings::read(IniFile(folder.file(u"Teloran.ini"_s)));
        QTEST(settings.mainConnectionString(), "mainString");
        QTEST(settings.dataConnectionString(base), "dataString");
        QTEST(settings.dataCatalog(base).recognised, "recognised");
    }

    void baseDirectoryGetsItsSeparator_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("without") << u"/srv/tel"_s << u"/srv/tel/"_s;
        QTest::newRow("with") << u"/srv/tel/"_s << u"/srv/tel/"_s;
        QTest::newRow("windows style") << u"C:\\Tel\\"_s << u"C:\\Tel\\"_s;
        QTest::newRow("missing") << QString() << QString();
    }
    void baseDirectoryGetsItsSeparator()
    {
        QFETCH(QString, value);
        TempFolder folder;
        IniFile ini(folder.file(u"Teloran.ini"_s));
        if (!value.isEmpty())
            QVERIFY(ini.writeString(u"MAIN"_s, u"BaseDirectory"_s, value));
        QTEST(readBaseDirectory(ini), "expected");
    }

    void mainIniFileFromArgumentOrBesideProgram()
    {
        QCOMPARE(mainIniFileName(u"/etc/masik.ini"_s, u"/opt/teloran"_s), u"/etc/masik.ini"_s);
        QCOMPARE(mainIniFileName(QString(), u"/opt/teloran"_s), u"/opt/teloran/Teloran.ini"_s);
    }

    void connectionStringPairs()
    {
        const ConnectionString pairs = ConnectionString::parse(
            u"Provider=SQLOLEDB.1; data source = srv,1433 ;Extended Properties=\"a=1;b=2\";Bare;User ID=;"_s);
        QCOMPARE(pairs.value(u"Data Source"_s), u"srv,1433"_s);
        QCOMPARE(pairs.value(u"extended properties"_s), u"a=1;b=2"_s);
        QVERIFY(pairs.contains(u"User ID"_s));
        QVERIFY(!pairs.contains(u"Bare"_s));
        QCOMPARE(pairs.pairs().size(), 4);
    }

    void qtSettingsOfEachType_data()
    {
        QTest::addColumn<DatabaseType>("type");
        QTest::addColumn<QString>("connection");
        QTest::addColumn<QString>("driver");
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("options");
        QTest::newRow("pgsql socket folder and port")
            << DatabaseType::PgSql
            << u"Provider=PostgreSQL;Data Source=/run/pg,5433;User ID=tel;Password=t;x;Initial "
               u"Catalog=Teloran;"
               "Extended Properties=\"sslmode=require;connect_timeout=5\";"_s
            << u"QPSQL"_s << u"Teloran"_s << u"/run/pg"_s << 5433 << u"tel"_s << u"t"_s
            << u"sslmode=require;connect_timeout=5"_s;
        QTest::newRow("pgsql host and Port pair")
            << DatabaseType::PgSql << u"Data Source=db.local;Port=6000;Initial Catalog=t;"_s << u"QPSQL"_s
            << u"t"_s << u"db.local"_s << 6000 << QString() << QString() << QString();
        QTest::newRow("mssql through odbc")
            << DatabaseType::MsSql
            << u"Provider=SQLOLEDB.1;Persist Security Info=False;Data Source=SRV\\SQL,1433;User ID=sa;"
               "Password=pw;Initial Catalog=Teloran;Extended Properties=\"Encrypt=no\";"_s
            << u"QODBC"_s
            << u"DRIVER={ODBC Driver 18 for SQL Server};SERVER=SRV\\SQL,1433;DATABASE=Teloran;UID=sa;PWD=pw;"
               "Encrypt=no;"_s
            << QString() << -1 << QString() << QString() << QString();
        QTest::newRow("mssql with its own driver and windows login")
            << DatabaseType::MsSql
            << u"Data Source=srv;Integrated Security=SSPI;Initial Catalog=Main;ExtProp;Driver={FreeTDS};"_s
            << u"QODBC"_s << u"DRIVER={FreeTDS};SERVER=srv;DATABASE=Main;Trusted_Connection=yes;"_s
            << QString() << -1 << QString() << QString() << QString();
    }
    void qtSettingsOfEachType()
    {
        QFETCH(DatabaseType, type);
        QFETCH(QString, connection);
        const auto options = sqlConnectionOptions(type, connection);
        QVERIFY2(options.has_value(), whyNot(options));
        QTEST(options->driver, "driver");
        QTEST(options->databaseName, "database");
        QTEST(options->hostName, "host");
        QTEST(options->port, "port");
        QTEST(options->userName, "user");
        QTEST(options->password, "password");
        QTEST(options->connectOptions, "options");
    }

    void embeddedDatabaseLiesInItsCatalogFolder()
    {
        TempFolder folder;
        QDir(folder.path()).mkpath(u"Adat"_s);
        const QString adat = folder.path() + u"/Adat/"_s;
        auto options =
            sqlConnectionOptions(DatabaseType::DBase, u"Provider=SQLite;Initial Catalog="_s + adat + u';');
        QVERIFY(options.has_value());
        QCOMPARE(options->driver, u"QSQLITE"_s);
        QCOMPARE(options->databaseName, adat + u"Teloran.db"_s);
        // Without a catalog, the data source names the folder (the older dBase strings).
        options = sqlConnectionOptions(DatabaseType::DBase, u"Data Source="_s + adat + u';');
        QCOMPARE(options->databaseName, adat + u"Teloran.db"_s);
        QVERIFY(!sqlConnectionOptions(DatabaseType::DBase, u"Initial Catalog=/nincs/ilyen/;"_s).has_value());
        QVERIFY(!sqlConnectionOptions(DatabaseType::DBase, u"Provider=SQLite;"_s).has_value());
        QCOMPARE(sqlConnectionOptions(DatabaseType::Unknown, QString()).error(),
                 u"Nem azonosított adatbázis típus !"_s);
    }

    void dialects_data()
    {
        QTest::addColumn<DatabaseType>("type");
        QTest::addColumn<QString>("highestKey");
        QTest::addColumn<QString>("notInternal");
        QTest::addColumn<QString>("trueLiteral");
        QTest::addColumn<QString>("joined");
        QTest::addColumn<QString>("textType");
        QTest::addColumn<QString>("memoType");
        QTest::addColumn<QString>("realType");
        QTest::addColumn<QString>("booleanType");
        QTest::newRow("embedded") << DatabaseType::DBase << u"select ID from Forg order by ID desc limit 1"_s
                                  << u"belso = 0"_s << u"1"_s << u"orszag || '/' || korzet"_s
                                  << u"varchar(20)"_s << u"text"_s << u"real"_s << u"boolean"_s;
        QTest::newRow("postgresql") << DatabaseType::PgSql
                                    << u"select ID from Forg order by ID desc limit 1"_s << u"not belso"_s
                                    << u"true"_s << u"orszag || '/' || korzet"_s << u"varchar(20)"_s
                                    << u"text"_s << u"double precision"_s << u"boolean"_s;
        QTest::newRow("sql server") << DatabaseType::MsSql << u"select top 1 ID from Forg order by ID desc"_s
                                    << u"belso = 0"_s << u"1"_s << u"orszag + '/' + korzet"_s
                                    << u"nvarchar(20)"_s << u"nvarchar(max)"_s << u"float"_s << u"bit"_s;
    }
    void dialects()
    {
        QFETCH(DatabaseType, type);
        const SqlDialect& d = SqlDialect::of(type);
        QTEST(d.selectFirst(u"ID"_s, u"from Forg order by ID desc"_s), "highestKey");
        QTEST(d.isFalse(u"belso"_s), "notInternal");
        QTEST(d.booleanLiteral(true), "trueLiteral");
        QTEST(d.concat({u"orszag"_s, u"'/'"_s, u"korzet"_s}), "joined");
        QTEST(d.columnType(ColumnKind::Text, 20), "textType");
        QTEST(d.columnType(ColumnKind::Text, 0), "memoType");
        QTEST(d.columnType(ColumnKind::Real, 0), "realType");
        QTEST(d.columnType(ColumnKind::Boolean, 0), "booleanType");
        QCOMPARE(d.firstValue(u"nev2"_s), u"min(nev2)"_s);
    }

    void sqlServerCreatesOnlyWhatIsMissing()
    {
        const SqlDialect& d = SqlDialect::of(DatabaseType::MsSql);
        QCOMPARE(d.createTableIfMissing(u"Ceges"_s, {u"telszam nvarchar(20)"_s, u"megnev nvarchar(60)"_s}),
                 u"if object_id(N'Ceges', N'U') is null create table Ceges (telszam nvarchar(20), megnev "
                 "nvarchar(60))"_s);
        QCOMPARE(
            d.createIndexIfMissing(u"Forg_ID"_s, u"Forg"_s, {u"ID"_s}, true),
            u"if not exists (select * from sys.indexes where name = N'Forg_ID') create unique index Forg_ID "
            "on Forg (ID)"_s);
    }
};

REGISTER_TEST(TestConnectionSettings)
#include "test_connection_settings.moc"
