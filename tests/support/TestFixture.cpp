#include "TestFixture.h"

#include <QSqlDatabase>

void TestFixture::cleanup() {
    // The program's connections go first: a PostgreSQL database is dropped only without them.
    resetSharedState();
    m_db.reset();
}

TestDatabase& TestFixture::useDatabase(Engine engine, TestDatabase::Content content) {
    m_db = std::make_unique<TestDatabase>(engine, content);
    Connections::useConnectionString(m_db->connectionString());
    return *m_db;
}

Engine TestFixture::currentEngine() {
    QFETCH_GLOBAL(Engine, engine);
    return engine;
}

void TestFixture::resetSharedState() {
    Connections::releaseAll();
    Connections::useConnectionString(m_builtInConnectionString);
    for (QString* item : {&Connections::UserID, &Connections::UserName, &Connections::UserDept,
                          &Connections::UserPassword})
        item->clear();
    messages.reset();
}

QStringList TestFixture::openConnections() {
    return QSqlDatabase::connectionNames().filter("zelkarin-");
}

#include "moc_TestFixture.cpp"
