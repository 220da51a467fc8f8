#pragma once

#include "core/connection_settings.h"
#include "core/schema.h"
#include "core/sql_dialect.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include <expected>
#include <memory>

class IniFile;
class QSqlTableModel;

// The data module dm1: the two connections and the shared tables and queries
// of the program.
//
// - acMain, the main connection, reaches the catalog of the users (Nevek);
//   acAdatok, the data connection, the catalog of calls, tariffs and master
//   data. Each opens on first use, and its part of the schema is brought up
//   to date then (a new embedded database gets its tables on first start).
// - The tables (tbNevek, tbImport, tbDij1, tbDij2, tbAzonok, tbCeges,
//   tbKodok) are table models for the grids, made on first use and shared.
// - The queries (qrNevek on acMain; qrMuv, qrDij, qrListak on acAdatok) are
//   made anew for each statement on their connection; a query keeps no state
//   between two uses. Values are always bound.
//
// Several data modules may live at once (tests): each has connections of
// its own names.
class Tdm1 {
public:
    // DataModuleCreate: reads [CONNECT1] of the main INI file and builds the
    // connection strings.
    Tdm1(const IniFile& mainIni, const QString& baseDirectory);
    ~Tdm1();
    Tdm1(const Tdm1&) = delete;
    Tdm1& operator=(const Tdm1&) = delete;

    const ConnectionSettings& settings() const { return m_settings; }
    DatabaseType databaseType() const { return m_settings.type; }
    const SqlDialect& dialect() const { return SqlDialect::of(m_settings.type); }
    const QString& baseDirectory() const { return m_baseDirectory; }

    QString mainConnectionString() const { return m_settings.mainConnectionString(); }
    QString dataConnectionString() const { return m_settings.dataConnectionString(m_baseDirectory); }

    // The data connection's step at the first activation of the main window:
    // closes acAdatok so that it opens with its catalog; an unknown database
    // type is reported ("Nem azonosított adatbázis típus !"). False then.
    bool prepareDataConnection();

    std::expected<QSqlDatabase, QString> acMain();
    std::expected<QSqlDatabase, QString> acAdatok();

    std::expected<QSqlQuery, QString> qrNevek();
    std::expected<QSqlQuery, QString> qrMuv();
    std::expected<QSqlQuery, QString> qrDij();
    std::expected<QSqlQuery, QString> qrListak();

    std::expected<QSqlTableModel*, QString> tbNevek();
    std::expected<QSqlTableModel*, QString> tbImport();
    std::expected<QSqlTableModel*, QString> tbDij1();
    std::expected<QSqlTableModel*, QString> tbDij2();
    std::expected<QSqlTableModel*, QString> tbAzonok();
    std::expected<QSqlTableModel*, QString> tbCeges();
    std::expected<QSqlTableModel*, QString> tbKodok();

    // The trunk-group choice: binds tbDij1 and tbDij2 to Dijak1 / Dijak2
    // followed by the letter ("" for the base set), creating the group's
    // tables when the group comes into use.
    std::expected<void, QString> bindTariffGroup(const QString& groupLetter);
    const QString& tariffGroup() const { return m_tariffGroup; }

private:
    struct Connection;
    enum Table { Nevek, Import, Dij1, Dij2, Azonok, CegesTable, KodokTable, TableCount };

    std::expected<QSqlDatabase, QString> open(Connection& connection);
    std::expected<QSqlQuery, QString> query(Connection& connection);
    std::expected<QSqlTableModel*, QString> table(Table which);
    QString tableName(Table which) const;
    Connection& connectionOf(Table which);

    ConnectionSettings m_settings;
    QString m_baseDirectory;
    QString m_tariffGroup;
    std::unique_ptr<Connection> m_main;
    std::unique_ptr<Connection> m_data;
    std::unique_ptr<QSqlTableModel> m_tables[TableCount];
};
