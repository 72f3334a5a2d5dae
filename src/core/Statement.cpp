#include "Statement.h"

Statement& Statement::value(const QString& value) {
    m_values << value;
    QString quoted = value;
    m_text += quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return *this;
}

Statement& Statement::sql(Fragment fragment) {
    m_text += fragment.toString();
    return *this;
}
