// The query plans of the two grouped teaching-load statements for the benchmarks' member and
// the active period, each written to a file of its own, and each statement's fastest time.
#include "Benchmarks.h"
#include "Report.h"
#include "TeachingLoad.h"

#include <sqlite3.h>

#include <chrono>
#include <fstream>

namespace {

// The line of the plan that says how TLOAD is read: the innermost scan or search.
std::string access(const std::string& plan) {
    std::string found = "?";
    std::size_t start = 0;
    for (std::size_t end; (end = plan.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string line = plan.substr(start, end - start);
        for (const char* word : {"Scan on", "SEARCH ", "SCAN "})
            if (line.find(word) != std::string::npos)
                found = line.substr(line.find_first_not_of(" ->"));
    }
    return found;
}

template <typename Database>
void explain(const BenchOptions& options, const Database& db, const std::string& heading,
             const char* schema) {
    const CollegeFacts facts = options.facts();
    for (auto [name, form] : {std::pair{"enrolled-only", LoadForm::EnrolledOnly},
                              std::pair{"all-rows", LoadForm::AllRows}}) {
        const std::string sql =
            teachingLoadStatement(form, facts.profid, facts.activePeriod).text().toStdString();
        Samples samples;
        for (int i = 0; i < 7; ++i) {
            const auto start = std::chrono::steady_clock::now();
            db.query(sql);
            samples.add(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count());
        }
        const std::string plan = db.plan(sql);
        const QString file =
            QStringLiteral("%1/%2-%3.txt")
                .arg(options.value(QStringLiteral("out")),
                     QString::fromLatin1(options.engineName()).toLower(), QLatin1String(name));
        std::ofstream out(file.toStdString());
        if (!(out << "-- " << heading << ", generated college (seed " << options.seed()
                  << "), development schema\n\n"
                  << plan))
            throw std::runtime_error("cannot write " + file.toStdString());
        std::printf("| %s | %s | %s | `%s` | %.2f ms |\n", name, options.engineName(), schema,
                    access(plan).c_str(), samples.figure());
    }
}

} // namespace

void explainGroupedStatements(const BenchOptions& options) {
    const std::string target = options.target().toStdString();
    if (options.engine() == Engine::SQLite) {
        explain(options, SqliteDatabase(target), std::string("SQLite ") + sqlite3_libversion(),
                "development (key columns BINARY)");
    } else {
        const PgConnection db(target);
        explain(options, db, "PostgreSQL " + *db.query("SHOW server_version").front()[0],
                "development (citext)");
    }
}
