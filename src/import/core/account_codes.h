#pragma once

#include <QHash>
#include <QSqlDatabase>
#include <QString>

#include <expected>

// The account code of each secret code found in the collector's records
// (AccountKreal): codes are kept encoded in table Kodok with their account
// codes; a new code gets the next account code after the greatest one
// ("A0001" for the first). Codes compare without regard to letter case.
//
// The cache follows the import's transactions: codes added while a file is
// read are forgotten again when that file is rolled back, so the cache never
// hands out an account code whose Kodok row does not exist.
class AccountCodeCache {
public:
    // "open": reads every row of Kodok.
    std::expected<void, QString> open(QSqlDatabase db);
    // "get": the account code of a secret code; a new one is stored in Kodok.
    std::expected<QString, QString> get(const QString& code);
    // The codes added since the last commit() become permanent / are dropped.
    void commit();
    void rollback();
    // "close".
    void close();

    const QString& lastAccount() const { return m_lastAccount; }

private:
    QSqlDatabase m_db;
    QHash<QString, QString> m_accounts; // case-folded code -> account
    QString m_lastAccount;              // UtolsoAccount
    QHash<QString, QString> m_committedAccounts;
    QString m_committedLast;
};
