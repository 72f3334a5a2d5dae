#include "BenchProgram.h"

#include "Probe.h"

#include <QCoreApplication>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

BenchOptions::BenchOptions(const QStringList& arguments) {
    for (const char* option : {"sqlite", "postgresql", "profile"})
        m_parser.addOption({QLatin1String(option), {}, QStringLiteral("VALUE")});
    for (const char* flag : {"big", "cold"})
        m_parser.addOption({QLatin1String(flag), {}});
    m_parser.addOptions(
        {{QStringLiteral("seed"), {}, QStringLiteral("N"), QStringLiteral("7")},
         {QStringLiteral("samples"), {}, QStringLiteral("N"), QStringLiteral("11")}});
    if (!m_parser.parse(arguments) || m_parser.positionalArguments().size() != 1 || samples() < 1)
        throw std::runtime_error("bad command line " + m_parser.errorText().toStdString());
    m_arguments = arguments.mid(1);
    m_arguments.removeOne(command());
}

QString BenchOptions::value(const QString& option) const {
    if (!m_parser.isSet(option))
        throw std::runtime_error("missing option --" + option.toStdString());
    return m_parser.value(option);
}

Engine BenchOptions::engine() const {
    if (isSet(QStringLiteral("sqlite")) == isSet(QStringLiteral("postgresql")))
        throw std::runtime_error("give one of --sqlite FILE and --postgresql DATABASE");
    return isSet(QStringLiteral("sqlite")) ? Engine::SQLite : Engine::PostgreSQL;
}

QString BenchOptions::target() const {
    return value(QLatin1String(engine() == Engine::SQLite ? "sqlite" : "postgresql"));
}

QString BenchOptions::connectionString() const {
    if (engine() == Engine::SQLite)
        return QStringLiteral("Provider=SQLite;Data Source=") + target();
    if (qEnvironmentVariableIsEmpty("PGUSER"))
        throw std::runtime_error("run under pg_virtualenv, as scripts/run-benchmarks does");
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

int runBenchCommand(int argc, char* argv[],
                    const std::map<QString, void (*)(const BenchOptions&)>& commands) {
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
        std::fprintf(stderr, "%s: %s\n", argv[0], error.what());
        return 1;
    }
}

QString runProgram(const QString& program, const QStringList& arguments, const QByteArray& input) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(program, arguments);
    child.write(input);
    child.closeWriteChannel();
    if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit ||
        child.exitCode() != 0)
        throw std::runtime_error(QStringLiteral("%1 %2 failed (exit %3)")
                                     .arg(program, arguments.join(u' '))
                                     .arg(child.exitCode())
                                     .toStdString());
    return QString::fromUtf8(child.readAllStandardOutput());
}

QMap<QString, double> runChild(const QString& name, const QStringList& arguments) {
    QMap<QString, double> figures;
    const QStringList lines =
        runProgram(QCoreApplication::applicationDirPath() + u'/' + name, arguments).split(u'\n');
    for (const QString& line : lines) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals > 0)
            figures.insert(line.left(equals), line.mid(equals + 1).toDouble());
    }
    return figures;
}

namespace {

std::pair<double, double> fastestAndMedian(std::vector<double> values) {
    if (values.empty())
        throw std::logic_error("no samples");
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return {values.front(),
            values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2};
}

// "12.3 ms (median 14.0)"
QString describe(const std::vector<double>& samples, const char* unit) {
    const auto [fastest, median] = fastestAndMedian(samples);
    const int decimals = fastest < 10 ? 2 : 1;
    return QStringLiteral("%1 %2 (median %3)")
        .arg(fastest, 0, 'f', decimals)
        .arg(QLatin1String(unit))
        .arg(median, 0, 'f', decimals);
}

// "yes", or a "no" that stands out in the table.
QString verdict(bool met) {
    return met ? QStringLiteral("yes") : QStringLiteral("**no**");
}

} // namespace

double fastest(const std::vector<double>& samples) {
    return fastestAndMedian(samples).first;
}

void printFigure(const Figure& figure) {
    const double value = fastest(figure.program);
    const double ratio = value / fastest(figure.floor);
    QStringList targets, met;
    if (figure.ratioTarget > 0) {
        targets << QStringLiteral("<= %1x floor").arg(figure.ratioTarget);
        met << verdict(ratio <= figure.ratioTarget);
    }
    if (figure.valueTarget > 0) {
        targets
            << QStringLiteral("< %1 %2").arg(figure.valueTarget).arg(QLatin1String(figure.unit));
        met << verdict(value < figure.valueTarget);
    }
    const auto cell = [](const QStringList& parts) {
        return parts.isEmpty() ? QStringLiteral("-") : parts.join(QStringLiteral("; "));
    };
    std::printf("| %s | %s | %s | %s | %.2fx | %s | %s |\n", figure.benchmark.c_str(),
                figure.engine.c_str(), qPrintable(describe(figure.program, figure.unit)),
                qPrintable(describe(figure.floor, figure.unit)), ratio, qPrintable(cell(targets)),
                qPrintable(cell(met)));
    std::fflush(stdout);
}
