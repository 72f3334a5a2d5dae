#pragma once

#include "College.h"
#include "Floors.h"

#include <QCommandLineParser>
#include <QMap>

#include <map>

// A benchmark program's command line: COMMAND [--sqlite FILE | --postgresql DATABASE] [--seed
// N] [--samples N] [other options], the server that PGHOST, PGPORT, PGUSER and PGPASSWORD name.
// What reads an option or the database throws std::runtime_error when it was not given.
class BenchOptions {
public:
    explicit BenchOptions(const QStringList& arguments);

    QString command() const { return m_parser.positionalArguments().value(0); }
    std::uint64_t seed() const { return m_parser.value(QStringLiteral("seed")).toULongLong(); }
    int samples() const { return m_parser.value(QStringLiteral("samples")).toInt(); }
    bool isSet(const QString& option) const { return m_parser.isSet(option); }
    QString value(const QString& option) const;
    // The options, for a child process of the benchmark.
    QStringList arguments() const { return m_arguments; }

    Engine engine() const;
    const char* engineName() const { return engine() == Engine::SQLite ? "SQLite" : "PostgreSQL"; }
    QString target() const;           // the file or the database's name
    QString connectionString() const; // for Connections::useConnectionString
    FloorConnector floor() const;
    CollegeFacts facts() const { return collegeFacts(CollegeShape{}, seed()); }

private:
    QCommandLineParser m_parser;
    QStringList m_arguments;
};

// The main of a benchmark program: runs the command named, in a QApplication that like the
// program's is handed only the program's name; prints why it failed and returns 1 if it throws.
int runBenchCommand(int argc, char* argv[],
                    const std::map<QString, void (*)(const BenchOptions&)>& commands);

// Runs a program to its end with input on its standard input; returns its standard output.
QString runProgram(const QString& program, const QStringList& arguments,
                   const QByteArray& input = {});
// Runs a program of the build's bin directory and returns the "name=number" lines it printed.
QMap<QString, double> runChild(const QString& name, const QStringList& arguments);

// A row of BENCHMARKS.md's table. The fastest sample, the least disturbed by other work on the
// machine, is the figure; the median shows how much the rest were.
struct Figure {
    std::string benchmark, engine;
    const char* unit = "ms";
    double ratioTarget = 0;        // the figure at most this many times its floor; 0 for none
    double valueTarget = 0;        // the figure under this; 0 for none
    std::vector<double> program{}; // samples through the program's own code
    std::vector<double> floor{}; // of the same work through the engine's or the office's interface
};

// The fastest of the samples; throws std::logic_error when there is none.
double fastest(const std::vector<double>& samples);
// Prints the row: figure, floor, their ratio, the targets and whether each is met.
void printFigure(const Figure& figure);
