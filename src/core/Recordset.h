#pragma once

#include <QSqlRecord>
#include <QString>
#include <QVariant>

#include <memory>

class DatabaseConnection;
class QSqlQuery;

// One column value of the current row.
class Field {
public:
    explicit Field(QVariant value) : m_value(std::move(value)) {}

    // QODBC reports NULL as an invalid QVariant, the others as a null one.
    bool isNull() const { return m_value.isNull() || !m_value.isValid(); }
    // The value turned straight into text; NULL is an error, as in the runtime's conversion.
    QString text() const;
    // The value joined into text: NULL counts as empty text.
    QString textOrEmpty() const { return isNull() ? QString() : m_value.toString(); }

private:
    QVariant m_value;
};

// The rows of one statement, read forward. Holds its connection alive like an ADO recordset;
// the rows are fetched at once, so no cursor stays open on the server between events.
class Recordset {
public:
    Recordset() = default; // an empty slot

    Recordset(std::shared_ptr<DatabaseConnection> connection, QSqlQuery& query);

    // Both are true for a result without rows.
    bool bof() const;
    bool eof() const;
    // A column of the current row by name, without regard to letter case.
    Field field(const QString& name) const;
    void moveNext();

private:
    std::shared_ptr<DatabaseConnection> m_connection;
    QSqlRecord m_columns;
    std::shared_ptr<const QList<QVariantList>> m_rows;
    qsizetype m_position = 0;
};
