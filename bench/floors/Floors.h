#pragma once

#include "EngineClients.h"
#include "Statement.h"

#include <functional>
#include <memory>
#include <string>

// Runs the program's statement texts on one connection of an engine's own client library, which
// closes with the last copy.
using FloorConnection = std::function<Rows(const Statement&)>;
// Opens a new connection, as the program's OpenConnection does before every statement.
using FloorConnector = std::function<FloorConnection()>;

template <typename Database> FloorConnector floorConnector(const std::string& target) {
    return [target] {
        const auto db = std::make_shared<Database>(target);
        return
            [db](const Statement& statement) { return db->query(statement.text().toStdString()); };
    };
}

// The login's floor: the program's five statements in its order on five new connections, each
// kept as long as the program keeps its recordset's; returns the teaching-load list's rows.
std::size_t loginFloor(const FloorConnector& connect, const QString& facultyId,
                       const QString& password, const QString& address);

// A period choice's floor: the all-rows statement on a new connection, which replaces held (the
// last choice's) as the program's slot does; returns the rows.
std::size_t periodSwitchFloor(const FloorConnector& connect, FloorConnection& held,
                              const QString& facultyId, const QString& period);
