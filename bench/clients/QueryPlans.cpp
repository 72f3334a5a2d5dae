#include "QueryPlans.h"

#include "PgConnection.h"
#include "SqliteDatabase.h"

#include <functional>
#include <map>

std::string sqliteQueryPlan(const SqliteDatabase& db, const std::string& sql) {
    // Rows of id, parent, notused, detail.
    std::multimap<std::string, std::pair<std::string, std::string>> children;
    for (const auto& row : db.query("EXPLAIN QUERY PLAN " + sql))
        children.emplace(*row[1], std::pair{*row[0], *row[3]});
    std::string plan = "QUERY PLAN\n";
    std::function<void(const std::string&, const std::string&)> draw =
        [&](const std::string& parent, const std::string& indent) {
            const auto [first, end] = children.equal_range(parent);
            for (auto it = first; it != end; ++it) {
                const bool last = std::next(it) == end;
                plan += indent + (last ? "`--" : "|--") + it->second.second + '\n';
                draw(it->second.first, indent + (last ? "   " : "|  "));
            }
        };
    draw("0", "");
    return plan;
}

std::string postgresQueryPlan(const PgConnection& db, const std::string& sql) {
    std::string plan;
    for (const auto& row : db.query("EXPLAIN (ANALYZE, COSTS OFF, TIMING OFF, SUMMARY OFF) " + sql))
        plan += *row[0] + '\n';
    return plan;
}
