#include "BenchProgram.h"

#include <QDir>
#include <QTemporaryDir>

void loadCollege(Engine engine, const QString& target, const CollegeShape& shape,
                 std::uint64_t seed) {
    const QTemporaryDir files;
    generateCollege(shape, seed, files.path().toStdString());
    const bool sqlite = engine == Engine::SQLite;
    QStringList script = {sqlite ? QStringLiteral(".mode tabs")
                                 : QStringLiteral("SET maintenance_work_mem = '256MB';")};
    QStringList indexes;
    for (const QString& statement :
         sqlScript(dataPath(sqlite ? QStringLiteral("schema-sqlite.sql")
                                   : QStringLiteral("schema-postgresql.sql"))))
        (statement.contains(QLatin1String(" INDEX ")) ? indexes : script) << statement;
    for (const QFileInfo& table : QDir(files.path()).entryInfoList({QStringLiteral("*.tsv")}))
        script << (sqlite ? QStringLiteral(".import '%1' %2")
                          : QStringLiteral("\\copy %2 FROM '%1'"))
                      .arg(table.filePath(), table.baseName());
    script << indexes;
    if (sqlite) {
        QFile::remove(target);
        // .import keeps \N as text; middleInitial is the one column the generator leaves NULL.
        script << QStringLiteral(
            "UPDATE TLOAD SET middleInitial = NULL WHERE middleInitial = '\\N';");
        runProgram(QStringLiteral("sqlite3"), {QStringLiteral("-bail"), target},
                   script.join(u'\n').toUtf8());
        return;
    }
    runProgram(QStringLiteral("dropdb"),
               {QStringLiteral("--if-exists"), QStringLiteral("--force"), target});
    runProgram(QStringLiteral("createdb"), {target});
    // The load's pages are written now, not by a checkpoint in the middle of the measurements.
    script << QStringLiteral("VACUUM ANALYZE;") << QStringLiteral("CHECKPOINT;");
    runProgram(QStringLiteral("psql"),
               {QStringLiteral("-Xq"), QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1"),
                QStringLiteral("-d"), target},
               script.join(u'\n').toUtf8());
}
