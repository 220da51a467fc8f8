#pragma once

#include "core/import_line.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include <expected>
#include <memory>
#include <vector>

class SqlDialect;
class SqliteBatchInsert;

// Why a row could not be stored.
struct RowError {
    qint64 lineNumber = 0;
    QString text;
};

// Stores call rows in the current transaction, many rows per statement, so a
// database server is asked once per batch rather than once per line. A
// batch runs inside a savepoint: when it fails, its rows are tried one by one
// to name the line that failed. Values are always bound.
class ForgInserter {
public:
    ForgInserter(QSqlDatabase db, const SqlDialect& dialect);
    ~ForgInserter();

    std::expected<void, RowError> add(ForgRow row, qint64 lineNumber);
    // Stores the rows still buffered.
    std::expected<void, RowError> flush();

private:
    struct Pending {
        ForgRow row;
        qint64 lineNumber;
    };
    bool prepare(QSqlQuery& query, int rows);
    bool execBatch();
    void bind(QSqlQuery& query, int slot, const ForgRow& row);
    std::expected<void, RowError> findFailingRow();
    bool savepoint(const QString& step);

    QSqlDatabase m_db;
    const SqlDialect& m_dialect;
    QSqlQuery m_batch;
    QSqlQuery m_single;
    bool m_batchPrepared = false;
    bool m_singlePrepared = false;
    int m_batchRows;
    std::vector<QString> m_names;
    std::vector<Pending> m_pending;
    std::unique_ptr<SqliteBatchInsert> m_native; // the embedded database's own path
};
