#pragma once

#include "core/connection_settings.h"
#include "core/data_module.h"
#include "temp_folder.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTest>

#include <memory>

// A fresh, empty database of one kind for one test, with a base directory
// and a Teloran.ini that points at it:
// - "sqlite": the embedded database (type DBASE) in a temporary base
//   directory: users in its Teloran.db, data in Adat/Teloran.db;
// - "postgresql": a new database (type PGSQL) on the server named by
//   TELORAN_TEST_PG (scripts/with-postgres starts one), dropped afterwards.
// Without TELORAN_TEST_PG the PostgreSQL cases are skipped, or fail when CI
// is set, so a CI run cannot pass without them.
class TestDatabase {
public:
    static QStringList backends();
    // A "backend" column with one row per backend, for tests that only vary
    // by backend.
    static void addBackendRows();

    explicit TestDatabase(const QString& backend);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    bool ready() const { return m_problem.isEmpty(); }
    const QString& problem() const { return m_problem; }
    // True when a missing server must fail the test (CI=true).
    bool mustFail() const { return m_mustFail; }

    DatabaseType type() const { return m_type; }
    const TempFolder& folder() const { return m_folder; }
    // With its trailing separator.
    QString baseDirectory() const;
    QString iniFileName() const;
    // A data module on this database, as the program builds it.
    std::unique_ptr<Tdm1> dataModule() const;
    // The [CONNECT1] fragments written into Teloran.ini.
    const ConnectionSettings& settings() const { return m_settings; }

private:
    void createPostgresDatabase();
    void writeMainIni();

    TempFolder m_folder;
    DatabaseType m_type = DatabaseType::DBase;
    ConnectionSettings m_settings;
    QString m_problem;
    bool m_mustFail = false;
    QString m_adminConnection;
    QString m_database;
};

// The error of a failed result for a test message; QVERIFY2 evaluates its
// message even when the check passes.
template <typename Expected> const char* whyNot(const Expected& result)
{
    static QByteArray text;
    text = result.has_value() ? QByteArray() : result.error().toLocal8Bit();
    return text.constData();
}

// Opens a TestDatabase named `name` for the backend of the current data row,
// and skips (or, under CI, fails) the test when that backend is missing.
#define OPEN_TEST_DATABASE(name)                                                                             \
    QFETCH(QString, backend);                                                                                \
    TestDatabase name(backend);                                                                              \
    if (!name.ready()) {                                                                                     \
        if (name.mustFail())                                                                                 \
            QFAIL(qPrintable(name.problem()));                                                               \
        QSKIP(qPrintable(name.problem()));                                                                   \
    }
