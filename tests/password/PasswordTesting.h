#pragma once

#include "Connections.h"
#include "TestDatabase.h"

#include <map>
#include <memory>

// One database per engine for a whole test program, its accounts reset for each test.
class AccountDatabases {
public:
    // Restores the accounts, one of them with a quote in its ID, and points the program at it.
    TestDatabase& use(Engine engine) {
        std::unique_ptr<TestDatabase>& db = m_databases[engine];
        if (!db)
            db = std::make_unique<TestDatabase>(engine, TestDatabase::Content::SchemaOnly);
        db->exec(QStringLiteral("DELETE FROM Prof_login"));
        db->exec(QStringLiteral(
            "INSERT INTO Prof_login (profid, password, lastname, firstname, dept) VALUES "
            "('12-345-67', 'maria', 'Santos', 'Maria Luisa', 'CCS'), "
            "('23-456-78', 'juan', 'Cruz, Jr.', 'Juan', 'COE'), "
            "('34-567-89', 'ana', 'Reyes', 'Ana', NULL), "
            "('O''Neil-1', 'keep', 'O''Neil', 'Sean', 'CCS')"));
        Connections::useConnectionString(db->connectionString());
        return *db;
    }

private:
    std::map<Engine, std::unique_ptr<TestDatabase>> m_databases;
};

// Every account with its password, to compare the whole table before and after.
inline QList<QStringList> accounts(const TestDatabase& db) {
    return db.rows(QStringLiteral("SELECT profid, password FROM Prof_login ORDER BY profid"));
}
