#include "BenchDatabase.h"

#include <stdexcept>

BenchOptions BenchOptions::parse(int argc, char* argv[], const QStringList& flags) {
    BenchOptions options;
    bool database = false;
    for (int i = 1; i < argc; ++i) {
        const QString option = QString::fromLocal8Bit(argv[i]);
        if (flags.contains(option)) {
            options.rest << option;
            continue;
        }
        if (i + 1 >= argc)
            throw std::runtime_error("usage: (--sqlite FILE | --postgresql DATABASE) [--seed N] "
                                     "[--samples N]; no value for " +
                                     option.toStdString());
        const QString value = QString::fromLocal8Bit(argv[++i]);
        if (option == QLatin1String("--sqlite") || option == QLatin1String("--postgresql")) {
            options.engine =
                option == QLatin1String("--sqlite") ? Engine::SQLite : Engine::PostgreSQL;
            options.target = value;
            database = true;
        } else if (option == QLatin1String("--seed")) {
            options.seed = value.toULongLong();
        } else if (option == QLatin1String("--samples")) {
            options.samples = value.toInt();
        } else {
            options.rest << option << value;
        }
    }
    if (!database || options.samples < 1)
        throw std::runtime_error("usage: (--sqlite FILE | --postgresql DATABASE) [--seed N] "
                                 "[--samples N]");
    return options;
}

QString BenchOptions::value(const char* option) const {
    const qsizetype at = rest.indexOf(QLatin1String(option));
    if (at < 0 || at + 1 >= rest.size())
        throw std::runtime_error(std::string("missing option ") + option);
    return rest.at(at + 1);
}

const char* BenchOptions::engineName() const {
    return engine == Engine::SQLite ? "SQLite" : "PostgreSQL";
}

QStringList BenchOptions::arguments() const {
    return {engine == Engine::SQLite ? QStringLiteral("--sqlite") : QStringLiteral("--postgresql"),
            target, QStringLiteral("--seed"), QString::number(seed)};
}

QString BenchOptions::connectionString() const {
    if (engine == Engine::SQLite)
        return QStringLiteral("Provider=SQLite;Data Source=") + target;
    if (qEnvironmentVariableIsEmpty("PGUSER"))
        throw std::runtime_error("PostgreSQL needs PGHOST, PGPORT, PGUSER and PGPASSWORD: run "
                                 "under pg_virtualenv, as scripts/run-benchmarks does");
    return QStringLiteral("Provider=PostgreSQL;Data Source=%1:%2;Initial Catalog=%3;User ID=%4;"
                          "Password=%5")
        .arg(qEnvironmentVariable("PGHOST", QStringLiteral("localhost")),
             qEnvironmentVariable("PGPORT", QStringLiteral("5432")), target,
             qEnvironmentVariable("PGUSER"), qEnvironmentVariable("PGPASSWORD"));
}

FloorConnector BenchOptions::floor() const {
    return engine == Engine::SQLite ? sqliteConnector(target.toStdString())
                                    : postgresConnector(target.toStdString());
}
