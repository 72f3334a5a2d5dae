#include "CollegeLoaders.h"

#include "EngineClients.h"
#include "TestDatabase.h"

#include <libpq-fe.h>
#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

// The schema's tables, or its indexes: these are built after the bulk load, far faster than
// keeping them up to date row by row.
template <typename Database>
void runSchema(const Database& db, const char* schemaFile, bool indexes) {
    for (const QString& statement : sqlScript(dataPath(QLatin1String(schemaFile))))
        if (statement.contains(QLatin1String(" INDEX ")) == indexes)
            db.exec(statement.toStdString());
}

std::string columnList(Table table) {
    std::string list;
    for (const char* column : tableColumns(table))
        list.append(list.empty() ? "" : ",").append(column);
    return list;
}

// Prepared inserts inside one transaction, with journal and syncing off: the file is thrown
// away if the load fails.
class SqliteSink : public CollegeSink {
public:
    explicit SqliteSink(const SqliteDatabase& db) : m_db(db) {}
    ~SqliteSink() override { sqlite3_finalize(m_insert); }

    void beginTable(Table table) override {
        std::string marks;
        for (std::size_t i = 0; i < tableColumns(table).size(); ++i)
            marks += i ? ",?" : "?";
        const std::string sql = std::string("INSERT INTO ") + tableName(table) + " (" +
                                columnList(table) + ") VALUES (" + marks + ")";
        if (sqlite3_prepare_v2(m_db.handle(), sql.c_str(), -1, &m_insert, nullptr) != SQLITE_OK)
            m_db.fail(sql);
    }

    void row(RowValues values) override {
        for (std::size_t i = 0; i < values.size(); ++i) {
            const int column = int(i) + 1;
            if (values[i])
                sqlite3_bind_text(m_insert, column, values[i]->data(), int(values[i]->size()),
                                  SQLITE_STATIC);
            else
                sqlite3_bind_null(m_insert, column);
        }
        if (sqlite3_step(m_insert) != SQLITE_DONE)
            m_db.fail("insert");
        sqlite3_reset(m_insert);
    }

    void endTable() override {
        sqlite3_finalize(m_insert);
        m_insert = nullptr;
    }

private:
    const SqliteDatabase& m_db;
    sqlite3_stmt* m_insert = nullptr;
};

// COPY in text format, sent in blocks of about a megabyte.
class PostgresSink : public CollegeSink {
public:
    explicit PostgresSink(const PgConnection& db) : m_db(db) {}

    void beginTable(Table table) override {
        const std::string sql =
            std::string("COPY ") + tableName(table) + " (" + columnList(table) + ") FROM STDIN";
        const std::unique_ptr<PGresult, decltype(&PQclear)> result(
            PQexec(m_db.handle(), sql.c_str()), PQclear);
        if (PQresultStatus(result.get()) != PGRES_COPY_IN)
            m_db.fail(sql);
    }

    void row(RowValues values) override {
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (i)
                m_buffer += '\t';
            if (!values[i]) {
                m_buffer += "\\N";
                continue;
            }
            for (char c : *values[i]) {
                const char* escaped = c == '\\'   ? "\\\\"
                                      : c == '\t' ? "\\t"
                                      : c == '\n' ? "\\n"
                                      : c == '\r' ? "\\r"
                                                  : nullptr;
                if (escaped)
                    m_buffer += escaped;
                else
                    m_buffer += c;
            }
        }
        m_buffer += '\n';
        if (m_buffer.size() > (1 << 20))
            flush();
    }

    void endTable() override {
        flush();
        if (PQputCopyEnd(m_db.handle(), nullptr) != 1)
            m_db.fail("COPY");
        const std::unique_ptr<PGresult, decltype(&PQclear)> result(PQgetResult(m_db.handle()),
                                                                   PQclear);
        if (PQresultStatus(result.get()) != PGRES_COMMAND_OK)
            m_db.fail("COPY");
    }

private:
    void flush() {
        if (PQputCopyData(m_db.handle(), m_buffer.data(), int(m_buffer.size())) != 1)
            m_db.fail("COPY");
        m_buffer.clear();
    }

    const PgConnection& m_db;
    std::string m_buffer;
};

} // namespace

void loadSqliteCollege(const std::string& path, const CollegeShape& shape, std::uint64_t seed) {
    std::filesystem::remove(path);
    const SqliteDatabase db(path, true);
    db.exec("PRAGMA journal_mode=OFF");
    db.exec("PRAGMA synchronous=OFF");
    db.exec("PRAGMA cache_size=-262144");
    runSchema(db, "schema-sqlite.sql", false);
    db.exec("BEGIN");
    SqliteSink sink(db);
    generateCollege(shape, seed, sink);
    runSchema(db, "schema-sqlite.sql", true);
    db.exec("COMMIT");
}

void loadPostgresCollege(const std::string& database, const CollegeShape& shape,
                         std::uint64_t seed) {
    {
        const PgConnection maintenance("postgres");
        maintenance.exec("SET client_min_messages = warning"); // no notice of a first run
        maintenance.exec("DROP DATABASE IF EXISTS " + database + " WITH (FORCE)");
        maintenance.exec("CREATE DATABASE " + database);
    }
    const PgConnection db(database);
    db.exec("SET maintenance_work_mem='256MB'");
    runSchema(db, "schema-postgresql.sql", false);
    PostgresSink sink(db);
    generateCollege(shape, seed, sink);
    runSchema(db, "schema-postgresql.sql", true);
    db.exec("VACUUM ANALYZE");
    // The load's pages are written now, not by a checkpoint in the middle of the measurements.
    db.exec("CHECKPOINT");
}
