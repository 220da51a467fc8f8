#include "core/forg_insert.h"

#include "core/sql_dialect.h"
#include "core/sqlite_batch.h"

#include <QSqlError>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

constexpr int kColumns = 16;
// Rows per statement, within each database's limit of bound values: 999 in
// older embedded builds, 2100 on SQL Server, 65535 on PostgreSQL.
int batchRows(DatabaseType type)
{
    switch (type) {
    case DatabaseType::PgSql:
        return 100;
    case DatabaseType::MsSql:
        return 120;
    default:
        return 60;
    }
}

const QString kColumnList = u"insert into Forg (kezdnap, kezdido, hossz, cseng, hivoszam, irany, hivottszam, "
                            u"azon1, belso, ID, eszk1, "
                            "nev1, eszk2, nev2, osszeg, importfajl) values "_s;

const QString kSavepoint = u"forg_batch"_s;

// SQL Server names its savepoints in transaction statements and has no release.
QString savepointSql(const SqlDialect& dialect, const QString& step)
{
    const bool sqlServer = dialect.type() == DatabaseType::MsSql;
    if (step == u"set")
        return (sqlServer ? u"save transaction "_s : u"savepoint "_s) + kSavepoint;
    if (step == u"rollback")
        return (sqlServer ? u"rollback transaction "_s : u"rollback to savepoint "_s) + kSavepoint;
    return sqlServer ? QString() : u"release savepoint "_s + kSavepoint;
}

} // namespace

ForgInserter::ForgInserter(QSqlDatabase db, const SqlDialect& dialect)
    : m_db(db), m_dialect(dialect), m_batch(db), m_single(db), m_batchRows(batchRows(dialect.type()))
{
    // Binding by position would format a placeholder name for every value.
    for (int i = 0; i < kColumns * m_batchRows; ++i)
        m_names.push_back(u":v"_s + QString::number(i));
    m_pending.reserve(size_t(m_batchRows));
    if (dialect.type() == DatabaseType::DBase) {
        QStringList tuples;
        const QString tuple = u'(' + QStringList(kColumns, u"?"_s).join(u", "_s) + u')';
        for (int r = 0; r < m_batchRows; ++r)
            tuples.append(tuple);
        m_native = SqliteBatchInsert::open(db, kColumnList + tuples.join(u", "_s), m_batchRows, kColumns);
    }
}

ForgInserter::~ForgInserter() = default;

bool ForgInserter::execBatch()
{
    if (m_native) {
        std::vector<const ForgRow*> rows;
        rows.reserve(m_pending.size());
        for (const Pending& pending : m_pending)
            rows.push_back(&pending.row);
        return m_native->exec(rows);
    }
    if (!m_batchPrepared)
        m_batchPrepared = prepare(m_batch, m_batchRows);
    for (int r = 0; r < m_batchRows; ++r)
        bind(m_batch, r, m_pending[size_t(r)].row);
    return m_batchPrepared && m_batch.exec();
}

bool ForgInserter::prepare(QSqlQuery& query, int rows)
{
    QStringList tuples;
    for (int r = 0; r < rows; ++r) {
        QStringList placeholders;
        for (int c = 0; c < kColumns; ++c)
            placeholders.append(m_names[size_t(r * kColumns + c)]);
        tuples.append(u'(' + placeholders.join(u", "_s) + u')');
    }
    return query.prepare(kColumnList + tuples.join(u", "_s));
}

void ForgInserter::bind(QSqlQuery& query, int slot, const ForgRow& r)
{
    const QVariant values[kColumns] = {
        r.kezdnap, r.kezdido, r.hossz, r.cseng, r.hivoszam, r.irany, r.hivottszam,     r.azon1,
        r.belso,   r.id,      r.eszk1, r.nev1,  r.eszk2,    r.nev2,  double(r.osszeg), r.importfajl};
    for (int c = 0; c < kColumns; ++c)
        query.bindValue(m_names[size_t(slot * kColumns + c)], values[c]);
}

bool ForgInserter::savepoint(const QString& step)
{
    const QString sql = savepointSql(m_dialect, step);
    QSqlQuery query(m_db);
    return sql.isEmpty() || query.exec(sql);
}

std::expected<void, RowError> ForgInserter::add(ForgRow row, qint64 lineNumber)
{
    m_pending.push_back({std::move(row), lineNumber});
    if (int(m_pending.size()) < m_batchRows)
        return {};
    return flush();
}

std::expected<void, RowError> ForgInserter::flush()
{
    if (m_pending.empty())
        return {};
    const bool full = int(m_pending.size()) == m_batchRows;
    if (!savepoint(u"set"_s))
        return std::unexpected(RowError{m_pending.front().lineNumber, m_db.lastError().text()});
    const bool stored = full && execBatch();
    if (!stored) {
        // A short last batch, or a failed one: row by row, back from the savepoint.
        if (full)
            savepoint(u"rollback"_s);
        return findFailingRow();
    }
    savepoint(u"release"_s);
    m_pending.clear();
    return {};
}

std::expected<void, RowError> ForgInserter::findFailingRow()
{
    if (!m_singlePrepared)
        m_singlePrepared = prepare(m_single, 1);
    for (const Pending& pending : m_pending) {
        bind(m_single, 0, pending.row);
        if (!m_singlePrepared || !m_single.exec())
            return std::unexpected(RowError{pending.lineNumber, m_single.lastError().text()});
    }
    savepoint(u"release"_s);
    m_pending.clear();
    return {};
}
