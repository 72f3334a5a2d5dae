#pragma once

#include "TestDatabase.h"

// The accounts of the password tests, one of them with a quote in its ID.
inline const TestDatabase& insertAccounts(const TestDatabase& db) {
    db.exec(QStringLiteral(
        "INSERT INTO Prof_login (profid, password, lastname, firstname, dept) VALUES "
        "('12-345-67', 'maria', 'Santos', 'Maria Luisa', 'CCS'), "
        "('23-456-78', 'juan', 'Cruz, Jr.', 'Juan', 'COE'), "
        "('34-567-89', 'ana', 'Reyes', 'Ana', NULL), "
        "('O''Neil-1', 'keep', 'O''Neil', 'Sean', 'CCS')"));
    return db;
}

// Every account with its password, to compare the whole table before and after.
inline QList<QStringList> accounts(const TestDatabase& db) {
    return db.rows(QStringLiteral("SELECT profid, password FROM Prof_login ORDER BY profid"));
}
