#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class IniFile;

// The administrator login that guards closing, the settings and stopping
// reception. The accounts are the built-in maintenance account and the up to
// three entries of section "ADMIN" of Kalvix.ini.

// Why the login is asked; each purpose shows its own warning.
enum class LoginPurpose { Close = 1, Settings = 2, Stop = 3 };

struct LoginPanel {
    QStringList lines; // three lines of text
    bool warning;      // red (data may be lost); otherwise lime green
};
LoginPanel loginPanel(LoginPurpose purpose);

struct AdministratorAccount {
    QString name;
    QString password;
};

// The built-in maintenance account, then entries 1-3 decoded (entries not
// set have an empty name and never match).
QList<AdministratorAccount> administratorAccounts(const IniFile& ini);

// Checked before the login is shown: the file must exist and hold entry 1,
// encoded. The message when it does not.
std::optional<QString> administratorFileProblem(const IniFile& ini);

// The message when no account matches.
inline const QString kLoginRefused = QStringLiteral("A megadott azonosító nem létezik, vagy hibás jelszó.");

// Whether a typed name and password match an account: a name that is not
// empty, both equal to the account's, letter case counting.
bool matchesAdministrator(const QList<AdministratorAccount>& accounts, const QString& name,
                          const QString& password);

// The whole check of a login: the file check, then the accounts as they are
// in the file now. Nothing when the caller may go on, else the message to show.
std::optional<QString> checkAdministrator(const IniFile& ini, const QString& name, const QString& password);
