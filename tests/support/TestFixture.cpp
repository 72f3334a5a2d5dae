#include "TestFixture.h"

#include <QSqlDatabase>

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
