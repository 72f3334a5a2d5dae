#pragma once

#include "Connections.h"
#include "MessageRecorder.h"
#include "TestDatabase.h"

#include <QObject>
#include <QStringList>

#include <memory>

// The state every test shares through the process: the connection and its recordset slots, the
// connection string, the member's login items, the message boxes and the test's database. Test
// classes derive from it and so start and end each test function on that state reset. A class
// with an init() of its own calls the fixture's first; its own cleanup() calls the fixture's
// after its checks of the windows.
class TestFixture : public QObject {
    Q_OBJECT

protected slots:
    void init() { resetSharedState(); }
    void cleanup();

protected:
    // Every message box of the current test; none is shown.
    MessageRecorder messages;

    // A fresh database on `engine` that the program is pointed at, dropped when the test
    // function ends.
    TestDatabase& useDatabase(Engine engine,
                              TestDatabase::Content content = TestDatabase::Content::DemoData);
    // The same on the engine of the current global data row (see addEngineRows()).
    TestDatabase& useDatabase(TestDatabase::Content content = TestDatabase::Content::DemoData) {
        return useDatabase(currentEngine(), content);
    }
    // The database that useDatabase() made for the current test function.
    TestDatabase& db() const { return *m_db; }

    // The engine of the current global data row.
    static Engine currentEngine();

    // The names of the program's connections that are still open.
    static QStringList openConnections();

private:
    void resetSharedState();

    const QString m_builtInConnectionString = Connections::connectionString();
    std::unique_ptr<TestDatabase> m_db;
};

// Skips a test function that no engine touches on every global engine row but sqlite's.
#define ZELKARIN_ONCE_ON_SQLITE()                                                                  \
    do {                                                                                           \
        if (currentEngine() != Engine::SQLite)                                                     \
            QSKIP("no engine is involved: runs on sqlite only");                                   \
    } while (false)
