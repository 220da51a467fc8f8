#include "core/data_module.h"
#include "core/ini_file.h"
#include "core/installer.h"
#include "core/login.h"
#include "core/password.h"
#include "core/sql_connection.h"
#include "core/users.h"
#include "recording_reporter.h"
#include "test_database.h"
#include "test_main.h"

#include <QFile>
#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

class TestInstaller : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void installsAndLogsIn_data() { TestDatabase::addBackendRows(); }
    void installsAndLogsIn()
    {
        OPEN_TEST_DATABASE(database);
        TempFolder target;
        InstallOptions options;
        options.baseDirectory = target.path() + u"/Teloran"_s; // no trailing separator
        options.type = database.type();
        if (database.type() == DatabaseType::PgSql) {
            // The test database's server and catalog, given as an installer would.
            const ConnectionString pairs =
                ConnectionString::parse(database.settings().mainConnectionString());
            const QString source = pairs.value(u"Data Source"_s);
            options.server = source.section(u',', 0, 0);
            options.port = source.section(u',', 1);
            options.catalog = pairs.value(u"Initial Catalog"_s);
            options.databaseUser = pairs.value(u"User ID"_s);
        }
        options.userName = u"Kovács O'Neil"_s;
        options.userPassword = u"Jelszó1"_s;
        const auto iniName = installTeloran(options);
        QVERIFY2(iniName.has_value(), whyNot(iniName));
        const QString base = target.path() + u"/Teloran/"_s;
        QCOMPARE(*iniName, base + u"Teloran.ini"_s);
        QVERIFY(QFile::exists(base + u"Adat"_s));

        const IniFile ini(*iniName);
        QCOMPARE(readBaseDirectory(ini), base);
        QCOMPARE(ini.readString(u"CONNECT1"_s, u"Type"_s), databaseTypeName(database.type()));
        if (database.type() == DatabaseType::DBase) {
            QCOMPARE(ini.readString(u"CONNECT1"_s, u"InitCatalog"_s), u"Initial Catalog="_s + base + u';');
            QVERIFY(QFile::exists(base + u"Teloran.db"_s));
            QVERIFY(QFile::exists(base + u"Adat/Teloran.db"_s));
        }

        Tdm1 dm(ini, base);
        UserTable users(dm);
        const auto rows = users.rows();
        QVERIFY(rows.has_value());
        QCOMPARE(rows->size(), 1u);
        QCOMPARE(rows->front().azon, u"USR001"_s);
        QCOMPARE(rows->front().jelszo.size(), 50);
        RecordingReporter reporter;
        LoginCheck login(users);
        QVERIFY(login.gmRnb1Click(u"Kovács O'Neil"_s, u"Jelszó1"_s).accepted);
        QVERIFY(reporter.messages.isEmpty());

        // A second installation in the same place is refused and changes nothing.
        const auto again = installTeloran(options);
        QVERIFY(!again.has_value());
        QCOMPARE(users.rows()->size(), 1u);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("error");
        QTest::newRow("no name") << QString() << u"x"_s << u"A felhasználónév nem lehet üres !"_s;
        QTest::newRow("long name") << u"12345678901234567"_s << u"x"_s
                                   << u"A felhasználónév legfeljebb 16 karakter lehet !"_s;
        QTest::newRow("long password")
            << u"admin"_s << u"12345678901"_s << u"A jelszó legfeljebb 10 karakter lehet !"_s;
    }
    void refusals()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        TempFolder target;
        InstallOptions options;
        options.baseDirectory = target.path();
        options.userName = user;
        options.userPassword = password;
        const auto result = installTeloran(options);
        QVERIFY(!result.has_value());
        QTEST(result.error(), "error");
        QVERIFY(!QFile::exists(target.file(u"Teloran.ini"_s)));
    }

    void unreachableServerLeavesNoInstallation()
    {
        TempFolder target;
        InstallOptions options;
        options.baseDirectory = target.path();
        options.type = DatabaseType::PgSql;
        options.server = target.path(); // no server listens there
        options.port = u"1"_s;
        options.userName = u"admin"_s;
        QVERIFY(!installTeloran(options).has_value());
        QVERIFY(!QFile::exists(target.file(u"Teloran.ini"_s)));
    }

    void connectionFragmentsOfEachType()
    {
        InstallOptions options;
        options.type = DatabaseType::MsSql;
        options.server = u"SRV\\SQL"_s;
        options.databaseUser = u"sa"_s;
        options.databasePassword = u"pw"_s;
        options.extraProperties = u"Encrypt=no"_s;
        const ConnectionSettings s = installConnectionSettings(options);
        QCOMPARE(s.mainConnectionString(), u"Provider=SQLOLEDB;Data Source=SRV\\SQL;User ID=sa;Password=pw;"
                                           "Initial Catalog=Teloran;Extended Properties=\"Encrypt=no\";"_s);
        QCOMPARE(s.typeText, u"MSSQL"_s);
    }
};

