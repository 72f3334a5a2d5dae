#include "BenchOptions.h"

#include "Probe.h"

#include <QFileInfo>

#include <cstdio>
#include <stdexcept>

BenchOptions::BenchOptions(const QStringList& arguments) {
    for (const char* option : {"sqlite", "postgresql", "profile", "out", "class"})
        m_parser.addOption({QLatin1String(option), {}, QStringLiteral("VALUE")});
    m_parser.addOptions({{QStringLiteral("seed"), {}, QStringLiteral("N"), QStringLiteral("7")},
                         {QStringLiteral("samples"), {}, QStringLiteral("N"), QStringLiteral("11")},
                         {QStringLiteral("cold"), {}}});
    if (!m_parser.parse(arguments) || m_parser.positionalArguments().size() != 1 || samples() < 1)
        throw std::runtime_error("usage: COMMAND [--sqlite FILE | --postgresql DATABASE] [--seed "
                                 "N] [--samples N] " +
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
    return m_parser.value(engine() == Engine::SQLite ? QStringLiteral("sqlite")
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
    return engine() == Engine::SQLite ? floorConnector<SqliteDatabase>(target().toStdString())
                                      : floorConnector<PgConnection>(target().toStdString());
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

int runBenchCommand(int argc, char* argv[], const std::map<QString, BenchCommand>& commands) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    try {
        const BenchOptions options(arguments);
        const auto command = commands.find(options.command());
        if (command == commands.end())
            throw std::runtime_error("no command " + options.command().toStdString());
        NameOnlyApplication application(argv[0]);
        command->second(options);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(QFileInfo(arguments[0]).fileName()),
                     error.what());
        return 1;
    }
}
