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

// A connector of SqliteDatabase or PgConnection.
template <typename Database> FloorConnector floorConnector(const std::string& target) {
    return [target] {
        const auto db = std::make_shared<Database>(target);
        return
            [db](const Statement& statement) { return db->query(statement.text().toStdString()); };
    };
}

// The floor of OK pressed -> main window filled: the program's five statements in its order, on
// five new connections, each kept open for as long as the program's recordset slots keep it.
// Returns the rows of the teaching-load list.
std::size_t loginFloor(const FloorConnector& connect, const QString& facultyId,
                       const QString& password, const QString& address);

// The floor of a period choice: a new connection and the all-rows statement, whose rows it
// returns. The previous choice's connection, held, closes when the new result replaces it, as
// the program's slot does.
std::size_t periodSwitchFloor(const FloorConnector& connect, FloorConnection& held,
                              const QString& facultyId, const QString& period);