// `teloran --install` as a script or a person at the terminal runs it.
class TestTeloranCommand : public QObject {
    Q_OBJECT

    struct Run {
        int exitCode = -1;
        QString output;
        QString errors;
    };
    static Run teloran(const QStringList& arguments, const QByteArray& input = QByteArray())
    {
        QProcess process;
        process.start(QStringLiteral(TELORAN_PROGRAM), arguments);
        process.write(input);
        process.closeWriteChannel();
        process.waitForFinished(60000);
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

private Q_SLOTS:
    void installByOptionsThenOpen()
    {
        TempFolder folder;
        const QString base = folder.file(u"tel"_s);
        const Run install =
            teloran({u"--install"_s, base, u"--user"_s, u"Gál Éva"_s, u"--password"_s, u"titok"_s});
        QCOMPARE(install.exitCode, 0);
        QVERIFY(install.output.contains(u"USR001"_s));
        const Run open = teloran({u"--check"_s, base + u"/Teloran.ini"_s});
        QCOMPARE(open.exitCode, 0);
        QCOMPARE(open.output.trimmed(),
                 base + u"/Teloran.ini: DBASE, 1 felhasználó, alapkönyvtár "_s + base + u'/');
        // A second installation in the same folder is refused.
        QCOMPARE(teloran({u"--install"_s, base, u"--user"_s, u"x"_s, u"--password"_s, u"y"_s}).exitCode, 1);
    }

    void asksNameAndPasswordTwice()
    {
        TempFolder folder;
        const QString base = folder.file(u"tel"_s);
        const Run differ = teloran({u"--install"_s, base}, "admin\nalma\nkorte\n");
        QCOMPARE(differ.exitCode, 1);
        QVERIFY(differ.errors.contains(u"A két jelszó nem egyezik meg!"_s));
        QVERIFY(!QFile::exists(base + u"/Teloran.ini"_s));
        const Run same = teloran({u"--install"_s, base}, "admin\nalma\nalma\n");
        QCOMPARE(same.exitCode, 0);
        Tdm1 dm(IniFile(base + u"/Teloran.ini"_s), base + u'/');
        UserTable users(dm);
        RecordingReporter reporter;
        QVERIFY(LoginCheck(users).gmRnb1Click(u"admin"_s, u"alma"_s).accepted);
    }

    void missingInstallationIsReported()
    {
        TempFolder folder;
        const Run open = teloran({u"--check"_s, folder.file(u"Teloran.ini"_s)});
        QCOMPARE(open.exitCode, 1);
        QVERIFY(open.errors.contains(u"Hiányzó INI bejegyzés: MAIN / BaseDirectory"_s));
    }
};

REGISTER_TEST(TestInstaller)
REGISTER_TEST(TestTeloranCommand)
#include "test_installer.moc"
