// The query plans of the two grouped teaching-load statements, for the benchmarks' member and
// the active period, written to bench/plans/, and each statement's time.
//   zelkarin_bench_explain (--sqlite FILE | --postgresql DATABASE) [--seed N] --out DIR
#include "BenchDatabase.h"
#include "EngineClients.h"
#include "Report.h"
#include "TeachingLoad.h"

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <fstream>
#include <functional>
#include <stdexcept>

namespace {

struct GroupedStatement {
    const char* name; // of the plan's file
    std::string text;
};

std::vector<GroupedStatement> groupedStatements(const CollegeFacts& facts) {
    std::vector<GroupedStatement> statements;
    for (auto [name, form] : {std::pair{"enrolled-only", LoadForm::EnrolledOnly},
                              std::pair{"all-rows", LoadForm::AllRows}})
        statements.push_back(
            {name,
             teachingLoadStatement(form, facts.profid, facts.activePeriod).text().toStdString()});
    return statements;
}

double fastestMs(const std::function<void()>& run, int times = 7) {
    Samples samples;
    for (int i = 0; i < times; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        samples.add(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    return samples.figure();
}

// The line of the plan that says how TLOAD is read: the innermost scan or search.
std::string access(const std::string& plan) {
    std::string found = "?";
    std::size_t start = 0;
    for (std::size_t end; (end = plan.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string line = plan.substr(start, end - start);
        for (const char* word : {"Scan on", "SEARCH ", "SCAN "}) {
            const std::size_t at = line.find(word);
            if (at == std::string::npos)
                continue;
            const std::size_t text = line.find_first_not_of(" |`->", 0);
            found = line.substr(text);
        }
    }
    return found;
}

class PlanWriter {
public:
    PlanWriter(std::string directory, std::string heading)
        : m_directory(std::move(directory)), m_heading(std::move(heading)) {}

    void write(const std::string& file, const GroupedStatement& statement, const std::string& plan,
               double ms, const char* engine, const char* schema) const {
        std::ofstream out(m_directory + '/' + file);
        out << "-- " << m_heading << "\n-- " << statement.text << "\n\n" << plan;
        if (!out)
            throw std::runtime_error("cannot write " + m_directory + '/' + file);
        std::printf("| %s | %s | %s | `%s` | %.2f ms |\n", statement.name, engine, schema,
                    access(plan).c_str(), ms);
    }

private:
    std::string m_directory;
    std::string m_heading;
};

void explainSqlite(const BenchOptions& options, const std::string& out) {
    const CollegeFacts facts = options.facts();
    const std::string college = options.target.toStdString();
    const PlanWriter writer(out, std::string("SQLite ") + sqlite3_libversion() +
                                     ", generated college (seed " + std::to_string(options.seed) +
                                     "), development schema");
    const SqliteDatabase db(college);
    for (const GroupedStatement& statement : groupedStatements(facts))
        writer.write(std::string("sqlite-") + statement.name + ".txt", statement,
                     sqliteQueryPlan(db, statement.text),
                     fastestMs([&] { db.query(statement.text); }), "SQLite",
                     "development (key columns BINARY)");
}

void explainPostgres(const BenchOptions& options, const std::string& out) {
    const CollegeFacts facts = options.facts();
    const PgConnection db(options.target.toStdString());
    const std::string version = *db.query("SHOW server_version").front()[0];
    const PlanWriter writer(out, "PostgreSQL " + version + ", generated college (seed " +
                                     std::to_string(options.seed) +
                                     "), development schema, after VACUUM ANALYZE");
    for (const GroupedStatement& statement : groupedStatements(facts))
        writer.write(std::string("postgresql-") + statement.name + ".txt", statement,
                     postgresQueryPlan(db, statement.text),
                     fastestMs([&] { db.query(statement.text); }), "PostgreSQL",
                     "development (citext)");
}

} // namespace

int main(int argc, char* argv[]) {
    try {
        const BenchOptions options = BenchOptions::parse(argc, argv);
        const std::string directory = options.value("--out").toStdString();
        if (options.engine == BenchOptions::Engine::SQLite)
            explainSqlite(options, directory);
        else
            explainPostgres(options, directory);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zelkarin_bench_explain: %s\n", error.what());
        return 1;
    }
    return 0;
}
