#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A PostgreSQL server of the test's own on 127.0.0.1, made with initdb in a temporary folder,
// that the test may stop and start again while the program runs: the suite's shared server
// must stay up for the other tests. As root it runs as the user "postgres", since PostgreSQL
// refuses to run as root. Its only role, "zelkarin", is a superuser that the server trusts.
// With TLS on, it offers encrypted connections with a self-signed certificate made for it.
class PostgresServer {
public:
    enum class Tls { Off, On };

    // Throws std::runtime_error when the server cannot be made or started.
    explicit PostgresServer(Tls tls = Tls::Off);
    ~PostgresServer();

    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    int port() const { return m_port; }
    static QString user() { return QStringLiteral("zelkarin"); }

    void start();
    // An immediate shutdown: every connection is cut, as when the server's machine goes down.
    void stop();

private:
    // Runs a program as the user that owns the cluster.
    void run(const QString& path, const QStringList& arguments);

    QTemporaryDir m_folder;
    QString m_data;
    int m_port = 0;
    bool m_running = false;
};
