#pragma once

#include "College.h"
#include "Floors.h"
#include "TestDatabase.h"

#include <QCommandLineParser>

// The command line of every benchmark program:
//   COMMAND [--sqlite FILE | --postgresql DATABASE] [--seed N] [--samples N] [other options]
// The PostgreSQL server is the one PGHOST, PGPORT, PGUSER and PGPASSWORD name.
class BenchOptions {
public:
    // Throws std::runtime_error on anything it does not understand.
    explicit BenchOptions(const QStringList& arguments);

    QString command() const { return m_parser.positionalArguments().value(0); }
    std::uint64_t seed() const { return m_parser.value(QStringLiteral("seed")).toULongLong(); }
    int samples() const { return m_parser.value(QStringLiteral("samples")).toInt(); }
    bool isSet(const QString& option) const { return m_parser.isSet(option); }
    // The value of an option; throws when it was not given.
    QString value(const QString& option) const;

    // The database; each throws when none was given.
    Engine engine() const;
    QString target() const;
    const char* engineName() const;
    // What Connections::useConnectionString takes to reach the database.
    QString connectionString() const;
    FloorConnector floor() const;

    // The database, the seed and the samples again, for a child process of the benchmark.
    QStringList arguments() const;
    CollegeFacts facts() const { return collegeFacts(CollegeShape{}, seed()); }

private:
    QCommandLineParser m_parser;
};
