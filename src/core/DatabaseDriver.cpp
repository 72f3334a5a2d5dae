#include "DatabaseDriver.h"

#include "ConnectionString.h"
#include "Error.h"
#include "ProviderError.h"

#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

using zelkarin::Error;

namespace {

// ODBC attribute values in braces survive ';' and '='; a '}' inside is doubled.
QString odbcValue(const QString& value) {
    QString braced = value;
    braced.replace(u'}', QLatin1String("}}"));
    return u'{' + braced + u'}';
}

QString odbcText(const QList<std::pair<QString, QString>>& pairs) {
    QStringList parts;
    for (const auto& [key, value] : pairs)
        parts << key + u'=' + value;
    return parts.join(u';');
}

// ODBC's own login timeout: FreeTDS would otherwise wait for a login as long as for a statement.
void setOdbcLoginTimeout(QSqlDatabase& db) {
    db.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1").arg(LoginTimeoutSeconds));
}

void configureSqlServer(QSqlDatabase& db, const ConnectionString& cs) {
    db.setDatabaseName(freeTdsConnectionText(cs));
    setOdbcLoginTimeout(db);
}

// Provider=MSDASQL hands every other pair to the ODBC driver manager as it stands.
void configureOdbc(QSqlDatabase& db, const ConnectionString& cs) {
    db.setDatabaseName(odbcText(cs.pairsExcept({QStringLiteral("Provider")})));
    setOdbcLoginTimeout(db);
}

// The provider's Encrypt=yes|no as FreeTDS's encryption keyword; without it FreeTDS requests
// encryption and goes on unencrypted when the server offers none.
QString freeTdsEncryption(const ConnectionString& cs) {
    const QString encrypt = cs.value(QStringLiteral("Encrypt"));
    if (encrypt.isEmpty())
        return {};
    if (encrypt.compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("require");
    if (encrypt.compare(QLatin1String("no"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("off");
    throw Error(Error::ProviderError,
                QStringLiteral("Invalid value \"%1\" for Encrypt in the connection string: "
                               "use yes or no.")
                    .arg(encrypt));
}

// libpq's sslmode, checked here: QPSQL would hand a value with spaces on as further options.
QString postgresSslMode(const ConnectionString& cs) {
    static const QStringList modes{"disable", "allow",     "prefer",
                                   "require", "verify-ca", "verify-full"};
    const QString mode = cs.value(QStringLiteral("sslmode")).toLower();
    if (!mode.isEmpty() && !modes.contains(mode))
        throw Error(Error::ProviderError,
                    QStringLiteral("Invalid value \"%1\" for sslmode in the connection string: "
                                   "use %2.")
                        .arg(cs.value(QStringLiteral("sslmode")), modes.join(QLatin1String(", "))));
    return mode;
}

void configurePostgres(QSqlDatabase& db, const ConnectionString& cs) {
    const QString source = cs.value(QStringLiteral("Data Source"));
    const qsizetype colon = source.lastIndexOf(u':');
    if (colon > 0 && !source.contains(u']')) {
        db.setHostName(source.left(colon));
        db.setPort(source.mid(colon + 1).toInt());
    } else {
        db.setHostName(source);
    }
    db.setDatabaseName(cs.value(QStringLiteral("Initial Catalog")));
    db.setUserName(cs.value(QStringLiteral("User ID")));
    db.setPassword(cs.value(QStringLiteral("Password")));
    // libpq gives up on a login after the same time as the SQL Server provider.
    QString options = QStringLiteral("connect_timeout=%1").arg(LoginTimeoutSeconds);
    const QString sslMode = postgresSslMode(cs);
    if (!sslMode.isEmpty())
        options += QStringLiteral(";sslmode=") + sslMode;
    db.setConnectOptions(options);
}

void configureSqlite(QSqlDatabase& db, const ConnectionString& cs) {
    const QString path = cs.value(QStringLiteral("Data Source"));
    // QSQLITE would create an empty file; a missing database is an error like any other.
    if (!QFileInfo(path).isFile())
        throw Error(Error::ProviderError,
                    QStringLiteral("The database file \"%1\" does not exist.").arg(path));
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
}

// The connection string's password, under its ADO key and its ODBC key: a secret like the
// member's, which a driver's message must not show.
QStringList passwords(const ConnectionString& cs) {
    return {cs.value(QStringLiteral("Password")), cs.value(QStringLiteral("PWD"))};
}

struct Provider {
    QString prefix;
    QString driver;
    void (*configure)(QSqlDatabase&, const ConnectionString&);
};

const Provider* providerFor(const QString& name) {
    static const Provider providers[] = {
        {QStringLiteral("SQLOLEDB"), QStringLiteral("QODBC"), configureSqlServer},
        {QStringLiteral("MSDASQL"), QStringLiteral("QODBC"), configureOdbc},
        {QStringLiteral("PostgreSQL"), QStringLiteral("QPSQL"), configurePostgres},
        {QStringLiteral("SQLite"), QStringLiteral("QSQLITE"), configureSqlite},
    };
    for (const Provider& provider : providers)
        if (name.startsWith(provider.prefix, Qt::CaseInsensitive))
            return &provider;
    return nullptr;
}

// Doubling a quote keeps a value inside its literal only while a backslash is a plain
// character there; a server, database or role may have turned that off. QODBC knows the
// server behind psqlODBC too.
void requireStandardStrings(QSqlDatabase& db) {
    if (db.driver()->dbmsType() != QSqlDriver::PostgreSQL)
        return;
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SET standard_conforming_strings = on")))
        throw providerError(query.lastError(), {});
}

} // namespace

QString freeTdsConnectionText(const ConnectionString& cs) {
    QString server = cs.value(QStringLiteral("Data Source"));
    if (server.startsWith(QLatin1String("tcp:"), Qt::CaseInsensitive))
        server = server.mid(4);
    QString port = QStringLiteral("1433");
    const qsizetype comma = server.indexOf(u',');
    if (comma >= 0) {
        port = server.mid(comma + 1).trimmed();
        server = server.left(comma).trimmed();
    }
    QList<std::pair<QString, QString>> pairs{
        {QStringLiteral("DRIVER"), QStringLiteral("{FreeTDS}")},
        {QStringLiteral("SERVER"), odbcValue(server)},
    };
    // A named instance finds its port through the server's browser service.
    if (!server.contains(u'\\'))
        pairs.append({QStringLiteral("PORT"), odbcValue(port)});
    const QString encryption = freeTdsEncryption(cs);
    if (!encryption.isEmpty())
        pairs.append({QStringLiteral("Encryption"), encryption});
    pairs.append(
        {QStringLiteral("DATABASE"), odbcValue(cs.value(QStringLiteral("Initial Catalog")))});
    pairs.append({QStringLiteral("UID"), odbcValue(cs.value(QStringLiteral("User ID")))});
    pairs.append({QStringLiteral("PWD"), odbcValue(cs.value(QStringLiteral("Password")))});
    pairs.append({QStringLiteral("TDS_Version"), QStringLiteral("7.4")});
    pairs.append({QStringLiteral("ClientCharset"), QStringLiteral("UTF-8")});
    // FreeTDS's query timeout, for every statement of the connection.
    pairs.append({QStringLiteral("Timeout"), QString::number(CommandTimeoutSeconds)});
    return odbcText(pairs);
}

QSqlDatabase openDatabase(const QString& connectionString, const QString& name) {
    const ConnectionString cs = ConnectionString::parse(connectionString);
    const QString providerName = cs.value(QStringLiteral("Provider"));
    const Provider* provider = providerFor(providerName);
    if (!provider)
        throw Error(
            Error::ProviderError,
            QStringLiteral("Provider cannot be found. It may not be properly installed. (%1)")
                .arg(providerName));
    if (!QSqlDatabase::isDriverAvailable(provider->driver))
        throw Error(Error::ProviderError,
                    QStringLiteral("The Qt SQL driver %1 is not installed.").arg(provider->driver));

    QSqlDatabase db = QSqlDatabase::addDatabase(provider->driver, name);
    try {
        provider->configure(db, cs);
        if (!db.open())
            throw providerError(db.lastError(), passwords(cs));
        requireStandardStrings(db);
    } catch (...) {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        throw;
    }
    return db;
}
