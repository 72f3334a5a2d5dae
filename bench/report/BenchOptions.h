#pragma once

#include "College.h"
#include "Floors.h"
#include "TestDatabase.h"

#include <QCommandLineParser>

#include <map>

// The command line of a benchmark program, whose first word names what it does:
//   COMMAND [--sqlite FILE | --postgresql DATABASE] [--seed N] [--samples N] [other options]
// The PostgreSQL server is the one PGHOST, PGPORT, PGUSER and PGPASSWORD name. Each accessor
// throws std::runtime_error when what it reads was not given.
class BenchOptions {
public:
    explicit BenchOptions(const QStringList& arguments);

    QString command() const { return m_parser.positionalArguments().value(0); }
    std::uint64_t seed() const { return m_parser.value(QStringLiteral("seed")).toULongLong(); }
    int samples() const { return m_parser.value(QStringLiteral("samples")).toInt(); }
    bool isSet(const QString& option) const { return m_parser.isSet(option); }
    QString value(const QString& option) const;

    Engine engine() const;
    QString target() const; // the file or the database's name
    const char* engineName() const;
    QString connectionString() const; // for Connections::useConnectionString
    FloorConnector floor() const;
    CollegeFacts facts() const { return collegeFacts(CollegeShape{}, seed()); }
    // The database, the seed and the samples, for a child process of the benchmark.
    QStringList arguments() const;

private:
    QCommandLineParser m_parser;
};

using BenchCommand = void (*)(const BenchOptions&);

// The main of a benchmark program: runs the command named, in a QApplication that like the
// program's is handed only the program's name. Prints why it failed and returns 1 if it throws.
int runBenchCommand(int argc, char* argv[], const std::map<QString, BenchCommand>& commands);
