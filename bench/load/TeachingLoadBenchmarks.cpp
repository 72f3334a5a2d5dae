// The teaching-load list's statements: a period picked from the main window's list (all-rows
// form) for a member with a full load, beside the same statement on a new connection through
// the engine's own client library, both alternating between two earlier periods; and how the
// two grouped statements read TLOAD, from each engine's own plan, with their fastest times.
#include "Benchmarks.h"
#include "Connections.h"
#include "LoginWindowDriver.h"
#include "MainWindowDriver.h"
#include "MessageRecorder.h"
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

void measurePeriodSwitch(const BenchOptions& options) {
    MessageRecorder messages;
    Connections::useConnectionString(options.connectionString());
    const CollegeFacts facts = options.facts();
    LoginWindowDriver login;
    login.logIn(QString(facts.profid).remove(u'-'), facts.password);
    QWidget* main = mainWindow();
    if (!main)
        throw std::runtime_error("the login failed");
    QComboBox* periods = MainWindowDriver::periods(main);
    QTreeWidget* list = MainWindowDriver::list(main);
    QCoreApplication::processEvents();

    Figure filled{"Period switch (all rows) -> list filled", options.engineName(), "ms", 1.3};
    Figure painted{"Period switch (all rows) -> list painted", options.engineName()};
    const FloorConnector connect = options.floor();
    FloorConnection held;
    const int warmUp = 2;
    for (int i = 0; i < warmUp + options.samples(); ++i) {
        const QString& period = facts.switchPeriods[std::size_t(i % 2)];
        double start = nowMs();
        const std::size_t floorRows = periodSwitchFloor(connect, held, facts.profid, period);
        const double floorMs = nowMs() - start;
        MainWindowDriver::openListAt(periods, period);
        start = nowMs();
        QTest::keyClick(periods->view(), Qt::Key_Return);
        const double filledMs = nowMs() - start;
        QCoreApplication::processEvents();
        const double paintedMs = nowMs() - start;
        if (std::size_t(list->topLevelItemCount()) != floorRows)
            throw std::runtime_error("the program and the floor list different sections");
        if (i >= warmUp) {
            filled.floor.push_back(floorMs);
            painted.floor.push_back(floorMs);
            filled.program.push_back(filledMs);
            painted.program.push_back(paintedMs);
        }
    }
    if (!messages.messages().isEmpty())
        throw std::runtime_error("the program said: " + messages.prompts().first().toStdString());
    Connections::releaseAll();
    printFigure(filled);
    printFigure(painted);
}
