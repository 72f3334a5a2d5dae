#include "BenchOptions.h"

#include <stdexcept>

BenchOptions::BenchOptions(const QStringList& arguments) {
    m_parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("What to measure"));
    m_parser.addOptions({{QStringLiteral("sqlite"), QStringLiteral("A SQLite file"), "FILE"},
                         {QStringLiteral("postgresql"), QStringLiteral("A database"), "NAME"},
                         {QStringLiteral("seed"), QStringLiteral("The college's"), "N", "7"},
                         {QStringLiteral("samples"), QStringLiteral("Of each figure"), "N", "11"},
                         {QStringLiteral("profile"), QStringLiteral("The office's"), "DIR"},
                         {QStringLiteral("out"), QStringLiteral("For the plans"), "DIR"},
                         {QStringLiteral("class"), QStringLiteral("full or big"), "SIZE"},
                         {QStringLiteral("cold"), QStringLiteral("Start the office")}});
    if (!m_parser.parse(arguments) || m_parser.positionalArguments().size() != 1 || samples() < 1)
        throw std::runtime_error(
            "usage: COMMAND [--sqlite FILE | --postgresql DATABASE] [--seed N] [--samples N] " +
            m_parser.errorText().toStdString());
}

QString BenchOptions::value(const QString& option) const {
    if (!m_parser.isSet(option))
        throw std::runtime_error("missing option --" + option.toStdString());
    return m_parser.value(option);
}

Engine BenchOptions::engine() const {
    if (m_parser.isSet(QStringLiteral("sqlite")) == m_parser.isSet(QStringLiteral("postgresql")))
        throw std::runtime_error("give one of --sqlite FILE and --postgresql DATABASE");
    return m_parser.isSet(QStringLiteral("sqlite")) ? Engine::SQLite : Engine::PostgreSQL;
}

QString BenchOptions::target() const {
    return value(engine() == Engine::SQLite ? QStringLiteral("sqlite")
                                            : QStringLiteral("postgresql"));
}

const char* BenchOptions::engineName() const {
    return engine() == Engine::SQLite ? "SQLite" : "PostgreSQL";
}

QString BenchOptions::connectionString() const {
    if (engine() == Engine::SQLite)
        return QStringLiteral("Provider=SQLite;Data Source=") + target();
    if (qEnvironmentVariableIsEmpty("PGUSER"))
        throw std::runtime_error("PostgreSQL needs PGHOST, PGPORT, PGUSER and PGPASSWORD: run "
                                 "under pg_virtualenv, as scripts/run-benchmarks does");
    return QStringLiteral("Provider=PostgreSQL;Data Source=%1:%2;Initial Catalog=%3;User ID=%4;"
                          "Password=%5")
        .arg(qEnvironmentVariable("PGHOST", QStringLiteral("localhost")),
             qEnvironmentVariable("PGPORT", QStringLiteral("5432")), target(),
             qEnvironmentVariable("PGUSER"), qEnvironmentVariable("PGPASSWORD"));
}

FloorConnector BenchOptions::floor() const {
    return engine() == Engine::SQLite ? sqliteConnector(target().toStdString())
                                      : postgresConnector(target().toStdString());
}

QStringList BenchOptions::arguments() const {
    return {engine() == Engine::SQLite ? QStringLiteral("--sqlite")
                                       : QStringLiteral("--postgresql"),
            target(),
            QStringLiteral("--seed"),
            QString::number(seed()),
            QStringLiteral("--samples"),
            QString::number(samples())};
}
