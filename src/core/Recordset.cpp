#include "Recordset.h"

#include "Error.h"

#include <QSqlQuery>

using zelkarin::Error;

QString Field::text() const {
    if (isNull())
        throw Error(Error::InvalidUseOfNull, QStringLiteral("Invalid use of Null"));
    return m_value.toString();
}

Recordset::Recordset(std::shared_ptr<DatabaseConnection> connection, QSqlQuery& query)
    : m_connection(std::move(connection)), m_columns(query.record()) {
    auto rows = std::make_shared<QList<QVariantList>>();
    if (query.isSelect()) {
        const int columns = m_columns.count();
        while (query.next()) {
            QVariantList row;
            row.reserve(columns);
            for (int i = 0; i < columns; ++i)
                row.append(query.value(i));
            rows->append(std::move(row));
        }
    }
    query.finish();
    m_rows = std::move(rows);
}

bool Recordset::bof() const {
    return !m_rows || m_rows->isEmpty();
}

bool Recordset::eof() const {
    return !m_rows || m_position >= m_rows->size();
}

Field Recordset::field(const QString& name) const {
    const int index = m_columns.indexOf(name);
    if (index < 0)
        throw Error(Error::ItemNotFound,
                    QStringLiteral("Item cannot be found in the collection corresponding to the "
                                   "requested name or ordinal. (%1)")
                        .arg(name));
    if (eof())
        throw Error(Error::ProviderError,
                    QStringLiteral("Either BOF or EOF is True, or the current record has been "
                                   "deleted. Requested operation requires a current record."));
    return Field(m_rows->at(m_position).at(index));
}

void Recordset::moveNext() {
    if (eof())
        throw Error(Error::ProviderError,
                    QStringLiteral("Either BOF or EOF is True, or the current record has been "
                                   "deleted. Requested operation requires a current record."));
    ++m_position;
}
