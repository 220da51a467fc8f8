#pragma once

#include "core/import_line.h"

#include <QByteArray>
#include <QSqlDatabase>
#include <QString>

#include <memory>
#include <utility>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// Many call rows in one insert, straight through the embedded database's own
// interface on the connection Qt opened: the import's hot path. Qt's general
// binding converts every value twice and looks each placeholder up by name,
// which costs about as much as the insert itself.
class SqliteBatchInsert {
public:
    // Nothing when db is not an embedded (SQLite) connection.
    static std::unique_ptr<SqliteBatchInsert> open(QSqlDatabase db, const QString& sql, int rows,
                                                   int columns);
    ~SqliteBatchInsert();

    // Binds the rows in order and runs the statement; false with error() set.
    bool exec(const std::vector<const ForgRow*>& rows);
    const QString& error() const { return m_error; }

private:
    SqliteBatchInsert(sqlite3* handle, sqlite3_stmt* statement) : m_handle(handle), m_statement(statement) {}
    void appendText(const QString& text);

    sqlite3* m_handle;
    sqlite3_stmt* m_statement;
    QByteArray m_buffer; // the texts of one batch, kept until the statement has run
    std::vector<std::pair<qsizetype, qsizetype>> m_spans; // start and length of each text in m_buffer
    QString m_error;
};
