#pragma once

#include "Recordset.h"

#include <QString>

#include <memory>

class Statement;

// One open database connection. It ends when the last reference to it, from `cn` or from a
// recordset taken from it, is dropped.
class Connection : public std::enable_shared_from_this<Connection> {
public:
    static std::shared_ptr<Connection> open(const QString& connectionString);
    ~Connection();

    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Runs one statement; a statement without rows gives an empty recordset.
    Recordset execute(const Statement& statement);

    // How many connections of the program are open, for tests and diagnostics.
    static int openCount();

private:
    explicit Connection(QString name) : m_name(std::move(name)) {}

    QString m_name;
};
