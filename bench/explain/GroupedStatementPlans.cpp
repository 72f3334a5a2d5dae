// How the two grouped teaching-load statements read TLOAD for the benchmarks' member in the
// active period, from each engine's own plan, and each statement's fastest time.
#include "Benchmarks.h"
#include "Probe.h"
#include "TeachingLoad.h"

#include <QRegularExpression>

namespace {

template <typename Database> void explain(const BenchOptions& options, const char* schema) {
    const Database db(options.target().toStdString());
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
        // The innermost scan or search.
        const QRegularExpression access(QStringLiteral("^[ >-]*(.*(Scan on|SEARCH|SCAN) .*)$"),
                                        QRegularExpression::MultilineOption);
        QString line;
        for (const QRegularExpressionMatch& match :
             access.globalMatch(QString::fromStdString(queryPlan(db, sql))))
            line = match.captured(1);
        std::printf("| %s | %s | %s | `%s` | %.2f ms |\n", name, options.engineName(), schema,
                    qPrintable(line), fastest(samples));
    }
}

} // namespace

void explainGroupedStatements(const BenchOptions& options) {
    if (options.engine() == Engine::SQLite)
        explain<SqliteDatabase>(options, "development (key columns BINARY)");
    else
        explain<PgConnection>(options, "development (citext)");
}
