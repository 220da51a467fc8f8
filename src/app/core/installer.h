#pragma once

#include "core/connection_settings.h"

#include <QString>

#include <expected>

// What a new installation is made of.
struct InstallOptions {
    QString baseDirectory;
    DatabaseType type = DatabaseType::DBase;
    // PGSQL and MSSQL: the server, its port (empty: the default), the
    // database, the login, further properties (sslmode=require).
    QString server;
    QString port;
    QString catalog;
    QString databaseUser;
    QString databasePassword;
    QString extraProperties;
    // The main user USR001.
    QString userName;
    QString userPassword;
};

// The [CONNECT1] fragments an installation writes for its database.
ConnectionSettings installConnectionSettings(const InstallOptions& options);

// Prepares a new installation: the base directory with its folder Adat, the
// main INI file Teloran.ini in it, the tables on both connections and the
// main user USR001. An existing Teloran.ini is not overwritten, and a users
// table that already has users gets no second main user. Returns the name of
// the main INI file.
std::expected<QString, QString> installTeloran(const InstallOptions& options);
