// The query plans of the two grouped teaching-load statements for the benchmarks' member and
// the active period, each written to a file of its own, and each statement's fastest time.
#include "Benchmarks.h"
#include "Probe.h"
#include "TeachingLoad.h"

#include <QFile>
#include <QRegularExpression>

#include <sqlite3.h>

namespace {

template <typename Database>
void explain(const BenchOptions& options, const Database& db, const QString& engine,
             const char* schema) {
    const CollegeFacts facts = options.facts();
    for (auto [name, form] : {std::pair{"enrolled-only", LoadForm::EnrolledOnly},
                              std::pair{"all-rows", LoadForm::AllRows}}) {
        const std::string sql =
            teachingLoadStatement(form, facts.profid, facts.activePeriod).text().toStdString();
        std::vector<double> samples;
        for (int i = 0; i < 7; ++i) {
            const double start = nowMs();
            db.query(sql);
            samples.push_back(nowMs() - start);
        }
        const QString plan = QString::fromStdString(db.plan(sql));
        QFile file(QStringLiteral("%1/%2-%3.txt")
                       .arg(options.value(QStringLiteral("out")), options.engineName(), name)
                       .toLower());
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(
                QStringLiteral("-- %1, generated college (seed %2), development schema\n\n%3")
                    .arg(engine)
                    .arg(options.seed())
                    .arg(plan)
                    .toUtf8()) < 0)
            throw std::runtime_error("cannot write " + file.fileName().toStdString());
        // How TLOAD is read: the innermost scan or search.
        const QRegularExpression access(QStringLiteral("^[ >-]*(.*(Scan on|SEARCH|SCAN) .*)$"),
                                        QRegularExpression::MultilineOption);
        QString line;
        for (const QRegularExpressionMatch& match : access.globalMatch(plan))
            line = match.captured(1);
        std::printf("| %s | %s | %s | `%s` | %.2f ms |\n", name, options.engineName(), schema,
                    qPrintable(line), fastest(samples));
    }
}

} // namespace

void explainGroupedStatements(const BenchOptions& options) {
    const std::string target = options.target().toStdString();
    if (options.engine() == Engine::SQLite) {
        explain(options, SqliteDatabase(target), QStringLiteral("SQLite ") + sqlite3_libversion(),
                "development (key columns BINARY)");
    } else {
        const PgConnection db(target);
        explain(options, db,
                QStringLiteral("PostgreSQL ") +
                    QString::fromStdString(*db.query("SHOW server_version").front()[0]),
                "development (citext)");
    }
}
