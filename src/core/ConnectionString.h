#pragma once

#include <QList>
#include <QString>

#include <utility>

// An ADO/OLE DB connection string: "key=value" pairs separated by semicolons. Keys compare
// without regard to letter case; a value may be quoted with " or ' to hold a semicolon.
class ConnectionString {
public:
    static ConnectionString parse(const QString& text);

    QString value(const QString& key) const;
    // Every pair but those named, in their order, for handing on to another layer.
    QList<std::pair<QString, QString>> pairsExcept(const QStringList& keys) const;

private:
    QList<std::pair<QString, QString>> m_pairs;
};
