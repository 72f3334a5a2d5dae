#pragma once

#include "Recordset.h"

#include <QString>

#include <memory>

class Statement;

// One open database connection. It ends when the last reference to it, from `cn` or from a
// recordset taken from it, is dropped.
class DatabaseConnection : public std::enable_shared_from_this<DatabaseConnection> {
public:
    static std::shared_ptr<DatabaseConnection> open(const QString& connectionString);
    ~DatabaseConnection();

    DatabaseConnection(const DatabaseConnection&) = delete;
    DatabaseConnection& operator=(const DatabaseConnection&) = delete;

    // Runs one statement; a statement without rows gives an empty recordset.
    Recordset execute(const Statement& statement);

private:
    explicit DatabaseConnection(QString name) : m_name(std::move(name)) {}

    QString m_name;
};
