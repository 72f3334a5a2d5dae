#pragma once

#include "College.h"
#include "Floors.h"

#include <QString>
#include <QStringList>

// The generated college database that one benchmark run works on, and the options every
// benchmark takes:
//   (--sqlite FILE | --postgresql DATABASE) [--seed N] [--samples N] [other options]
// The PostgreSQL server is the one PGHOST, PGPORT, PGUSER and PGPASSWORD name.
struct BenchOptions {
    enum class Engine { SQLite, PostgreSQL };

    Engine engine = Engine::SQLite;
    QString target; // the file or the database's name
    std::uint64_t seed = 7;
    int samples = 11;
    QStringList rest; // what the benchmark reads itself

    // Throws std::runtime_error with the usage on anything it does not understand.
    static BenchOptions parse(int argc, char* argv[], const QStringList& flags = {});

    // The value of an option the benchmark reads itself; throws when it was not given.
    QString value(const char* option) const;

    const char* engineName() const;
    // The options again, for a child process of the benchmark.
    QStringList arguments() const;
    // What Connections::useConnectionString takes to reach the database.
    QString connectionString() const;
    FloorConnector floor() const;
    CollegeFacts facts() const { return collegeFacts(CollegeShape{}, seed); }
};
