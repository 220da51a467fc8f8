#include "test_database.h"

#include "core/ini_file.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <atomic>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

int nextNumber()
{
    static std::atomic<int> counter{0};
    return ++counter;
}

// The pairs of a libpq connection text "host=... port=... dbname=...".
QString libpqValue(const QString& text, const QString& key)
{
    for (const QString& pair : text.split(u' ', Qt::SkipEmptyParts)) {
        const qsizetype equals = pair.indexOf(u'=');
        if (equals > 0 && pair.left(equals) == key)
            return pair.mid(equals + 1);
    }
    return QString();
}

QString fragment(const QString& name, const QString& value)
{
    return value.isEmpty() ? QString() : name + u'=' + value + u';';
}

} // namespace

QStringList TestDatabase::backends()
{
    return {u"sqlite"_s, u"postgresql"_s};
}

void TestDatabase::addBackendRows()
{
    QTest::addColumn<QString>("backend");
    for (const QString& backend : backends())
        QTest::newRow(qPrintable(backend)) << backend;
}

TestDatabase::TestDatabase(const QString& backend)
{
    QDir(m_folder.path()).mkpath(u"Adat"_s);
    if (backend == u"postgresql") {
        m_type = DatabaseType::PgSql;
        createPostgresDatabase();
    } else {
        m_type = DatabaseType::DBase;
        m_settings.provider = u"Provider=SQLite;"_s;
        m_settings.initCatalog = u"Initial Catalog="_s + baseDirectory() + u';';
    }
    m_settings.type = m_type;
    m_settings.typeText = databaseTypeName(m_type);
    if (ready())
        writeMainIni();
}

TestDatabase::~TestDatabase()
{
    if (m_adminConnection.isEmpty())
        return;
    {
        QSqlDatabase admin = QSqlDatabase::database(m_adminConnection, false);
        if (admin.isOpen() && !m_database.isEmpty())
            QSqlQuery(admin).exec(u"drop database if exists "_s + m_database + u" with (force)"_s);
        admin.close();
    }
    QSqlDatabase::removeDatabase(m_adminConnection);
}

void TestDatabase::createPostgresDatabase()
{
    const QString server = qEnvironmentVariable("TELORAN_TEST_PG");
    if (server.isEmpty()) {
        m_mustFail = qEnvironmentVariable("CI") == u"true";
        m_problem = u"TELORAN_TEST_PG is not set: run the tests under scripts/with-postgres"_s;
        return;
    }
    const QString host = libpqValue(server, u"host"_s);
    const QString port = libpqValue(server, u"port"_s);
    const QString user = libpqValue(server, u"user"_s);
    const QString password = libpqValue(server, u"password"_s);
    m_adminConnection = u"test-admin-"_s + QString::number(nextNumber());
    QSqlDatabase admin = QSqlDatabase::addDatabase(u"QPSQL"_s, m_adminConnection);
    admin.setHostName(host);
    if (!port.isEmpty())
        admin.setPort(port.toInt());
    admin.setDatabaseName(libpqValue(server, u"dbname"_s));
    admin.setUserName(user);
    admin.setPassword(password);
    if (!admin.open()) {
        m_mustFail = true;
        m_problem = u"PostgreSQL server of TELORAN_TEST_PG not reachable: "_s + admin.lastError().text();
        return;
    }
    m_database = u"teloran_t%1_%2"_s.arg(getpid()).arg(nextNumber());
    QSqlQuery create(admin);
    if (!create.exec(u"create database "_s + m_database)) {
        m_mustFail = true;
        m_problem = u"Cannot create a test database: "_s + create.lastError().text();
        m_database.clear();
        return;
    }
    m_settings.provider = u"Provider=PostgreSQL;"_s;
    m_settings.dataSource = fragment(u"Data Source"_s, port.isEmpty() ? host : host + u',' + port);
    m_settings.userId = fragment(u"User ID"_s, user);
    m_settings.password = fragment(u"Password"_s, password);
    m_settings.initCatalog = fragment(u"Initial Catalog"_s, m_database);
}

void TestDatabase::writeMainIni()
{
    IniFile ini(iniFileName());
    const QString connect = mainini::kConnect;
    (void)ini.writeString(mainini::kMain, mainini::kBaseDirectory, baseDirectory());
    (void)ini.writeString(connect, u"Provider"_s, m_settings.provider);
    (void)ini.writeString(connect, u"DataSource"_s, m_settings.dataSource);
    (void)ini.writeString(connect, u"UserID"_s, m_settings.userId);
    (void)ini.writeString(connect, u"Password"_s, m_settings.password);
    (void)ini.writeString(connect, u"InitCatalog"_s, m_settings.initCatalog);
    (void)ini.writeString(connect, u"Type"_s, m_settings.typeText);
}

QString TestDatabase::baseDirectory() const
{
    return m_folder.path() + u'/';
}

QString TestDatabase::iniFileName() const
{
    return m_folder.file(u"Teloran.ini"_s);
}

std::unique_ptr<Tdm1> TestDatabase::dataModule() const
{
    return std::make_unique<Tdm1>(IniFile(iniFileName()), baseDirectory());
}
