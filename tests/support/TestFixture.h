#pragma once

#include "Connections.h"
#include "MessageRecorder.h"

#include <QObject>
#include <QStringList>

// The state every test shares through the process: the connection and its recordset slots, the
// connection string, the member's login items and the message boxes. Test classes derive from
// it and so start and end each test function on that state reset. A class with an init() of its
// own calls the fixture's first; its own cleanup() calls the fixture's after its checks of the
// windows and before it drops its databases.
class TestFixture : public QObject {
    Q_OBJECT

protected slots:
    void init() { resetSharedState(); }
    void cleanup() { resetSharedState(); }

protected:
    // Every message box of the current test; none is shown.
    MessageRecorder messages;

    // The names of the program's connections that are still open.
    static QStringList openConnections();

private:
    void resetSharedState();

    const QString m_builtInConnectionString = Connections::connectionString();
};
